#include "model/SpectrumRatings.h"

#include "model/Weighting.h"
#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace velmora {
namespace {

using test::Near;

/** The breakdown lays each rating's own bands out by slot, and its sums add up band by band. */
TEST(SpectrumRatingsTest, BandValuesAddUpToEachRating)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-25.0f, 25.0f);
    const struct {
        int start, step, bands, stcBands, rwBands;
    } sets[] = {{0, 1, 27, 17, 16}, {1, 3, 9, 6, 5}};
    for (const auto& set : sets) {
        for (int trial = 0; trial < 50; ++trial) {
            std::array<float, kBandSlots> levels{};
            for (int k = 0; k < set.bands; ++k)
                levels[k] = 45.0f + spread(random);
            const SpectrumRatings result = RateSpectrum(levels, set.start, set.step);
            ASSERT_EQ(result.bandCount, set.bands);
            int stcBands = 0;
            int rwBands = 0;
            double deficiencies = 0.0;
            double deviations = 0.0;
            double highestNr = 0.0;
            for (int k = 0; k < result.bandCount; ++k) {
                const BandBreakdown& band = result.bands[k];
                EXPECT_EQ(band.band, set.start + k * set.step);
                EXPECT_EQ(band.level, levels[k]);
                for (int w = WeightA; w <= WeightD; ++w)
                    EXPECT_TRUE(Near(band.weighted[w], levels[k] + BandWeighting[w][band.band], 1e-5));
                highestNr = std::max(highestNr, band.noiseRating);
                if (!std::isnan(band.stcDeficiency)) {
                    ++stcBands;
                    deficiencies += band.stcDeficiency;
                    EXPECT_TRUE(Near(band.stcDeficiency, std::max(0.0, band.stcContour - band.level), 1e-9));
                }
                if (!std::isnan(band.rwDeviation)) {
                    ++rwBands;
                    deviations += band.rwDeviation;
                    EXPECT_TRUE(Near(band.rwDeviation, std::max(0.0, band.rwReference - band.level), 1e-9));
                }
            }
            EXPECT_EQ(stcBands, set.stcBands);
            EXPECT_EQ(rwBands, set.rwBands);
            EXPECT_TRUE(Near(deficiencies, result.transmission.deficiencySum, 1e-9));
            EXPECT_TRUE(Near(deviations, result.reduction.deviationSum, 1e-9));
            EXPECT_EQ(highestNr, result.noise.NR);
            ASSERT_GE(result.noise.governingBand, 0);
            EXPECT_EQ(result.bands[(result.noise.governingBand - set.start) / set.step].noiseRating,
                      result.noise.NR);
        }
    }
}

TEST(SpectrumRatingsTest, BadLevelsAndBandSets)
{
    std::array<float, kBandSlots> levels{};
    levels.fill(50.0f);
    levels[10] = std::numeric_limits<float>::quiet_NaN(); // 500 Hz, rated by all three
    const SpectrumRatings result = RateSpectrum(levels, 0, 1);
    EXPECT_TRUE(std::isnan(result.bands[10].noiseRating));
    EXPECT_TRUE(std::isnan(result.bands[10].stcDeficiency));
    EXPECT_TRUE(std::isnan(result.reduction.Rw));
    EXPECT_FALSE(std::isnan(result.bands[9].stcDeficiency));

    for (const auto& [start, step] : {std::pair{0, 0}, std::pair{2, 3}, std::pair{-1, 1}, std::pair{40, 1}}) {
        const SpectrumRatings odd = RateSpectrum(levels, start, step);
        EXPECT_LE(odd.bandCount, kBandCount) << start << "," << step;
        EXPECT_TRUE(std::isnan(odd.reduction.Rw));
    }
    EXPECT_EQ(RateSpectrum(std::span<const float>(levels).first(3), 0, 1).bandCount, 3);
}

} // namespace
} // namespace velmora
