#include "model/NoiseCriterion.h"

#include "model/ModelTestSupport.h"
#include "support/Tolerance.h"

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

using test::Near;
using test::RandomTenths;
using test::TenthsSpectrum;

const double kCurves[12][8] = {
    {47, 36, 28, 22, 18, 14, 12, 11}, {50, 40, 33, 26, 22, 20, 17, 16}, {54, 44, 37, 31, 27, 24, 22, 22},
    {57, 48, 41, 35, 32, 29, 28, 27}, {60, 52, 45, 40, 36, 34, 33, 32}, {64, 56, 50, 44, 41, 39, 38, 37},
    {67, 60, 54, 49, 46, 44, 43, 42}, {71, 64, 58, 54, 51, 49, 48, 47}, {74, 67, 62, 58, 56, 54, 53, 52},
    {77, 71, 66, 63, 60, 59, 58, 57}, {80, 75, 71, 68, 65, 64, 63, 62}, {84, 79, 75, 72, 71, 70, 68, 68},
};

/** The level of the (interpolated) curve NC-nc in octave o. */
double CurveLevel(double nc, int o)
{
    const int i = std::min(10, static_cast<int>((nc - 15) / 5));
    const double f = (nc - 15 - 5 * i) / 5;
    return kCurves[i][o] + f * (kCurves[i + 1][o] - kCurves[i][o]);
}

/** The NC a level lies on, found by halving the NC range rather than by reading the table. */
double PlainBandNc(double level, int o)
{
    if (level < kCurves[0][o] || level > kCurves[11][o])
        return NAN;
    double low = 15, high = 70;
    for (int step = 0; step < 80; ++step)
        (CurveLevel((low + high) / 2, o) < level ? low : high) = (low + high) / 2;
    return high;
}

TEST(NoiseCriterionTest, OctaveSpectra)
{
    // Octaves 63 Hz to 8000 Hz (16 kHz ignored); -1 for "every band on NC-35", -2 for "on NC-70".
    struct Case {
        const char* what;
        std::vector<float> levels;
        NoiseCriterionState state;
        double nc;
        int governingBand;
        const char* text;
    };
    const auto on = [](int row) {
        std::vector<float> levels(9, 0.0f);
        for (int o = 0; o < 8; ++o)
            levels[o] = static_cast<float>(kCurves[row][o]);
        return levels;
    };
    std::vector<float> above = on(11);
    above[6] += 0.1f; // 4000 Hz
    std::vector<float> twoAbove = above;
    twoAbove[1] += 3.0f; // 125 Hz, further above
    std::vector<float> fifteen(9, 0.0f);
    fifteen[7] = 11; // 8000 Hz on NC-15
    const std::vector<float> fiftyAt500 = {0, 0, 0, 50, 0, 0, 0, 0, 0};
    using enum NoiseCriterionState;
    const Case cases[] = {
        {"50 dB at 500 Hz, a fifth of the way from NC-45 to NC-50", fiftyAt500, Rated, 46.0, 10, "NC 46.0"},
        {"every band on NC-35: the lowest governs", on(4), Rated, 35, 1, "NC 35.0"},
        {"every band on NC-70 is in the family", on(11), Rated, 70, 1, "NC 70.0"},
        {"4000 Hz 0.1 dB above NC-70", above, AboveFamily, NAN, 19, ">NC-70"},
        {"125 Hz further above than 4000 Hz", twoAbove, AboveFamily, NAN, 4, ">NC-70"},
        {"every band below NC-15", std::vector<float>(9, 10.0f), BelowFamily, NAN, -1, "<NC-15"},
        {"one band on NC-15", fifteen, Rated, 15, 22, "NC 15.0"},
        {"a NaN band", {0, 0, 0, 50, NAN, 0, 0, 0, 0}, NotRated, NAN, -1, "-"},
        {"16 kHz is not used", {0, 0, 0, 50, 0, 0, 0, 0, NAN}, Rated, 46.0, 10, "NC 46.0"},
    };
    for (const Case& c : cases) {
        const NoiseCriterionRating r = RateNoiseCriterion(c.levels, 1, 3);
        EXPECT_EQ(r.state, c.state) << c.what;
        EXPECT_EQ(std::isnan(r.NC), std::isnan(c.nc)) << c.what;
        if (!std::isnan(c.nc)) {
            EXPECT_TRUE(Near(r.NC, c.nc, 1e-12)) << c.what;
        }
        EXPECT_EQ(r.governingBand, c.governingBand) << c.what;
        EXPECT_EQ(NoiseCriterionText(r), c.text) << c.what;
    }
}

