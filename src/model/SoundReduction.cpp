#include "model/SoundReduction.h"

#include "model/Bands.h"
#include "model/LimitTolerance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace velmora {

namespace {

/** The band at 500 Hz, where the moved reference curve is read as Rw. */
constexpr int kRatingBand = 10;
static_assert(BandFrequency[kRatingBand] == 500.0f);

/** ln(10) / 10: turns a level in dB into the exponent of its energy. */
constexpr double kDecibelToExponent = 0.23025850929940457;

/** Reference curve, C and Ctr spectra of ISO 717-1 in dB, one value per rated band. */
constexpr std::array<double, 16> kThirdReference = {33, 36, 39, 42, 45, 48, 51, 52,
                                                    53, 54, 55, 56, 56, 56, 56, 56};
constexpr std::array<double, 16> kThirdC = {-29, -26, -23, -21, -19, -17, -15, -13,
                                            -12, -11, -10, -9,  -9,  -9,  -9,  -9};
constexpr std::array<double, 16> kThirdCtr = {-20, -20, -18, -16, -15, -14, -13, -12,
                                              -11, -9,  -8,  -9,  -10, -11, -13, -15};
constexpr std::array<double, 5> kOctaveReference = {36, 45, 52, 55, 56};
constexpr std::array<double, 5> kOctaveC = {-21, -14, -8, -5, -4};
constexpr std::array<double, 5> kOctaveCtr = {-14, -10, -7, -4, -6};

/** A band set the rating knows: which of its bands are rated, and against what. */
struct RatedSet {
    int bandStart;
    int bandStep;
    /** Band index of the lowest rated band; the others follow every bandStep. */
    int firstBand;
    /** dB the unfavourable deviations may sum to. */
    int limit;
    std::span<const double> reference;
    std::span<const double> c;
    std::span<const double> ctr;
};

constexpr std::array<RatedSet, 2> kRatedSets = {{
    {kThirdBandStart, kThirdBandStep, 3, 32, kThirdReference, kThirdC, kThirdCtr},
    {kOctaveBandStart, kOctaveBandStep, 4, 10, kOctaveReference, kOctaveC, kOctaveCtr},
}};

constexpr std::size_t kMostRatedBands = SoundReductionRating{}.bands.size();
static_assert(kThirdReference.size() <= kMostRatedBands && kOctaveReference.size() <= kMostRatedBands);

/**
 * Sum of the unfavourable deviations with the curve k dB above its base position, where band j
 * lies gap[j] dB above the curve.
 */
double DeviationSum(std::span<const double> gap, double k)
{
    double sum = 0.0;
    for (double g : gap) {
        // (d + |d|) / 2 is max(0, d) exactly, without a branch that real spectra mispredict.
        const double d = k - g;
        sum += (d + std::fabs(d)) * 0.5;
    }
    return sum;
}

/** The energy weights 10^(x / 10) of a set's C and Ctr spectra. */
struct AdaptationWeights {
    std::array<double, kMostRatedBands> c{};
    std::array<double, kMostRatedBands> ctr{};
};

const AdaptationWeights& WeightsOf(const RatedSet& set)
{
    static const std::array<AdaptationWeights, kRatedSets.size()> weights = [] {
        std::array<AdaptationWeights, kRatedSets.size()> table{};
        for (std::size_t s = 0; s < kRatedSets.size(); ++s) {
            for (std::size_t j = 0; j < kRatedSets[s].c.size(); ++j) {
                table[s].c[j] = std::pow(10.0, kRatedSets[s].c[j] / 10.0);
                table[s].ctr[j] = std::pow(10.0, kRatedSets[s].ctr[j] / 10.0);
            }
        }
        return table;
    }();
    return weights[static_cast<std::size_t>(&set - kRatedSets.data())];
}

/** The rated set of a band set; null for one the rating does not know. */
const RatedSet* RatedSetOf(int bandStart, int bandStep)
{
    const auto set = std::find_if(kRatedSets.begin(), kRatedSets.end(), [&](const RatedSet& s) {
        return s.bandStart == bandStart && s.bandStep == bandStep;
    });
    return set == kRatedSets.end() ? nullptr : &*set;
}

/** Index among the rated bands of the set's band at 500 Hz, where the moved curve is read as Rw. */
std::size_t RatingIndex(const RatedSet& set)
{
    return static_cast<std::size_t>((kRatingBand - set.firstBand) / set.bandStep);
}

/** -10 lg of an energy sum, rounded to whole dB; adding 0 turns a -0 into 0, which prints without a sign. */
double RoundedDecibels(double energy)
{
    return std::round(-10.0 * std::log10(energy)) + 0.0;
}

} // namespace

