#include "model/TransmissionClass.h"

#include "model/Interpolate.h"
#include "model/LimitTolerance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

/** Break points of the reference contour: frequency in Hz and level relative to the rating. */
constexpr std::array<double, 4> kBreakFrequency = {125.0, 400.0, 1250.0, 5000.0};
constexpr std::array<double, 4> kBreakOffset = {-20.0, -5.0, 0.0, 0.0};

/** The rating compares the bands from 125 Hz (band 4) up to, not including, band 21 (6300 Hz). */
constexpr int kFirstRatedBand = 4;
constexpr int kEndRatedBand = 21;

const std::array<double, 4>& BreakLog10()
{
    static const std::array<double, 4> logs = [] {
        std::array<double, 4> table{};
        std::transform(kBreakFrequency.begin(), kBreakFrequency.end(), table.begin(),
                       [](double f) { return std::log10(f); });
        return table;
    }();
    return logs;
}

/**
 * log10 of each band's frequency in double: a band on a break point then lies exactly on it, so
 * that its contour value is exact and a deficiency of exactly 8 dB is not taken for more.
 */
const std::array<double, kBandCount>& BandLog10()
{
    static const std::array<double, kBandCount> logs = [] {
        std::array<double, kBandCount> table{};
        for (int band = 0; band < kBandCount; ++band)
            table[band] = std::log10(static_cast<double>(BandFrequency[band]));
        return table;
    }();
    return logs;
}

/** Contour level for rating s at frequency f whose log10 is logF. */
double ContourLevel(double s, double frequencyHz, double logF)
{
    // Later tests win, so a frequency on a break point takes the segment above it.
    int segment = 0;
    if (frequencyHz > 399.0)
        segment = 1;
    if (frequencyHz > 1249.0)
        segment = 2;
    const auto& logs = BreakLog10();
    return Interpolate(logF, logs[segment], logs[segment + 1], s + kBreakOffset[segment],
                       s + kBreakOffset[segment + 1]);
}

/** The compared bands of a spectrum with finite levels, and the two limits of its band set. */
struct RatedBands {
    std::array<int, kMaxStcBands> band{};
    std::array<double, kMaxStcBands> level{};
    int count = 0;
    double bandLimit = 0.0;
    double sumLimit = 0.0;

    double Contour(int j, double s) const
    {
        const int i = band[j];
        return ContourLevel(s, BandFrequency[i], BandLog10()[i]);
    }

    /**
     * True when the spectrum meets the contour of rating s. A deficiency or a total within
     * kLimitTolerance of its limit is at the limit: the band still passes, the total no longer does.
     */
    bool Meets(double s) const
    {
        double total = 0.0;
        for (int j = 0; j < count; ++j) {
            const double deficiency = Contour(j, s) - level[j];
            // One band this far below the contour adds 32 dB to the total, more than the whole
            // allowance in either band set, so the rating fails at once.
            if (BreaksBandLimit(deficiency))
                return false;
            if (deficiency > 0.0)
                total += deficiency;
        }
        return total < sumLimit - kLimitTolerance;
    }

    bool BreaksBandLimit(double deficiency) const { return deficiency > bandLimit + kLimitTolerance; }

    /**
     * Highest rating any band still allows: above it some band lies more than the per-band limit
     * below the contour. +inf when no band is rated.
     */
    double HighestAllowed() const
    {
        double bound = std::numeric_limits<double>::infinity();
        for (int j = 0; j < count; ++j)
            bound = std::min(bound, level[j] - Contour(j, 0.0) + bandLimit + kLimitTolerance);
        return bound;
    }
};

/** What a search that finds no passing rating ends at. */
constexpr double kNoRating = -1.0;

/** Highest finite level of the set, 0 when there is none. */
double HighestLevel(std::span<const float> levels)
{
    double highest = -std::numeric_limits<double>::infinity();
    for (float level : levels) {
        if (std::isfinite(level))
            highest = std::max<double>(highest, level);
    }
    return std::isfinite(highest) ? highest : 0.0;
}

/** The highest passing rating, as the plain search from the top finds it. */
double SearchRating(const RatedBands& rated, double highestLevel)
{
    // The search runs down from 10 dB above the highest level to 0; one that starts below 0 finds
    // no rating, as one that fails at every step does.
    double rating = std::trunc(highestLevel) + 10.0;
    if (rating < 0.0)
        return kNoRating;
    // Every rating above the allowed one fails, so start no higher than one above it; a spectrum
    // far above or below the contour would otherwise take one pass per dB. Starting at -1 keeps
    // the result of a search that finds no rating.
    rating = std::max(std::min(rating, std::floor(rated.HighestAllowed()) + 1.0), kNoRating);
    while (rating >= 0.0 && !rated.Meets(rating)) {
        // Beyond 2^53 whole numbers are no longer 1 apart: stop rather than loop in place.
        const double next = rating - 1.0;
        if (next == rating)
            break;
        rating = next;
    }
    return rating;
}

} // namespace

double StcContourLevel(double s, double frequencyHz)
{
    return ContourLevel(s, frequencyHz, SafeLog10(frequencyHz));
}

TransmissionClassRating RateTransmissionClass(std::span<const float> levels, int bandStart, int bandStep)
{
    const int bands = std::min<int>(BandCount(bandStart, bandStep), static_cast<int>(levels.size()));
    const std::span<const float> set = levels.first(static_cast<std::size_t>(std::max(bands, 0)));

    TransmissionClassRating result;
    RatedBands rated;
    rated.bandLimit = result.bandLimit = 8.0 / std::max(bandStep, 1);
    rated.sumLimit = result.sumLimit = 32.0 / std::max(bandStep, 1);
    for (int k = 0; k < bands; ++k) {
        const int band = bandStart + k * bandStep;
        if (band < kFirstRatedBand || band >= kEndRatedBand)
            continue;
        StcBand& entry = result.bands[result.bandCount++];
        entry.band = band;
        entry.level = set[k];
        if (std::isfinite(entry.level)) {
            rated.band[rated.count] = band;
            rated.level[rated.count] = entry.level;
            ++rated.count;
        }
    }

    result.STC = SearchRating(rated, HighestLevel(set));
    const double next = result.STC + 1.0;
    for (int j = 0; j < result.bandCount; ++j) {
        StcBand& entry = result.bands[j];
        const double logF = BandLog10()[entry.band];
        entry.contour = ContourLevel(result.STC, BandFrequency[entry.band], logF);
        if (!std::isfinite(entry.level)) {
            entry.deficiency = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        entry.deficiency = std::max(0.0, entry.contour - entry.level);
        result.deficiencySum += entry.deficiency;
        const double nextDeficiency = ContourLevel(next, BandFrequency[entry.band], logF) - entry.level;
        result.nextDeficiencySum += std::max(0.0, nextDeficiency);
        entry.nextRise = rated.BreaksBandLimit(nextDeficiency) ? nextDeficiency - result.bandLimit : 0.0;
        if (entry.nextRise > 0.0 && result.nextRuleBand < 0)
            result.nextRuleBand = entry.band;
    }
    return result;
}

} // namespace velmora
