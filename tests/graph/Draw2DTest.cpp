#include "graph/Draw2D.h"

#include "graph/RecordingCanvas.h"
#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace velmora;
using velmora::test::FixedControl;
using velmora::test::Near;
using velmora::test::RecordingCanvas;

namespace {

// The graph's own set-up on a 446 x 313 area, with "W" measuring 11 x 14.
struct FittedSurface : ::testing::Test {
    void SetUp() override
    {
        surface.SetCanvas(&canvas, &control);
        surface.SetMargins(3, 0.1f, 0.1f, 1.1f);
        surface.SetSnap(0.1f, 0.1f);
        surface.SetXRange(135.918f, 344.082f);
        surface.SetYRange(0, 120);
        surface.ViewCommand(ViewFit, false);
    }
    RecordingCanvas canvas;
    FixedControl control{446, 313};
    Draw2DClass surface;
};

class CountingSurface : public Draw2DClass
{
public:
    void Redraw() override { ++redraws; }
    int redraws = 0;
};

} // namespace

TEST(Draw2D, FreshSurfaceMapsOriginToBottomRow)
{
    Draw2DClass surface;
    const TPoint2D p = surface.WorldToPixel(0, 0);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.y, 1.0f);
    EXPECT_EQ(surface.DragButton, kDragNone);
}

TEST(Draw2D, RangesAreOrderedAndEqualEndsIgnored)
{
    Draw2DClass surface;
    surface.SetYRange(120, 0);
    EXPECT_EQ(surface.WorldMin.y, 0.0f);
    EXPECT_EQ(surface.WorldMax.y, 120.0f);
    surface.SetXRange(10, 20);
    surface.SetXRange(5, 5);
    EXPECT_EQ(surface.WorldMin.x, 10.0f);
    EXPECT_EQ(surface.WorldMax.x, 20.0f);
}

TEST_F(FittedSurface, FitCentresTheWorldInsideTheMargins)
{
    EXPECT_TRUE(Near(surface.Scale.x, 1.87568, 1e-4));
    EXPECT_TRUE(Near(surface.Scale.y, 2.34333, 1e-4));
    EXPECT_EQ(surface.Offset.x, 43.0f);
    EXPECT_EQ(surface.Offset.y, 22.0f);
    const TPoint2D low = surface.WorldToPixel(135.918f, 0);
    EXPECT_TRUE(Near(low.x, 43, 1e-3));
    EXPECT_TRUE(Near(low.y, 291, 1e-3));
    const TPoint2D high = surface.WorldToPixel(344.082f, 120);
    EXPECT_TRUE(Near(high.x, 433.45, 0.01));
    EXPECT_TRUE(Near(high.y, 9.8, 0.01));
}

TEST_F(FittedSurface, PixelToWorldInvertsTheMappingOnTheSnapGrid)
{
    for (float level : {0.0f, 12.3f, 57.4f, 119.9f}) {
        const TPoint2D pixel = surface.WorldToPixel(200.0f, level);
        const TPoint2D world = surface.PixelToWorld(static_cast<int>(std::lround(pixel.x)),
                                                    static_cast<int>(std::lround(pixel.y)));
        EXPECT_TRUE(Near(world.y, level, 0.5 / surface.Scale.y + 0.05)) << level;
        EXPECT_TRUE(Near(world.y * 10, std::round(world.y * 10), 1e-3)) << "snapped to 0.1";
    }
    // No clamping: a pointer above the graph gives a level above its top.
    EXPECT_GT(surface.PixelToWorld(100, -50).y, 120.0f);
}

TEST(Draw2D, SnapRoundsHalvesAwayFromZero)
{
    Draw2DClass surface;
    surface.SetSnap(0.1f, 0.1f);
    TPoint2D p{37.26f, -37.26f};
    surface.SnapToStep(p);
    EXPECT_TRUE(Near(p.x, 37.3, 1e-5));
    EXPECT_TRUE(Near(p.y, -37.3, 1e-5));
    surface.SetSnap(0.000001f, 0);
    TPoint2D raw{1.234567f, 2.345678f};
    surface.SnapToStep(raw);
    EXPECT_EQ(raw.x, 1.234567f);
    EXPECT_EQ(raw.y, 2.345678f);
}