SoundReductionRating RateSoundReduction(std::span<const float> levels, int bandStart, int bandStep)
{
    SoundReductionRating rating;
    const RatedSet* set = RatedSetOf(bandStart, bandStep);
    if (!set)
        return rating;
    rating.limit = set->limit;

    // How far each band lies above the unmoved curve, and the least of these.
    const std::size_t count = set->reference.size();
    const auto firstSlot = static_cast<std::size_t>((set->firstBand - bandStart) / bandStep);
    if (firstSlot + count > levels.size())
        return rating;
    std::array<double, kMostRatedBands> gap{};
    double lowest = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < count; ++j) {
        if (!std::isfinite(levels[firstSlot + j]))
            return rating;
        gap[j] = levels[firstSlot + j] - set->reference[j];
        lowest = std::min(lowest, gap[j]);
    }

    // Moved to base, the curve lies nowhere above the spectrum and the sum is 0. Each further dB
    // adds at least 1 dB at the band lying lowest (less than 1 dB above the curve there), so at
    // limit + 2 dB the sum is over the limit even with the tolerance. The sum never falls as the
    // curve rises, so halving that window finds the last offset that passes in a few trials.
    // Searching the offset from base keeps every trial in small numbers: exact for ordinary
    // levels, and never stalled by huge ones, where 1 dB more would change nothing.
    const double base = std::floor(lowest);
    for (std::size_t j = 0; j < count; ++j)
        gap[j] -= base;
    const std::span<const double> gaps(gap.data(), count);
    const double limit = set->limit;
    int offset = 0;
    int failing = set->limit + 2;
    while (failing - offset > 1) {
        const int middle = offset + (failing - offset) / 2;
        if (DeviationSum(gaps, middle) <= limit + kLimitTolerance)
            offset = middle;
        else
            failing = middle;
    }

    const double ratingReference = set->reference[RatingIndex(*set)];
    const double shift = base + offset;
    rating.Rw = ratingReference + shift;
    // C and Ctr are X - Rw with X = -10 lg sum 10^((L - R) / 10). Rw goes into every term rather
    // than being subtracted from X, since for huge levels X and Rw agree only to their rounding,
    // far coarser than a dB. Taken so, no band lies more than about 55 dB below Rw and the lowest
    // lying one at most 5 dB above it, so the sum neither overflows nor vanishes however high the
    // levels; a band far above the rest only adds 0.
    const AdaptationWeights& weights = WeightsOf(*set);
    double cEnergy = 0.0;
    double ctrEnergy = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        const int band = set->firstBand + static_cast<int>(j) * bandStep;
        const double deviation = std::max(0.0, offset - gap[j]);
        rating.bands[j] = {band, levels[firstSlot + j], set->reference[j] + shift, deviation};
        const double aboveRw = gap[j] - offset + (set->reference[j] - ratingReference);
        const double energy = std::exp(-aboveRw * kDecibelToExponent);
        cEnergy += weights.c[j] * energy;
        ctrEnergy += weights.ctr[j] * energy;
    }
    rating.bandCount = static_cast<int>(count);
    rating.deviationSum = DeviationSum(gaps, offset);
    rating.nextClassExcess = DeviationSum(gaps, offset + 1.0) - limit;
    rating.C = RoundedDecibels(cEnergy);
    rating.Ctr = RoundedDecibels(ctrEnergy);
    return rating;
}

double SoundReductionReferenceLevel(double rw, int band, int bandStart, int bandStep)
{
    const RatedSet* set = RatedSetOf(bandStart, bandStep);
    if (!set || band < set->firstBand || (band - set->firstBand) % bandStep != 0)
        return std::numeric_limits<double>::quiet_NaN();
    const auto j = static_cast<std::size_t>((band - set->firstBand) / bandStep);
    if (j >= set->reference.size())
        return std::numeric_limits<double>::quiet_NaN();
    return set->reference[j] + (rw - set->reference[RatingIndex(*set)]);
}

} // namespace velmora
