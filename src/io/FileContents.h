#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

/**
 * The bytes of the named regular file, at most maxBytes of them. False, and contents untouched,
 * when it is not a regular file (a folder, a named pipe, a device), cannot be opened or read, or
 * holds more than maxBytes bytes; reason, when given, then says which in a few words ("it is a
 * directory", "it is not a regular file", TooLargeReason(maxBytes), or the system's reason). A
 * file that is not regular is never opened, so that a named pipe cannot block the caller.
 */
bool ReadFileContents(const std::string& path, std::size_t maxBytes, std::string& contents,
                      std::string* reason = nullptr);

/**
 * Why a file or stream of more than maxBytes bytes is refused: "it is larger than 16 MiB", the
 * limit in whole MiB (rounded down, so 1 MiB + 1 byte is "1 MiB") from one MiB on, else in bytes.
 */
std::string TooLargeReason(std::size_t maxBytes);

/** True when path (the bytes of a name, as the system takes them) names a regular file, links followed. */
bool IsRegularFile(const std::string& path);

/**
 * Makes contents the whole of the named file without ever leaving it half written: the bytes go
 * to a new file of a short unique name in the same folder, which is written, synced to the disk
 * and closed, then renamed over the named one, and the folder synced, so that neither a failed
 * write nor a power cut leaves an empty or partial file under the name. Symbolic links are
 * followed, a relative one from the folder that holds it, so a link stays and the file it names
 * is replaced, or created when it does not exist yet. A replaced file's owner, group and
 * permission bits are kept as far as this process may (a file saved by root stays its owner's). A
 * file with other names (hard links) is rewritten in place after its new contents are synced
 * beside it, so that every name shows them. False, with any previous file intact and no new file
 * left behind, when anything fails, and when the named file exists but is not a regular file this
 * process may open for writing; reason, when given, then says why in a few words. (A rewrite in
 * place that fails part way, which a failing disk alone causes once the space is taken, gives the
 * name the whole new contents instead, and says so.)
 */
bool ReplaceFileContents(const std::string& path, std::string_view contents, std::string* reason = nullptr);

/**
 * Makes a write past the process's file-size limit fail with EFBIG, which ReplaceFileContents
 * reports like any failed write with the earlier file intact, instead of ending the process with
 * SIGXFSZ half way through a save. Each program calls it first thing in main().
 */
void IgnoreFileSizeSignal();

} // namespace velmora
