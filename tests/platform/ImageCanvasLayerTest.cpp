#include "platform/ImageCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace velmora {
namespace {

constexpr QSize kSize(300, 200);

/** What a redraw puts under the layer: a background and a few lines over it. */
void Background(ImageCanvas& canvas, Colour colour)
{
    canvas.SetBrush(colour, BrushStyle::Solid);
    canvas.FillRect(0, 0, kSize.width(), kSize.height());
    canvas.SetPen(kWhite, PenStyle::Dot, 1);
    for (int y = 20; y < kSize.height(); y += 40) {
        canvas.MoveTo(0, y);
        canvas.LineTo(kSize.width(), y);
    }
}

/** What goes into the layer: curves of every pattern, crossing one another and the edges, and a legend. */
void Content(ImageCanvas& canvas)
{
    const PenStyle patterns[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::DashDot, PenStyle::DashDotDot,
                                 PenStyle::Dot};
    const Colour colours[] = {kBlack, 0x009FE6, 0xE9B456, 0x739E00, 0xB27200};
    for (int i = 0; i < 5; ++i) {
        canvas.SetPen(colours[i], patterns[i], 1 + i % 2);
        canvas.MoveTo(-20, 30 * i);
        canvas.LineTo(120, 180 - 25 * i);
        canvas.LineTo(350, 40 + 20 * i);
    }
    canvas.SetBrush(kWhite, BrushStyle::Solid);
    canvas.FillRect(180, 10, 290, 60);
    canvas.TextOut(200, 15, "a.snd");
    canvas.SetPen(kBlack, PenStyle::Solid, 1);
    canvas.InvertRect(185, 40, 195, 50);
}

TEST(ImageCanvasLayerTest, AComposedLayerGivesThePixelsThatDrawingStraightGives)
{
    for (const double ratio : {1.0, 2.0}) {
        ImageCanvas straight(kSize);
        straight.setPixelRatio(ratio);
        Background(straight, kButtonFace);
        Content(straight);

        ImageCanvas layered(kSize);
        layered.setPixelRatio(ratio);
        EXPECT_FALSE(layered.ComposeLayer()) << "nothing kept yet";
        Background(layered, kButtonFace);
        ASSERT_TRUE(layered.BeginLayer());
        Content(layered);
        layered.EndLayer();
        const QImage untouched = layered.image();
        Background(layered, kButtonFace);
        EXPECT_EQ(layered.image(), untouched) << "drawing into the layer leaves the picture alone";
        ASSERT_TRUE(layered.ComposeLayer());
        EXPECT_EQ(layered.image(), straight.image()) << ratio;

        // Composed again over another background: the pixels of the layer, and only those, come back.
        Background(layered, kNavy);
        ImageCanvas expected(kSize);
        expected.setPixelRatio(ratio);
        Background(expected, kNavy);
        Content(expected);
        ASSERT_TRUE(layered.ComposeLayer());
        EXPECT_EQ(layered.image(), expected.image()) << ratio;
    }
}

TEST(ImageCanvasLayerTest, ANewSizeOrPixelRatioEmptiesTheLayer)
{
    const std::function<void(ImageCanvas&)> changes[] = {
        [](ImageCanvas& canvas) { canvas.resize(QSize(301, 200)); },
        [](ImageCanvas& canvas) { canvas.setPixelRatio(2.0); },
        [](ImageCanvas& canvas) { canvas.BeginLayer(); },
    };
    for (const auto& change : changes) {
        ImageCanvas canvas(kSize);
        canvas.BeginLayer();
        Content(canvas);
        canvas.EndLayer();
        change(canvas);
        EXPECT_FALSE(canvas.ComposeLayer());
    }
    ImageCanvas empty{QSize()};
    EXPECT_FALSE(empty.BeginLayer());
    EXPECT_FALSE(empty.ComposeLayer());
    // The same size keeps it.
    ImageCanvas canvas(kSize);
    canvas.BeginLayer();
    canvas.EndLayer();
    canvas.resize(kSize);
    EXPECT_TRUE(canvas.ComposeLayer());
}

} // namespace
} // namespace velmora
