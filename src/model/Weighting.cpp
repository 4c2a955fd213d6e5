#include "model/Weighting.h"

#include "model/PowerSum.h"

#include <algorithm>

namespace velmora {

// clang-format off
const std::array<std::array<float, kBandSlots>, 4> BandWeighting = {{
    // A
    {-30.2f, -26.2f, -22.5f, -19.1f, -16.1f, -13.4f, -10.9f, -8.6f, -6.6f, -4.8f, -3.2f, -1.9f, -0.8f, 0.0f,
     0.6f, 1.0f, 1.2f, 1.3f, 1.2f, 1.0f, 0.5f, -0.1f, -1.1f, -2.5f, -4.3f, -6.6f, -9.3f, 0.0f, 0.0f, 0.0f},
    // B
    {-11.6f, -9.3f, -7.4f, -5.6f, -4.2f, -3.0f, -2.0f, -1.3f, -0.8f, -0.5f, -0.3f, -0.1f, 0.0f, 0.0f,
     0.0f, 0.0f, -0.1f, -0.2f, -0.4f, -0.7f, -1.2f, -1.9f, -2.9f, -4.3f, -6.1f, -8.4f, -11.1f, 0.0f, 0.0f, 0.0f},
    // C
    {-1.3f, -0.8f, -0.5f, -0.3f, -0.2f, -0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
     0.0f, -0.1f, -0.2f, -0.3f, -0.5f, -0.8f, -1.3f, -2.0f, -3.0f, -4.4f, -6.2f, -8.5f, -11.2f, 0.0f, 0.0f, 0.0f},
    // D
    {-12.8f, -10.9f, -9.0f, -7.2f, -5.5f, -4.0f, -2.6f, -1.6f, -0.8f, -0.4f, -0.3f, -0.5f, -0.6f, 0.0f,
     2.0f, 4.9f, 7.9f, 10.6f, 11.5f, 11.1f, 9.6f, 7.6f, 5.5f, 3.4f, 1.4f, -0.5f, -2.5f, 0.0f, 0.0f, 0.0f},
}};
// clang-format on

double WeightedBandLevel(double level, int band, int w)
{
    return level + BandWeighting[w][band];
}

double WeightedLevel(std::span<const float> levels, int bandStart, int bandStep, int w)
{
    std::array<double, kBandSlots> exponents{};
    const int bands = std::min<int>(BandCount(bandStart, bandStep), static_cast<int>(levels.size()));
    for (int k = 0; k < bands; ++k)
        exponents[k] = WeightedBandLevel(levels[k], bandStart + k * bandStep, w) * 0.1;
    return 10.0 * Log10OfPowerSum<float>(std::span(exponents.data(), static_cast<std::size_t>(bands)));
}

} // namespace velmora
