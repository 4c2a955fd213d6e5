#include "model/ImpactInsulationClass.h"

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

const auto& kShape = test::kImpactContour;
constexpr int k100Hz = 3;

/** Rounded level of band j of the compared: whole dB from exact tenths, halves to even. */
int Rounded(const TenthsSpectrum& spectrum, int j)
{
    const int t = spectrum.tenths[k100Hz + j];
    const int whole = t >= 0 ? t / 10 : -((-t + 9) / 10); // floor
    const int rest = t - 10 * whole;
    return whole + (rest > 5 || (rest == 5 && whole % 2 != 0) ? 1 : 0);
}

/** The lowest contour, found by trying every whole contour upward from far below the levels. */
struct Plain {
    double iic, sum, nextSum;
    int nextRuleBand, governingBand;
};
Plain PlainIic(const TenthsSpectrum& spectrum)
{
    const auto excess = [&](int contour, int j) {
        return std::max(0, Rounded(spectrum, j) - contour - kShape[j]);
    };
    const auto sum = [&](int contour) {
        int total = 0;
        for (int j = 0; j < 16; ++j)
            total += excess(contour, j);
        return total;
    };
    const auto worst = [&](int contour) {
        int most = 0;
        for (int j = 0; j < 16; ++j)
            most = std::max(most, excess(contour, j));
        return most;
    };
    int contour = Rounded(spectrum, 0);
    for (int j = 0; j < 16; ++j) // far below: every band above it by more than 8 dB
        contour = std::min(contour, Rounded(spectrum, j) - 30);
    while (sum(contour) > 32 || worst(contour) > 8)
        ++contour;
    Plain plain{110.0 - contour, double(sum(contour)), double(sum(contour - 1)), -1, -1};
    for (int j = 15; j >= 0; --j) { // from the top, so that the lowest of equals is kept
        if (excess(contour - 1, j) > 8)
            plain.nextRuleBand = k100Hz + j;
        if (excess(contour, j) > 0 && excess(contour, j) >= worst(contour))
            plain.governingBand = k100Hz + j;
    }
    if (plain.nextRuleBand >= 0)
        plain.governingBand = plain.nextRuleBand;
    return plain;
}

TEST(ImpactInsulationClassTest, LimitsAndRoundingDecideAtTheirEdges)
{
    // Contour 60 (IIC 50); bands given as {index among the compared, dB above it}, the rest 10 dB below.
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> above;
        double iic, sum;
    };
    const Case cases[] = {
        {"on the contour 60 at 500 Hz, 2 dB over that of 58 in each band", {}, 52, 32},
        {"sum 31 meets", {{0, 8}, {5, 8}, {9, 8}, {15, 7}}, 50, 31},
        {"sum 32 meets", {{0, 8}, {5, 8}, {9, 8}, {15, 8}}, 50, 32},
        {"sum 33 fails", {{0, 8}, {5, 8}, {9, 8}, {15, 8}, {3, 1}}, 49, 28},
        {"one band 8 above meets", {{7, 8}}, 50, 8},
        {"one band 9 above fails", {{7, 9}}, 49, 8},
        {"8.5 rounds to 8 (even) and meets", {{7, 8.5f}}, 50, 8},
        {"9.5 rounds to 10 (even) and fails", {{7, 9.5f}}, 48, 8},
        {"7.5 rounds to 8 (even) and meets", {{7, 7.5f}}, 50, 8},
    };
    for (const Case& c : cases) {
        std::array<float, kBandSlots> levels = test::OnCurve(kShape, k100Hz, c.above.empty() ? 60 : 50);
        for (const auto& [j, dB] : c.above)
            levels[k100Hz + j] = static_cast<float>(60 + kShape[j]) + dB;
        const ImpactInsulationRating r = RateImpactInsulationClass(levels, 0, 1);
        EXPECT_EQ(r.IIC, c.iic) << c.what;
        EXPECT_EQ(r.contourAt500, 110 - c.iic) << c.what;
        EXPECT_EQ(r.deficiencySum, c.sum) << c.what;
    }
}

TEST(ImpactInsulationClassTest, MatchesThePlainSearchOverManySpectra)
{
    std::minstd_rand random(22);
    for (int run = 0; run < 4000; ++run) {
        const TenthsSpectrum spectrum = RandomTenths(random, -200 + run % 50 * 30, 1 + run % 60 * 20);
        const ImpactInsulationRating r = RateImpactInsulationClass(spectrum.levels, 0, 1);
        const Plain p = PlainIic(spectrum);
        SCOPED_TRACE(testing::Message() << "run " << run);
        ASSERT_EQ(r.IIC, p.iic);
        EXPECT_EQ(r.deficiencySum, p.sum);
        EXPECT_EQ(r.nextDeficiencySum, p.nextSum);
        EXPECT_EQ(r.nextRuleBand, p.nextRuleBand);
        EXPECT_EQ(r.governingBand, p.governingBand);
        ASSERT_EQ(r.bandCount, 16);
        for (int j = 0; j < 16; ++j) {
            const AstmBand& b = r.bands[j];
            EXPECT_TRUE(b.band == k100Hz + j && b.rounded == Rounded(spectrum, j));
            EXPECT_EQ(b.contour, 110 - p.iic + kShape[j]);
            EXPECT_EQ(b.deficiency, std::max(0.0, b.rounded - b.contour));
            int fall = 0; // the least whole fall whose rounded level meets the next contour's limit
            for (TenthsSpectrum lower = spectrum; Rounded(lower, j) > b.contour - 1 + 8;
                 lower.tenths[b.band] -= 10)
                ++fall;
            EXPECT_EQ(b.nextShortfall, fall);
        }
    }
}

TEST(ImpactInsulationClassTest, TheComparedBandsAreThoseFrom100To3150Hz)
{
    // The rest of what is not rated is the contour fit's, which STC (E413) shares.
    for (const auto& [band, rated] :
         {std::pair{2, true}, std::pair{3, false}, std::pair{18, false}, std::pair{19, true}}) {
        std::vector<float> levels(27, 50.0f);
        levels[band] = std::numeric_limits<float>::quiet_NaN();
        const ImpactInsulationRating r = RateImpactInsulationClass(levels, 0, 1);
        EXPECT_EQ(std::isfinite(r.IIC) && r.bandCount == 16, rated) << band;
    }
}

} // namespace
} // namespace velmora
