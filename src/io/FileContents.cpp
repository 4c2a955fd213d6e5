#include "io/FileContents.h"

#include <cerrno>
#include <cstring>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>

namespace velmora {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

/** Attempts at a fresh temporary name before giving up; a clash is already very unlikely. */
constexpr std::uint64_t kNameAttempts = 16;

/**
 * Creates a new file next to target, never opening one that exists; null when none could be made.
 * The name needs to be unlikely, not secret: the exclusive open settles any clash.
 */
FilePointer CreateSiblingFile(const fs::path& target, std::string& createdPath)
{
    const auto stamp =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::uint64_t attempt = 0; attempt < kNameAttempts; ++attempt) {
        char suffix[24];
        const auto end = std::to_chars(std::begin(suffix), std::end(suffix), stamp + attempt, 16).ptr;
        std::string candidate = target.string() + ".tmp-" + std::string(std::begin(suffix), end);
        // "x" opens exclusively: it fails rather than reuse a file that is already there.
        errno = 0;
        if (FilePointer file{std::fopen(candidate.c_str(), "wbx")}) {
            createdPath = std::move(candidate);
            return file;
        }
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

/** Writes, flushes and closes; true only when every step succeeded. */
bool WriteAndClose(FilePointer file, std::string_view contents)
{
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size() &&
                         std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    return written && closed;
}

} // namespace

bool ReadFileContents(const std::string& path, std::size_t maxBytes, std::string& contents)
{
    // Opening a named pipe waits for a writer that may never come: only regular files are read.
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    FilePointer file{std::fopen(path.c_str(), "rb")};
    if (!file)
        return false;
    // Read in pieces rather than trusting a size reported up front, so that devices and pipes
    // that never end are refused at the limit too.
    std::string text;
    char piece[16384];
    std::size_t count = 0;
    while ((count = std::fread(piece, 1, sizeof piece, file.get())) > 0) {
        if (count > maxBytes - text.size())
            return false;
        text.append(piece, count);
    }
    if (std::ferror(file.get()))
        return false;
    contents = std::move(text);
    return true;
}

bool ReplaceFileContents(const std::string& path, std::string_view contents, std::string* reason)
{
    const auto fail = [reason](std::string why) {
        if (reason)
            *reason = std::move(why);
        return false;
    };
    std::error_code error;
    fs::path target(path);
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error)
            return fail(error.message());
    }
    // Writing in place would fail on a file this process may not write; so does replacing it.
    const fs::file_status existing = fs::status(target, error);
    const bool exists = fs::exists(existing);
    if (exists && !fs::is_regular_file(existing))
        return fail("it is not a regular file");
    if (exists && !FilePointer{std::fopen(target.string().c_str(), "r+b")})
        return fail(std::strerror(errno));

    std::string temporaryPath;
    FilePointer file = CreateSiblingFile(target, temporaryPath);
    if (!file)
        return fail(std::strerror(errno));
    if (!WriteAndClose(std::move(file), contents)) {
        const std::string why = std::strerror(errno);
        fs::remove(temporaryPath, error);
        return fail(why);
    }
    if (exists) {
        // Best effort: some file systems keep no permission bits, and the contents matter more.
        fs::permissions(temporaryPath, existing.permissions(), error);
    }
    fs::rename(temporaryPath, target, error);
    if (error) {
        const std::string why = error.message();
        fs::remove(temporaryPath, error);
        return fail(why);
    }
    return true;
}

} // namespace velmora
