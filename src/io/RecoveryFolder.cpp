#include "io/RecoveryFolder.h"

#include "io/PosixFiles.h"
#include "io/RecoveryText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

using Clock = std::chrono::system_clock;

constexpr std::string_view kFileEnd = ".snd";
constexpr std::string_view kLockEnd = ".lock";
/** The end of a temporary file's name; it starts with '.' and the name it will replace. */
constexpr std::string_view kTemporaryEnd = ".new";
/** The start of the name a damaged file is set aside under, before its date. */
constexpr std::string_view kDamagedName = "recovery-damaged";

/** Removes a temporary file of this folder's windows left over from one that ended mid-write. */
void RemoveIfStale(const std::string& folder, std::string_view name)
{
    if (!name.starts_with('.') || !name.ends_with(kTemporaryEnd) ||
        !RecoveryStem(name.substr(1, name.size() - 1 - kTemporaryEnd.size())))
        return;
    const std::string path = folder + "/" + std::string(name);
    struct stat status {
    };
    // A window's own temporary file lives for the moment of a write.
    if (::lstat(path.c_str(), &status) == 0 &&
        Clock::now() - ModificationTime(status) > RecoveryFolder::kForeignQuietTime)
        ::unlink(path.c_str());
}

} // namespace

void SettleLeftover(RecoveryLeftover& work)
{
    // The file before its lock: a recovery file is never left without one by this.
    ::unlink(work.Path.c_str());
    work.Lock.RemoveAndRelease();
}

std::string NewRecoveryId()
{
    std::random_device device;
    const unsigned long long random =
        (static_cast<unsigned long long>(device()) << 32) ^ static_cast<unsigned long long>(device());
    char id[48];
    std::snprintf(id, sizeof id, "%ld-%016llx", static_cast<long>(::getpid()), random);
    return id;
}

std::string LocalHostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

RecoveryFolder::RecoveryFolder(std::string folder, std::string id, std::string host)
    : m_folder(std::move(folder)), m_stem("recovery." + id), m_host(std::move(host))
{
}

RecoveryFolder::~RecoveryFolder()
{
    if (!m_kept)
        m_lock.RemoveAndRelease();
}

std::string RecoveryFolder::InFolder(std::string_view name) const
{
    return m_folder + "/" + std::string(name);
}

std::string RecoveryFolder::FilePath() const
{
    return InFolder(m_stem + std::string(kFileEnd));
}

bool RecoveryFolder::MakeLock(const std::string& document, std::string* reason)
{
    m_lock.Release();
    // Made under a temporary name and locked before it takes the lock's name, so that no other
    // window ever sees this window's lock unheld.
    const std::string temporary = InFolder("." + m_stem + std::string(kLockEnd) + std::string(kTemporaryEnd));
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return Fail(reason, SystemReason(errno));
    HeldLock lock(fd, temporary);
    const auto failed = [&temporary, reason](std::string why) {
        ::unlink(temporary.c_str());
        return Fail(reason, std::move(why));
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return failed("file locks do not work there (" + SystemReason(errno) + ")");
    if (!WriteAll(fd, RecoveryLockText({::getpid(), m_host, document})) || ::fsync(fd) != 0)
        return failed(SystemReason(errno));
    if (!lock.MoveTo(InFolder(m_stem + std::string(kLockEnd))))
        return failed(SystemReason(errno));
    m_lock = std::move(lock);
    m_lockDocument = document;
    m_lastBeat = std::chrono::steady_clock::now();
    return true;
}

bool RecoveryFolder::EnsureLock(const std::string& document, std::string* reason)
{
    if (!m_lock.NamesHeldFile())
        return MakeLock(document, reason);
    if (document == m_lockDocument)
        return true;
    // Rewritten in place, as the lock must stay the file held. A text cut short by a power cut
    // has no "end" and reads as no owner, which the next start takes as gone, as it is.
    const std::string text = RecoveryLockText({::getpid(), m_host, document});
    if (::pwrite(m_lock.Descriptor(), text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()) ||
        ::ftruncate(m_lock.Descriptor(), static_cast<off_t>(text.size())) != 0)
        return Fail(reason, SystemReason(errno));
    m_lockDocument = document;
    return true;
}

bool RecoveryFolder::Keep(std::string_view text, const std::string& document, std::string* reason)
{
    if (!EnsureLock(document, reason))
        return false;
    const std::string temporary = InFolder("." + m_stem + std::string(kFileEnd) + std::string(kTemporaryEnd));
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return Fail(reason, SystemReason(errno));
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    // The rename replaces the name, never writes through it, whatever it was.
    if (!written || !closed || ::rename(temporary.c_str(), FilePath().c_str()) != 0) {
        const int why = written && closed ? errno : error;
        ::unlink(temporary.c_str());
        return Fail(reason, SystemReason(why));
    }
    SyncFolder(m_folder);
    m_kept = true;
    ::futimens(m_lock.Descriptor(), nullptr);
    m_lastBeat = std::chrono::steady_clock::now();
    return true;
}

void RecoveryFolder::Drop()
{
    if (m_kept)
        ::unlink(FilePath().c_str());
    m_kept = false;
}

bool RecoveryFolder::Intact() const
{
    struct stat kept {
    };
    return m_kept && m_lock.NamesHeldFile() && ::lstat(FilePath().c_str(), &kept) == 0 &&
           S_ISREG(kept.st_mode);
}

void RecoveryFolder::KeepAlive()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_lock.IsHeld() && now - m_lastBeat >= kHeartbeat) {
        ::futimens(m_lock.Descriptor(), nullptr);
        m_lastBeat = now;
    }
}

