#include "edit/NodeEditing.h"

#include "edit/AppliedEditor.h"
#include "edit/LevelEdit.h"
#include "graph/Draw2D.h"
#include "graph/RecordingCanvas.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "support/Tolerance.h"

#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <vector>

namespace velmora {
namespace {

using test::Near;
using Segment = test::RecordingCanvas::Segment;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

/** Also records the pen and the raster mode each line was drawn with. */
class PenCanvas : public test::RecordingCanvas
{
public:
    struct Pen {
        Colour colour;
        PenStyle style;
        int width;
    };
    void SetPen(Colour colour, PenStyle style, int width) override { pens.push_back({colour, style, width}); }
    void LineTo(int x, int y) override
    {
        lineModes.push_back(mode);
        RecordingCanvas::LineTo(x, y);
    }

    std::vector<Pen> pens;
    std::vector<RasterMode> lineModes;
};

class CountingSurface : public Draw2DClass
{
public:
    void Redraw() override { ++redraws; }
    int redraws = 0;
};

/**
 * A surface whose pixels are world units: world (x, y) lies on pixel (x, 200 - y), so pixel
 * distances in the tests are exact.
 */
class NodeEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitModel(model);
        surface.SetCanvas(&canvas, nullptr);
        surface.Width = 400;
        surface.Height = 200;
        surface.SetSnap(0.1f, 0.1f);
    }

    /** The edited spectrum as exactly these nodes, with current as the current one. */
    void SetNodes(std::initializer_list<TNode> nodes, int current = -1)
    {
        InitNodeList(model.Nodes);
        for (const TNode& node : nodes)
            AppendNode(model, node.X, node.Y);
        model.Nodes.Current = current;
    }

    float LevelOf(int i) const { return model.Nodes.Node[i].Y; }

    TSpectrumModel model;
    PenCanvas canvas;
    CountingSurface surface;
    test::AppliedEditor editor{model, surface};
};

