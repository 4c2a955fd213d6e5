#pragma once

#include "io/HeldLock.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/**
 * Unsaved work that a window which is gone left in the recovery folder, taken by this process:
 * no other window offers it until it is settled (SettleLeftover) or let go (destroyed), when it
 * stays for a later start.
 */
struct RecoveryLeftover {
    /** Its recovery file. */
    std::string Path;
    /** The data-file text kept; a whole spectrum. */
    std::string Text;
    /** The data file the work came from or was last saved to; empty when it had none. */
    std::string Document;
    /** The host that kept it when that is not this one; empty for this host. */
    std::string Host;
    /** When it was last kept (the file's modification time). */
    std::chrono::system_clock::time_point KeptAt;
    HeldLock Lock;
};

/** Removes work's files from the folder and lets go of it: it was restored or discarded. */
void SettleLeftover(RecoveryLeftover& work);

/** A new window id for RecoveryFolder: the process id and 64 random bits, in hex. */
std::string NewRecoveryId();

/** This host's name as the system gives it; empty when it gives none. */
std::string LocalHostName();

/**
 * One window's part of the recovery folder, and what windows that are gone left there.
 *
 * Each running window keeps its unsaved work in a file of its own, "recovery.ID.snd", beside a
 * lock "recovery.ID.lock" that it holds open under a file lock for its whole life and that names
 * its process, its host and the work's data file. A window whose lock nobody holds is gone: its
 * work is left behind, whatever the lock says, and however it ended (a crash, a power cut that
 * leaves the lock empty). A lock naming another host (a home folder shared over the network,
 * where file locks may not reach from one host to another) counts as gone only once it has been
 * quiet, neither written nor refreshed, for kForeignQuietTime; a window refreshes its lock every
 * kHeartbeat while it keeps work.
 *
 * No file is ever read or written through a symbolic link: files are opened with O_NOFOLLOW,
 * written to a new file that then replaces the old name, and whatever is not a regular file
 * where a recovery file or lock should be is set aside, renamed "recovery-damaged-DATE.snd" (or
 * ".lock"), together with a recovery file that does not hold a whole spectrum.
 */
class RecoveryFolder
{
public:
    /** How long a lock naming another host stays untouched before the work it guards is offered here. */
    static constexpr std::chrono::seconds kForeignQuietTime{3600};
    /** How often a window refreshes its lock while it keeps work. */
    static constexpr std::chrono::seconds kHeartbeat{600};
    /** Most leftovers TakeLeftovers returns at once, the newest; the others wait for a later start. */
    static constexpr std::size_t kMaxLeftovers = 16;

    /**
     * folder: an existing folder; id: this window's, from NewRecoveryId (IsRecoveryId); host: this
     * host's name. Nothing is written until Keep.
     */
    RecoveryFolder(std::string folder, std::string id, std::string host);
    /** Lets go of the lock, removing it when no work is kept; kept work stays for the next start. */
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    /** This window's recovery file. */
    std::string FilePath() const;

    /**
     * Makes text this window's kept work, recording document (empty for none) in its lock: the
     * lock is made (or made again, when something removed it), then the text written to a new
     * file, flushed to the disk and renamed over the recovery file. False, with the old file
     * intact and why in reason, when anything fails; file locks that do not work in the folder
     * count as a failure, since other windows could not tell this one is alive.
     */
    bool Keep(std::string_view text, const std::string& document, std::string* reason = nullptr);

    /** Removes this window's kept work (the work was saved or dropped); the lock stays. */
    void Drop();

    /** True while the work Keep kept is in place with its lock (nobody removed either). */
    bool Intact() const;

    /** Refreshes the lock's time when kHeartbeat has passed since the last time. */
    void KeepAlive();

    /**
     * Takes the work windows that are gone left behind, newest first, at most kMaxLeftovers. On
     * the way, a lock without its recovery file is removed, damaged files are set aside, and
     * temporary files older than kForeignQuietTime are removed. Work whose lock a live window
     * holds, or that another host wrote recently, is left alone.
     */
    std::vector<RecoveryLeftover> TakeLeftovers();

private:
    bool MakeLock(const std::string& document, std::string* reason);
    bool EnsureLock(const std::string& document, std::string* reason);
    HeldLock Claim(const std::string& stem) const;
    void Take(const std::string& stem, std::vector<RecoveryLeftover>& found) const;
    std::string InFolder(std::string_view name) const;

    std::string m_folder;
    std::string m_stem;
    std::string m_host;
    HeldLock m_lock;
    std::string m_lockDocument;
    bool m_kept = false;
    std::chrono::steady_clock::time_point m_lastBeat;
};

} // namespace velmora
