#pragma once

namespace velmora {

/**
 * How close, in dB, a sum or a band value must come to a rating's limit to count as on it. A float
 * holds 45.9 dB as 45.900001525..., so sixteen bands entered in tenths can miss a limit met in
 * decimal by about 1e-4 dB; 0.001 dB is well above that noise and far below the 0.1 dB steps levels
 * are entered in. Every rating decides its ties with it, so that levels entered in tenths rate as
 * their decimal values do.
 */
inline constexpr double kLimitTolerance = 1e-3;

} // namespace velmora