bool SameSegment(const Segment& a, const Segment& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

TEST_F(NodeEditingTest, PickNodeFindsTheNearestNodeWithinTenPixelsOrASegment)
{
    const struct {
        const char* what;
        std::vector<TNode> nodes;
        int px, py;
        int result, current;
    } cases[] = {
        {"exactly 10 pixels away", {{100, 50}, {200, 50}}, 106, 158, PickedNode, 0},
        {"10.5 pixels away", {{100.5f, 50}, {200, 50}}, 90, 150, PickedNothing, -1},
        {"equally near: the later node", {{100, 50}, {110, 50}, {300, 50}}, 105, 150, PickedNode, 1},
        {"the nearer node, though earlier", {{100, 50}, {108, 50}}, 103, 150, PickedNode, 0},
        {"on the line between two nodes", {{100, 50}, {200, 50}}, 150, 152, PickedSegment, -1},
        {"on a sloping line", {{100, 50}, {200, 150}}, 150, 100, PickedSegment, -1},
        {"away from everything", {{100, 50}, {200, 50}}, 150, 100, PickedNothing, -1},
        {"no nodes", {}, 100, 150, PickedNothing, -1},
        {"a NaN node is not there", {{100, kNaN}, {130, 50}}, 100, 150, PickedNothing, -1},
        {"nor its segments", {{100, 50}, {130, kNaN}, {160, 50}}, 115, 150, PickedNothing, -1},
        {"an infinite node neither", {{100, kInf}, {130, 50}}, 130, 141, PickedNode, 1},
    };
    for (const auto& c : cases) {
        InitNodeList(model.Nodes);
        for (const TNode& node : c.nodes)
            AppendNode(model, node.X, node.Y);
        model.Nodes.Current = -1;

        int node = -1;
        EXPECT_EQ(PickNode(model, surface, c.px, c.py, node), c.result) << c.what;
        EXPECT_EQ(node, c.current) << c.what;
        EXPECT_EQ(model.Nodes.Current, -1) << c.what << ": picking selects nothing";
    }
}

TEST_F(NodeEditingTest, PressNearTheOtherSpectrumHitsIt)
{
    const struct {
        const char* what;
        float brokenLevel; // the other spectrum's level at 125 Hz
        int py;
        bool hit;
    } cases[] = {
        {"5 pixels below the line", 40.0f, 165, true},
        {"15 pixels below the line", 40.0f, 175, false},
        {"line broken by a NaN level", kNaN, 165, false},
        {"line broken by an infinite level", kInf, 165, false},
    };
    for (const auto& c : cases) {
        model = test::Spectrum(BandSet::Octave, 0.0f);
        model.OtherLevels.fill(40.0f);
        model.OtherLevels[1] = c.brokenLevel;
        model.OtherDataType = AttenuationLevels;
        surface.redraws = 0;
        // Between 63 Hz and 125 Hz (abscissae 144 and 168), where the line lies on pixel row 160.
        const int px = 150;

        EXPECT_EQ(PickOtherSpectrum(model, surface, px, c.py), c.hit) << c.what;
    }
}

TEST_F(NodeEditingTest, SelectNodeMovesTheSelectedMarker)
{
    model = test::Spectrum(BandSet::Octave, 42.0f);
    model.Nodes.Node[1].Y = 56.04f;
    model.Nodes.Current = 0;

    EXPECT_TRUE(SelectNode(model, surface, 1));

    EXPECT_EQ(model.Nodes.Current, 1);
    // Only the selected style inverts: once to remove the old one, once for the new one.
    ASSERT_EQ(canvas.inversions.size(), 2u);
    EXPECT_LT(canvas.inversions[0].left, canvas.inversions[1].left);
    EXPECT_EQ(canvas.mode, RasterMode::Copy);

    for (int outside : {-1, model.Nodes.Count}) {
        canvas.inversions.clear();
        model.Nodes.Current = 1;

        EXPECT_TRUE(SelectNode(model, surface, outside));

        EXPECT_EQ(model.Nodes.Current, outside);
        EXPECT_EQ(canvas.inversions.size(), 1u) << "only the old marker is removed";
    }
}

TEST_F(NodeEditingTest, SetCurrentLevelRedrawsTheNodeAndTheSegmentsFromItsNeighbours)
{
    SetNodes({{100, 50}, {120, 60}, {140, 40}}, 1);

    EXPECT_TRUE(SetCurrentLevel(model, surface, 999.0f, 70.0f));

    EXPECT_EQ(model.Nodes.Node[1].X, 120.0f);
    EXPECT_EQ(model.Nodes.Node[1].Y, 70.0f);
    ASSERT_EQ(canvas.inversions.size(), 2u);
    EXPECT_EQ(canvas.inversions[0].top, 138) << "selected marker removed at 60 dB";
    EXPECT_EQ(canvas.inversions[1].top, 128) << "and drawn at 70 dB";
    // Marker outline (4 sides), two segments off, two segments on, marker outline.
    ASSERT_EQ(canvas.lines.size(), 12u);
    const Segment segments[] = {
        {100, 150, 120, 140}, {140, 160, 120, 140}, {100, 150, 120, 130}, {140, 160, 120, 130}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameSegment(canvas.lines[4 + i], segments[i])) << i;
    for (RasterMode mode : canvas.lineModes)
        EXPECT_EQ(mode, RasterMode::Xor);
    ASSERT_FALSE(canvas.pens.empty());
    EXPECT_EQ(canvas.pens.back().colour, kCyan);
    EXPECT_EQ(canvas.pens.back().style, PenStyle::Solid);
    EXPECT_EQ(canvas.pens.back().width, 1);
    EXPECT_EQ(canvas.mode, RasterMode::Copy);
}

TEST_F(NodeEditingTest, SetCurrentLevelDrawsOnlyTheSegmentsThatExistOnTheGraph)
{
    const struct {
        const char* what;
        std::vector<TNode> nodes;
        int current;
        float level;
        std::size_t lines, inversions;
    } cases[] = {
        // Marker outlines are four lines each; the segments count once off and once on.
        {"first node: no previous segment", {{100, 50}, {120, 60}}, 0, 70, 4 + 1 + 1 + 4, 2},
        {"last node: no next segment", {{100, 50}, {120, 60}}, 1, 70, 4 + 1 + 1 + 4, 2},
        {"single node", {{100, 50}}, 0, 70, 4 + 4, 2},
        {"NaN neighbour", {{100, kNaN}, {120, 60}, {140, 40}}, 1, 70, 4 + 1 + 1 + 4, 2},
        {"to a NaN level", {{100, 50}, {120, 60}, {140, 40}}, 1, kNaN, 4 + 2, 1},
        {"from a NaN level", {{100, 50}, {120, kNaN}, {140, 40}}, 1, 70, 2 + 4, 1},
        {"to an infinite level", {{100, 50}, {120, 60}, {140, 40}}, 1, -kInf, 4 + 2, 1},
    };
    for (const auto& c : cases) {
        canvas = PenCanvas{};
        InitNodeList(model.Nodes);
        for (const TNode& node : c.nodes)
            AppendNode(model, node.X, node.Y);
        model.Nodes.Current = c.current;

        EXPECT_TRUE(SetCurrentLevel(model, surface, 0.0f, c.level)) << c.what;

        EXPECT_EQ(canvas.lines.size(), c.lines) << c.what;
        EXPECT_EQ(canvas.inversions.size(), c.inversions) << c.what;
        for (const Segment& s : canvas.lines)
            EXPECT_LT(std::abs(s.y1) + std::abs(s.y2), 1000)
                << c.what << ": off-graph level reached the canvas";
    }
}

TEST_F(NodeEditingTest, SetCurrentLevelWithoutACurrentNodeDoesNothing)
{
    for (int current : {-1, 2}) {
        SetNodes({{100, 50}, {120, 60}}, current);
        EXPECT_FALSE(SetCurrentLevel(model, surface, 0.0f, 70.0f));
        EXPECT_EQ(LevelOf(0), 50.0f);
        EXPECT_EQ(LevelOf(1), 60.0f);
        EXPECT_TRUE(canvas.lines.empty());
    }
}

TEST_F(NodeEditingTest, DragStoresThePointerLevelSnappedAndUnclamped)
{
    // Row 162 then maps to 37.26 dB.
    surface.Offset.y = 0.74f;
    const struct {
        int px, py;
        double level;
    } cases[] = {
        {120, 162, 37.3}, {0, 162, 37.3}, {120, -100, 299.3} /* above the graph */, {120, 250, -50.7}};
    for (const auto& c : cases) {
        SetNodes({{100, 50}, {120, 60}, {140, 40}}, 1);

        EXPECT_TRUE(DragCurrentNode(model, surface, c.px, c.py));

        EXPECT_TRUE(Near(LevelOf(1), c.level, test::kFloatTolerance)) << c.py;
        EXPECT_EQ(model.Nodes.Node[1].X, 120.0f) << "the pointer's x has no effect";
    }
}

TEST_F(NodeEditingTest, DragOnAViewWithoutLevelScaleKeepsTheLevel)
{
    SetNodes({{100, 50}, {120, 60}}, 1);
    surface.Scale.y = 0.0f;

    EXPECT_FALSE(DragCurrentNode(model, surface, 120, 100));

    EXPECT_EQ(LevelOf(1), 60.0f);
    EXPECT_TRUE(canvas.lines.empty());
}

TEST_F(NodeEditingTest, EachKeyAsksTheEditorForWhatItMeans)
{
    const struct {
        int current, key;
        bool fine;
        int current_after;
        float level1; // node 1's level afterwards
        float first;  // node 0's level afterwards: 70 once the spectra are swapped
        int redraws;
    } cases[] = {
        {1, VkUp, false, 1, 61.0f, 20.0f, 0},     {1, VkDown, true, 1, 59.9f, 20.0f, 0},
        {-1, VkUp, false, -1, 60.0f, 20.0f, 0},   {1, VkLeft, false, 0, 60.0f, 20.0f, 0},
        {1, VkRight, false, 2, 60.0f, 20.0f, 0},  {0, VkLeft, false, 0, 60.0f, 20.0f, 0},
        {8, VkRight, false, 8, 60.0f, 20.0f, 0},  {-1, VkRight, false, 0, 60.0f, 20.0f, 0},
        {1, VkPageUp, false, 1, 70.0f, 70.0f, 0}, {1, VkPageDown, false, 1, 70.0f, 70.0f, 0},
        {1, VkHome, false, 1, 60.0f, 20.0f, 1},   {1, VkAdd, true, 1, 60.0f, 20.0f, 1},
    };
    for (const auto& c : cases) {
        model = test::Spectrum(BandSet::Octave, 20.0f);
        model.Nodes.Node[1].Y = 60.0f;
        model.OtherLevels.fill(70.0f);
        model.Nodes.Current = c.current;
        surface.redraws = 0;
        surface.Scale = {1.0f, 1.0f};

        EXPECT_TRUE(HandleNodeKey(model, surface, editor, c.key, c.fine)) << c.key;

        EXPECT_EQ(model.Nodes.Current, c.current_after) << c.current << " key " << c.key;
        EXPECT_TRUE(Near(LevelOf(1), c.level1, test::kFloatTolerance)) << c.key;
        EXPECT_EQ(LevelOf(0), c.first) << c.key;
        EXPECT_EQ(surface.redraws, c.redraws) << c.key;
    }
    EXPECT_FLOAT_EQ(surface.Scale.x, 1.1f) << "zoom keys ignore Shift";
    EXPECT_FALSE(HandleNodeKey(model, surface, editor, VkEnd, false));
    EXPECT_FALSE(HandleNodeKey(model, surface, editor, 'A', false));
}

} // namespace
} // namespace velmora