TEST(NoiseCriterionTest, MatchesThePlainReadingOverManySpectra)
{
    std::minstd_rand random(51);
    for (int run = 0; run < 3000; ++run) {
        const TenthsSpectrum s = RandomTenths(random, run % 40 * 20, 1 + run % 50 * 20);
        const bool thirds = run % 2 == 0;
        const NoiseCriterionRating r = RateNoiseCriterion(s.levels, thirds ? 0 : 1, thirds ? 1 : 3);
        SCOPED_TRACE(testing::Message() << "run " << run);
        ASSERT_EQ(r.bandCount, 8);
        double highest = -INFINITY, furthestAbove = 0, sil = 0;
        int governing = -1;
        bool anyAbove = false;
        for (int o = 0; o < 8; ++o) {
            double energy = 0;
            for (int k = 0; k < (thirds ? 3 : 1); ++k)
                energy += std::pow(10.0, s.levels[thirds ? 3 * o + k : o] / 10.0);
            const double level = 10 * std::log10(energy);
            const double nc = PlainBandNc(level, o);
            EXPECT_TRUE(Near(r.bands[o].level, level, 1e-9));
            EXPECT_EQ(std::isnan(r.bands[o].nc), std::isnan(nc)) << level << " dB, octave " << o;
            if (!std::isnan(nc)) {
                EXPECT_TRUE(Near(r.bands[o].nc, nc, 1e-9));
            }
            sil += o >= 3 && o <= 6 ? level / 4 : 0;
            if (level - kCurves[11][o] > furthestAbove) {
                furthestAbove = level - kCurves[11][o];
                governing = 1 + 3 * o;
                anyAbove = true;
            }
            if (!anyAbove && nc > highest) {
                highest = nc;
                governing = 1 + 3 * o;
            }
        }
        const NoiseCriterionState state = anyAbove              ? NoiseCriterionState::AboveFamily
                                          : std::isinf(highest) ? NoiseCriterionState::BelowFamily
                                                                : NoiseCriterionState::Rated;
        EXPECT_EQ(r.state, state);
        EXPECT_EQ(r.governingBand, governing);
        if (state == NoiseCriterionState::Rated) {
            EXPECT_TRUE(Near(r.NC, highest, 1e-9));
        }
        EXPECT_TRUE(Near(r.SIL, sil, 1e-9));
    }
}

TEST(NoiseCriterionTest, SpeechInterferenceLevelNeedsItsFourOctavesOnly)
{
    std::vector<float> octaves = {90, 80, 70, 60, 50, 40, 30, 20, 10};
    EXPECT_TRUE(Near(RateNoiseCriterion(octaves, 1, 3).SIL, 45.0, 1e-12));
    octaves[0] = NAN;
    const NoiseCriterionRating r = RateNoiseCriterion(octaves, 1, 3);
    EXPECT_TRUE(r.state == NoiseCriterionState::NotRated && r.bandCount == 0 && Near(r.SIL, 45.0, 1e-12));
    octaves[5] = INFINITY; // 2000 Hz
    EXPECT_TRUE(std::isnan(RateNoiseCriterion(octaves, 1, 3).SIL));
    EXPECT_TRUE(std::isnan(RateNoiseCriterion(std::vector<float>(9, 40.0f), 0, 3).SIL)) << "unknown set";
    EXPECT_EQ(RateNoiseCriterion(std::vector<float>(23, 40.0f), 0, 1).state, NoiseCriterionState::NotRated)
        << "third octaves ending at 8000 Hz lack 10 kHz";
    // Huge finite levels are summed without overflow.
    const NoiseCriterionRating huge = RateNoiseCriterion(std::vector<float>(27, 3e38f), 0, 1);
    EXPECT_TRUE(huge.state == NoiseCriterionState::AboveFamily && std::isfinite(huge.SIL));
}

} // namespace
} // namespace velmora
