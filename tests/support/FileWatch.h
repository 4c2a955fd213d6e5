#pragma once

#include <string>

#include <sys/inotify.h>
#include <unistd.h>

namespace velmora::test {

/** Sees, through inotify, whatever happens to one file from now on: an open, a read, a write. */
class FileWatch
{
public:
    explicit FileWatch(const std::string& path)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          m_watch(inotify_add_watch(m_fd, path.c_str(), IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB))
    {
    }
    ~FileWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    bool Works() const { return m_fd >= 0 && m_watch >= 0; }
    /** True when anything happened to the file since the watch began. */
    bool Touched() const
    {
        char events[4096];
        return ::read(m_fd, events, sizeof events) > 0;
    }

private:
    int m_fd;
    int m_watch;
};

} // namespace velmora::test