TEST_F(FittedSurface, ZoomInThenOutRestoresTheScale)
{
    const TPoint2D scale = surface.Scale;
    const TPoint2D offset = surface.Offset;
    surface.ZoomAboutCentre(1.1f);
    surface.ZoomAboutCentre(0.90909094f);
    EXPECT_TRUE(Near(surface.Scale.x, scale.x, 1e-5));
    EXPECT_TRUE(Near(surface.Scale.y, scale.y, 1e-5));
    EXPECT_TRUE(Near(surface.Offset.x, offset.x, 1.0));
    EXPECT_TRUE(Near(surface.Offset.y, offset.y, 1.0));
}

TEST_F(FittedSurface, ViewCommandsStepScaleAndOffset)
{
    const TPoint2D scale = surface.Scale;
    EXPECT_TRUE(surface.ViewCommand(ViewZoomIn, true));
    EXPECT_TRUE(Near(surface.Scale.x, scale.x * 1.01, 1e-4));

    const float x = surface.Offset.x;
    const float y = surface.Offset.y;
    EXPECT_TRUE(surface.ViewCommand(ViewLeft, false));
    EXPECT_TRUE(Near(surface.Offset.x, x + 44.6, 1e-3));
    EXPECT_TRUE(surface.ViewCommand(ViewUp, false));
    EXPECT_TRUE(Near(surface.Offset.y, y - 31.3, 1e-3));
    EXPECT_FALSE(surface.ViewCommand(12, false));

    surface.ViewCommand(ViewFit, false);
    EXPECT_EQ(surface.Offset.x, 43.0f);
    EXPECT_TRUE(Near(surface.Scale.x, scale.x, 1e-6));
}

TEST(Draw2D, ViewKeysRedrawOnlyForViewKeys)
{
    CountingSurface surface;
    FixedControl control(200, 100);
    surface.SetCanvas(nullptr, &control);
    EXPECT_TRUE(surface.ViewKey(VkLeft, true));
    EXPECT_TRUE(Near(surface.Offset.x, 2.0, 1e-4)) << "Shift moves by a hundredth of the width";
    EXPECT_EQ(surface.redraws, 1);

    const float scale = surface.Scale.x;
    EXPECT_TRUE(surface.ViewKey(VkPlusEquals, true));
    EXPECT_TRUE(Near(surface.Scale.x, scale * 1.1, 1e-5)) << "zoom keys ignore Shift";
    EXPECT_TRUE(surface.ViewKey(VkSubtract, false));

    EXPECT_FALSE(surface.ViewKey(VkEnd, false));
    EXPECT_EQ(surface.redraws, 3);
}

TEST(Draw2D, PanFollowsThePointerAndIgnoresStillEvents)
{
    Draw2DClass surface;
    EXPECT_TRUE(surface.PanTo(100, 100, false));
    EXPECT_FALSE(surface.PanTo(100, 100, true));
    EXPECT_TRUE(surface.PanTo(105, 103, true));
    EXPECT_EQ(surface.Offset.x, 5.0f);
    EXPECT_EQ(surface.Offset.y, -3.0f);
    EXPECT_FALSE(surface.PanTo(105, 103, true));
}

