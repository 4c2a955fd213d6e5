#include "model/NoiseCriterion.h"

#include "entry/NumberText.h"
#include "model/Bands.h"
#include "model/PowerSum.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace velmora {

namespace {

/** The curves NC-15, NC-20, ..., NC-70 in dB at the octaves 63 Hz to 8000 Hz. */
constexpr std::array<std::array<double, kNoiseCriterionBands>, 12> kCurves = {{
    {47, 36, 28, 22, 18, 14, 12, 11},
    {50, 40, 33, 26, 22, 20, 17, 16},
    {54, 44, 37, 31, 27, 24, 22, 22},
    {57, 48, 41, 35, 32, 29, 28, 27},
    {60, 52, 45, 40, 36, 34, 33, 32},
    {64, 56, 50, 44, 41, 39, 38, 37},
    {67, 60, 54, 49, 46, 44, 43, 42},
    {71, 64, 58, 54, 51, 49, 48, 47},
    {74, 67, 62, 58, 56, 54, 53, 52},
    {77, 71, 66, 63, 60, 59, 58, 57},
    {80, 75, 71, 68, 65, 64, 63, 62},
    {84, 79, 75, 72, 71, 70, 68, 68},
}};
constexpr double kCurveStep = 5.0;
static_assert(kLowestNoiseCriterion + kCurveStep * (kCurves.size() - 1) == kHighestNoiseCriterion);

/** The octaves whose mean is the speech interference level: 500 Hz to 4000 Hz. */
constexpr int kFirstSpeechOctave = 3;
constexpr int kSpeechOctaves = 4;

/** The NC curve a level lies on in octave o; NaN outside the family. */
double CurveOf(double level, std::size_t o)
{
    if (!(level >= kCurves.front()[o] && level <= kCurves.back()[o]))
        return std::numeric_limits<double>::quiet_NaN();
    std::size_t below = 0;
    while (below + 1 < kCurves.size() && kCurves[below + 1][o] <= level)
        ++below;
    const double curve = kLowestNoiseCriterion + kCurveStep * static_cast<double>(below);
    if (below + 1 == kCurves.size())
        return curve;
    const double low = kCurves[below][o];
    return curve + kCurveStep * (level - low) / (kCurves[below + 1][o] - low);
}

/** Octave o's level from the levels of the band set; NaN when the set, or the span, lacks it. */
double OctaveLevel(std::span<const float> levels, BandSet set, std::size_t o)
{
    const std::size_t bands = set == BandSet::Third ? 3 : 1;
    if (set == BandSet::Unknown || (o + 1) * bands > levels.size())
        return std::numeric_limits<double>::quiet_NaN();
    // LevelSum gives NaN for a level that is not finite; an octave taken as it is must too.
    if (bands == 1)
        return std::isfinite(levels[o]) ? levels[o] : std::numeric_limits<double>::quiet_NaN();
    return LevelSum(levels.subspan(o * bands, bands));
}

} // namespace

double NoiseCriterionCurveLevel(double nc, int band)
{
    const int o = (band - kOctaveBandStart) / kOctaveBandStep;
    if (band < kOctaveBandStart || (band - kOctaveBandStart) % kOctaveBandStep != 0 ||
        o >= kNoiseCriterionBands || !(nc >= kLowestNoiseCriterion && nc <= kHighestNoiseCriterion))
        return std::numeric_limits<double>::quiet_NaN();
    // The curve below nc, and the next one up (NC-70 itself lies on the last pair's upper end).
    const auto below =
        std::min(static_cast<std::size_t>((nc - kLowestNoiseCriterion) / kCurveStep), kCurves.size() - 2);
    const double low = kCurves[below][static_cast<std::size_t>(o)];
    const double high = kCurves[below + 1][static_cast<std::size_t>(o)];
    const double fraction =
        (nc - kLowestNoiseCriterion - kCurveStep * static_cast<double>(below)) / kCurveStep;
    return low + fraction * (high - low);
}

NoiseCriterionRating RateNoiseCriterion(std::span<const float> levels, int bandStart, int bandStep)
{
    NoiseCriterionRating rating;
    const BandSet set = BandSetOf(bandStart, bandStep);
    std::array<double, kNoiseCriterionBands> octave{};
    bool finite = true;
    for (std::size_t o = 0; o < octave.size(); ++o) {
        octave[o] = OctaveLevel(levels, set, o);
        finite = finite && std::isfinite(octave[o]);
    }
    double speech = 0.0;
    for (int o = kFirstSpeechOctave; o < kFirstSpeechOctave + kSpeechOctaves; ++o)
        speech += octave[o];
    rating.SIL = speech / kSpeechOctaves;
    if (!finite)
        return rating;

    double highest = -std::numeric_limits<double>::infinity();
    double furthestAbove = 0.0;
    for (std::size_t o = 0; o < octave.size(); ++o) {
        NoiseCriterionBand& entry = rating.bands[o];
        entry.band = kOctaveBandStart + static_cast<int>(o) * kOctaveBandStep;
        entry.level = octave[o];
        entry.nc = CurveOf(entry.level, o);
        entry.aboveTop = entry.level - kCurves.back()[o];
        if (entry.aboveTop > furthestAbove) {
            furthestAbove = entry.aboveTop;
            rating.governingBand = entry.band;
            rating.state = NoiseCriterionState::AboveFamily;
        }
        if (rating.state != NoiseCriterionState::AboveFamily && entry.nc > highest) {
            highest = entry.nc;
            rating.governingBand = entry.band;
            rating.state = NoiseCriterionState::Rated;
        }
    }
    rating.bandCount = kNoiseCriterionBands;
    if (rating.state == NoiseCriterionState::Rated)
        rating.NC = highest;
    else if (rating.state == NoiseCriterionState::NotRated)
        rating.state = NoiseCriterionState::BelowFamily;
    return rating;
}

std::string NoiseCriterionText(const NoiseCriterionRating& rating)
{
    switch (rating.state) {
    case NoiseCriterionState::Rated:
        return "NC " + FixedText(rating.NC, 1);
    case NoiseCriterionState::AboveFamily:
        return ">NC-70";
    case NoiseCriterionState::BelowFamily:
        return "<NC-15";
    case NoiseCriterionState::NotRated:
        break;
    }
    return "-";
}

} // namespace velmora
