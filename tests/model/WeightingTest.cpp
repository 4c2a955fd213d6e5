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

constexpr float kInf = std::numeric_limits<float>::infinity();

struct Set {
    int start;
    int step;
};
constexpr Set kOctaves{kOctaveBandStart, kOctaveBandStep};
constexpr Set kThirds{kThirdBandStart, kThirdBandStep};

std::vector<float> Levels(Set set, float level)
{
    return std::vector<float>(static_cast<std::size_t>(BandCount(set.start, set.step)), level);
}

} // namespace

TEST(Weighting, VeryLowLevelsShiftTheResultWithoutUnderflow)
{
    // 10^(L/10) leaves the single-precision range below about -380 dB; the result must still
    // shift with L, as it does above the range.
    for (const Set set : {kOctaves, kThirds}) {
        for (int w = WeightA; w <= WeightD; ++w) {
            const double base = WeightedLevel(Levels(set, 0.0f), set.start, set.step, w);
            for (const float shift : {-380.0f, -450.0f, -460.0f, -5000.0f, -1e6f}) {
                const double low = WeightedLevel(Levels(set, shift), set.start, set.step, w);
                EXPECT_TRUE(Near(low, shift + base, 1e-7 * -shift + 1e-3)) << w;
            }
        }
    }
    EXPECT_TRUE(Near(WeightedLevel(Levels(kOctaves, -460.0f), 1, 3, WeightA), -452.8, kPrintedTenth));
    // No energy at all, or no bands, rates 0 dB; +inf and NaN pass on.
    EXPECT_EQ(WeightedLevel(Levels(kThirds, -kInf), 0, 1, WeightA), 0.0);
    EXPECT_EQ(WeightedLevel({}, 1, 3, WeightA), 0.0);
    std::vector<float> levels = Levels(kOctaves, -460.0f);
    levels[3] = kInf;
    EXPECT_EQ(WeightedLevel(levels, 1, 3, WeightC), kInf);
    levels[4] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(std::isnan(WeightedLevel(levels, 1, 3, WeightC)));
}

TEST(Weighting, OrdinaryLevelsAreSummedInSinglePrecisionAsBefore)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> level(-60.0f, 160.0f);
    for (int trial = 0; trial < 200; ++trial) {
        const Set set = trial % 2 == 0 ? kOctaves : kThirds;
        std::vector<float> levels = Levels(set, -kInf); // a band at -inf adds nothing
        for (std::size_t k = trial % 5 == 0 ? 1 : 0; k < levels.size(); ++k)
            levels[k] = level(random);
        for (int w = WeightA; w <= WeightD; ++w) {
            // The plain sum: float terms of 10^(L/10), added in band order.
            float sum = 0.0f;
            for (std::size_t k = 0; k < levels.size(); ++k)
                sum = static_cast<float>(
                    sum + Exp10((double{levels[k]} + BandWeighting[w][set.start + k * set.step]) * 0.1));
            EXPECT_EQ(WeightedLevel(levels, set.start, set.step, w), 10.0 * std::log10(double{sum}));
        }
    }
}
