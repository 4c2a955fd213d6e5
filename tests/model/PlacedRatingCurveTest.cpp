#include "model/PlacedRatingCurve.h"

#include "model/AstmContour.h"
#include "model/AstmTransmissionClass.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/ModelTestSupport.h"
#include "model/NoiseCriterion.h"
#include "model/NoiseRating.h"
#include "model/RatingLines.h"
#include "model/SoundReduction.h"
#include "model/SpectrumRatings.h"
#include "model/TransmissionClass.h"
#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace velmora {
namespace {

using test::Near;

/** Band index of 500 Hz, where the moved ISO curves and the ASTM contours are read as the rating. */
constexpr int k500Hz = 10;
constexpr int k1250Hz = 14;

struct BandSetCase {
    int start, step, bands;
};
constexpr BandSetCase kSets[] = {{kThirdBandStart, kThirdBandStep, 27},
                                 {kOctaveBandStart, kOctaveBandStep, 9}};

/** A spectrum on the 0.1 dB grid: a slope from low to high bands with random tenths on it. */
std::array<float, kBandSlots> RandomLevels(std::mt19937& random, int bands, double slope)
{
    std::uniform_int_distribution<int> tenths(-200, 200);
    std::array<float, kBandSlots> levels{};
    for (int k = 0; k < bands; ++k)
        levels[k] = static_cast<float>(std::round(10.0 * (45.0 + slope * k)) / 10.0 + tenths(random) / 10.0);
    return levels;
}

const RatingCurvePoint* PointAt(const PlacedRatingCurve& placed, int band)
{
    for (int j = 0; j < placed.count; ++j)
        if (placed.points[j].band == band)
            return &placed.points[j];
    return nullptr;
}

/**
 * Over many spectra, each placed curve lies where its rating puts it, and the curve compared with
 * the levels the plain way gives the rating's own sum: the curve the graph draws is the one that
 * rated the spectrum.
 */
TEST(PlacedRatingCurveTest, EachCurveLiesWhereItsRatingPutsIt)
{
    std::mt19937 random(11);
    for (const BandSetCase& set : kSets) {
        const int perOctave = set.step == 1 ? 3 : 1;
        for (int trial = 0; trial < 300; ++trial) {
            const double slope = (trial % 3 - 1) * 1.5 / perOctave;
            const auto levels = RandomLevels(random, set.bands, slope);
            const SpectrumRatings r = RateSpectrum(levels, set.start, set.step);
            SCOPED_TRACE(testing::Message() << "set " << set.bands << " trial " << trial);

            // Each curve passes through its rating at one band (Ln,w 5 dB under the octave curve,
            // IIC as 110 minus its contour, Velmora's STC at its plateau from 1250 Hz), and its
            // shortfalls, counted as the rating counts them (whole dB for the ASTM ratings, above
            // the curve for impact), add up to the rating's own sum.
            const bool thirds = set.step == 1;
            const struct {
                RatingCurve curve;
                int band;
                double at, sum, sign;
                bool whole;
            } rows[] = {
                {RatingCurve::Rw, k500Hz, r.reduction.Rw, r.reduction.deviationSum, 1, false},
                {RatingCurve::Lnw, k500Hz, r.impact.Lnw + (thirds ? 0.0 : 5.0), r.impact.deviationSum, -1,
                 false},
                {RatingCurve::STC, thirds ? k1250Hz : -1, r.transmission.STC, r.transmission.deficiencySum, 1,
                 false},
                {RatingCurve::AstmSTC, k500Hz, r.astm.STC, r.astm.deficiencySum, 1, true},
                {RatingCurve::IIC, k500Hz, 110.0 - r.iic.IIC, r.iic.deficiencySum, -1, true},
            };
            for (const auto& row : rows) {
                const PlacedRatingCurve placed = PlaceRatingCurve(r, row.curve, set.start, set.step);
                SCOPED_TRACE(placed.label);
                if (row.whole && !thirds) {
                    EXPECT_EQ(placed.count, 0) << "the ASTM ratings do not rate octaves";
                    continue;
                }
                if (row.band >= 0) {
                    ASSERT_NE(PointAt(placed, row.band), nullptr);
                    EXPECT_TRUE(Near(PointAt(placed, row.band)->level, row.at, 1e-9));
                }
                double sum = 0.0;
                for (int j = 0; j < placed.count; ++j) {
                    const RatingCurvePoint& p = placed.points[j];
                    const double shortfall = std::max(
                        0.0, row.sign * (p.level - (row.whole ? AstmWholeDecibels(p.rated) : p.rated)));
                    EXPECT_TRUE(Near(p.shortfall, shortfall, 1e-9));
                    sum += shortfall;
                }
                EXPECT_TRUE(Near(sum, row.sum, 1e-9));
            }
            const PlacedRatingCurve rw = PlaceRatingCurve(r, RatingCurve::Rw, set.start, set.step);
            for (int j = 0; j < rw.count; ++j)
                EXPECT_EQ(rw.points[j].level, r.reduction.bands[j].reference);

            // NR and NC touch the spectrum at the governing band and lie above it everywhere else.
            for (RatingCurve tangent : {RatingCurve::NR, RatingCurve::NC}) {
                const PlacedRatingCurve placed = PlaceRatingCurve(r, tangent, set.start, set.step);
                if (tangent == RatingCurve::NC && r.nc.state != NoiseCriterionState::Rated)
                    continue;
                ASSERT_GE(placed.governingBand, 0);
                ASSERT_NE(PointAt(placed, placed.governingBand), nullptr);
                const RatingCurvePoint& touching = *PointAt(placed, placed.governingBand);
                EXPECT_TRUE(Near(touching.level, touching.rated, 1e-9)) << static_cast<int>(tangent);
                for (int j = 0; j < placed.count; ++j) {
                    EXPECT_LE(placed.points[j].rated, placed.points[j].level + 1e-9);
                    EXPECT_EQ(placed.points[j].shortfall, 0.0);
                }
            }
        }
    }
}

/** Each curve's label names the rating and its value; a curve that cannot be placed is empty. */
TEST(PlacedRatingCurveTest, LabelsAndCurvesThatCannotBePlaced)
{
    std::array<float, kBandSlots> flat{};
    // A wall lying on the E413 contour with 50 dB at 500 Hz rates 52; a floor on the impact contour
    // with 60 dB at 500 Hz rates IIC 52; the Rw reference curve itself rates 54; the bare floor 79.
    const auto wall = test::OnCurve(test::kE413Contour, 4, 50);
    const auto floor = test::OnCurve(test::kImpactContour, 3, 60);
    const auto reference = test::OnCurve(test::kRwCurve, 3);
    const auto impact = test::OnCurve(test::kBareFloor, 3);
    // On Velmora's contour of 50 from 125 Hz to 5000 Hz: one class higher leaves 17 bands 1 dB
    // short (17 dB, below 32), two classes 34 dB: STC 51.
    std::array<float, kBandSlots> onStc{};
    for (int band = 4; band <= 20; ++band)
        onStc[band] = static_cast<float>(StcContourLevel(50.0, BandFrequency[band]));
    std::array<float, kBandSlots> loud{};
    loud.fill(100.0f);
    std::array<float, kBandSlots> quiet{};
    quiet.fill(-60.0f);
    const struct {
        const std::array<float, kBandSlots>& levels;
        int start, step;
        RatingCurve curve;
        const char* label;
        int points;
    } cases[] = {
        {wall, 0, 1, RatingCurve::AstmSTC, "STC (E413) 52 contour", 16},
        {floor, 0, 1, RatingCurve::IIC, "IIC 52 contour", 16},
        {reference, 0, 1, RatingCurve::Rw, "Rw 54 reference curve", 16},
        {impact, 0, 1, RatingCurve::Lnw, "Ln,w 79 reference curve", 16},
        {onStc, 0, 1, RatingCurve::STC, "STC 51 contour", 17},
        // 100 dB lies (100 - 94.93) / 1.027 NR above NR 100 at 8 kHz and 16 kHz, the most of any octave.
        {loud, 1, 3, RatingCurve::NR, "NR 104.9 curve", 9},
        {loud, 0, 1, RatingCurve::NC, ">NC-70: the NC-70 curve", 8},
        {flat, 1, 3, RatingCurve::NC, "<NC-15: the NC-15 curve", 8},
        {flat, 1, 3, RatingCurve::None, "", 0},
        {wall, 1, 3, RatingCurve::AstmSTC, "", 0},
        {floor, 1, 3, RatingCurve::IIC, "", 0},
        {quiet, 0, 1, RatingCurve::STC, "", 0},
        {wall, 2, 3, RatingCurve::Rw, "", 0},
    };
    for (const auto& c : cases) {
        const PlacedRatingCurve placed =
            PlaceRatingCurve(RateSpectrum(c.levels, c.start, c.step), c.curve, c.start, c.step);
        EXPECT_EQ(placed.label, c.label);
        EXPECT_EQ(placed.count, c.points) << c.label;
        if (c.points == 0) {
            EXPECT_EQ(placed.governingBand, -1);
        }
    }

    // Above the NC family the bands above NC-70 fall short by how far they lie above it.
    const PlacedRatingCurve above = PlaceRatingCurve(RateSpectrum(loud, 0, 1), RatingCurve::NC, 0, 1);
    const double octave = 100.0 + 10.0 * std::log10(3.0);
    EXPECT_TRUE(Near(above.points[0].shortfall, octave - 84.0, 1e-9));
    EXPECT_TRUE(Near(above.points[7].shortfall, octave - 68.0, 1e-9));
    EXPECT_EQ(above.governingBand, 19) << "4000 Hz, the first of the two lying furthest above NC-70";
}

/** The curve levels at the ends of their tables, between NC curves, and off the bands they have. */
TEST(PlacedRatingCurveTest, CurveLevelsAtTheirEdges)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        double level;
        double expected;
    } cases[] = {
        {"NC-70 at 63 Hz", NoiseCriterionCurveLevel(70.0, 1), 84.0},
        {"NC 47.5 at 500 Hz, halfway from 49 to 54", NoiseCriterionCurveLevel(47.5, 10), 51.5},
        {"NC below the family", NoiseCriterionCurveLevel(14.9, 10), nan},
        {"NC off an octave centre", NoiseCriterionCurveLevel(40.0, 11), nan},
        {"NC of NaN", NoiseCriterionCurveLevel(nan, 10), nan},
        {"NR 0 at 1 kHz", NoiseRatingCurveLevel(0.0, 13), 0.0},
        {"NR past the bands", NoiseRatingCurveLevel(50.0, 27), nan},
        {"E413 at 4000 Hz", AstmTransmissionContourLevel(52.0, 19), 56.0},
        {"E413 at 5000 Hz", AstmTransmissionContourLevel(52.0, 20), nan},
        {"E989 at 100 Hz", ImpactInsulationContourLevel(52.0, 3), 60.0},
        {"E989 at 4000 Hz", ImpactInsulationContourLevel(52.0, 19), nan},
        {"Rw octave curve at 2000 Hz, 4 dB over 500 Hz", SoundReductionReferenceLevel(54.0, 16, 1, 3), 58.0},
        {"Rw octaves at 4000 Hz", SoundReductionReferenceLevel(54.0, 19, 1, 3), nan},
        {"Rw octaves off an octave", SoundReductionReferenceLevel(54.0, 5, 1, 3), nan},
        {"Rw of another set", SoundReductionReferenceLevel(54.0, 10, 2, 3), nan},
        {"Ln,w octave curve at 500 Hz", ImpactReferenceLevel(60.0, 10, 1, 3), 65.0},
        {"Ln,w third octaves at 3150 Hz", ImpactReferenceLevel(60.0, 18, 0, 1), 42.0},
        {"Ln,w of another set", ImpactReferenceLevel(60.0, 10, 0, 3), nan},
    };
    for (const auto& c : cases) {
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(c.level)) << c.what << ": " << c.level;
        else
            EXPECT_TRUE(Near(c.level, c.expected, 1e-9)) << c.what;
    }
}

} // namespace
} // namespace velmora
