#include "model/AstmContour.h"

#include "model/Bands.h"
#include "model/ContourFit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace velmora {

namespace {

constexpr double kSumLimit = 32.0;
constexpr double kBandLimit = 8.0;

/**
 * Beyond this a level given as a double is a whole number of decibels for the rating's purposes,
 * and its tenths would no longer all be whole numbers in a double.
 */
constexpr double kLargestTenthsLevel = 1e14;

} // namespace

double AstmWholeDecibels(double level)
{
    if (!(std::fabs(level) < kLargestTenthsLevel))
        return level;
    // Whole tenths, held exactly in a double at this size, so that a half is exactly a half; done
    // in doubles since a 64-bit division takes several times as long as the rest of a band's work.
    const double tenths = std::round(level * 10.0);
    const double whole = std::floor(tenths / 10.0);
    const double rest = tenths - 10.0 * whole;
    const bool odd = whole != 2.0 * std::floor(whole / 2.0);
    return rest > 5.0 || (rest == 5.0 && odd) ? whole + 1.0 : whole;
}

double AstmWholeMove(double level, double target, bool rising)
{
    const double sign = rising ? 1.0 : -1.0;
    const double distance = sign * (target - AstmWholeDecibels(level));
    if (!(distance > 0.0))
        return 0.0;
    // Moving by whole dB keeps the tenths, but a half then rounds the other way when the whole
    // part's parity changes: one dB more always gets there.
    return sign * (AstmWholeDecibels(level + sign * distance) - target) >= 0.0 ? distance : distance + 1.0;
}

double AstmContourLevel(const std::array<double, kAstmBands>& shape, int firstBand, double at500, int band)
{
    if (band < firstBand || band >= firstBand + kAstmBands)
        return std::numeric_limits<double>::quiet_NaN();
    return at500 + shape[static_cast<std::size_t>(band - firstBand)];
}

AstmContourFit FitAstmContour(std::span<const float> levels, int bandStart, int bandStep, int firstBand,
                              const std::array<double, kAstmBands>& shape, AstmDeficientSide side)
{
    AstmContourFit fit;
    if (BandSetOf(bandStart, bandStep) != BandSet::Third)
        return fit;
    fit.sumLimit = kSumLimit;
    fit.bandLimit = kBandLimit;
    if (firstBand < 0 || static_cast<std::size_t>(firstBand) + kAstmBands > levels.size())
        return fit;

    // The search is written for data below the contour; an impact rating is the same with every
    // level and contour value negated, its better class then being the higher negated contour.
    const double sign = side == AstmDeficientSide::Below ? 1.0 : -1.0;
    std::array<double, kAstmBands> data{};
    std::array<double, kAstmBands> signedShape{};
    for (int j = 0; j < kAstmBands; ++j) {
        const float level = levels[static_cast<std::size_t>(firstBand + j)];
        if (!std::isfinite(level))
            return fit;
        data[j] = sign * AstmWholeDecibels(level);
        signedShape[j] = sign * shape[j];
    }
    const double position = HighestMeetingPosition(data, signedShape, kSumLimit, kBandLimit);

    // Adding 0 turns a -0 from the negation into 0, which prints without a sign.
    fit.contourAt500 = sign * position + 0.0;
    fit.deficiencySum = ShortfallSum(data, signedShape, position);
    fit.nextDeficiencySum = ShortfallSum(data, signedShape, position + 1.0);
    double largest = 0.0;
    int mostDeficient = -1;
    for (int j = 0; j < kAstmBands; ++j) {
        const double contour = position + signedShape[j];
        AstmBand& entry = fit.bands[j];
        entry.band = firstBand + j;
        entry.level = levels[static_cast<std::size_t>(entry.band)];
        entry.rounded = sign * data[j] + 0.0;
        entry.contour = sign * contour + 0.0;
        entry.deficiency = std::max(0.0, contour - data[j]);
        const double nextShortfall = contour + 1.0 - data[j] - kBandLimit;
        entry.nextShortfall =
            nextShortfall > 0.0 ? AstmWholeMove(entry.level, entry.rounded + sign * nextShortfall, sign > 0.0)
                                : 0.0;
        if (entry.nextShortfall > 0.0 && fit.nextRuleBand < 0)
            fit.nextRuleBand = entry.band;
        if (entry.deficiency > largest) {
            largest = entry.deficiency;
            mostDeficient = entry.band;
        }
    }
    fit.governingBand = fit.nextRuleBand >= 0 ? fit.nextRuleBand : mostDeficient;
    fit.bandCount = kAstmBands;
    return fit;
}

} // namespace velmora
