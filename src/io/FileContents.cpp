#include "io/FileContents.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

namespace fs = std::filesystem;

/** The system's wording of an error number; unlike strerror, safe when files are read on two threads. */
std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

/** Attempts at a fresh temporary name before giving up; a clash is already very unlikely. */
constexpr std::uint64_t kNameAttempts = 16;

/** Symbolic links followed before giving up on a loop, as many as Linux follows in a path. */
constexpr int kMaxLinks = 40;

/**
 * Creates a new file in target's folder, never opening one that exists; null when none could be
 * made. The name is short whatever target's length, so that a target name of the longest length
 * the folder takes leaves room for it, and hidden, so that file lists do not show it meanwhile.
 * It needs to be unlikely, not secret: the exclusive open settles any clash.
 */
FilePointer CreateSiblingFile(const fs::path& target, std::string& createdPath)
{
    const auto stamp =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::uint64_t attempt = 0; attempt < kNameAttempts; ++attempt) {
        char digits[24];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), stamp + attempt, 16).ptr;
        const std::string name = ".velmora-" + std::string(std::begin(digits), end) + ".tmp";
        std::string candidate = (target.parent_path() / name).string();
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

/**
 * Makes path the file that its chain of symbolic links ends at, whether or not that exists yet; a
 * relative link is read from the folder that holds it. False, with why, when a link cannot be read
 * or the chain does not end.
 */
bool FollowLinks(fs::path& path, std::string& why)
{
    std::error_code error;
    for (int followed = 0; followed < kMaxLinks; ++followed) {
        if (!fs::is_symlink(path, error))
            return true;
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            why = error.message();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    why = SystemReason(ELOOP);
    return false;
}

/** Writes, flushes and closes; true only when every step succeeded. */
bool WriteAndClose(FilePointer file, std::string_view contents)
{
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size() &&
                         std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    return written && closed;
}

constexpr const char* kNotRegular = "it is not a regular file";

/** An open file descriptor, closed with its owner; a negative one holds nothing. */
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

/** Gives why to the caller that asked for a reason; false, to be returned at once. */
bool Fail(std::string* reason, std::string why)
{
    if (reason)
        *reason = std::move(why);
    return false;
}

} // namespace

std::string TooLargeReason(std::size_t maxBytes)
{
    // Whole MiB, rounded down, from one MiB on: "larger than" stays true, and a reader that takes
    // one byte past a limit (so that the table reader refuses a text just over it) names the
    // limit the table reader names.
    constexpr std::size_t kMiB = 1024 * 1024;
    if (maxBytes >= kMiB)
        return "it is larger than " + std::to_string(maxBytes / kMiB) + " MiB";
    return "it is larger than " + std::to_string(maxBytes) + " bytes";
}

bool ReadFileContents(const std::string& path, std::size_t maxBytes, std::string& contents,
                      std::string* reason)
{
    // Opening a named pipe waits for a writer that may never come, and opening a device may do
    // more than read it: only what is a regular file by its name is opened.
    struct stat named {
    };
    if (::stat(path.c_str(), &named) != 0)
        return Fail(reason, SystemReason(errno));
    if (S_ISDIR(named.st_mode))
        return Fail(reason, "it is a directory");
    if (!S_ISREG(named.st_mode))
        return Fail(reason, kNotRegular);
    // Should another kind of file take the name meanwhile, a non-blocking open still returns at once.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.get() < 0)
        return Fail(reason, SystemReason(errno));
    struct stat opened {
    };
    if (::fstat(file.get(), &opened) != 0)
        return Fail(reason, SystemReason(errno));
    if (!S_ISREG(opened.st_mode))
        return Fail(reason, kNotRegular);
    if (static_cast<std::uintmax_t>(opened.st_size) > maxBytes)
        return Fail(reason, TooLargeReason(maxBytes));
    // Read in pieces rather than trusting the size reported up front: files of /proc report 0,
    // and a file may grow while it is read.
    std::string text;
    text.reserve(static_cast<std::size_t>(opened.st_size));
    char piece[16384];
    for (;;) {
        const ssize_t count = ::read(file.get(), piece, sizeof piece);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Fail(reason, SystemReason(errno));
        if (count == 0)
            break;
        if (static_cast<std::size_t>(count) > maxBytes - text.size())
            return Fail(reason, TooLargeReason(maxBytes));
        text.append(piece, static_cast<std::size_t>(count));
        // A regular file reads short only at its end: once all it held at the open is in, the
        // read that would return nothing can be saved (thousands of files in one call add up).
        if (static_cast<std::size_t>(count) < sizeof piece && opened.st_size > 0 &&
            text.size() >= static_cast<std::size_t>(opened.st_size))
            break;
    }
    contents = std::move(text);
    return true;
}

bool ReplaceFileContents(const std::string& path, std::string_view contents, std::string* reason)
{
    // Renaming over a link would replace the link itself, and leave a file it names unwritten.
    fs::path target(path);
    std::string why;
    if (!FollowLinks(target, why))
        return Fail(reason, why);
    std::error_code error;
    // Writing in place would fail on a file this process may not write; so does replacing it.
    const fs::file_status existing = fs::status(target, error);
    const bool exists = fs::exists(existing);
    if (exists && !fs::is_regular_file(existing))
        return Fail(reason, kNotRegular);
    if (exists && !FilePointer{std::fopen(target.string().c_str(), "r+b")})
        return Fail(reason, SystemReason(errno));

    std::string temporaryPath;
    FilePointer file = CreateSiblingFile(target, temporaryPath);
    if (!file)
        return Fail(reason, SystemReason(errno));
    if (!WriteAndClose(std::move(file), contents)) {
        const std::string why = SystemReason(errno);
        fs::remove(temporaryPath, error);
        return Fail(reason, why);
    }
    if (exists) {
        // Best effort: some file systems keep no permission bits, and the contents matter more.
        fs::permissions(temporaryPath, existing.permissions(), error);
    }
    fs::rename(temporaryPath, target, error);
    if (error) {
        const std::string why = error.message();
        fs::remove(temporaryPath, error);
        return Fail(reason, why);
    }
    return true;
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace velmora
