// Reads arbitrary bytes as what the recovery folder holds: a lock, a name in the folder and kept
// work. A lock that reads names an owner that reads back the same from the lock written for it;
// a name given a stem is one of the folder's own.
#include "io/RecoveryText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace velmora;

bool ReadsBack(RecoveryOwner owner)
{
    if (owner.Pid < 1 || owner.Host.empty())
        return false;
    // The writer leaves out a document too long to be a path.
    if (owner.Document.size() > kMaxRecoveryDocumentBytes)
        owner.Document.clear();
    return ReadRecoveryLock(RecoveryLockText(owner)) == owner;
}

bool IsOwnName(std::string_view name, const std::string& stem)
{
    if (name != stem + ".snd" && name != stem + ".lock")
        return false;
    return stem == "recovery" ||
           (stem.starts_with("recovery.") && IsRecoveryId(std::string_view(stem).substr(9)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<RecoveryOwner> owner = ReadRecoveryLock(bytes); owner && !ReadsBack(*owner))
        __builtin_trap();
    if (const std::optional<std::string> stem = RecoveryStem(bytes); stem && !IsOwnName(bytes, *stem))
        __builtin_trap();
    HoldsWholeSpectrum(bytes);
    return 0;
}
