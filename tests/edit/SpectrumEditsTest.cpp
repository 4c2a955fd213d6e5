#include "edit/SpectrumEdits.h"

#include "edit/LevelEdit.h"
#include "io/TabularLevels.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "model/SpectrumOperations.h"
#include "model/Weighting.h"
#include "support/Tolerance.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <random>

namespace velmora {
namespace {

using test::Near;
using test::RatingBits;
using test::SameData;

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

TabularLevels Table(const std::string& text)
{
    TabularLevels levels;
    TabularError error;
    EXPECT_TRUE(ReadTabularLevels(text, levels, error)) << error.message;
    return levels;
}

/** Every kind of edit, made from the model as it stands. */
const std::vector<std::pair<const char*, std::function<std::unique_ptr<EditCommand>(const TSpectrumModel&)>>>&
EditMakers()
{
    static const std::vector<
        std::pair<const char*, std::function<std::unique_ptr<EditCommand>(const TSpectrumModel&)>>>
        makers = {
            {"swap", [](const TSpectrumModel&) { return MakeSwapEdit(); }},
            {"data type",
             [](const TSpectrumModel& m) { return MakeDataTypeEdit(m, (m.Nodes.DataType + 1) % 4); }},
            {"apply results", [](const TSpectrumModel& m) { return MakeApplyResultsEdit(m); }},
            {"third octaves", [](const TSpectrumModel& m) { return MakeBandSetEdit(m, BandSet::Third); }},
            {"octaves", [](const TSpectrumModel& m) { return MakeBandSetEdit(m, BandSet::Octave); }},
            {"reset", [](const TSpectrumModel& m) { return MakeResetEdit(m); }},
            {"paste",
             [](const TSpectrumModel& m) { return MakeLevelsEdit(m, Table("1250 70\n"), "Paste Levels"); }},
            {"typed level",
             [](const TSpectrumModel& m) { return MakeLevelEdit(m, 42.5f, LevelEditKind::Typed); }},
            {"key step", [](const TSpectrumModel& m) { return MakeKeyStep(m, true, true); }},
        };
    return makers;
}

TEST(SpectrumEditsTest, EveryEditRevertsBitForBitRedoesAsItDidAndLeavesTheRatingsCurrent)
{
    std::mt19937 random(11);
    for (int run = 0; run < 200; ++run) {
        for (const auto& [name, make] : EditMakers()) {
            TSpectrumModel model = test::RandomModel(random, true);
            const TSpectrumModel before = model;
            std::unique_ptr<EditCommand> edit = make(model);
            if (!edit)
                continue;
            edit->Apply(model);
            const TSpectrumModel applied = model;
            EXPECT_TRUE(IsConsistent(model)) << name;
            // The ratings are those of the new levels, computed in the one recalculation.
            TSpectrumModel fresh = model;
            Recalculate(fresh);
            EXPECT_EQ(RatingBits(fresh.Ratings), RatingBits(model.Ratings)) << name;

            edit->Revert(model);
            EXPECT_TRUE(SameData(model, before)) << name << " run " << run;
            edit->Apply(model);
            EXPECT_TRUE(SameData(model, applied)) << name << " run " << run;
            EXPECT_EQ(model.Results, applied.Results) << name;
        }
    }
}

TEST(SpectrumEditsTest, AMakerReturnsNothingForAnEditThatWouldChangeNothing)
{
    TSpectrumModel octaves = test::Spectrum(BandSet::Octave, 30.0f);
    TSpectrumModel odd = octaves;
    odd.BandStep = 2;
    const struct {
        const char* what;
        std::unique_ptr<EditCommand> edit;
    } cases[] = {
        {"octaves already", MakeBandSetEdit(octaves, BandSet::Octave)},
        {"no band set", MakeBandSetEdit(octaves, BandSet::Unknown)},
        {"thirds from no known set", MakeBandSetEdit(odd, BandSet::Third)},
        {"the type in force", MakeDataTypeEdit(octaves, PressureLevels)},
        {"no data type", MakeDataTypeEdit(octaves, 4)},
        {"no results overlay", MakeApplyResultsEdit(octaves)},
        {"paste into no known set", MakeLevelsEdit(odd, Table("1000 70\n"), "Paste Levels")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.edit, nullptr) << c.what;
    octaves.Nodes.Current = -1;
    EXPECT_EQ(MakeKeyStep(octaves, true, false), nullptr) << "no current node";
    EXPECT_EQ(MakeLevelEdit(octaves, 10.0f, LevelEditKind::Typed), nullptr);
}

TEST(SpectrumEditsTest, SwapExchangesLevelsAndTypesAndKeepsTheCurrentNode)
{
    std::mt19937 random(12);
    TSpectrumModel model = test::RandomModel(random, true);
    model.Nodes.DataType = AttenuationLevels;
    model.OtherDataType = PowerLevels;
    const TSpectrumModel before = model;
    MakeSwapEdit()->Apply(model);
    for (int k = 0; k < model.Nodes.Count; ++k)
        EXPECT_TRUE(model.Nodes.Node[k].Y == before.OtherLevels[k] &&
                    model.OtherLevels[k] == before.Nodes.Node[k].Y)
            << k;
    EXPECT_EQ(model.Nodes.DataType, PowerLevels);
    EXPECT_EQ(model.OtherDataType, AttenuationLevels);
    EXPECT_EQ(model.Nodes.Current, before.Nodes.Current);
}

TEST(SpectrumEditsTest, ApplyTwiceRestoresOnlyForTheCombinedResults)
{
    const struct {
        int mode;
        float weightTimes; // how often the A weighting ends up applied to the levels
    } cases[] = {{HighlightResults, 0.0f}, {HighlightA, 2.0f}};
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.0f);
        model.Nodes.DataType = PowerLevels;
        model.HighlightMode = c.mode;
        Recalculate(model);

        for (int pass = 0; pass < 2; ++pass)
            MakeApplyResultsEdit(model)->Apply(model);

        EXPECT_EQ(model.Nodes.DataType, PressureLevels) << c.mode;
        for (int m = 0; m < 9; ++m) {
            const double expected = 50.0 + c.weightTimes * BandWeighting[WeightA][1 + 3 * m];
            EXPECT_TRUE(Near(model.Nodes.Node[m].Y, expected, test::kFloatTolerance))
                << "mode " << c.mode << " slot " << m;
        }
    }
}

TEST(SpectrumEditsTest, PastedLevelsKeepTheNodesUnlessTheBandSetChanges)
{
    const struct {
        const char* text;
        int count;
        int current; // the current node afterwards
    } cases[] = {
        {"1000\t70\n", 9, 4},
        {"80\n81\n82\n83\n84\n85\n86\n87\n88\n", 9, 4},
        {"1250 70\n", 27, 0},
    };
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 30.0f);
        model.Nodes.Current = 4;
        const std::unique_ptr<EditCommand> edit = MakeLevelsEdit(model, Table(c.text), "Paste Levels");
        ASSERT_NE(edit, nullptr) << c.text;
        EXPECT_EQ(edit->Text(), "Paste Levels");
        edit->Apply(model);
        EXPECT_EQ(model.Nodes.Count, c.count) << c.text;
        EXPECT_EQ(model.Nodes.Current, c.current) << c.text;
    }
}

