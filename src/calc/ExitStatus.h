#pragma once

namespace velmora {

/** Exit statuses of velmora-calc. */
inline constexpr int kExitSuccess = 0;
/** A named file could not be read or written, or an expression did not evaluate. */
inline constexpr int kExitFailure = 1;
/** The arguments were not understood; nothing was done. */
inline constexpr int kExitUsage = 2;

} // namespace velmora
