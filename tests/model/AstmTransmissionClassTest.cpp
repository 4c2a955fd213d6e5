#include "model/AstmTransmissionClass.h"

#include "model/ModelTestSupport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

using test::RandomTenths;
using test::TenthsSpectrum;

const auto& kShape = test::kE413Contour;
constexpr int k125Hz = 4;

/** The rating written out plainly: whole contours tried from far above, one dB at a time. */
struct Plain {
    double stc, sum, nextSum;
    int nextRuleBand, governingBand;
    std::vector<int> rounded;
};
Plain PlainStc(const TenthsSpectrum& spectrum)
{
    Plain plain{};
    for (int j = 0; j < 16; ++j) // the default rounding mode takes halves to even
        plain.rounded.push_back(static_cast<int>(std::nearbyint(spectrum.tenths[k125Hz + j] / 10.0)));
    const auto deficiency = [&](int stc, int j) { return std::max(0, stc + kShape[j] - plain.rounded[j]); };
    int stc = *std::max_element(plain.rounded.begin(), plain.rounded.end()) + 20;
    for (;; --stc) {
        int sum = 0, worst = 0;
        for (int j = 0; j < 16; ++j) {
            sum += deficiency(stc, j);
            worst = std::max(worst, deficiency(stc, j));
        }
        if (sum <= 32 && worst <= 8)
            break;
    }
    plain.stc = stc;
    plain.nextRuleBand = plain.governingBand = -1;
    int worst = 0;
    for (int j = 0; j < 16; ++j) {
        plain.sum += deficiency(stc, j);
        plain.nextSum += deficiency(stc + 1, j);
        if (deficiency(stc + 1, j) > 8 && plain.nextRuleBand < 0)
            plain.nextRuleBand = k125Hz + j;
        if (deficiency(stc, j) > worst) {
            worst = deficiency(stc, j);
            plain.governingBand = k125Hz + j;
        }
    }
    if (plain.nextRuleBand >= 0)
        plain.governingBand = plain.nextRuleBand;
    return plain;
}

TEST(AstmTransmissionClassTest, LimitsAndRoundingDecideAtTheirEdges)
{
    // Bands given as {index among the compared, dB below the contour of STC 40}; the rest 10 dB above it.
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> below;
        double stc, sum;
    };
    const Case cases[] = {
        {"sum 31 meets", {{0, 8}, {5, 8}, {9, 8}, {15, 7}}, 40, 31},
        {"sum 32 meets", {{0, 8}, {5, 8}, {9, 8}, {15, 8}}, 40, 32},
        {"sum 33 fails", {{0, 8}, {5, 8}, {9, 8}, {15, 8}, {3, 1}}, 39, 28},
        {"one band 8 below meets", {{6, 8}}, 40, 8},
        {"one band 9 below fails", {{6, 9}}, 39, 8},
        {"8.5 rounds to 8 (even) and meets", {{6, 8.5f}}, 40, 8},
        {"9.5 rounds to 10 (even) and fails", {{6, 9.5f}}, 38, 8},
        {"8.4999999 in a float is 8.5: meets", {{6, 8.4999999f}}, 40, 8},
        {"8.46 rounds to 8.5, then to 8", {{6, 8.46f}}, 40, 8},
        {"8.6 rounds to 9 and fails", {{6, 8.6f}}, 39, 8},
    };
    for (const Case& c : cases) {
        std::array<float, kBandSlots> levels = test::OnCurve(kShape, k125Hz, 50);
        for (const auto& [j, dB] : c.below)
            levels[k125Hz + j] = static_cast<float>(40 + kShape[j]) - dB;
        const AstmTransmissionRating r = RateAstmTransmissionClass(levels, 0, 1);
        EXPECT_EQ(r.STC, c.stc) << c.what;
        EXPECT_EQ(r.deficiencySum, c.sum) << c.what;
    }

    // A wall lying on the contour at 50 dB misses the contour of 52 by 2 dB in each of 16 bands.
    const AstmTransmissionRating wall = RateAstmTransmissionClass(test::OnCurve(kShape, k125Hz, 50), 0, 1);
    EXPECT_EQ(wall.STC, 52);
    EXPECT_EQ(wall.deficiencySum, 32);
    EXPECT_EQ(wall.nextDeficiencySum, 48);
    EXPECT_EQ(wall.nextRuleBand, -1);
    EXPECT_EQ(wall.governingBand, k125Hz) << "every band is 2 dB short: the lowest governs";
}