TEST(SpectrumEditsTest, KeyStepsOnOneNodeMergeAndUpThenDownLeavesNothing)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 12.34f);
    model.Nodes.Current = 2;
    std::unique_ptr<LevelEdit> first = MakeKeyStep(model, true, false);
    EXPECT_EQ(first->Text(), "Level of 250Hz");
    first->Apply(model);
    // Up fine, down fine and down again: each step is absorbed and the merged one ends where the last does.
    for (const auto& [up, fine] : {std::pair{true, true}, std::pair{false, true}, std::pair{false, false}}) {
        std::unique_ptr<LevelEdit> next = MakeKeyStep(model, up, fine);
        next->Apply(model);
        EXPECT_TRUE(first->Absorb(*next)) << up << fine;
    }
    EXPECT_TRUE(Near(first->After(), 12.3, test::kFloatTolerance));
    EXPECT_TRUE(first->Changes()) << "12.34 down to 12.3 is still a change";

    // Other nodes, drags and typed levels stay steps of their own.
    model.Nodes.Current = 3;
    EXPECT_FALSE(first->Absorb(*MakeKeyStep(model, true, false)));
    model.Nodes.Current = 2;
    EXPECT_FALSE(first->Absorb(*MakeLevelEdit(model, 5.0f, LevelEditKind::Drag)));
    EXPECT_FALSE(MakeLevelEdit(model, 5.0f, LevelEditKind::Typed)->Absorb(*MakeKeyStep(model, true, false)));
    EXPECT_FALSE(MakeLevelEdit(model, model.Nodes.Node[2].Y, LevelEditKind::Drag)->Changes());
}

