#include "model/TransmissionClass.h"
#include "model/Interpolate.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "support/Tolerance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>

namespace velmora {
namespace {

using test::Near;
using test::SetBandLevel;
using test::Spectrum;

/**
 * The rating search written out plainly: one pass per dB from 10 dB above the highest level, on
 * the levels' decimal values (tenths, as they are entered) in long double, a deficiency or total
 * within 0.001 dB of its limit counting as on it; -1 when no rating from the start down to 0 passes.
 */
double ReferenceStc(const TSpectrumModel& model)
{
    const double breakHz[4] = {125, 400, 1250, 5000};
    const int bands = BandCount(model.BandStart, model.BandStep);
    double highest = model.Nodes.Node[0].Y;
    for (int k = 0; k < bands; ++k)
        highest = std::max<double>(highest, model.Nodes.Node[k].Y);
    double s = std::trunc(highest) + 10;
    while (s >= 0) {
        const double breakLevel[4] = {s - 20, s - 5, s, s};
        long double total = 0;
        for (int k = 0; k < bands; ++k) {
            const int i = BandIndexOfSlot(model, k);
            if (i < 4)
                continue;
            if (i >= 21)
                break;
            const double f = BandFrequency[i];
            int j = 0;
            if (f > 399)
                j = 1;
            if (f > 1249)
                j = 2;
            const double c = Interpolate(std::log10(f), std::log10(breakHz[j]), std::log10(breakHz[j + 1]),
                                         breakLevel[j], breakLevel[j + 1]);
            const long double level = std::round(model.Nodes.Node[k].Y * 10.0L) / 10.0L;
            const long double d = c - level;
            if (d > 8.0L / model.BandStep + 0.001L) {
                total += 32 + d;
                break;
            }
            if (d > 0)
                total += d;
        }
        if (total < 32.0L / model.BandStep - 0.001L)
            break;
        s -= 1;
    }
    return std::max(s, -1.0);
}

/** A spectrum at one level with, optionally, one band at another, and its rating. */
struct StcCase {
    const char* what;
    BandSet set;
    float level, bandHz, bandLevel; // bandHz 0: no odd band
    double stc;
};

/** Rates each case's spectrum and compares. */
void ExpectRatings(std::span<const StcCase> cases)
{
    for (const StcCase& c : cases) {
        TSpectrumModel model = Spectrum(c.set, c.level);
        if (c.bandHz > 0)
            SetBandLevel(model, c.bandHz, c.bandLevel);
        Recalculate(model);
        EXPECT_EQ(model.STC, static_cast<float>(c.stc)) << c.what;
    }
}

TEST(TransmissionClassTest, Ratings)
{
    const StcCase cases[] = {
        {"start-up", BandSet::Octave, 0, 0, 0, 2},
        {"third octave at 0 dB", BandSet::Third, 0, 0, 0, 3},
        {"octave at 50 dB", BandSet::Octave, 50, 0, 0, 52},
        {"third octave at 50 dB", BandSet::Third, 50, 0, 0, 53},
        {"500 Hz dip breaks the band limit at 53", BandSet::Third, 60, 500, 40, 52},
        {"400 Hz exactly 8 dB below the contour meets it", BandSet::Third, 60, 400, 49, 62},
        {"2000 Hz dip fails every rating", BandSet::Third, 0, 2000, -30, -1},
        {"2000 Hz dip fails every rating", BandSet::Octave, 0, 2000, -30, -1},
        {"a search that would start below 0 finds nothing", BandSet::Octave, -25.5f, 0, 0, -1},
        {"every level at -20 dB", BandSet::Third, -20, 0, 0, -1},
        {"highest level -10.9 dB starts at 0", BandSet::Third, -10.9f, 0, 0, -1},
    };
    ExpectRatings(cases);
}

TEST(TransmissionClassTest, ASumOfExactly32IsAtTheLimit)
{
    // In single precision these deficiencies at STC 31 add up to 31.999997 dB, which a plain
    // "less than 32" takes for a pass; in decimal they make 32.0, the limit, and 31 fails.
    const float plateau[] = {27.7f, 28.7f, 23.6f, 27.7f, 26.3f, 23.9f, 27.1f}; // 1250 to 5000 Hz
    TSpectrumModel model = Spectrum(BandSet::Third, 46.0f);
    for (int k = 0; k < 7; ++k)
        model.Nodes.Node[14 + k].Y = plateau[k];
    Recalculate(model);
    EXPECT_EQ(model.STC, 30.0f);
    EXPECT_EQ(model.STC, ReferenceStc(model));
    // 0.1 dB more in any one band brings the sum at 31 just under the limit.
    model.Nodes.Node[14].Y = 27.8f;
    Recalculate(model);
    EXPECT_EQ(model.STC, 31.0f);
}

TEST(TransmissionClassTest, ContourBreakPoints)
{
    struct Case {
        double hz;
        double offset;
    };
    const Case cases[] = {{125, -20}, {400, -5}, {500, -4.02}, {1250, 0}, {4000, 0}, {5000, 0}, {63, -28.84}};
    for (const Case& c : cases)
        EXPECT_TRUE(Near(StcContourLevel(47.0, c.hz), 47.0 + c.offset, 0.005)) << c.hz << " Hz";
}

TEST(TransmissionClassTest, MatchesThePlainSearchOverManySpectra)
{
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        // Flat spectra, and the same with dips added one after another.
        for (int level = -15; level <= 120; ++level) {
            TSpectrumModel model = Spectrum(set, static_cast<float>(level) + 0.3f);
            Recalculate(model);
            EXPECT_EQ(model.STC, ReferenceStc(model)) << "flat " << level;
            for (float dipHz : {125.0f, 500.0f, 2000.0f, 4000.0f}) {
                SetBandLevel(model, dipHz, level - 12.5f);
                Recalculate(model);
                EXPECT_EQ(model.STC, ReferenceStc(model)) << "dip at " << dipHz << ", " << level;
            }
        }
        std::minstd_rand random(set == BandSet::Third ? 7 : 8);
        for (int run = 0; run < 400; ++run) {
            TSpectrumModel model = Spectrum(set, 0.0f);
            const int low = -500 + run % 60 * 10;
            const auto spread = static_cast<std::uint_fast32_t>(100 + run % 100 * 10);
            for (int k = 0; k < model.Nodes.Count; ++k) // tenths of a dB, as the pointer snaps
                model.Nodes.Node[k].Y =
                    static_cast<float>((low + static_cast<int>(random() % spread)) / 10.0);
            Recalculate(model);
            EXPECT_EQ(model.STC, ReferenceStc(model)) << "run " << run;
        }
        // Whole decibels put bands exactly on the contour's break points and the limits.
        for (int run = 0; run < 400; ++run) {
            TSpectrumModel model = Spectrum(set, 0.0f);
            for (int k = 0; k < model.Nodes.Count; ++k)
                model.Nodes.Node[k].Y = static_cast<float>(40 + static_cast<int>(random() % 25));
            Recalculate(model);
            EXPECT_EQ(model.STC, ReferenceStc(model)) << "whole decibels, run " << run;
        }
    }
}

TEST(TransmissionClassTest, TheExplanationAddsUpAndSaysWhyTheNextClassFails)
{
    std::minstd_rand random(5);
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        for (int run = 0; run < 300; ++run) {
            TSpectrumModel model = Spectrum(set, 0.0f);
            for (int k = 0; k < model.Nodes.Count; ++k)
                model.Nodes.Node[k].Y = static_cast<float>(30 + static_cast<int>(random() % 400) / 10.0);
            const TransmissionClassRating rating =
                RateTransmissionClass(EditedLevels(model), model.BandStart, model.BandStep);
            ASSERT_EQ(rating.bandCount, set == BandSet::Third ? 17 : 6);
            double sum = 0.0;
            for (int j = 0; j < rating.bandCount; ++j) {
                const StcBand& band = rating.bands[j];
                EXPECT_DOUBLE_EQ(band.contour, StcContourLevel(rating.STC, BandFrequency[band.band]));
                EXPECT_LE(band.deficiency, rating.bandLimit) << "the rating meets every band's limit";
                sum += band.deficiency;
            }
            EXPECT_DOUBLE_EQ(rating.deficiencySum, sum);
            EXPECT_LT(rating.deficiencySum, rating.sumLimit);
            // One class up fails by the per-band rule or by the sum, and the explanation says which.
            EXPECT_TRUE(rating.nextRuleBand >= 0 || rating.nextDeficiencySum >= rating.sumLimit) << run;
        }
    }
}

