#include "edit/SpectrumCommands.h"
#include "model/ResultTexts.h"
#include "model/SpectrumOperations.h"
#include "model/Weighting.h"

#include "graph/Draw2D.h"
#include "graph/SpectrumPlot.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "support/Tolerance.h"

namespace velmora {
namespace {

using test::Near;

/** Counts the repaints an operation asks for instead of drawing. */
class CountingSurface : public Draw2DClass
{
public:
    void Redraw() override { ++redraws; }
    int redraws = 0;
};

/** Levels shown with two decimals agree to within half a unit in the last place. */
constexpr double kPrintedHundredth = 0.005;

/** Slot of the band at frequencyHz in the model's band set; 0 after a failure when there is none. */
int SlotOf(const TSpectrumModel& model, float frequencyHz)
{
    for (int k = 0; k < model.Nodes.Count; ++k)
        if (BandFrequency[BandIndexOfSlot(model, k)] == frequencyHz)
            return k;
    ADD_FAILURE() << frequencyHz << " Hz is not a band of the set";
    return 0;
}

TEST(SpectrumOperationsTest, ToThirdOctaveInterpolatesBothSpectraAgainstLogFrequency)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 70.0f);
    test::SetBandLevel(model, 63, 60.0f);
    test::SetBandLevel(model, 8000, 50.0f);
    test::SetBandLevel(model, 16000, 40.0f);
    // The other spectrum lies 20 dB lower everywhere, so its bands must come out 20 dB lower too.
    for (int m = 0; m < model.Nodes.Count; ++m)
        model.OtherLevels[m] = model.Nodes.Node[m].Y - 20.0f;
    CountingSurface surface;

    ToThirdOctave(model, surface, nullptr);

    ASSERT_EQ(model.Nodes.Count, kBandCount);
    EXPECT_EQ(model.BandStart, kThirdBandStart);
    EXPECT_EQ(model.BandStep, kThirdBandStep);
    EXPECT_EQ(model.Nodes.Current, 0);
    EXPECT_EQ(model.Nodes.Node[26].X, BandAbscissa(20000));
    EXPECT_EQ(surface.redraws, 0);

    const struct {
        float frequencyHz;
        double level;
    } expected[] = {
        {50, 56.63},  {63, 60.0},     {80, 63.49},    {100, 66.74},  {125, 70.0},
        {8000, 50.0}, {10000, 46.78}, {12500, 43.56}, {16000, 40.0}, {20000, 36.78},
    };
    for (const auto& e : expected) {
        const int slot = SlotOf(model, e.frequencyHz);
        EXPECT_TRUE(Near(model.Nodes.Node[slot].Y, e.level, kPrintedHundredth)) << e.frequencyHz;
        EXPECT_TRUE(Near(model.OtherLevels[slot], e.level - 20.0, kPrintedHundredth)) << e.frequencyHz;
    }
}

TEST(SpectrumOperationsTest, OctaveToThirdAndBackGivesTheNineLevelsOfBothSpectraBack)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 0.0f);
    for (int m = 0; m < model.Nodes.Count; ++m) {
        model.Nodes.Node[m].Y = 30.0f + 3.7f * m;
        model.OtherLevels[m] = 90.0f - 2.1f * m * m;
    }
    const TSpectrumModel before = model;
    Draw2DClass surface;

    ToThirdOctave(model, surface, nullptr);
    ToFullOctave(model, surface, nullptr);

    ASSERT_EQ(model.Nodes.Count, 9);
    EXPECT_EQ(model.BandStart, kOctaveBandStart);
    EXPECT_EQ(model.BandStep, kOctaveBandStep);
    for (int m = 0; m < 9; ++m) {
        // Copied, never recomputed: exact.
        EXPECT_EQ(model.Nodes.Node[m].Y, before.Nodes.Node[m].Y) << m;
        EXPECT_EQ(model.Nodes.Node[m].X, before.Nodes.Node[m].X) << m;
        EXPECT_EQ(model.OtherLevels[m], before.OtherLevels[m]) << m;
    }
}

TEST(SpectrumOperationsTest, BandSetChangeFromTheWrongSetChangesNothing)
{
    const struct {
        BandSet set;
        void (*convert)(TSpectrumModel&, Draw2DClass&, ResultView*);
    } cases[] = {{BandSet::Octave, ToFullOctave}, {BandSet::Third, ToThirdOctave}};
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(c.set, 0.0f);
        for (int k = 0; k < kBandSlots; ++k) {
            model.Nodes.Node[k].Y = 10.0f + k;
            model.OtherLevels[k] = 50.0f + k;
        }
        model.Nodes.Current = 2;
        const TSpectrumModel before = model;
        Draw2DClass surface;

        c.convert(model, surface, nullptr);

        EXPECT_EQ(model.BandStart, before.BandStart);
        EXPECT_EQ(model.Nodes.Count, before.Nodes.Count);
        EXPECT_EQ(model.Nodes.Current, 2);
        for (int k = 0; k < kBandSlots; ++k) {
            EXPECT_EQ(model.Nodes.Node[k].Y, before.Nodes.Node[k].Y) << k;
            EXPECT_EQ(model.OtherLevels[k], before.OtherLevels[k]) << k;
        }
    }
}

