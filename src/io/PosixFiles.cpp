#include "io/PosixFiles.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace velmora {

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

bool Fail(std::string* reason, std::string why)
{
    if (reason)
        *reason = std::move(why);
    return false;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::chrono::system_clock::time_point ModificationTime(const struct stat& status)
{
    using Clock = std::chrono::system_clock;
    const auto since =
        std::chrono::seconds(status.st_mtim.tv_sec) + std::chrono::nanoseconds(status.st_mtim.tv_nsec);
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(since));
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::optional<std::string> ReadAll(int fd, std::size_t maxBytes)
{
    std::string text;
    char piece[4096];
    for (;;) {
        const ssize_t count = ::pread(fd, piece, sizeof piece, static_cast<off_t>(text.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return text;
        if (static_cast<std::size_t>(count) > maxBytes - text.size())
            return std::nullopt;
        text.append(piece, static_cast<std::size_t>(count));
    }
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
}

std::optional<std::string> ReadRegularFile(const std::string& path, const struct stat& named,
                                           std::size_t maxBytes)
{
    if (!S_ISREG(named.st_mode) || static_cast<std::uintmax_t>(named.st_size) > maxBytes)
        return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat opened {
    };
    std::optional<std::string> text;
    if (::fstat(fd, &opened) == 0 && SameFile(opened, named))
        text = ReadAll(fd, maxBytes);
    ::close(fd);
    return text;
}

bool SetAside(const std::string& folder, const std::string& path, std::string_view name,
              std::string_view extension)
{
    using Clock = std::chrono::system_clock;
    const Clock::time_point now = Clock::now();
    const std::time_t seconds = Clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    char date[48];
    std::snprintf(date, sizeof date, "%s-%03d", stamp, static_cast<int>(milliseconds));
    const std::string base = folder + "/" + std::string(name) + "-" + date;
    for (int number = 1; number <= 100; ++number) {
        std::string aside = base;
        if (number > 1)
            aside.append("-").append(std::to_string(number));
        aside.append(extension);
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        // A file system that cannot refuse to replace: look first.
        struct stat existing {
        };
        if (::lstat(aside.c_str(), &existing) == 0)
            continue;
        return ::rename(path.c_str(), aside.c_str()) == 0;
    }
    return false;
}

} // namespace velmora