TEST(TransmissionClassTest, ExtremeLevelsReturnAtOnce)
{
    // Searching one dB at a time from 10 dB above a 1e9 dB band would take a billion passes.
    const StcCase cases[] = {
        {"1e9 dB outside the rated bands", BandSet::Third, 0, 63, 1e9f, 3},
        {"everything at 1e9 dB", BandSet::Third, 1e9f, 0, 0, 1e9 + 3},
        {"everything at -1e9 dB", BandSet::Third, -1e9f, 0, 0, -1},
        {"-1e9 dB in a rated band", BandSet::Third, 0, 2000, -1e9f, -1},
        {"1e9 dB above a -1e9 dB dip", BandSet::Octave, 1e9f, 500, -1e9f, -1},
        // Its first trial fails, and 1e16 - 1 is 1e16 again in double.
        {"flat at 1e16 dB", BandSet::Third, 1e16f, 0, 0, 1e16},
    };
    ExpectRatings(cases);
}

TEST(TransmissionClassTest, ABandFarAboveTheContourRatesLikeOneJustAboveIt)
{
    // The plain search cannot run from these heights, but it can from 200 dB, which is already
    // clear of every contour the other bands allow.
    const float heights[] = {1e9f, 1e20f, std::numeric_limits<float>::max()};
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        for (float hz : {125.0f, 1000.0f, 4000.0f}) {
            TSpectrumModel reference = Spectrum(set, 20.0f);
            SetBandLevel(reference, hz, 200.0f);
            const double expected = ReferenceStc(reference);
            for (float height : heights) {
                TSpectrumModel model = Spectrum(set, 20.0f);
                SetBandLevel(model, hz, height);
                Recalculate(model);
                EXPECT_EQ(model.STC, expected) << hz << " Hz at " << height;
            }
        }
    }
}

} // namespace
} // namespace velmora
