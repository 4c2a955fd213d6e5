#include "io/FileContents.h"

#include "io/PosixFiles.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

namespace fs = std::filesystem;

/** An open file descriptor, closed with its owner; a negative one holds nothing. */
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;

    int get() const { return m_fd; }

    /**
     * Closes now; false, with errno set, when close reports an error (some file systems report
     * a failed write only then).
     */
    bool Close()
    {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

/** Attempts at a fresh temporary name before giving up; a clash is already very unlikely. */
constexpr std::uint64_t kNameAttempts = 16;

/** Symbolic links followed before giving up on a loop, as many as Linux follows in a path. */
constexpr int kMaxLinks = 40;

/**
 * Creates a new file in target's folder for writing, never opening one that exists; a negative
 * descriptor, with errno set, when none could be made. The name is short whatever target's
 * length, so that a target name of the longest length the folder takes leaves room for it, and
 * hidden, so that file lists do not show it meanwhile. It needs to be unlikely, not secret: the
 * exclusive open settles any clash.
 */
FileDescriptor CreateSiblingFile(const fs::path& target, std::string& createdPath)
{
    const auto stamp =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::uint64_t attempt = 0; attempt < kNameAttempts; ++attempt) {
        char digits[24];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), stamp + attempt, 16).ptr;
        const std::string name = ".velmora-" + std::string(std::begin(digits), end) + ".tmp";
        std::string candidate = (target.parent_path() / name).string();
        // O_EXCL fails rather than reuse a file that is already there.
        FileDescriptor file{::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
        if (file.get() >= 0) {
            createdPath = std::move(candidate);
            return file;
        }
        if (errno != EEXIST)
            return file;
    }
    return FileDescriptor{-1};
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

/**
 * Gives a new file the owner, group and permission bits of the one it is to replace, as far as
 * this process may: only root may give a file to another user, and a user may give it only a
 * group of theirs; failing both, the file stays the saver's. Best effort: the contents matter
 * more, and some file systems keep no owners or permission bits.
 */
void KeepOwnerAndMode(int fd, const struct stat& existing)
{
    static_cast<void>(::fchown(fd, existing.st_uid, existing.st_gid) == 0 ||
                      ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0);
    // After the owner, since a change of owner clears the set-user-ID and set-group-ID bits.
    static_cast<void>(::fchmod(fd, existing.st_mode & 07777));
}

constexpr const char* kNotRegular = "it is not a regular file";

/**
 * Rewrites target, a file with other names (hard links), in place, so that every name shows the
 * new contents: renaming a new file over one name would leave the others with the old contents.
 * A rewrite in place can be cut short (a power cut, a failing disk), so the whole new contents
 * are first synced in temporaryPath, under a name that is synced too, before target is touched:
 * at every moment one whole copy exists. Should the rewrite fail, that copy takes target's name,
 * so that this name at least holds the whole contents; the reason says so. The copy is removed
 * once the rewrite is synced.
 */
bool RewriteLinkedFile(const fs::path& target, const std::string& temporaryPath, std::string_view contents,
                       std::string* reason)
{
    const fs::path folder = target.parent_path();
    SyncFolder(folder);
    const auto giveUp = [&](int error) {
        ::unlink(temporaryPath.c_str());
        return Fail(reason, SystemReason(error));
    };
    FileDescriptor file{::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.get() < 0)
        return giveUp(errno);
    // A full disk or quota stops the rewrite before it starts where the file system can take the
    // space up front; where it cannot, the rewrite goes on.
    const auto size = static_cast<off_t>(contents.size());
    if (size > 0 && ::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
        return giveUp(errno);
    if (WriteAll(file.get(), contents) && ::ftruncate(file.get(), size) == 0 && ::fsync(file.get()) == 0 &&
        file.Close()) {
        ::unlink(temporaryPath.c_str());
        SyncFolder(folder);
        return true;
    }
    const std::string why = SystemReason(errno);
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0)
        return Fail(reason, why + "; the whole new contents are kept in " + temporaryPath);
    SyncFolder(folder);
    return Fail(reason, why + "; this name holds the whole new contents, its other names may not");
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
    struct stat existing {
    };
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return Fail(reason, kNotRegular);
    // Writing in place would fail on a file this process may not write; so does replacing it.
    if (exists && FileDescriptor{::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)}.get() < 0)
        return Fail(reason, SystemReason(errno));

    std::string temporaryPath;
    FileDescriptor file = CreateSiblingFile(target, temporaryPath);
    if (file.get() < 0)
        return Fail(reason, SystemReason(errno));
    if (exists)
        KeepOwnerAndMode(file.get(), existing);
    // Synced before it takes the name: else a power cut could leave an empty file under it.
    if (!WriteAll(file.get(), contents) || ::fsync(file.get()) != 0 || !file.Close()) {
        const std::string why = SystemReason(errno);
        ::unlink(temporaryPath.c_str());
        return Fail(reason, why);
    }
    if (exists && existing.st_nlink > 1)
        return RewriteLinkedFile(target, temporaryPath, contents, reason);
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        const std::string why = SystemReason(errno);
        ::unlink(temporaryPath.c_str());
        return Fail(reason, why);
    }
    SyncFolder(target.parent_path());
    return true;
}

bool IsRegularFile(const std::string& path)
{
    struct stat status {
    };
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace velmora
