#include "model/SpectrumRatings.h"

#include "model/Weighting.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

constexpr double kNotRated = std::numeric_limits<double>::quiet_NaN();

/** Slot of band index band in the set, or -1 when the set has no such band. */
int SlotOf(int band, int bandStart, int bandStep, int bandCount)
{
    if (bandStep < 1 || band < bandStart || (band - bandStart) % bandStep != 0)
        return -1;
    const int slot = (band - bandStart) / bandStep;
    return slot < bandCount ? slot : -1;
}

} // namespace

SpectrumRatings RateSpectrum(std::span<const float> levels, int bandStart, int bandStep)
{
    SpectrumRatings result;
    for (int w = WeightA; w <= WeightD; ++w)
        result.weighted[w] = WeightedLevel(levels, bandStart, bandStep, w);
    result.noise = RateNoise(levels, bandStart, bandStep);
    result.transmission = RateTransmissionClass(levels, bandStart, bandStep);
    result.reduction = RateSoundReduction(levels, bandStart, bandStep);

    const int count = std::min<int>(BandCount(bandStart, bandStep), static_cast<int>(levels.size()));
    result.bandCount = std::max(count, 0);
    for (int k = 0; k < result.bandCount; ++k) {
        BandBreakdown& entry = result.bands[k];
        entry.band = bandStart + k * bandStep;
        entry.level = levels[k];
        for (int w = WeightA; w <= WeightD; ++w)
            entry.weighted[w] = WeightedBandLevel(entry.level, entry.band, w);
        entry.noiseRating = k < result.noise.bandCount ? result.noise.bands[k].rating : kNotRated;
        entry.stcContour = entry.stcDeficiency = entry.stcNextRise = kNotRated;
        entry.rwReference = entry.rwDeviation = kNotRated;
    }
    for (int j = 0; j < result.transmission.bandCount; ++j) {
        const StcBand& rated = result.transmission.bands[j];
        const int k = SlotOf(rated.band, bandStart, bandStep, result.bandCount);
        if (k < 0)
            continue;
        result.bands[k].stcContour = rated.contour;
        result.bands[k].stcDeficiency = rated.deficiency;
        result.bands[k].stcNextRise = rated.nextRise;
    }
    for (int j = 0; j < result.reduction.bandCount; ++j) {
        const ReductionBand& rated = result.reduction.bands[j];
        const int k = SlotOf(rated.band, bandStart, bandStep, result.bandCount);
        if (k < 0)
            continue;
        result.bands[k].rwReference = rated.reference;
        result.bands[k].rwDeviation = rated.deviation;
    }
    return result;
}

} // namespace velmora
