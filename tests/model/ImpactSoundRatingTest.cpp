#include "model/ImpactSoundRating.h"

#include "model/ModelTestSupport.h"
#include "support/Tolerance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

using test::Near;
using test::RandomTenths;
using test::TenthsSpectrum;

/** A band set with its rated slots and reference curve, and the slots Ln,sum adds for CI. */
struct RatedSet {
    const char* name;
    int start, step, firstSlot, ratingIndex, lnwOffset, limitTenths, sumFirst, sumEnd;
    std::vector<int> curve;
};
const std::vector<int> kThirdCurve = {62, 62, 62, 62, 62, 62, 61, 60, 59, 58, 57, 54, 51, 48, 45, 42};
const RatedSet kThird = {"third octaves", 0, 1, 3, 7, 0, 320, 3, 18, kThirdCurve};
const RatedSet kOctave = {"octaves", 1, 3, 1, 2, -5, 100, 1, 6, {67, 67, 65, 62, 49}};

/** The rating in whole tenths: the curve stepped down from where nothing lies above it. */
struct Plain {
    double lnw, sum, nextExcess, ci, ci50;
    int governingBand;
};
Plain PlainRating(const RatedSet& set, const TenthsSpectrum& spectrum)
{
    const int count = static_cast<int>(set.curve.size());
    const auto tenths = [&](int j) { return spectrum.tenths[set.firstSlot + j]; };
    const auto sumAt = [&](int shift) {
        int sum = 0;
        for (int j = 0; j < count; ++j)
            sum += std::max(0, tenths(j) - 10 * (set.curve[j] + shift));
        return sum;
    };
    int shift = 1000;
    while (sumAt(shift - 1) <= set.limitTenths)
        --shift;
    Plain plain{};
    plain.lnw = set.curve[set.ratingIndex] + shift + set.lnwOffset;
    plain.sum = sumAt(shift) / 10.0;
    plain.nextExcess = (sumAt(shift - 1) - set.limitTenths) / 10.0;
    plain.governingBand = -1;
    int largest = 0;
    for (int j = 0; j < count; ++j) {
        const int deviation = tenths(j) - 10 * (set.curve[j] + shift);
        if (deviation > largest) {
            largest = deviation;
            plain.governingBand = set.start + (set.firstSlot + j) * set.step;
        }
    }
    const auto ci = [&](int first) {
        double energy = 0;
        for (int k = first; k < set.sumEnd; ++k)
            energy += std::pow(10.0, spectrum.tenths[k] / 100.0);
        return static_cast<double>(std::lround(10 * std::log10(energy)) - 15) - plain.lnw;
    };
    plain.ci = ci(set.sumFirst);
    plain.ci50 = set.step == 1 ? ci(0) : std::numeric_limits<double>::quiet_NaN();
    return plain;
}

TEST(ImpactSoundRatingTest, WorkedExamples)
{
    struct Case {
        const char* what;
        std::vector<float> levels; // 100 Hz to 3150 Hz
        double lnw, ci, sum;
    };
    const Case cases[] = {
        {"bare floor", {test::kBareFloor.begin(), test::kBareFloor.end()}, 79, -11, 28.0},
        {"with covering",
         {59.1f, 59.5f, 61.6f, 63.2f, 65.3f, 66.5f, 67.7f, 67.0f, 67.1f, 66.5f, 66.1f, 62.5f, 57.9f, 52.7f,
          47.0f, 48.0f},
         64,
         -3,
         30.0},
    };
    for (const Case& c : cases) {
        std::array<float, kBandCount> levels{};
        levels.fill(-100.0f); // far too low to add to any sum
        std::copy(c.levels.begin(), c.levels.end(), levels.begin() + 3);
        const ImpactSoundRating r = RateImpactSound(levels, 0, 1);
        EXPECT_EQ(r.Lnw, c.lnw) << c.what;
        EXPECT_EQ(r.CI, c.ci) << c.what;
        EXPECT_EQ(r.CI50_2500, c.ci) << c.what;
        EXPECT_TRUE(Near(r.deviationSum, c.sum, 1e-4)) << c.what;
    }
}

