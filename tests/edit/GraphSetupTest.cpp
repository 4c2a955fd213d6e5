#include "edit/GraphSetup.h"
#include "model/ResultTexts.h"
#include "model/SpectrumModel.h"

#include "graph/Draw2D.h"
#include "model/ModelTestSupport.h"
#include "support/Tolerance.h"

#include <limits>
#include <vector>

namespace velmora {
namespace {

using test::Near;

TEST(SpectrumModelTest, StartUpSetsUpNineZeroNodesAndTheSurface)
{
    TSpectrumModel model;
    InitModel(model);
    Draw2DClass surface; // no canvas: the fit measures no text

    SetupGraph(model, surface, true);

    ASSERT_EQ(model.Nodes.Count, 9);
    EXPECT_EQ(model.Nodes.Current, 0);
    for (int k = 0; k < model.Nodes.Count; ++k)
        EXPECT_EQ(model.Nodes.Node[k].Y, 0.0f) << k;
    EXPECT_TRUE(Near(model.Nodes.Node[0].X, 143.95, 0.005));
    EXPECT_TRUE(Near(model.Nodes.Node[8].X, 336.33, 0.005));

    using Floats = std::vector<float>;
    EXPECT_EQ((Floats{surface.SnapStep.x, surface.SnapStep.y, surface.GridStep.x, surface.GridStep.y}),
              (Floats{0.1f, 0.1f, 8.0f, 10.0f}));
    EXPECT_EQ((Floats{surface.MarginLeft, surface.MarginRight, surface.MarginTop, surface.MarginBottom}),
              (Floats{3.0f, 0.1f, 0.1f, 1.1f}));
    EXPECT_EQ((Floats{surface.WorldMin.x, surface.WorldMax.x, surface.WorldMin.y, surface.WorldMax.y}),
              (Floats{BandAbscissa(50), BandAbscissa(20000), 0.0f, 120.0f}));
    EXPECT_EQ(StatusText(model), " 63Hz = 0.0dB");
    EXPECT_EQ(ResultText(model), " dBA: 7.2, dBB: 7.5, dBC: 8.6, dBD: 14.2, NR: 7.6");
}

TEST(SpectrumModelTest, SetupGraphKeepingLevelsRebuildsOnlyAbscissaeCountAndCurrent)
{
    TSpectrumModel model = test::Spectrum(BandSet::Third, 0.0f);
    for (int k = 0; k < kBandSlots; ++k) {
        model.Nodes.Node[k] = {-1.0f, static_cast<float>(k)};
        model.OtherLevels[k] = 100.0f + k;
    }
    model.Nodes.Count = 3;
    model.Nodes.Current = 2;
    Draw2DClass surface;

    SetupGraph(model, surface, false);

    ASSERT_EQ(model.Nodes.Count, 27);
    EXPECT_EQ(model.Nodes.Current, 0);
    for (int k = 0; k < model.Nodes.Count; ++k) {
        EXPECT_EQ(model.Nodes.Node[k].X, BandAbscissa(BandFrequency[k])) << k;
        EXPECT_EQ(model.Nodes.Node[k].Y, static_cast<float>(k)) << k;
        EXPECT_EQ(model.OtherLevels[k], 100.0f + k) << k;
    }
}

TEST(SpectrumModelTest, SetGraphExtentsStoresWhatTheGridCanUse)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        GraphExtents given, stored; // each case starts from 0 to 120 in steps of 10
    };
    const Case cases[] = {
        {"reversed ends", {120, 0, 10}, {120, 0, 10}},
        {"equal ends", {50, 50, 5}, {50, 50, 5}},
        {"NaN end", {kNaN, 100, 5}, {0, 100, 5}},
        {"infinite end", {10, kInf, 5}, {10, 120, 5}},
        {"zero increment", {0, 100, 0}, {0, 100, 10}},
        {"negative increment", {0, 100, -5}, {0, 100, 10}},
        {"NaN increment", {0, 100, kNaN}, {0, 100, 10}},
        {"infinite increment", {0, 100, kInf}, {0, 100, 10}},
        {"1000 grid lines", {0, 100, 0.1f}, {0, 100, 0.1f}},
        {"more grid lines than are drawn", {0, 100, 0.09f}, {0, 100, 0.09f}},
        {"span beyond float", {-3e38f, 3e38f, 1e30f}, {-3e38f, 3e38f, 1e30f}},
        {"an increment the file would write as 0.00", {0, 100, 0.004f}, {0, 100, 10}},
    };
    for (const Case& c : cases) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 33.0f);
        Draw2DClass surface;
        SetGraphExtents(model, surface, c.given.MinLevel, c.given.MaxLevel, c.given.LevelIncrement);
        const GraphExtents got = GetGraphExtents(model);
        EXPECT_EQ(got.MinLevel, c.stored.MinLevel) << c.what;
        EXPECT_EQ(got.MaxLevel, c.stored.MaxLevel) << c.what;
        EXPECT_EQ(got.LevelIncrement, c.stored.LevelIncrement) << c.what;
        EXPECT_EQ(model.Nodes.Node[4].Y, 33.0f) << c.what;
        if (c.given.MinLevel == 120) {
            // The surface orders the ends itself.
            EXPECT_EQ(surface.WorldMin.y, 0.0f);
            EXPECT_EQ(surface.WorldMax.y, 120.0f);
        }
    }
}

TEST(SpectrumModelTest, NodeAccessOutsideTheListChangesAndReturnsNothing)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 20.0f);
    for (int i : {-1, model.Nodes.Count}) {
        EXPECT_FALSE(ValidNode(model, i));
        EXPECT_EQ(GetNode(model, i).X, 0.0f) << i;
        EXPECT_EQ(GetNode(model, i).Y, 0.0f) << i;
        SetNodeLevel(model, i, 99.0f);
    }
    EXPECT_EQ(model.Nodes.Node[model.Nodes.Count].Y, 0.0f);

    TSpectrumModel list;
    InitModel(list);
    for (int i = 0; i < kBandSlots; ++i)
        ASSERT_TRUE(AppendNode(list, static_cast<float>(i), 1.0f));
    EXPECT_FALSE(AppendNode(list, 500.0f, 500.0f));
    EXPECT_EQ(list.Nodes.Count, kBandSlots);
    EXPECT_EQ(list.Nodes.Current, kBandSlots - 1);
    EXPECT_EQ(list.Nodes.Node[kBandSlots - 1].X, 29.0f);
}

} // namespace
} // namespace velmora
