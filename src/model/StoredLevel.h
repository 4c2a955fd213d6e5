#pragma once

#include <limits>

namespace velmora {

/**
 * A value computed in double, narrowed to the single precision the model stores. Values beyond
 * the float range become +inf or -inf explicitly (a plain conversion would be undefined there);
 * NaN stays NaN.
 */
inline float ToStoredLevel(double value)
{
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (value > kFloatMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kFloatMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace velmora
