#include "io/HeldLock.h"

#include "io/PosixFiles.h"

#include <cstdio>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

HeldLock::HeldLock(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

HeldLock::~HeldLock()
{
    Release();
}

HeldLock::HeldLock(HeldLock&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path))
{
    other.m_fd = -1;
}

HeldLock& HeldLock::operator=(HeldLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

bool HeldLock::NamesHeldFile() const
{
    struct stat held {
    };
    struct stat named {
    };
    return IsHeld() && ::fstat(m_fd, &held) == 0 && ::lstat(m_path.c_str(), &named) == 0 &&
           SameFile(held, named);
}

bool HeldLock::MoveTo(const std::string& path)
{
    if (::rename(m_path.c_str(), path.c_str()) != 0)
        return false;
    m_path = path;
    return true;
}

void HeldLock::RemoveAndRelease()
{
    if (NamesHeldFile())
        ::unlink(m_path.c_str());
    Release();
}

void HeldLock::Release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace velmora