TEST(SpectrumOperationsTest, SwapSpectraExchangesLevelsAndTypesAndTwiceRestores)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 0.0f);
    for (int m = 0; m < 9; ++m) {
        model.Nodes.Node[m] = {-5.0f, 20.0f + m}; // abscissae to be rebuilt
        model.OtherLevels[m] = 80.0f - m;
    }
    model.Nodes.DataType = AttenuationLevels;
    model.OtherDataType = PowerLevels;
    model.Nodes.Current = 4;
    test::RecordingView view;
    CountingSurface surface;

    SwapSpectra(model, surface, &view);

    for (int m = 0; m < 9; ++m) {
        EXPECT_EQ(model.Nodes.Node[m].X, BandAbscissa(BandFrequency[1 + 3 * m])) << m;
        EXPECT_EQ(model.Nodes.Node[m].Y, 80.0f - m) << m;
        EXPECT_EQ(model.OtherLevels[m], 20.0f + m) << m;
    }
    EXPECT_EQ(model.Nodes.DataType, PowerLevels);
    EXPECT_EQ(model.OtherDataType, AttenuationLevels);
    EXPECT_EQ(model.Nodes.Current, 4);
    EXPECT_EQ(surface.redraws, 1);
    EXPECT_EQ(view.status, " 1000Hz = 76.0dB");
    EXPECT_EQ(view.result.rfind(" dBA: ", 0), 0u) << "ratings line of the new, power-level spectrum";

    SwapSpectra(model, surface, &view);

    for (int m = 0; m < 9; ++m) {
        EXPECT_EQ(model.Nodes.Node[m].Y, 20.0f + m) << m;
        EXPECT_EQ(model.OtherLevels[m], 80.0f - m) << m;
    }
    EXPECT_EQ(model.Nodes.DataType, AttenuationLevels);
    EXPECT_EQ(model.OtherDataType, PowerLevels);
    EXPECT_EQ(surface.redraws, 2);
}

TEST(SpectrumOperationsTest, ApplyExchangesLevelsWithResultsWithoutRecalculating)
{
    const struct {
        int type, after;
    } cases[] = {
        {PressureLevels, PressureLevels},
        {PowerLevels, PressureLevels},
        {AttenuationLevels, AttenuationLevels},
        {CorrectionFactors, CorrectionFactors},
    };
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 40.0f);
        model.Nodes.DataType = c.type;
        for (int m = 0; m < 9; ++m)
            model.Results[m] = 60.0f + m;
        model.WeightedLevel.fill(-7.0f);

        ApplyCalculatedResults(model);

        for (int m = 0; m < 9; ++m) {
            EXPECT_EQ(model.Nodes.Node[m].Y, 60.0f + m) << m;
            EXPECT_EQ(model.Results[m], 40.0f) << m;
        }
        EXPECT_EQ(model.Nodes.DataType, c.after) << c.type;
        EXPECT_EQ(model.WeightedLevel[WeightA], -7.0f) << "the ratings still describe the previous levels";
    }
}

TEST(SpectrumOperationsTest, ApplyTwiceWithItsRepaintsRestoresOnlyForTheCombinedResults)
{
    const struct {
        int mode;
        float weightTimes; // how often the A weighting ends up applied to the levels
    } cases[] = {{HighlightResults, 0.0f}, {HighlightA, 2.0f}};
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.0f);
        model.Nodes.DataType = PowerLevels;
        model.HighlightMode = c.mode;
        Draw2DClass surface; // no canvas: nothing is drawn
        StoreResults(model);

        for (int pass = 0; pass < 2; ++pass)
            ApplyResults(model, surface, nullptr);

        EXPECT_EQ(model.Nodes.DataType, PressureLevels) << c.mode;
        for (int m = 0; m < 9; ++m) {
            const double expected = 50.0 + c.weightTimes * BandWeighting[WeightA][1 + 3 * m];
            EXPECT_TRUE(Near(model.Nodes.Node[m].Y, expected, test::kFloatTolerance))
                << "mode " << c.mode << " slot " << m;
        }
    }
}

TEST(SpectrumOperationsTest, ToggleHighlightTurnsAModeOnOrOff)
{
    const struct {
        int from, tag, to;
    } cases[] = {
        {HighlightB, HighlightB, HighlightNone},
        {HighlightB, HighlightResults, HighlightResults},
        {HighlightNone, HighlightNR, HighlightNR},
        {HighlightNR, HighlightNR, HighlightNone},
    };
    for (const auto& c : cases) {
        TSpectrumModel model;
        model.HighlightMode = c.from;
        EXPECT_EQ(ToggleHighlight(model, c.tag), c.to) << c.from << " " << c.tag;
        EXPECT_EQ(model.HighlightMode, c.to);
    }
}

TEST(SpectrumOperationsTest, ChangeDataTypeRecalculatesAndRedrawsOnlyForCombinedResults)
{
    const struct {
        int mode, type;
        bool changed;
        int redraws;
    } cases[] = {
        {HighlightNone, AttenuationLevels, true, 0},
        {HighlightResults, AttenuationLevels, true, 1},
        {HighlightSTC, AttenuationLevels, true, 0},
        {HighlightResults, PressureLevels, false, 0}, // already the type
        {HighlightResults, 4, false, 0},
        {HighlightResults, -1, false, 0},
    };
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 40.0f);
        model.HighlightMode = c.mode;
        model.STC = -99.0f; // not a rating: shows whether the ratings were recalculated
        test::RecordingView view;
        CountingSurface surface;

        EXPECT_EQ(ChangeDataType(model, surface, &view, c.type), c.changed) << c.type;

        EXPECT_EQ(model.Nodes.DataType, c.changed ? c.type : PressureLevels);
        EXPECT_EQ(surface.redraws, c.redraws) << c.mode << " " << c.type;
        EXPECT_EQ(model.STC != -99.0f, c.changed) << c.type;
        EXPECT_EQ(view.result, c.changed ? ResultText(model) : "untouched") << c.type;
        if (c.changed) {
            EXPECT_EQ(view.result.rfind(" Sound Transmission Class (STC): ", 0), 0u);
        }
    }
}

} // namespace
} // namespace velmora
