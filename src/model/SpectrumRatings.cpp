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
    result.enlarged = RateEnlargedAdaptationTerms(levels, bandStart, bandStep, result.reduction.Rw);
    result.astm = RateAstmTransmissionClass(levels, bandStart, bandStep);
    result.impact = RateImpactSound(levels, bandStart, bandStep);
    result.iic = RateImpactInsulationClass(levels, bandStart, bandStep);
    result.nc = RateNoiseCriterion(levels, bandStart, bandStep);

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
        entry.astmDeficiency = entry.iicDeficiency = entry.impactDeviation = entry.noiseCriterion = kNotRated;
    }
    // Each rating's own bands, laid out on the slots of the set they belong to.
    const auto place = [&](const auto& bands, int bandCount, auto store) {
        for (int j = 0; j < bandCount; ++j) {
            const int k = SlotOf(bands[j].band, bandStart, bandStep, result.bandCount);
            if (k >= 0)
                store(result.bands[k], bands[j]);
        }
    };
    place(result.transmission.bands, result.transmission.bandCount,
          [](BandBreakdown& entry, const StcBand& rated) {
              entry.stcContour = rated.contour;
              entry.stcDeficiency = rated.deficiency;
              entry.stcNextRise = rated.nextRise;
          });
    place(result.reduction.bands, result.reduction.bandCount,
          [](BandBreakdown& entry, const ReductionBand& rated) {
              entry.rwReference = rated.reference;
              entry.rwDeviation = rated.deviation;
          });
    place(result.astm.bands, result.astm.bandCount,
          [](BandBreakdown& entry, const AstmBand& rated) { entry.astmDeficiency = rated.deficiency; });
    place(result.iic.bands, result.iic.bandCount,
          [](BandBreakdown& entry, const AstmBand& rated) { entry.iicDeficiency = rated.deficiency; });
    place(result.impact.bands, result.impact.bandCount,
          [](BandBreakdown& entry, const ImpactBand& rated) { entry.impactDeviation = rated.deviation; });
    place(result.nc.bands, result.nc.bandCount,
          [](BandBreakdown& entry, const NoiseCriterionBand& rated) { entry.noiseCriterion = rated.nc; });
    return result;
}

} // namespace velmora
