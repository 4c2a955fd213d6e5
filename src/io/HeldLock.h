#pragma once

#include <string>

namespace velmora {

/**
 * A file of the recovery folder held open under an exclusive file lock (flock). While one
 * process holds it no other takes it; the system lets go when the process ends, however it ends,
 * and so does closing. Move-only; an empty one holds nothing.
 */
class HeldLock
{
public:
    HeldLock() = default;
    /** Takes fd, open on the file named path. */
    HeldLock(int fd, std::string path);
    ~HeldLock();
    HeldLock(HeldLock&& other) noexcept;
    HeldLock& operator=(HeldLock&& other) noexcept;
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    /** True while it holds a file. */
    bool IsHeld() const { return m_fd >= 0; }
    /** The descriptor open on the held file; negative when none is held. */
    int Descriptor() const { return m_fd; }
    /** True while its path still names the file held: nobody removed or replaced it. */
    bool NamesHeldFile() const;
    /** Renames the held file to path; false, with errno, when that fails. */
    bool MoveTo(const std::string& path);
    /** Removes the file from the folder (only while its path still names it) and lets go. */
    void RemoveAndRelease();
    /** Closes the file, which lets go of the lock; the file stays. */
    void Release();

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace velmora