TEST_F(FittedSurface, MarkerOutlineClosesWithEachCornerOnce)
{
    surface.Marker(135.918f, 0, MarkerSelected, 0); // pixel (43, 291), half side 3
    ASSERT_EQ(canvas.inversions.size(), 1u);
    const auto inside = canvas.inversions[0];
    EXPECT_EQ(inside.left, 41);
    EXPECT_EQ(inside.top, 289);
    EXPECT_EQ(inside.right, 46);
    EXPECT_EQ(inside.bottom, 294);
    // Each side is drawn as a segment the canvas covers up to but excluding its larger end.
    ASSERT_EQ(canvas.lines.size(), 4u);
    int covered[7][7] = {};
    for (const auto& s : canvas.lines) {
        const int dx = (s.x2 > s.x1) - (s.x2 < s.x1);
        const int dy = (s.y2 > s.y1) - (s.y2 < s.y1);
        for (int x = s.x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy)
            ++covered[y - 288][x - 40];
    }
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col) {
            const bool edge = row == 0 || row == 6 || col == 0 || col == 6;
            EXPECT_EQ(covered[row][col], edge ? 1 : 0) << row << "," << col;
        }
}

TEST_F(FittedSurface, TextAlignsOnItsAnchor)
{
    surface.Text(135.918f, 0, "ab", AlignRight, AlignAbove); // cell 22 x 14 at anchor (43, 291)
    surface.Text(135.918f, 0, "ab", AlignCentre, AlignBelow);
    surface.Text(135.918f, 0, "ab", AlignLeft, AlignMiddle);
    ASSERT_EQ(canvas.texts.size(), 3u);
    EXPECT_EQ(canvas.texts[0].x, 21);
    EXPECT_EQ(canvas.texts[0].y, 277);
    EXPECT_EQ(canvas.texts[1].x, 32);
    EXPECT_EQ(canvas.texts[1].y, 294);
    EXPECT_EQ(canvas.texts[2].x, 43);
    EXPECT_EQ(canvas.texts[2].y, 284);
}

TEST_F(FittedSurface, ClearFillsTheControlUnlessExporting)
{
    surface.Clear(kButtonFace);
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].right, 446);
    EXPECT_EQ(canvas.fills[0].bottom, 313);
    EXPECT_EQ(canvas.brush, kButtonFace);
    surface.ExportMode = true;
    surface.Clear(kButtonFace);
    surface.ExportMode = false;
    surface.SetCanvas(nullptr, nullptr);
    surface.Clear(kButtonFace);
    EXPECT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(surface.Width, 446) << "export keeps the screen's mapping";
}

TEST_F(FittedSurface, HugeAndNonFiniteCoordinatesReachTheCanvasClamped)
{
    const float inf = std::numeric_limits<float>::infinity();
    surface.Line(200, 1e30f, 200, -1e30f);
    surface.Line(200, std::nanf(""), -inf, inf);
    for (int i = 0; i < 1000; ++i)
        surface.ZoomAboutCentre(10.0f); // zoom has no limit; pixels must still convert safely
    surface.Line(135.918f, 0, 344.082f, 120);
    surface.Marker(200, 60, MarkerSelected, 3);
    // A marker's sides reach one pixel past its clamped corners.
    for (const auto& s : canvas.lines)
        for (int v : {s.x1, s.y1, s.x2, s.y2})
            EXPECT_LE(std::abs(v), (1 << 20) + 1);
    for (const auto& r : canvas.inversions)
        for (int v : {r.left, r.top, r.right, r.bottom})
            EXPECT_LE(std::abs(v), (1 << 20) + 1);
}

TEST(Draw2D, FitKeepsAPositiveScaleWhenTheAreaIsSmallerThanItsMargins)
{
    RecordingCanvas canvas;
    FixedControl control(10, 5);
    Draw2DClass surface;
    surface.SetCanvas(&canvas, &control);
    surface.SetMargins(3, 0.1f, 0.1f, 1.1f);
    surface.SetXRange(135.918f, 344.082f);
    surface.SetYRange(0, 120);
    surface.Fit(0.95f, 10, 5);
    EXPECT_GT(surface.Scale.x, 0.0f);
    EXPECT_GT(surface.Scale.y, 0.0f);
    const TPoint2D world = surface.PixelToWorld(3, 3);
    EXPECT_TRUE(std::isfinite(world.x));
    EXPECT_TRUE(std::isfinite(world.y));
}
