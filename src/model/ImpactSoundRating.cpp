#include "model/ImpactSoundRating.h"

#include "model/Bands.h"
#include "model/ContourFit.h"
#include "model/PowerSum.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace velmora {

namespace {

constexpr std::array<double, 16> kThirdReference = {62, 62, 62, 62, 62, 62, 61, 60,
                                                    59, 58, 57, 54, 51, 48, 45, 42};
constexpr std::array<double, 5> kOctaveReference = {67, 67, 65, 62, 49};

/** CI = Ln,sum - kSumOffset - Ln,w. */
constexpr double kSumOffset = 15.0;

/** A band set the rating knows: which of its slots are rated, and against what. */
struct RatedSet {
    /** Slot of the lowest rated band; the others follow slot by slot. */
    std::size_t firstSlot;
    double limit;
    std::span<const double> reference;
    /** Index of 500 Hz among the rated bands, and what Ln,w adds to the curve's value there. */
    std::size_t ratingIndex;
    double ratingOffset;
    /** Slots [sumFirst, sumEnd) hold the bands of Ln,sum for CI; [0, sumEnd) those for CI,50-2500. */
    std::size_t sumFirst;
    std::size_t sumEnd;
};

constexpr RatedSet kThirdSet = {3, 32.0, kThirdReference, 7, 0.0, 3, 18};
constexpr RatedSet kOctaveSet = {1, 10.0, kOctaveReference, 2, -5.0, 1, 6};

/** The rated set of a band set; null for one the rating does not know. */
const RatedSet* RatedSetOf(int bandStart, int bandStep)
{
    switch (BandSetOf(bandStart, bandStep)) {
    case BandSet::Third:
        return &kThirdSet;
    case BandSet::Octave:
        return &kOctaveSet;
    case BandSet::Unknown:
        break;
    }
    return nullptr;
}

} // namespace

ImpactSoundRating RateImpactSound(std::span<const float> levels, int bandStart, int bandStep)
{
    ImpactSoundRating rating;
    const RatedSet* set = RatedSetOf(bandStart, bandStep);
    if (!set)
        return rating;
    rating.limit = set->limit;
    const std::size_t count = set->reference.size();
    if (set->firstSlot + count > levels.size())
        return rating;

    // The search is written for data below a curve: with levels and curve negated, the lowest
    // curve over the levels is the highest negated one under them.
    std::array<double, 16> data{};
    std::array<double, 16> shape{};
    for (std::size_t j = 0; j < count; ++j) {
        const float level = levels[set->firstSlot + j];
        if (!std::isfinite(level))
            return rating;
        data[j] = -static_cast<double>(level);
        shape[j] = -set->reference[j];
    }
    const std::span<const double> negatedData(data.data(), count);
    const std::span<const double> negatedShape(shape.data(), count);
    const double position = HighestMeetingPosition(negatedData, negatedShape, set->limit,
                                                   std::numeric_limits<double>::infinity());
    // Adding 0 turns a -0 from the negation into 0, which prints without a sign.
    const double shift = -position + 0.0;

    rating.Lnw = set->reference[set->ratingIndex] + shift + set->ratingOffset;
    rating.deviationSum = ShortfallSum(negatedData, negatedShape, position);
    rating.nextClassExcess = ShortfallSum(negatedData, negatedShape, position + 1.0) - set->limit;
    double largest = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        ImpactBand& entry = rating.bands[j];
        entry.band = bandStart + static_cast<int>(set->firstSlot + j) * bandStep;
        entry.level = levels[set->firstSlot + j];
        entry.reference = set->reference[j] + shift;
        entry.deviation = std::max(0.0, entry.level - entry.reference);
        if (entry.deviation > largest) {
            largest = entry.deviation;
            rating.governingBand = entry.band;
        }
    }
    rating.bandCount = static_cast<int>(count);

    // Ln,sum is rounded to whole dB (halves away from zero) before CI is taken from it.
    const std::span<const float> toSumEnd = levels.first(set->sumEnd);
    const double sum = LevelSum(toSumEnd.subspan(set->sumFirst));
    rating.CI = std::round(sum) - kSumOffset - rating.Lnw + 0.0;
    if (set == &kThirdSet) {
        // The bands below 100 Hz added to the sum already taken, rather than all summed again.
        std::array<double, 4> exponents = {sum / 10.0};
        for (std::size_t k = 0; k < set->sumFirst; ++k)
            exponents[k + 1] =
                std::isfinite(levels[k]) ? levels[k] / 10.0 : std::numeric_limits<double>::quiet_NaN();
        rating.CI50_2500 = std::round(10.0 * Log10OfExp10Sum(exponents)) - kSumOffset - rating.Lnw + 0.0;
    }
    return rating;
}

double ImpactReferenceLevel(double lnw, int band, int bandStart, int bandStep)
{
    const RatedSet* set = RatedSetOf(bandStart, bandStep);
    if (!set || band < bandStart || (band - bandStart) % bandStep != 0)
        return std::numeric_limits<double>::quiet_NaN();
    const auto slot = static_cast<std::size_t>((band - bandStart) / bandStep);
    if (slot < set->firstSlot || slot - set->firstSlot >= set->reference.size())
        return std::numeric_limits<double>::quiet_NaN();
    return set->reference[slot - set->firstSlot] +
           (lnw - set->ratingOffset - set->reference[set->ratingIndex]);
}

} // namespace velmora
