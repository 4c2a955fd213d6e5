#pragma once

#include <bit>
#include <cstdint>
#include <limits>

namespace velmora {

/**
 * A value computed in double, narrowed to the single precision the model stores, rounded to the
 * nearest float. A value above the largest float by less than half a float step rounds to the
 * largest float; further out it becomes +inf or -inf explicitly (a plain conversion would be
 * undefined there); NaN stays NaN.
 */
inline float ToStoredLevel(double value)
{
    constexpr float kFloatMax = std::numeric_limits<float>::max();
    // The largest float plus half its step: from here on the nearest float is infinity.
    constexpr double kRoundsToInfinity = 0x1.ffffffp127;
    if (value >= kRoundsToInfinity)
        return std::numeric_limits<float>::infinity();
    if (value <= -kRoundsToInfinity)
        return -std::numeric_limits<float>::infinity();
    if (value > kFloatMax)
        return kFloatMax;
    if (value < -kFloatMax)
        return -kFloatMax;
    return static_cast<float>(value);
}

/**
 * True when two stored levels are the same bits: NaN equals the same NaN and 0 differs from -0,
 * so that a level counts as unchanged only when it would be written and read back the same.
 */
inline bool SameBits(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

} // namespace velmora
