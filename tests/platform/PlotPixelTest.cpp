#include "edit/GraphSetup.h"
#include "graph/GraphSurface.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kWidth = 446;
constexpr int kHeight = 313;

class SizedControl : public CanvasControl
{
public:
    int ClientWidth() const override { return kWidth; }
    int ClientHeight() const override { return kHeight; }
    void RepaintNow() override {}
};

/** Draws on an ImageCanvas and remembers the cells of the text written, which text fills opaquely. */
class CellRecorder : public Canvas2D
{
public:
    void SetPen(Colour colour, PenStyle style, int width) override { image.SetPen(colour, style, width); }
    void SetBrush(Colour colour, BrushStyle style) override { image.SetBrush(colour, style); }
    RasterMode SetRasterMode(RasterMode mode) override { return image.SetRasterMode(mode); }
    void MoveTo(int x, int y) override { image.MoveTo(x, y); }
    void LineTo(int x, int y) override { image.LineTo(x, y); }
    void FillRect(int l, int t, int r, int b) override { image.FillRect(l, t, r, b); }
    void InvertRect(int l, int t, int r, int b) override { image.InvertRect(l, t, r, b); }
    void TextOut(int x, int y, const std::string& text) override
    {
        const TextSize size = image.TextExtent(text);
        cells.emplace_back(x, y, size.width, size.height);
        image.TextOut(x, y, text);
    }
    TextSize TextExtent(const std::string& text) override { return image.TextExtent(text); }

    ImageCanvas image{QSize(kWidth, kHeight)};
    std::vector<QRect> cells;
};

/** The program's graph at 446 x 313 with a varied third-octave spectrum and another spectrum under it. */
struct Plot {
    explicit Plot(int mode)
    {
        InitModel(model);
        model.BandStart = kThirdBandStart;
        model.BandStep = kThirdBandStep;
        surface.SetCanvas(&canvas, &control);
        SetupGraph(model, surface, nullptr, true);
        for (int k = 0; k < kBandCount; ++k) {
            model.Nodes.Node[k].Y = static_cast<float>(55 + 25 * std::sin(k * 0.7));
            model.OtherLevels[k] = static_cast<float>(40 + 20 * std::cos(k * 0.45));
        }
        model.Nodes.Current = 6;
        model.HighlightMode = mode;
        Recalculate(model, nullptr);
        surface.Redraw();
    }

    const QImage& image() const { return canvas.image.image(); }

    TSpectrumModel model;
    CellRecorder canvas;
    SizedControl control;
    GraphSurface surface{model};
};

/** Pixels that differ between two images, leaving out the given cells. */
int DifferingPixels(const QImage& a, const QImage& b, const std::vector<QRect>& skipped = {})
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool inCell = false;
            for (const QRect& cell : skipped)
                inCell = inCell || cell.contains(x, y);
            if (!inCell && a.pixel(x, y) != b.pixel(x, y))
                ++differing;
        }
    return differing;
}

} // namespace

TEST(PlotPixels, GraphShowsFrameAndOtherSpectrum)
{
    const Plot plot(HighlightNone);
    const TPoint2D corner = plot.surface.WorldToPixel(plot.surface.WorldMin.x, plot.surface.WorldMin.y);
    EXPECT_EQ(plot.image().pixel(static_cast<int>(corner.x), static_cast<int>(corner.y)),
              ImageCanvas::toRgb(kWhite));
    int red = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            red += plot.image().pixel(x, y) == ImageCanvas::toRgb(kRed);
    EXPECT_GT(red, 100) << "the other spectrum's dotted line";
}

TEST(PlotPixels, OverlayDrawnAgainLeavesTheGraphWithoutIt)
{
    const Plot bare(HighlightNone);
    for (int mode = HighlightNone; mode <= HighlightNR; ++mode) {
        Plot plot(mode);
        const QImage withOverlay = plot.image();
        plot.canvas.cells.clear();
        DrawHighlight(plot.model, plot.surface, -1);
        // Only the overlay's labels stay, as text ignores the raster mode.
        const std::vector<QRect> labels = plot.canvas.cells;
        EXPECT_EQ(DifferingPixels(plot.image(), bare.image(), labels), 0) << "mode " << mode;
        if (mode != HighlightNone) {
            EXPECT_GT(DifferingPixels(withOverlay, bare.image(), labels), 0)
                << "mode " << mode << " drew nothing";
        }
        DrawHighlight(plot.model, plot.surface, -1);
        EXPECT_EQ(DifferingPixels(plot.image(), withOverlay, labels), 0) << "mode " << mode;
    }
}

TEST(PlotPixels, NodesDrawnTwiceRestoreEveryPixel)
{
    for (int mode : {HighlightNone, HighlightA, HighlightSTC}) {
        Plot plot(mode);
        const QImage before = plot.image();
        ASSERT_TRUE(DrawNodes(plot.model.Nodes, plot.surface));
        EXPECT_GT(DifferingPixels(before, plot.image()), 0);
        DrawNodes(plot.model.Nodes, plot.surface);
        EXPECT_EQ(DifferingPixels(before, plot.image()), 0) << "mode " << mode;
    }
}

TEST(PlotPixels, FullDrawingIsRepeatable)
{
    for (int mode = HighlightNone; mode <= HighlightNR; ++mode) {
        const Plot first(mode);
        const Plot second(mode);
        EXPECT_TRUE(first.image() == second.image()) << "mode " << mode;
    }
}

} // namespace velmora
