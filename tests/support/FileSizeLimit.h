#pragma once

#include <csignal>

#include <sys/resource.h>

namespace velmora::test {

/**
 * While it lives, files this process writes cannot grow beyond the given size, and the signal a
 * write past it raises has its default action, as in a freshly started program: it ends the
 * process unless the code under test ignores it as the programs do (IgnoreFileSizeSignal), and
 * then the write fails part way, as on a full disk.
 */
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_applied = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_previousHandler = std::signal(SIGXFSZ, SIG_DFL);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_applied = m_applied && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Applied() const { return m_applied; }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_applied = false;
};

} // namespace velmora::test
