#include "model/SoundReduction.h"

#include "model/Bands.h"
#include "support/Tolerance.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

using test::Near;

/** A band set with its rated range, its reference curve and its C and Ctr spectra (ISO 717-1). */
struct RatedSet {
    const char* name;
    int start, step;
    int firstSlot, ratingIndex; // slot of the lowest rated band; index of 500 Hz among the rated
    double limit;
    std::vector<double> curve, c, ctr;
};

const std::vector<double> kThirdCurve = {33, 36, 39, 42, 45, 48, 51, 52, 53, 54, 55, 56, 56, 56, 56, 56};
const std::vector<double> kThirdC = {-29, -26, -23, -21, -19, -17, -15, -13,
                                     -12, -11, -10, -9,  -9,  -9,  -9,  -9};
const std::vector<double> kThirdCtr = {-20, -20, -18, -16, -15, -14, -13, -12,
                                       -11, -9,  -8,  -9,  -10, -11, -13, -15};
const RatedSet kThird = {"third octaves", 0, 1, 3, 7, 32, kThirdCurve, kThirdC, kThirdCtr};
const RatedSet kOctave = {
    "octaves", 1, 3, 1, 2, 10, {36, 45, 52, 55, 56}, {-21, -14, -8, -5, -4}, {-14, -10, -7, -4, -6}};

/** The rating written out plainly: the curve moved down 1 dB at a time from far above. */
struct Plain {
    double rw, sum, nextExcess, c, ctr;
};
Plain PlainRating(const RatedSet& set, const std::vector<float>& levels)
{
    const auto level = [&](std::size_t j) { return static_cast<double>(levels[set.firstSlot + j]); };
    const auto sumAt = [&](double rw) {
        double sum = 0;
        for (std::size_t j = 0; j < set.curve.size(); ++j)
            sum += std::max(0.0, set.curve[j] - set.curve[set.ratingIndex] + rw - level(j));
        return sum;
    };
    const auto adaptation = [&](const std::vector<double>& spectrum, double rw) {
        double energy = 0;
        for (std::size_t j = 0; j < set.curve.size(); ++j)
            energy += std::pow(10.0, (spectrum[j] - level(j)) / 10);
        return std::round(-10 * std::log10(energy) - rw);
    };
    double rw = std::ceil(*std::max_element(levels.begin(), levels.end())) + 100;
    // Tenths held in floats miss a decimal sum by float noise only; half a tenth is far above that.
    while (sumAt(rw) > set.limit + 0.05)
        rw -= 1;
    return {rw, sumAt(rw), sumAt(rw + 1) - set.limit, adaptation(set.c, rw), adaptation(set.ctr, rw)};
}

TEST(SoundReductionTest, SumsAtAndJustOverTheLimit)
{
    // The reference curve raised by `raise` dB, one band typed at `dB` from the curve instead.
    // The curve itself sums to exactly the limit 2 dB up.
    struct Case {
        const char* what;
        const RatedSet& set;
        double raise;
        std::size_t band; // among the rated bands
        double dB, rw, sum, nextExcess;
    };
    const Case cases[] = {
        {"the curve: 16 x 2 = 32 passes", kThird, 0, 0, 0, 54, 32, 16},
        {"15 x 1.9 + 3.5 in tenths: 32.0 passes", kThird, 0.1, 4, -1.5, 54, 32, 16},
        {"one band 0.1 lower: 32.1 fails", kThird, 0, 7, -0.1, 53, 16.1, 0.1},
        {"one band 32 lower takes the whole limit", kThird, 0, 9, -32, 52, 32, 16},
        {"one band 32.0005 lower: float noise", kThird, 0, 9, -32.0005, 52, 32.0005, 16.0005},
        {"the curve: 5 x 2 = 10 passes", kOctave, 0, 0, 0, 54, 10, 5},
        {"4 x 1.9 + 2.4 in tenths: 10.0 passes", kOctave, 0.1, 2, -0.4, 54, 10, 5},
        {"one band 0.1 lower: 10.1 fails", kOctave, 0, 2, -0.1, 53, 5.1, 0.1},
        {"one band 10 lower takes the whole limit", kOctave, 0, 3, -10, 52, 10, 5},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(BandCount(c.set.start, c.set.step));
        for (std::size_t j = 0; j < c.set.curve.size(); ++j)
            levels[c.set.firstSlot + j] = static_cast<float>(c.set.curve[j] + (j == c.band ? c.dB : c.raise));
        const SoundReductionRating r = RateSoundReduction(levels, c.set.start, c.set.step);
        EXPECT_EQ(r.Rw, c.rw) << c.what;
        EXPECT_TRUE(Near(r.deviationSum, c.sum, 1e-4)) << c.what;
        EXPECT_TRUE(Near(r.nextClassExcess, c.nextExcess, 1e-4)) << c.what;
        if (c.raise == 0 && c.dB == 0) {
            EXPECT_EQ(r.C, -2) << c.what;
            EXPECT_EQ(r.Ctr, -6) << c.what;
        }
    }
}