TEST(SpectrumEditsTest, KeyStepsLandOnTheTenthGridFromAnyLevel)
{
    const struct {
        float level;
        bool up, fine;
        double after;
    } cases[] = {
        {12.34f, true, false, 13.3},
        {12.34f, true, true, 12.4},
        {12.34f, false, false, 11.3},
        {12.34f, false, true, 12.2},
        {-12.34f, true, false, -11.3},
        {12.36f, true, true, 12.5},
        {99.96f, false, true, 99.9},
        {3e38f, true, false, 3e38},
        // Shown without a number: stepping starts from 0, so the keys lead back to a real level.
        {std::numeric_limits<float>::quiet_NaN(), true, false, 1.0},
        {std::numeric_limits<float>::infinity(), false, true, -0.1},
    };
    for (const auto& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 40.0f);
        model.Nodes.Node[1].Y = c.level;
        model.Nodes.Current = 1;
        MakeKeyStep(model, c.up, c.fine)->Apply(model);
        const double tolerance = std::abs(c.after) * 1e-6 + test::kFloatTolerance;
        EXPECT_TRUE(Near(model.Nodes.Node[1].Y, c.after, tolerance)) << c.level;
        EXPECT_EQ(model.Nodes.Node[0].Y, 40.0f);
    }
}

TEST(SpectrumEditsTest, ToThirdOctaveInterpolatesBothSpectraAgainstLogFrequencyAndBackGivesTheNineLevels)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 70.0f);
    test::SetBandLevel(model, 63, 60.0f);
    test::SetBandLevel(model, 8000, 50.0f);
    test::SetBandLevel(model, 16000, 40.0f);
    // The other spectrum lies 20 dB lower everywhere, so its bands must come out 20 dB lower too.
    for (int m = 0; m < model.Nodes.Count; ++m)
        model.OtherLevels[m] = model.Nodes.Node[m].Y - 20.0f;
    model.OtherLevels[2] = 31.7f; // off the line at 250 Hz, so that a level read back from a wrong band shows
    const TSpectrumModel octaves = model;
    MakeBandSetEdit(model, BandSet::Third)->Apply(model);

    ASSERT_EQ(model.Nodes.Count, kBandCount);
    EXPECT_EQ(model.BandStart, kThirdBandStart);
    EXPECT_EQ(model.BandStep, kThirdBandStep);
    EXPECT_EQ(model.Nodes.Current, 0);
    EXPECT_EQ(model.Nodes.Node[26].X, BandAbscissa(20000));

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
    // Back to octaves: the nine levels of both spectra are copied back, never recomputed.
    MakeBandSetEdit(model, BandSet::Octave)->Apply(model);
    EXPECT_EQ(model.BandStart, kOctaveBandStart);
    EXPECT_EQ(model.BandStep, kOctaveBandStep);
    ASSERT_EQ(model.Nodes.Count, 9);
    for (int m = 0; m < 9; ++m) {
        EXPECT_TRUE(model.Nodes.Node[m].X == octaves.Nodes.Node[m].X &&
                    model.Nodes.Node[m].Y == octaves.Nodes.Node[m].Y &&
                    model.OtherLevels[m] == octaves.OtherLevels[m])
            << m;
    }
}

} // namespace
} // namespace velmora
