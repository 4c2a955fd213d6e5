#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

/** Largest lock text read: a lock this program writes holds a path of at most 4 kB, escaped. */
inline constexpr std::size_t kMaxRecoveryLockBytes = 16384;
/** Largest recovery file read: a spectrum this program keeps takes under 2 kB. */
inline constexpr std::size_t kMaxRecoveryFileBytes = 64 * 1024;
/** Longest document path a lock records; a longer one is left out. */
inline constexpr std::size_t kMaxRecoveryDocumentBytes = 4096;

/** Who keeps a recovery file: the process and host that write it, and what the work is. */
struct RecoveryOwner {
    /** The process id on Host; 1 to 2^31 - 1. */
    std::int64_t Pid = 0;
    /** The host's name as the system gives it; never empty in a lock that reads. */
    std::string Host;
    /** The data file the work came from or was last saved to; empty for work without one. */
    std::string Document;

    bool operator==(const RecoveryOwner&) const = default;
};

/**
 * The text of a lock for owner: a line naming the format, then "pid", "host" and "document"
 * lines ("key value", any byte below 0x20, 0x7F and '%' of a value written as %XX) and "end".
 * A document over kMaxRecoveryDocumentBytes is left out.
 */
std::string RecoveryLockText(const RecoveryOwner& owner);

/**
 * The owner a lock text names; nothing when it cannot be read: over kMaxRecoveryLockBytes,
 * empty, cut short before its "end" line (as a power cut may leave it), without a pid of 1 to
 * 2^31 - 1 or a host, or with a value that does not unescape. Lines of other keys are passed
 * over. The lock of earlier versions (pid, program and host on the first three lines) reads too,
 * without a document.
 */
std::optional<RecoveryOwner> ReadRecoveryLock(std::string_view text);

/**
 * The stem that a name in the recovery folder belongs to: "recovery.ID" for a window's recovery
 * file "recovery.ID.snd" and its lock "recovery.ID.lock", where ID is IsRecoveryId; "recovery"
 * for "recovery.snd" and "recovery.lock", the one file earlier versions kept. Nothing for any
 * other name (a file set aside as damaged is "recovery-damaged-...", which is none of these).
 */
std::optional<std::string> RecoveryStem(std::string_view name);

/** True for an ID RecoveryStem takes: 1 to 64 ASCII letters, digits and '-'. */
bool IsRecoveryId(std::string_view id);

/**
 * True when text holds a whole spectrum as this program keeps one: a level for every band of
 * its band set. Anything else is damage; reading it would show an empty spectrum in its place.
 */
bool HoldsWholeSpectrum(std::string_view text);

} // namespace velmora