TEST(SoundReductionTest, MatchesThePlainSearchOverManySpectra)
{
    for (const RatedSet* set : {&kThird, &kOctave}) {
        std::minstd_rand random(set == &kThird ? 11 : 12);
        for (int run = 0; run < 3000; ++run) {
            // Tenths of a dB, as levels are entered, from narrow spreads to ones wider than the curve.
            std::vector<float> levels(BandCount(set->start, set->step));
            const int low = -300 + run % 50 * 20;
            const int spread = 1 + run % 70 * 20;
            for (float& level : levels)
                level = static_cast<float>((low + static_cast<int>(random() % spread)) / 10.0);
            SCOPED_TRACE(testing::Message() << set->name << ", run " << run);
            const SoundReductionRating r = RateSoundReduction(levels, set->start, set->step);
            const Plain p = PlainRating(*set, levels);
            EXPECT_EQ(r.Rw, p.rw);
            EXPECT_EQ(r.C, p.c);
            EXPECT_EQ(r.Ctr, p.ctr);
            EXPECT_FALSE(std::signbit(r.C) && r.C == 0) << "-0 would print with a sign";
            EXPECT_TRUE(Near(r.deviationSum, p.sum, 1e-9) && Near(r.nextClassExcess, p.nextExcess, 1e-9));
            // The listed bands explain the rating: the curve's shape placed at Rw, each deviation.
            for (int j = 0; j < r.bandCount; ++j) {
                const ReductionBand& b = r.bands[j];
                EXPECT_EQ(b.reference - r.Rw, set->curve[j] - set->curve[set->ratingIndex]);
                EXPECT_EQ(b.deviation, std::max(0.0, b.reference - b.level));
            }
        }
    }
}

TEST(SoundReductionTest, NonFiniteRatedBandsAndUnknownSetsAreNotRated)
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
        {"NaN at 100 Hz", 0, 1, 27, 3, nan, false},
        {"+inf at 3150 Hz", 0, 1, 27, 18, inf, false},
        {"-inf at 2000 Hz", 1, 3, 9, 5, -inf, false},
        {"NaN at 80 Hz is not rated", 0, 1, 27, 2, nan, true},
        {"+inf at 4000 Hz is not rated", 1, 3, 9, 6, inf, true},
        {"levels end at 2500 Hz", 0, 1, 18, 0, 40, false},
        {"octave steps from 50 Hz", 0, 3, 9, 0, 40, false},
        {"no step", 0, 0, 30, 0, 40, false},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(c.size, 40.0f);
        levels[c.slot] = c.value;
        const SoundReductionRating r = RateSoundReduction(levels, c.start, c.step);
        EXPECT_EQ(std::isnan(r.Rw) && std::isnan(r.C) && std::isnan(r.Ctr), !c.rated) << c.what;
        EXPECT_EQ(r.bandCount > 0, c.rated) << c.what;
    }
}

TEST(SoundReductionTest, ExtremeLevelsReturnAtOnce)
{
    const float highest = std::numeric_limits<float>::max();
    const auto start = std::chrono::steady_clock::now();
    for (const RatedSet* set : {&kThird, &kOctave}) {
        // A band far above the others counts no more than one well above them.
        std::vector<float> levels(BandCount(set->start, set->step), 40.0f);
        levels[set->firstSlot + 1] = 200;
        const SoundReductionRating above = RateSoundReduction(levels, set->start, set->step);
        levels[set->firstSlot + 1] = highest;
        const SoundReductionRating top = RateSoundReduction(levels, set->start, set->step);
        EXPECT_TRUE(top.Rw == above.Rw && top.C == above.C && top.Ctr == above.Ctr) << set->name;

        // The rest only needs to be finite and quick.
        levels[set->firstSlot + 1] = -highest;
        const std::vector<float> extremes[] = {levels, std::vector<float>(levels.size(), highest),
                                               std::vector<float>(levels.size(), -highest)};
        for (const std::vector<float>& extreme : extremes) {
            const SoundReductionRating r = RateSoundReduction(extreme, set->start, set->step);
            EXPECT_TRUE(std::isfinite(r.Rw) && std::isfinite(r.C) && std::isfinite(r.Ctr)) << set->name;
            EXPECT_GT(r.nextClassExcess, 0) << set->name;
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

} // namespace
} // namespace velmora
