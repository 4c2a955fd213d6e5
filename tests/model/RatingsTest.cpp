#include "model/Ratings.h"
#include "model/ResultTexts.h"
#include "model/Weighting.h"

#include "model/ModelTestSupport.h"
#include "model/SpectrumModel.h"
#include "support/Tolerance.h"

#include <cmath>
#include <limits>

namespace velmora {
namespace {

using test::kPrintedTenth;
using test::Near;
using test::SetBandLevel;
using test::Spectrum;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(RatingsTest, WeightedLevelsAndNoiseRating)
{
    struct Case {
        BandSet set;
        float level, bandHz, bandLevel; // bandHz 0: no odd band
        double a, b, c, d, nr;
    };
    const Case cases[] = {
        {BandSet::Octave, 0, 0, 0, 7.2, 7.5, 8.6, 14.2, 7.6},
        {BandSet::Third, 0, 0, 0, 11.9, 12.3, 13.3, 19.1, 7.6},
        {BandSet::Octave, 50, 0, 0, 57.2, 57.5, 58.6, 64.2, 56.3},
        {BandSet::Third, 50, 0, 0, 61.9, 62.3, 63.3, 69.1, 56.3},
        {BandSet::Octave, 0, 1000, 100, 100.0, 100.0, 100.0, 100.0, 100.0},
        {BandSet::Octave, -40, 0, 0, -32.8, -32.5, -31.4, -25.8, 0.0}, // NR never below 0
    };
    for (const Case& c : cases) {
        TSpectrumModel model = Spectrum(c.set, c.level);
        if (c.bandHz > 0)
            SetBandLevel(model, c.bandHz, c.bandLevel);
        Recalculate(model);
        const double expected[] = {c.a, c.b, c.c, c.d};
        for (int w = WeightA; w <= WeightD; ++w)
            EXPECT_TRUE(Near(model.WeightedLevel[w], expected[w], kPrintedTenth)) << c.level << " w" << w;
        EXPECT_TRUE(Near(model.NR, c.nr, kPrintedTenth)) << c.level;
    }
}

TEST(RatingsTest, NoiseRatingCurvesBetweenAndBeyondTheOctaves)
{
    // A band on the NR 100 curve rates 100; 80 Hz lies between the 63 and 125 Hz curves, 50 Hz
    // and 20 kHz are extrapolated from their neighbouring octaves.
    const float cases[][2] = {{50, 116.69f}, {80, 113.257f}, {1000, 100}, {20000, 94.93f}};
    for (const auto& [hz, level] : cases) {
        TSpectrumModel model = Spectrum(BandSet::Third, 0.0f);
        SetBandLevel(model, hz, level);
        Recalculate(model);
        EXPECT_TRUE(Near(model.NR, 100.0, 0.02)) << hz << " Hz";
    }
}

TEST(RatingsTest, CombinedResultsByDataType)
{
    struct Case {
        int edited, other;
        float y, o;
        double result;
    };
    const Case cases[] = {
        {PressureLevels, PressureLevels, 60, 60, 66.0206}, // amplitudes
        {PowerLevels, PowerLevels, 60, 60, 63.0103},       // energies
        {PressureLevels, PowerLevels, 80, 90, 90.7422},    // the pressure level lowered by K
        {PowerLevels, PressureLevels, 80, 90, 85.5387},
        {AttenuationLevels, PowerLevels, 20, 80, 60},
        {PressureLevels, AttenuationLevels, 80, 20, 60},
        {CorrectionFactors, PressureLevels, 5, 80, 85},
        {PowerLevels, CorrectionFactors, 80, 5, 85},
        {AttenuationLevels, AttenuationLevels, 30, 10, 20},
        {CorrectionFactors, AttenuationLevels, 5, 20, -15},
        {AttenuationLevels, CorrectionFactors, 5, 20, 25},
        {PressureLevels, PressureLevels, 7000, 7000, 7006.0206}, // terms beyond double range
        {7, PressureLevels, 42, 80, 42},                         // unknown types keep the edited level
        {PressureLevels, -1, 42, 80, 42},
    };
    for (const Case& c : cases) {
        TSpectrumModel model = Spectrum(BandSet::Octave, c.y);
        model.Nodes.DataType = c.edited;
        model.OtherDataType = c.other;
        model.OtherLevels.fill(c.o);
        CalcResults(model);
        for (int k = 0; k < model.Nodes.Count; ++k)
            EXPECT_TRUE(Near(model.Results[k], c.result, 1e-4 * (1 + std::fabs(c.result))))
                << c.edited << "/" << c.other << " slot " << k;
    }
}

TEST(RatingsTest, RecalculateKeepsTheResultsOfLevelDependentOverlays)
{
    for (int mode = HighlightNone; mode <= HighlightNR; ++mode) {
        TSpectrumModel model = Spectrum(BandSet::Octave, 60.0f);
        model.OtherLevels.fill(60.0f);
        model.Results.fill(-7.0f);
        model.HighlightMode = mode;
        Recalculate(model);
        // The weighting overlays show the weighted spectrum, the others the combined one.
        double expected = mode <= HighlightResults ? 66.0206 : -7.0;
        if (mode >= HighlightA && mode <= HighlightD)
            expected = 60.0 + BandWeighting[mode - 1][kOctaveBandStart];
        EXPECT_TRUE(Near(model.Results[0], expected, 1e-4)) << mode;
    }
}

TEST(RatingsTest, TheTextLinesReadTheRecalculatedModel)
{
    for (int current : {-1, 9, 3}) {
        TSpectrumModel model = Spectrum(BandSet::Octave, 0.0f);
        model.Nodes.Current = current;
        Recalculate(model);
        EXPECT_EQ(StatusText(model), current == 3 ? " 500Hz = 0.0dB" : "") << current;
        EXPECT_EQ(ResultText(model), " dBA: 7.2, dBB: 7.5, dBC: 8.6, dBD: 14.2, NR: 7.6") << current;
    }
}

TEST(RatingsTest, TheDataTypeChoosesOnlyTheText)
{
    TSpectrumModel model = Spectrum(BandSet::Third, 50.0f);
    model.Nodes.DataType = AttenuationLevels;
    Recalculate(model);
    EXPECT_EQ(ResultText(model), " Sound Transmission Class (STC): 53.0");
    EXPECT_TRUE(Near(model.WeightedLevel[WeightA], 61.9, kPrintedTenth));
}

TEST(RatingsTest, WeightedLevelsBeyondTheSinglePrecisionSum)
{
    // 10^(L/10) leaves the float range above about 385 dB; the level must still shift with L.
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        TSpectrumModel base = Spectrum(set, 0.0f);
        Recalculate(base);
        for (float shift : {400.0f, 5000.0f, 1e6f}) {
            TSpectrumModel model = Spectrum(set, shift);
            Recalculate(model);
            for (int w = WeightA; w <= WeightD; ++w)
                EXPECT_TRUE(Near(model.WeightedLevel[w], shift + base.WeightedLevel[w], 1e-7 * shift + 1e-3));
        }
    }
}

TEST(RatingsTest, NonFiniteBandsAreLeftOutOfTheRatings)
{
    // Left out, a band rates like one far above every curve and contour.
    TSpectrumModel high = Spectrum(BandSet::Third, 50.0f);
    SetBandLevel(high, 1000, 200.0f);
    Recalculate(high);
    TSpectrumModel silent = Spectrum(BandSet::Third, 50.0f);
    SetBandLevel(silent, 1000, -1000.0f);
    Recalculate(silent);

    for (float level : {kNaN, kInf, -kInf}) {
        TSpectrumModel model = Spectrum(BandSet::Third, 50.0f);
        SetBandLevel(model, 1000, level);
        Recalculate(model);
        EXPECT_EQ(model.STC, high.STC) << level;
        EXPECT_TRUE(Near(model.NR, 56.3, kPrintedTenth)) << level;
        if (level == -kInf) { // no energy at all
            EXPECT_EQ(model.WeightedLevel, silent.WeightedLevel);
        } else {
            EXPECT_EQ(ResultText(model), " dBA: -, dBB: -, dBC: -, dBD: -, NR: 56.3") << level;
        }
    }

    TSpectrumModel none = Spectrum(BandSet::Octave, kNaN);
    Recalculate(none);
    EXPECT_EQ(none.NR, 0.0f);
    EXPECT_EQ(none.STC, 10.0f); // highest level taken as 0, and no band to fail the first trial
}

} // namespace
} // namespace velmora
