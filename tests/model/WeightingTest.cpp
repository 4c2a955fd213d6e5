#include "model/Weighting.h"

#include "model/PowerSum.h"
#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct BandSetCase {
    int start;
    int step;
};
constexpr BandSetCase kBandSets[] = {{kOctaveBandStart, kOctaveBandStep}, {kThirdBandStart, kThirdBandStep}};

std::vector<float> Levels(const BandSetCase& set, float level)
{
    return std::vector<float>(static_cast<std::size_t>(BandCount(set.start, set.step)), level);
}

} // namespace

TEST(Weighting, VeryLowLevelsShiftTheResultWithoutUnderflow)
{
    // 10^(L/10) leaves the single-precision range below about -380 dB; the level must still
    // shift with L, as it does above the range.
    for (const BandSetCase& set : kBandSets) {
        for (int w = WeightA; w <= WeightD; ++w) {
            const double base = WeightedLevel(Levels(set, 0.0f), set.start, set.step, w);
            for (const float shift : {-300.0f, -380.0f, -450.0f, -460.0f, -1000.0f, -5000.0f, -1e6f}) {
                const double shifted = WeightedLevel(Levels(set, shift), set.start, set.step, w);
                EXPECT_TRUE(Near(shifted, shift + base, 1e-7 * -shift + 1e-3)) << "weighting " << w;
            }
        }
    }
    const std::vector<float> low = Levels(kBandSets[0], -460.0f);
    EXPECT_TRUE(Near(WeightedLevel(low, kOctaveBandStart, kOctaveBandStep, WeightA), -452.8, kPrintedTenth));
}

TEST(Weighting, OrdinaryLevelsAreSummedInSinglePrecisionAsBefore)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> level(-60.0f, 160.0f);
    for (int trial = 0; trial < 500; ++trial) {
        const BandSetCase& set = kBandSets[trial % 2];
        std::vector<float> levels = Levels(set, 0.0f);
        for (float& value : levels)
            value = level(random);
        if (trial % 5 == 0)
            levels[trial % levels.size()] = -std::numeric_limits<float>::infinity(); // adds nothing
        for (int w = WeightA; w <= WeightD; ++w) {
            // The plain sum: float terms of 10^(L/10), added in band order.
            float sum = 0.0f;
            for (std::size_t k = 0; k < levels.size(); ++k) {
                const int band = set.start + static_cast<int>(k) * set.step;
                sum = static_cast<float>(sum + Exp10((double{levels[k]} + BandWeighting[w][band]) * 0.1));
            }
            EXPECT_EQ(WeightedLevel(levels, set.start, set.step, w), 10.0 * std::log10(double{sum}));
        }
    }
    // No energy at all, or no bands, rates 0 dB; NaN and +inf pass on.
    EXPECT_EQ(WeightedLevel(Levels(kBandSets[1], -kInf), kThirdBandStart, kThirdBandStep, WeightA), 0.0);
    EXPECT_EQ(WeightedLevel({}, kOctaveBandStart, kOctaveBandStep, WeightA), 0.0);
    std::vector<float> bad = Levels(kBandSets[0], -460.0f);
    bad[3] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(std::isnan(WeightedLevel(bad, kOctaveBandStart, kOctaveBandStep, WeightC)));
    bad[3] = std::numeric_limits<float>::infinity();
    EXPECT_EQ(WeightedLevel(bad, kOctaveBandStart, kOctaveBandStep, WeightC), kInf);
}
