#include "model/ComparisonTable.h"

#include "model/RatingLines.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace velmora {
namespace {

TEST(ComparisonTable, DifferencesAreEachLevelMinusTheReferencesBandByBand)
{
    std::minstd_rand random(11);
    std::uniform_real_distribution<float> level(-10.0f, 120.0f);
    for (int trial = 0; trial < 50; ++trial) {
        const bool third = trial % 2 == 1;
        const int start = third ? kThirdBandStart : kOctaveBandStart;
        const int step = third ? kThirdBandStep : kOctaveBandStep;
        const std::size_t bands = third ? 27 : 9;
        std::vector<std::vector<float>> levels(1 + random() % 6, std::vector<float>(bands));
        std::vector<TableSpectrum> spectra;
        for (std::size_t s = 0; s < levels.size(); ++s) {
            for (float& value : levels[s])
                value = level(random);
            spectra.push_back({"s" + std::to_string(s), levels[s], PressureLevels, nullptr});
        }
        const int reference = static_cast<int>(random() % levels.size());
        const ComparisonTable table = CompareSpectra(spectra, reference, start, step);
        ASSERT_EQ(table.bands.size(), bands);
        EXPECT_EQ(table.reference, reference);
        for (std::size_t k = 0; k < bands; ++k) {
            EXPECT_EQ(table.bands[k], start + static_cast<int>(k) * step);
            for (std::size_t s = 0; s < levels.size(); ++s) {
                EXPECT_EQ(table.levels[k][s], levels[s][k]);
                if (static_cast<int>(s) == reference)
                    EXPECT_TRUE(std::isnan(table.differences[k][s]));
                else
                    EXPECT_EQ(table.differences[k][s],
                              static_cast<double>(levels[s][k]) - static_cast<double>(levels[reference][k]));
            }
        }
        EXPECT_TRUE(table.ratingNames.empty()) << "no ratings were given";
    }
    // A reference that is no column counts as the first; no spectra give no table; a short
    // spectrum gives only the rows it has.
    const std::vector<float> nine(9, 50.0f);
    const std::vector<float> five(5, 40.0f);
    const TableSpectrum pair[] = {{"a", nine, 0, nullptr}, {"b", five, 0, nullptr}};
    const ComparisonTable table = CompareSpectra(pair, 7, 1, 3);
    EXPECT_EQ(table.reference, 0);
    EXPECT_EQ(table.bands.size(), 5u);
    EXPECT_TRUE(CompareSpectra({}, 0, 1, 3).names.empty());
}

TEST(ComparisonTable, EachColumnListsTheRatingsOfItsDataTypeLevelsFirst)
{
    std::vector<float> levels(9);
    for (std::size_t k = 0; k < levels.size(); ++k)
        levels[k] = 30.0f + 4.0f * static_cast<float>(k);
    const SpectrumRatings ratings = RateSpectrum(levels, 1, 3);
    // An attenuation first: the levels' ratings still come first in the rows.
    const TableSpectrum spectra[] = {{"wall", levels, AttenuationLevels, &ratings},
                                     {"room", levels, PressureLevels, &ratings},
                                     {"bare", levels, PowerLevels, nullptr}};
    const ComparisonTable table = CompareSpectra(spectra, 0, 1, 3);
    const std::vector<RatingLine> levelLines = RatingLines(ratings, RatingFamily::Levels);
    const std::vector<RatingLine> wallLines = RatingLines(ratings, RatingFamily::Attenuation);
    ASSERT_GE(table.ratingNames.size(), levelLines.size());
    for (std::size_t r = 0; r < levelLines.size(); ++r) {
        EXPECT_EQ(table.ratingNames[r], levelLines[r].name);
        EXPECT_EQ(table.ratingValues[r][1], levelLines[r].value);
        EXPECT_EQ(table.ratingValues[r][2], "") << "a spectrum without ratings lists none";
    }
    for (const RatingLine& line : wallLines) {
        const auto row = std::find(table.ratingNames.begin(), table.ratingNames.end(), line.name);
        ASSERT_NE(row, table.ratingNames.end()) << line.name;
        EXPECT_EQ(table.ratingValues[static_cast<std::size_t>(row - table.ratingNames.begin())][0],
                  line.value);
    }
}

TEST(ComparisonTable, NumbersAreWrittenAsEveryTextOfTheTableShowsThem)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {-0.04, 1, "0.0"},   {-0.05, 1, "-0.1"},     {0.04, 1, "0.0"}, {-0.0, 1, "0.0"},
        {61.25, 1, "61.2"},  {-12.345, 2, "-12.35"}, {NAN, 1, "-"},    {INFINITY, 1, "-"},
        {-INFINITY, 0, "-"}, {-0.4, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComparisonNumber(c.value, c.decimals), c.text) << c.value;
}

} // namespace
} // namespace velmora
