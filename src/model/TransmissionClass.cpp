#include "model/Ratings.h"

#include "model/Interpolate.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

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

const std::array<double, kBandCount>& BandLog10()
{
    static const std::array<double, kBandCount> logs = [] {
        std::array<double, kBandCount> table{};
        for (int band = 0; band < kBandCount; ++band)
            table[band] = std::log10(BandFrequency[band]);
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

/** Calls visit(frequency, log10 frequency, level) for every rated band with a finite level. */
template <typename Visit> bool ForEachRatedBand(const TSpectrumModel& model, Visit visit)
{
    const auto& logs = BandLog10();
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        const int band = BandIndexOfSlot(model, k);
        const double level = model.Nodes.Node[k].Y;
        if (band < kFirstRatedBand || band >= kEndRatedBand || !std::isfinite(level))
            continue;
        if (!visit(BandFrequency[band], logs[band], level))
            return false;
    }
    return true;
}

/** True when the spectrum meets the contour of rating s. */
bool MeetsContour(const TSpectrumModel& model, double s)
{
    const double bandLimit = 8.0 / model.BandStep;
    double total = 0.0;
    const bool withinLimit = ForEachRatedBand(model, [&](double f, double logF, double level) {
        const double deficiency = ContourLevel(s, f, logF) - level;
        // One band this far below the contour adds 32 dB to the total, more than the whole
        // allowance in either band set, so the rating fails at once.
        if (deficiency > bandLimit)
            return false;
        if (deficiency > 0.0)
            total += deficiency;
        return true;
    });
    return withinLimit && total < 32.0 / model.BandStep;
}

/**
 * Highest rating any band still allows: above it some band lies more than the per-band limit
 * below the contour. +inf when no band is rated.
 */
double HighestAllowedRating(const TSpectrumModel& model)
{
    const double bandLimit = 8.0 / model.BandStep;
    double bound = std::numeric_limits<double>::infinity();
    ForEachRatedBand(model, [&](double f, double logF, double level) {
        bound = std::min(bound, level - ContourLevel(0.0, f, logF) + bandLimit);
        return true;
    });
    return bound;
}

/** Highest finite level of the set, 0 when there is none. */
double HighestLevel(const TSpectrumModel& model)
{
    double highest = -std::numeric_limits<double>::infinity();
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        const double level = model.Nodes.Node[k].Y;
        if (std::isfinite(level))
            highest = std::max(highest, level);
    }
    return std::isfinite(highest) ? highest : 0.0;
}

} // namespace

double StcContourLevel(double s, double frequencyHz)
{
    return ContourLevel(s, frequencyHz, SafeLog10(frequencyHz));
}

void CalcSTC(TSpectrumModel& model)
{
    // The search runs down from 10 dB above the highest level; a start below 0 is the result.
    double rating = std::trunc(HighestLevel(model)) + 10.0;
    if (rating >= 0.0) {
        // Every rating above the allowed one fails, so start no higher than one above it; a
        // spectrum far above or below the contour would otherwise take one pass per dB.
        // Starting at -1 keeps the result of a search that finds no rating.
        rating = std::max(std::min(rating, std::floor(HighestAllowedRating(model)) + 1.0), -1.0);
        while (rating >= 0.0 && !MeetsContour(model, rating)) {
            // Beyond 2^53 whole numbers are no longer 1 apart: stop rather than loop in place.
            const double next = rating - 1.0;
            if (next == rating)
                break;
            rating = next;
        }
    }
    model.STC = ToStoredLevel(rating);
}

} // namespace velmora
