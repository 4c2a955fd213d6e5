#include "model/NoiseRating.h"

#include "model/Interpolate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

const std::array<float, 9> NRLevel100 = {115.0f, 110.0f, 105.0f, 102.0f, 100.0f,
                                         97.98f, 95.93f, 94.93f, 94.93f};
const std::array<float, 9> NRSlope10 = {7.9f, 8.8f, 9.3f, 9.7f, 10.0f, 10.22f, 10.27f, 10.27f, 10.27f};

namespace {

/** Octave index (63 Hz = 0) of band i; band 0 belongs to octave 0. */
int OctaveOf(int band)
{
    return (band - 1) / 3;
}

/** log10 of a band's frequency, taken in double: a break point must fall exactly on its octave. */
double BandLog10(int band)
{
    return std::log10(static_cast<double>(BandFrequency[band]));
}

/** The curves depend on the band only, so they are worked out once. */
const std::array<std::array<double, 2>, kBandCount>& NoiseCurves()
{
    static const std::array<std::array<double, 2>, kBandCount> curves = [] {
        std::array<std::array<double, 2>, kBandCount> table{};
        for (int band = 0; band < kBandCount; ++band)
            table[band] = NoiseCurveAt(band);
        return table;
    }();
    return curves;
}

} // namespace

std::array<double, 2> NoiseCurveAt(int band)
{
    const int octave = OctaveOf(band);
    if (band % 3 == 1)
        return {NRLevel100[octave], NRSlope10[octave]};
    const int low = std::min(octave, static_cast<int>(NRLevel100.size()) - 2);
    const int high = low + 1;
    const double x = BandLog10(band);
    const double x0 = BandLog10(1 + 3 * low);
    const double x1 = BandLog10(1 + 3 * high);
    return {Interpolate(x, x0, x1, NRLevel100[low], NRLevel100[high]),
            Interpolate(x, x0, x1, NRSlope10[low], NRSlope10[high])};
}

double NoiseRatingCurveLevel(double nr, int band)
{
    if (band < 0 || band >= kBandCount)
        return std::numeric_limits<double>::quiet_NaN();
    const auto& [level100, slope10] = NoiseCurves()[band];
    return level100 + (nr - 100.0) * (0.1 * slope10);
}

NoiseRatingResult RateNoise(std::span<const float> levels, int bandStart, int bandStep)
{
    const auto& curves = NoiseCurves();
    NoiseRatingResult result;
    result.bandCount = std::min<int>(BandCount(bandStart, bandStep), static_cast<int>(levels.size()));
    for (int k = 0; k < result.bandCount; ++k) {
        NoiseRatingBand& entry = result.bands[k];
        entry.band = bandStart + k * bandStep;
        entry.level = levels[k];
        // A level that is not a number, or infinite, says nothing about the band's rating.
        if (!std::isfinite(entry.level)) {
            entry.rating = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        const auto& [level100, slope10] = curves[entry.band];
        entry.rating = 100.0 + (entry.level - level100) / (0.1 * slope10);
        if (entry.rating > result.NR) {
            result.NR = entry.rating;
            result.governingBand = entry.band;
        }
    }
    return result;
}

} // namespace velmora
