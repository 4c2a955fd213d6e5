#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace velmora {

/** The system's wording of an error number; unlike strerror, safe when files are read on two threads. */
std::string SystemReason(int error);

/** Gives why to a caller that asked for a reason (reason not null); false, to be returned at once. */
bool Fail(std::string* reason, std::string why);

/** True when a and b describe the same file (device and inode), whatever names led to it. */
bool SameFile(const struct stat& a, const struct stat& b);

/** When the file was last written, from its status, to the nanosecond the system keeps. */
std::chrono::system_clock::time_point ModificationTime(const struct stat& status);

/** Writes all of text from the file's current offset; false, with errno set, when a write fails. */
bool WriteAll(int fd, std::string_view text);

/**
 * The whole file open on fd, read from its start whatever its offset; nothing when it holds more
 * than maxBytes bytes or a read fails.
 */
std::optional<std::string> ReadAll(int fd, std::size_t maxBytes);

/**
 * Syncs a folder (empty for the current one), so that a name just given, changed or removed in it
 * survives a power cut. Best effort: some file systems cannot sync a folder, and the file the name
 * leads to is synced already.
 */
void SyncFolder(const std::string& folder);

/**
 * The bytes of the regular file at path, whose status named was taken by name (lstat): never
 * through a link, and only when the file opened is still the one named. Nothing when it is not a
 * regular file, holds more than maxBytes bytes, or cannot be opened or read. The open does not
 * block, so that a named pipe that took the name meanwhile cannot hold the caller up.
 */
std::optional<std::string> ReadRegularFile(const std::string& path, const struct stat& named,
                                           std::size_t maxBytes);

/**
 * Renames path, whatever it is (a link stays a link and what it names is not touched), to
 * "NAME-DATE" with extension in folder, DATE the local time to the millisecond
 * ("20240131-235959-123") and "-2", "-3", ... added after it when that name is taken: a file
 * already there is never replaced. False when the rename fails or a hundred names are taken.
 */
bool SetAside(const std::string& folder, const std::string& path, std::string_view name,
              std::string_view extension);

} // namespace velmora