HeldLock RecoveryFolder::Claim(const std::string& stem) const
{
    const std::string path = InFolder(stem + std::string(kLockEnd));
    // Each turn settles one change someone else made meanwhile; more than a few is no honest race.
    for (int attempt = 0; attempt < 4; ++attempt) {
        struct stat named {
        };
        if (::lstat(path.c_str(), &named) != 0) {
            if (errno != ENOENT)
                return {};
            // Work without a lock: whoever makes one holds it; the exclusive open settles a race.
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return {};
            HeldLock lock(fd, path);
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !lock.NamesHeldFile())
                return {};
            WriteAll(fd, RecoveryLockText({::getpid(), m_host, {}}));
            return lock;
        }
        if (!S_ISREG(named.st_mode)) {
            if (!SetAside(m_folder, path, kDamagedName, kLockEnd))
                return {};
            continue;
        }
        // Opened for writing: file locks over a network need it.
        const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && (errno == ENOENT || errno == ELOOP))
            continue;
        if (fd < 0)
            return {};
        HeldLock lock(fd, path);
        // A live window holds its lock (EWOULDBLOCK); any other failure leaves the work alone too.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            return {};
        if (lock.NamesHeldFile())
            return lock;
    }
    return {};
}

void RecoveryFolder::Take(const std::string& stem, std::vector<RecoveryLeftover>& found) const
{
    HeldLock lock = Claim(stem);
    if (!lock.IsHeld())
        return;
    struct stat lockStatus {
    };
    if (::fstat(lock.Descriptor(), &lockStatus) != 0)
        return;
    const std::optional<std::string> lockText = ReadAll(lock.Descriptor(), kMaxRecoveryLockBytes);
    const std::optional<RecoveryOwner> owner = lockText ? ReadRecoveryLock(*lockText) : std::nullopt;
    const bool foreign = owner && owner->Host != m_host;
    if (foreign && Clock::now() - ModificationTime(lockStatus) < kForeignQuietTime)
        return;

    const std::string path = InFolder(stem + std::string(kFileEnd));
    struct stat named {
    };
    if (::lstat(path.c_str(), &named) != 0) {
        // A lock whose window kept no work, or whose work was settled before the lock went.
        if (errno == ENOENT)
            lock.RemoveAndRelease();
        return;
    }
    const std::optional<std::string> text = ReadRegularFile(path, named, kMaxRecoveryFileBytes);
    if (!text || !HoldsWholeSpectrum(*text)) {
        if (SetAside(m_folder, path, kDamagedName, kFileEnd))
            lock.RemoveAndRelease();
        return;
    }
    found.push_back({path, *text, owner ? owner->Document : std::string(),
                     foreign ? owner->Host : std::string(), ModificationTime(named), std::move(lock)});
}

std::vector<RecoveryLeftover> RecoveryFolder::TakeLeftovers()
{
    std::vector<std::string> stems;
    if (DIR* folder = ::opendir(m_folder.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string_view name = entry->d_name;
            if (std::optional<std::string> stem = RecoveryStem(name)) {
                if (*stem != m_stem)
                    stems.push_back(std::move(*stem));
            } else {
                RemoveIfStale(m_folder, name);
            }
        }
        ::closedir(folder);
    }
    std::sort(stems.begin(), stems.end());
    stems.erase(std::unique(stems.begin(), stems.end()), stems.end());

    std::vector<RecoveryLeftover> found;
    for (const std::string& stem : stems)
        Take(stem, found);
    std::sort(found.begin(), found.end(),
              [](const RecoveryLeftover& a, const RecoveryLeftover& b) { return a.KeptAt > b.KeptAt; });
    // The older ones are let go, and offered once these are settled.
    if (found.size() > kMaxLeftovers)
        found.erase(found.begin() + kMaxLeftovers, found.end());
    return found;
}

} // namespace velmora
