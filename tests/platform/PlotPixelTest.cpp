#include "edit/GraphSetup.h"
#include "edit/NodeEditing.h"
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

/** The window's default graph panel on a screen of ratio device pixels per pixel. */
class SizedControl : public CanvasControl
{
public:
    explicit SizedControl(int ratio) : m_ratio(ratio) {}
    int ClientWidth() const override { return kWidth * m_ratio; }
    int ClientHeight() const override { return kHeight * m_ratio; }
    void RepaintNow() override {}

private:
    int m_ratio;
};

/** Screens of one and of two device pixels per pixel. */
constexpr int kRatios[] = {1, 2};

/** Draws on an ImageCanvas and remembers the cells of the text written, which text fills opaquely. */
class CellRecorder : public Canvas2D
{
public:
    explicit CellRecorder(int ratio) : image(QSize(kWidth * ratio, kHeight * ratio))
    {
        image.setPixelRatio(ratio);
    }

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
    int PixelScale() const override { return image.PixelScale(); }

    ImageCanvas image;
    std::vector<QRect> cells;
};

/**
 * The program's graph at 446 x 313 logical pixels with a varied third-octave spectrum and
 * another spectrum under it; node 6 is current and, when given, at level6.
 */
struct Plot {
    explicit Plot(int mode, int ratio = 1, float level6 = NAN) : canvas(ratio), control(ratio)
    {
        InitModel(model);
        model.BandStart = kThirdBandStart;
        model.BandStep = kThirdBandStep;
        surface.SetCanvas(&canvas, &control);
        SetupGraph(model, surface, true);
        for (int k = 0; k < kBandCount; ++k) {
            model.Nodes.Node[k].Y = static_cast<float>(55 + 25 * std::sin(k * 0.7));
            model.OtherLevels[k] = static_cast<float>(40 + 20 * std::cos(k * 0.45));
        }
        model.Nodes.Current = 6;
        if (!std::isnan(level6))
            model.Nodes.Node[6].Y = level6;
        model.HighlightMode = mode;
        Recalculate(model);
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
    for (int ratio : kRatios) {
        const Plot bare(HighlightNone, ratio);
        for (int mode = HighlightNone; mode <= HighlightNR; ++mode) {
            Plot plot(mode, ratio);
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
}

TEST(PlotPixels, NodesDrawnTwiceRestoreEveryPixel)
{
    for (int ratio : kRatios)
        for (int mode : {HighlightNone, HighlightA, HighlightSTC}) {
            Plot plot(mode, ratio);
            const QImage before = plot.image();
            ASSERT_TRUE(DrawNodes(plot.model.Nodes, plot.surface));
            EXPECT_GT(DifferingPixels(before, plot.image()), 0);
            DrawNodes(plot.model.Nodes, plot.surface);
            EXPECT_EQ(DifferingPixels(before, plot.image()), 0) << "mode " << mode << " ratio " << ratio;
        }
}

TEST(PlotPixels, LevelTypedInPlaceEqualsAFullRedraw)
{
    // The Edit Node dialog's partial redraw: overlay off, nodes off, new level, nodes and overlay on.
    for (int ratio : kRatios)
        for (int mode : {HighlightNone, HighlightA, HighlightD, HighlightSafeLevels}) {
            Plot plot(mode, ratio);
            TSpectrumModel& model = plot.model;
            const bool follows = mode < HighlightSafeLevels;
            if (follows)
                DrawHighlight(model, plot.surface);
            DrawNodes(model.Nodes, plot.surface);
            SetNodeLevel(model, 6, 97.5f);
            DrawNodes(model.Nodes, plot.surface);
            Recalculate(model);
            if (follows)
                DrawHighlight(model, plot.surface);
            const Plot full(mode, ratio, 97.5f);
            EXPECT_EQ(DifferingPixels(plot.image(), full.image()), 0)
                << "mode " << mode << " ratio " << ratio;
        }
}

TEST(PlotPixels, DenserScreenDrawsTheSameGraphOnFinerPixels)
{
    // Everything scales: the frame lands on the doubled pixel and lines are two pixels wide.
    const Plot single(HighlightNone, 1);
    const Plot twice(HighlightNone, 2);
    ASSERT_EQ(twice.image().size(), single.image().size() * 2);
    const TPoint2D corner = twice.surface.WorldToPixel(twice.surface.WorldMin.x, twice.surface.WorldMax.y);
    const QPoint c(static_cast<int>(corner.x), static_cast<int>(corner.y));
    const QRgb white = ImageCanvas::toRgb(kWhite);
    EXPECT_EQ(twice.image().pixel(c + QPoint(8, 0)), white);
    EXPECT_EQ(twice.image().pixel(c + QPoint(8, 1)), white) << "a frame two pixels thick";
    auto count = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    const double red1 = count(single.image(), ImageCanvas::toRgb(kRed));
    const double red2 = count(twice.image(), ImageCanvas::toRgb(kRed));
    EXPECT_NEAR(red2 / red1, 4.0, 0.6) << "twice as long and twice as wide";
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