TEST(AstmTransmissionClassTest, MatchesThePlainSearchOverManySpectra)
{
    std::minstd_rand random(21);
    for (int run = 0; run < 4000; ++run) {
        const TenthsSpectrum spectrum = RandomTenths(random, -300 + run % 50 * 30, 1 + run % 60 * 20);
        const AstmTransmissionRating r = RateAstmTransmissionClass(spectrum.levels, 0, 1);
        const Plain p = PlainStc(spectrum);
        SCOPED_TRACE(testing::Message() << "run " << run);
        ASSERT_EQ(r.STC, p.stc);
        EXPECT_EQ(r.contourAt500, p.stc);
        EXPECT_EQ(r.deficiencySum, p.sum);
        EXPECT_EQ(r.nextDeficiencySum, p.nextSum);
        EXPECT_EQ(r.nextRuleBand, p.nextRuleBand);
        EXPECT_EQ(r.governingBand, p.governingBand);
        ASSERT_EQ(r.bandCount, 16);
        for (int j = 0; j < 16; ++j) {
            const AstmBand& b = r.bands[j];
            EXPECT_TRUE(b.band == k125Hz + j && b.level == spectrum.levels[b.band] &&
                        b.rounded == p.rounded[j]);
            EXPECT_EQ(b.contour, p.stc + kShape[j]);
            EXPECT_EQ(b.deficiency, std::max(0.0, b.contour - b.rounded));
            // The least whole rise whose rounded level meets the next contour's per-band limit.
            int rise = 0;
            while (std::nearbyint((spectrum.tenths[b.band] + 10 * rise) / 10.0) < p.stc + kShape[j] + 1 - 8)
                ++rise;
            EXPECT_EQ(b.nextShortfall, rise);
        }
    }
}

TEST(AstmTransmissionClassTest, OnlyFiniteThirdOctavesAreRated)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        int start, step, size, slot;
        float value;
        bool rated;
    };
    const Case cases[] = {
        {"octaves", 1, 3, 9, 0, 40, false},
        {"steps of 2", 0, 2, 14, 0, 40, false},
        {"NaN at 125 Hz", 0, 1, 27, 4, nan, false},
        {"-inf at 4000 Hz", 0, 1, 27, 19, -inf, false},
        {"levels end at 3150 Hz", 0, 1, 19, 0, 40, false},
        {"NaN at 100 Hz is not compared", 0, 1, 27, 3, nan, true},
        {"+inf at 5000 Hz is not compared", 0, 1, 20, 19, 40, true},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(c.size, 40.0f);
        levels[c.slot] = c.value;
        const AstmTransmissionRating r = RateAstmTransmissionClass(levels, c.start, c.step);
        EXPECT_EQ(r.bandCount, c.rated ? 16 : 0) << c.what;
        EXPECT_EQ(std::isfinite(r.STC) && std::isfinite(r.deficiencySum) &&
                      std::isfinite(r.nextDeficiencySum),
                  c.rated)
            << c.what;
        EXPECT_EQ(std::isnan(r.sumLimit), c.step != 1) << c.what << ": limits stay set for third octaves";
    }
}

TEST(AstmTransmissionClassTest, ExtremeLevelsAreRatedAtOnce)
{
    const float top = std::numeric_limits<float>::max();
    // A band far above the contour counts no more than one well above it.
    std::array<float, kBandSlots> levels = test::OnCurve(kShape, k125Hz, 40);
    levels[12] = 300.0f;
    const double expected = RateAstmTransmissionClass(levels, 0, 1).STC;
    levels[12] = top;
    EXPECT_EQ(RateAstmTransmissionClass(levels, 0, 1).STC, expected);
    for (float level : {top, -top, 1e15f, -1e15f}) {
        levels.fill(level);
        EXPECT_TRUE(std::isfinite(RateAstmTransmissionClass(levels, 0, 1).STC)) << level;
    }
}

} // namespace
} // namespace velmora