TEST(ImpactSoundRatingTest, SumsAtAndJustOverTheLimit)
{
    // The curve placed for Ln,w 60, every band 10 dB under it but those given as {index, dB above}.
    struct Case {
        const char* what;
        const RatedSet& set;
        std::vector<std::pair<int, double>> above;
        double lnw, sum, nextExcess;
    };
    const Case cases[] = {
        {"31.9 meets", kThird, {{0, 8}, {6, 8}, {7, 8}, {15, 7.9}}, 60, 31.9, 3.9},
        {"32.0 meets", kThird, {{0, 8}, {6, 8}, {7, 8}, {15, 8}}, 60, 32.0, 4.0},
        {"32.1 fails", kThird, {{0, 8}, {6, 8}, {7, 8}, {15, 8.1}}, 61, 28.1, 0.1},
        {"one band 32.0 above meets", kThird, {{11, 32}}, 60, 32.0, 1.0},
        {"9.9 meets", kOctave, {{0, 3}, {2, 3}, {4, 3.9}}, 60, 9.9, 2.9},
        {"10.0 meets", kOctave, {{0, 3}, {2, 3}, {4, 4}}, 60, 10.0, 3.0},
        {"10.1 fails", kOctave, {{0, 3}, {2, 3}, {4, 4.1}}, 61, 7.1, 0.1},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(BandCount(c.set.start, c.set.step), -100.0f);
        const int shift = 60 - c.set.curve[c.set.ratingIndex] - c.set.lnwOffset;
        for (std::size_t j = 0; j < c.set.curve.size(); ++j)
            levels[c.set.firstSlot + j] = static_cast<float>(c.set.curve[j] + shift - 10);
        for (const auto& [j, dB] : c.above)
            levels[c.set.firstSlot + j] = static_cast<float>(c.set.curve[j] + shift + dB);
        const ImpactSoundRating r = RateImpactSound(levels, c.set.start, c.set.step);
        EXPECT_EQ(r.Lnw, c.lnw) << c.what;
        EXPECT_TRUE(Near(r.deviationSum, c.sum, 1e-4)) << c.what;
        EXPECT_TRUE(Near(r.nextClassExcess, c.nextExcess, 1e-4)) << c.what;
    }
}

TEST(ImpactSoundRatingTest, MatchesThePlainSearchOverManySpectra)
{
    for (const RatedSet* set : {&kThird, &kOctave}) {
        std::minstd_rand random(set == &kThird ? 31 : 32);
        for (int run = 0; run < 3000; ++run) {
            const TenthsSpectrum spectrum = RandomTenths(random, -200 + run % 50 * 30, 1 + run % 70 * 20);
            const int count = BandCount(set->start, set->step);
            const ImpactSoundRating r =
                RateImpactSound(std::span(spectrum.levels).first(count), set->start, set->step);
            const Plain p = PlainRating(*set, spectrum);
            SCOPED_TRACE(testing::Message() << set->name << ", run " << run);
            ASSERT_EQ(r.Lnw, p.lnw);
            EXPECT_TRUE(Near(r.deviationSum, p.sum, 1e-4) && Near(r.nextClassExcess, p.nextExcess, 1e-4));
            EXPECT_EQ(r.CI, p.ci);
            EXPECT_EQ(std::isnan(r.CI50_2500), std::isnan(p.ci50));
            if (!std::isnan(p.ci50)) {
                EXPECT_EQ(r.CI50_2500, p.ci50);
            }
            EXPECT_FALSE(std::signbit(r.CI) && r.CI == 0) << "-0 would print with a sign";
            EXPECT_EQ(r.governingBand, p.governingBand);
            for (int j = 0; j < r.bandCount; ++j) {
                const ImpactBand& b = r.bands[j];
                EXPECT_EQ(b.reference - r.Lnw, set->curve[j] - set->curve[set->ratingIndex] - set->lnwOffset);
                EXPECT_EQ(b.deviation, std::max(0.0, b.level - b.reference));
            }
        }
    }
}

TEST(ImpactSoundRatingTest, WhatIsNotRated)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        int start, step, size, slot;
        float value;
        bool rated, ci50;
    };
    const Case cases[] = {
        {"NaN at 100 Hz", 0, 1, 27, 3, nan, false, false},
        {"NaN at 3150 Hz", 0, 1, 27, 18, nan, false, false},
        {"NaN at 50 Hz leaves CI,50-2500 out alone", 0, 1, 27, 0, nan, true, false},
        {"NaN at 4000 Hz is not used", 0, 1, 27, 19, nan, true, true},
        {"octaves have no CI,50-2500", 1, 3, 9, 0, 50, true, false},
        {"NaN at 2000 Hz octave", 1, 3, 9, 5, nan, false, false},
        {"levels end at 2500 Hz", 0, 1, 18, 0, 50, false, false},
        {"unknown set", 0, 3, 9, 0, 50, false, false},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(c.size, 50.0f);
        levels[c.slot] = c.value;
        const ImpactSoundRating r = RateImpactSound(levels, c.start, c.step);
        EXPECT_EQ(std::isfinite(r.Lnw) && std::isfinite(r.CI) && r.bandCount > 0, c.rated) << c.what;
        EXPECT_EQ(std::isfinite(r.CI50_2500), c.ci50) << c.what;
    }
    // Finite levels of any size are rated, and at once.
    const float top = std::numeric_limits<float>::max();
    for (float level : {top, -top}) {
        const ImpactSoundRating r = RateImpactSound(std::vector<float>(27, level), 0, 1);
        EXPECT_TRUE(std::isfinite(r.Lnw) && std::isfinite(r.CI) && std::isfinite(r.nextClassExcess)) << level;
    }
}

} // namespace
} // namespace velmora
