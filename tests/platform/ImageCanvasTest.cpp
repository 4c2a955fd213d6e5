#include "platform/ImageCanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPalette>

#include <gtest/gtest.h>

#include <random>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace velmora {
namespace {

using Pixel = std::pair<int, int>;

/** The pixels that differ between two images of one size, in scan order. */
std::vector<Pixel> changedPixels(const QImage& before, const QImage& after)
{
    std::vector<Pixel> changed;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed.emplace_back(x, y);
    return changed;
}

std::vector<Pixel> lineOnBlank(QSize size, Pixel from, Pixel to, PenStyle style = PenStyle::Solid)
{
    ImageCanvas canvas(size);
    const QImage blank = canvas.image();
    canvas.SetPen(kBlack, style, 1);
    canvas.MoveTo(from.first, from.second);
    canvas.LineTo(to.first, to.second);
    return changedPixels(blank, canvas.image());
}

struct LineCase {
    Pixel a;
    Pixel b;
};

const LineCase kLineCases[] = {
    {{5, 5}, {40, 12}},  // shallow, down
    {{5, 30}, {40, 21}}, // shallow, up
    {{9, 2}, {14, 37}},  // steep
    {{30, 2}, {21, 37}}, // steep, x falling
    {{3, 3}, {33, 33}},  // diagonal
    {{3, 33}, {33, 3}},  // anti-diagonal
    {{7, 1}, {7, 30}},   // vertical
    {{2, 9}, {38, 9}},   // horizontal
    {{4, 4}, {12, 8}},   // every other pixel a half-way tie
    {{4, 4}, {8, 12}},   // steep ties
    {{20, 20}, {20, 20}} // a single point: nothing, as the far end is excluded
};

/** Pixels of a line steps long that a pattern of alternating on and off runs draws. */
int PatternPixels(PenStyle style, int steps)
{
    const std::vector<int> runs = style == PenStyle::Dot          ? std::vector<int>{1, 1}
                                  : style == PenStyle::Dash       ? std::vector<int>{6, 3}
                                  : style == PenStyle::DashDot    ? std::vector<int>{6, 3, 1, 3}
                                  : style == PenStyle::DashDotDot ? std::vector<int>{6, 2, 1, 2, 1, 2}
                                                                  : std::vector<int>{1};
    int drawn = 0;
    int i = 0;
    for (std::size_t run = 0; i < steps; run = (run + 1) % runs.size())
        for (int n = 0; n < runs[run] && i < steps; ++n, ++i)
            drawn += run % 2 == 0 ? 1 : 0;
    return drawn;
}

TEST(ImageCanvasTest, LineCoversTheSamePixelsFromEitherEnd)
{
    const QSize size(48, 40);
    for (const PenStyle style :
         {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot, PenStyle::DashDotDot}) {
        for (const LineCase& line : kLineCases) {
            SCOPED_TRACE(testing::Message()
                         << "(" << line.a.first << "," << line.a.second << ")-(" << line.b.first << ","
                         << line.b.second << ") style " << static_cast<int>(style));
            const std::vector<Pixel> forward = lineOnBlank(size, line.a, line.b, style);
            EXPECT_EQ(forward, lineOnBlank(size, line.b, line.a, style));

            const int dx = line.b.first - line.a.first;
            const int dy = line.b.second - line.a.second;
            const int steps = std::max(std::abs(dx), std::abs(dy));
            EXPECT_EQ(static_cast<int>(forward.size()), PatternPixels(style, steps));
            // Every pixel lies within half a pixel of the true line, measured across its major axis.
            for (const auto& [x, y] : forward) {
                if (std::abs(dx) >= std::abs(dy))
                    EXPECT_LE(std::abs(line.a.second + double(x - line.a.first) * dy / dx - y), 0.5);
                else
                    EXPECT_LE(std::abs(line.a.first + double(y - line.a.second) * dx / dy - x), 0.5);
            }
            const Pixel start = std::min(line.a, line.b);
            const Pixel end = std::max(line.a, line.b);
            const bool hasStart = std::find(forward.begin(), forward.end(), start) != forward.end();
            EXPECT_EQ(hasStart, steps > 0);
            EXPECT_EQ(std::find(forward.begin(), forward.end(), end), forward.end());
        }
    }
}

TEST(ImageCanvasTest, XorPolylineWithRisingXSetsEveryVertexButTheLastOnce)
{
    const std::vector<Pixel> vertices = {{10, 50}, {30, 20}, {31, 80}, {60, 80}, {90, 10}, {200, 15}};
    ImageCanvas canvas(QSize(240, 100));
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    canvas.FillRect(0, 0, 240, 100);
    const QImage blank = canvas.image();
    canvas.SetPen(kCyan, PenStyle::Solid, 1);
    canvas.SetRasterMode(RasterMode::Xor);
    canvas.MoveTo(vertices.front().first, vertices.front().second);
    int steps = 0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        canvas.LineTo(vertices[i].first, vertices[i].second);
        steps += std::max(std::abs(vertices[i].first - vertices[i - 1].first),
                          std::abs(vertices[i].second - vertices[i - 1].second));
    }
    // Segments sharing no pixel means no pixel was inverted twice back to the background.
    EXPECT_EQ(static_cast<int>(changedPixels(blank, canvas.image()).size()), steps);
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i)
        EXPECT_EQ(canvas.image().pixel(vertices[i].first, vertices[i].second), ImageCanvas::toRgb(kCyan))
            << "vertex " << i;
    EXPECT_EQ(canvas.image().pixel(vertices.back().first, vertices.back().second), blank.pixel(0, 0));
}

TEST(ImageCanvasTest, XorFigureDrawnTwiceRestoresEveryPixel)
{
    ImageCanvas canvas;
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    canvas.FillRect(0, 0, 800, 1200);
    canvas.SetBrush(kCyan, BrushStyle::Solid);
    canvas.FillRect(300, 200, 1000, 700);
    canvas.TextOut(310, 210, "125 Hz");
    const QImage background = canvas.image();

    const auto figure = [&canvas] {
        canvas.SetRasterMode(RasterMode::Xor);
        canvas.SetPen(kNavy, PenStyle::Solid, 1);
        for (const auto& [x, y] : {Pixel{1590, 400}, Pixel{500, 1190}, Pixel{20, 450}, Pixel{-300, -50},
                                   Pixel{600, 3}, Pixel{2000, 5000}}) {
            canvas.MoveTo(500, 400);
            canvas.LineTo(x, y);
        }
        canvas.SetPen(kRed, PenStyle::Dot, 1);
        canvas.MoveTo(0, 300);
        canvas.LineTo(1599, 900);
        canvas.InvertRect(480, 380, 520, 420);
        canvas.SetRasterMode(RasterMode::Copy);
    };
    figure();
    EXPECT_NE(canvas.image(), background);
    figure();
    EXPECT_EQ(canvas.image(), background);
}

TEST(ImageCanvasTest, ClippedLineKeepsThePixelsOfTheWholeLine)
{
    // A line wholly inside a large canvas, then seen through small canvases placed along it.
    const QSize whole(480, 360);
    const QSize window(40, 30);
    const LineCase lines[] = {{{3, 7}, {477, 331}},
                              {{470, 4}, {11, 357}},
                              {{200, 1}, {261, 358}},
                              {{2, 180}, {478, 183}},
                              {{100, 100}, {400, 250}}};
    for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot}) {
        for (const LineCase& line : lines) {
            const std::vector<Pixel> reference = lineOnBlank(whole, line.a, line.b, style);
            for (std::size_t k = 1; k < reference.size(); k += reference.size() / 7) {
                const int left = reference[k].first - 17;
                const int top = reference[k].second - 11;
                std::vector<Pixel> seen = lineOnBlank(window, {line.a.first - left, line.a.second - top},
                                                      {line.b.first - left, line.b.second - top}, style);
                std::vector<Pixel> expected;
                for (const auto& [x, y] : reference)
                    if (x >= left && x < left + window.width() && y >= top && y < top + window.height())
                        expected.emplace_back(x - left, y - top);
                std::sort(seen.begin(), seen.end());
                std::sort(expected.begin(), expected.end());
                ASSERT_EQ(seen, expected) << "window at " << left << "," << top;
            }
        }
    }
}

TEST(ImageCanvasTest, FarOffLinesAreClippedExactlyAndQuickly)
{
    // A line k times as long as (a, b) repeats that short step's pixels: compare a line from
    // about -1e6 to 1e6 through the centre with a chain of short steps drawn on a canvas with
    // a wide border.
    const QSize size(160, 120);
    const int border = 20;
    const int cx = 80;
    const int cy = 60;
    const Pixel steps[] = {{7, 3}, {3, -11}, {4, 2}, {5, 5}, {0, 13}};
    QElapsedTimer timer;
    timer.start();
    for (const auto& [a, b] : steps) {
        const int k = 1000000 / std::max(std::abs(a), std::abs(b));
        const std::vector<Pixel> far = lineOnBlank(size, {cx - k * a, cy - k * b}, {cx + k * a, cy + k * b});

        ImageCanvas bordered(size + QSize(2 * border, 2 * border));
        const QImage blank = bordered.image();
        bordered.SetPen(kBlack, PenStyle::Solid, 1);
        for (int j = -20; j < 20; ++j) {
            bordered.MoveTo(border + cx + j * a, border + cy + j * b);
            bordered.LineTo(border + cx + (j + 1) * a, border + cy + (j + 1) * b);
        }
        std::vector<Pixel> expected;
        for (const auto& [x, y] : changedPixels(blank, bordered.image()))
            if (x >= border && x < border + size.width() && y >= border && y < border + size.height())
                expected.emplace_back(x - border, y - border);
        EXPECT_GT(expected.size(), 50u);
        EXPECT_EQ(far, expected) << "step " << a << "," << b;
    }

    // The extremes of int: lengths near 2^32 must neither overflow nor be walked.
    std::vector<Pixel> diagonal;
    for (int i = 0; i < size.height(); ++i)
        diagonal.emplace_back(i, i);
    EXPECT_EQ(lineOnBlank(size, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}), diagonal);
    // Half-way along a 2^32 - 1 long line with a rise of 1 the rounding already gives 1.
    const std::vector<Pixel> row = lineOnBlank(size, {INT_MIN, 0}, {INT_MAX, 1});
    ASSERT_EQ(static_cast<int>(row.size()), size.width());
    EXPECT_EQ(row.front(), Pixel(0, 1));
    EXPECT_EQ(row.back(), Pixel(size.width() - 1, 1));
    EXPECT_EQ(lineOnBlank(size, {-5, INT_MIN}, {-5, INT_MAX}), std::vector<Pixel>{});
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(ImageCanvasTest, RectanglesAreClippedAndIgnoreTheRasterMode)
{
    struct RectCase {
        int left, top, right, bottom;
        QRect visible;
    };
    const QSize size(64, 48);
    const RectCase cases[] = {
        {10, 5, 20, 9, QRect(10, 5, 10, 4)},
        {-7, -3, 4, 2, QRect(0, 0, 4, 2)},
        {60, 45, 90, 400, QRect(60, 45, 4, 3)},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, QRect(QPoint(0, 0), size)},
        {64, 0, 80, 48, QRect()},  // just off the right edge
        {20, 10, 10, 30, QRect()}, // reversed
        {-30, -30, 0, 0, QRect()}, // off the top-left corner
    };
    for (const RectCase& r : cases) {
        SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
        ImageCanvas canvas(size);
        const QImage blank = canvas.image();
        canvas.SetRasterMode(RasterMode::Xor);
        canvas.SetBrush(0x00336699, BrushStyle::Solid);
        canvas.FillRect(r.left, r.top, r.right, r.bottom);
        const std::vector<Pixel> filled = changedPixels(blank, canvas.image());
        EXPECT_EQ(static_cast<int>(filled.size()), r.visible.width() * r.visible.height());
        for (const auto& [x, y] : filled) {
            EXPECT_TRUE(r.visible.contains(x, y)) << x << "," << y;
            EXPECT_EQ(canvas.image().pixel(x, y), qRgb(0x99, 0x66, 0x33));
        }

        const QImage fillOnly = canvas.image();
        canvas.InvertRect(r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(changedPixels(fillOnly, canvas.image()), filled);
        for (const auto& [x, y] : filled)
            EXPECT_EQ(canvas.image().pixel(x, y), qRgb(0x66, 0x99, 0xCC));
        canvas.InvertRect(r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(canvas.image(), fillOnly);
    }
}

TEST(ImageCanvasTest, ColoursAreReadAsBlueGreenRed)
{
    ImageCanvas canvas(QSize(8, 8));
    canvas.SetPen(kRed, PenStyle::Solid, 1);
    canvas.MoveTo(0, 0);
    canvas.LineTo(8, 0);
    EXPECT_EQ(canvas.image().pixel(3, 0), qRgb(255, 0, 0));
    // Exclusive-or shows the pen's own colour on the graph's background and the background
    // again where it crosses itself; the pixel's unused top byte stays 0xFF.
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    canvas.FillRect(0, 1, 8, 3);
    canvas.SetPen(kCyan, PenStyle::Solid, 1);
    canvas.SetRasterMode(RasterMode::Xor);
    canvas.MoveTo(0, 1);
    canvas.LineTo(8, 1);
    EXPECT_EQ(canvas.image().pixel(3, 1), ImageCanvas::toRgb(kCyan));
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 3);
    EXPECT_EQ(canvas.image().pixel(3, 1), ImageCanvas::toRgb(kButtonFace));
    EXPECT_EQ(canvas.image().pixel(3, 2), ImageCanvas::toRgb(kCyan));
    EXPECT_EQ(ImageCanvas::toRgb(kNavy), qRgb(0, 0, 128));
    EXPECT_EQ(canvas.SetRasterMode(RasterMode::Copy), RasterMode::Xor);
    EXPECT_EQ(canvas.SetRasterMode(RasterMode::Copy), RasterMode::Copy);
}

TEST(ImageCanvasTest, ButtonFaceFollowsTheApplicationPalette)
{
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Button, QColor(12, 34, 56));
    QApplication::setPalette(palette);
    ImageCanvas canvas(QSize(8, 8));
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    canvas.FillRect(0, 0, 8, 8);
    QApplication::setPalette(saved);
    EXPECT_EQ(canvas.image().pixel(5, 5), qRgb(12, 34, 56));
}

TEST(ImageCanvasTest, TextFillsItsCellWithTheBrushAndIgnoresXor)
{
    ImageCanvas canvas(QSize(120, 40));
    const QFontInfo resolved(canvas.font());
    EXPECT_TRUE(resolved.family() == "Arial" || resolved.family() == "Liberation Sans")
        << resolved.family().toStdString();
    EXPECT_EQ(resolved.pixelSize(), 11);

    const TextSize cell = canvas.TextExtent("dB 63");
    ASSERT_GT(cell.width, 0);
    EXPECT_EQ(canvas.TextExtent("").width, 0);
    EXPECT_EQ(canvas.TextExtent("").height, cell.height);

    canvas.SetBrush(kCyan, BrushStyle::Solid);
    canvas.SetRasterMode(RasterMode::Xor);
    const QImage blank = canvas.image();
    canvas.TextOut(10, 5, "dB 63");
    const QImage once = canvas.image();
    canvas.TextOut(10, 5, "dB 63");
    EXPECT_EQ(canvas.image(), once);

    const QRect inside(10, 5, cell.width, cell.height);
    int ink = 0;
    for (const auto& [x, y] : changedPixels(blank, once)) {
        ASSERT_TRUE(inside.contains(x, y)) << x << "," << y;
        // Antialiased: black ink blended into the cyan cell, nothing of another hue.
        const QRgb pixel = once.pixel(x, y);
        EXPECT_TRUE(qRed(pixel) == 0 && qGreen(pixel) == qBlue(pixel)) << std::hex << pixel;
        ink += qGreen(pixel) < 128;
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(once.pixel(inside.topLeft()), ImageCanvas::toRgb(kCyan));
    EXPECT_EQ(once.pixel(inside.bottomRight()), ImageCanvas::toRgb(kCyan));

    // Cells wholly or partly off the image, even at the limits of int.
    canvas.TextOut(INT_MAX - 2, INT_MAX - 2, "dB");
    canvas.TextOut(INT_MIN, 0, "dB");
    EXPECT_EQ(canvas.image(), once);
    canvas.TextOut(-cell.width / 2, 30, "dB 63");
    EXPECT_EQ(canvas.image().pixel(0, 30), ImageCanvas::toRgb(kCyan));
}

TEST(ImageCanvasTest, EmptyCanvasTakesEveryCallSafely)
{
    ImageCanvas canvas(QSize(0, 0));
    canvas.MoveTo(-10, -10);
    canvas.LineTo(10, 10);
    canvas.FillRect(-5, -5, 5, 5);
    canvas.InvertRect(-5, -5, 5, 5);
    canvas.TextOut(-3, -3, "dB");
    EXPECT_TRUE(canvas.image().isNull());
    EXPECT_EQ(canvas.TextExtent("W").height, ImageCanvas().TextExtent("W").height);
}

TEST(ImageCanvasTest, WideLinesAreDisjointShiftedCopiesThatXorUndoes)
{
    const QSize size(48, 48);
    // The cases above, and lines of every slope that run off the canvas at its edges, where the two
    // copies of a wide line are clipped differently.
    std::vector<LineCase> lines(std::begin(kLineCases), std::end(kLineCases));
    std::minstd_rand random(23);
    std::uniform_int_distribution<int> end(-12, 59);
    for (int i = 0; i < 300; ++i)
        lines.push_back({{end(random), end(random)}, {end(random), end(random)}});
    for (const LineCase& line : lines) {
        SCOPED_TRACE(testing::Message() << "(" << line.a.first << "," << line.a.second << ")-("
                                        << line.b.first << "," << line.b.second << ")");
        ImageCanvas canvas(size);
        canvas.setPixelRatio(2);
        const QImage blank = canvas.image();
        canvas.SetPen(kBlack, PenStyle::Solid, 1);
        canvas.SetRasterMode(RasterMode::Xor);
        canvas.MoveTo(line.a.first, line.a.second);
        canvas.LineTo(line.b.first, line.b.second);
        const std::vector<Pixel> wide = changedPixels(blank, canvas.image());

        // The one-pixel line and its copy one pixel across the major axis, which never meet:
        // an overlap would show as pixels that the exclusive-or took back.
        const bool across = std::abs(line.b.first - line.a.first) >= std::abs(line.b.second - line.a.second);
        const Pixel shift = across ? Pixel{0, 1} : Pixel{1, 0};
        std::vector<Pixel> expected = lineOnBlank(size, line.a, line.b);
        for (const Pixel& p : lineOnBlank(size, {line.a.first + shift.first, line.a.second + shift.second},
                                          {line.b.first + shift.first, line.b.second + shift.second}))
            expected.push_back(p);
        std::sort(expected.begin(), expected.end(), [](Pixel p, Pixel q) {
            return std::pair(p.second, p.first) < std::pair(q.second, q.first);
        });
        EXPECT_EQ(wide, expected);

        canvas.MoveTo(line.b.first, line.b.second);
        canvas.LineTo(line.a.first, line.a.second);
        EXPECT_TRUE(changedPixels(blank, canvas.image()).empty());
    }
}

TEST(ImageCanvasTest, PixelRatioScalesTextLinesAndDotsWithinBounds)
{
    struct Case {
        double ratio;
        double kept;
        int scale;
    };
    const Case cases[] = {{1.0, 1.0, 1}, {2.0, 2.0, 2},     {1.5, 1.5, 2},  {1.25, 1.25, 1},
                          {0.5, 1.0, 1}, {0.0, 1.0, 1},     {-3.0, 1.0, 1}, {100.0, 8.0, 8},
                          {NAN, 1.0, 1}, {INFINITY, 1.0, 1}};
    const int baseHeight = ImageCanvas(QSize(8, 8)).TextExtent("W").height;
    for (const Case& c : cases) {
        ImageCanvas canvas(QSize(64, 8));
        canvas.setPixelRatio(c.ratio);
        EXPECT_EQ(canvas.pixelRatio(), c.kept) << c.ratio;
        EXPECT_EQ(canvas.PixelScale(), c.scale) << c.ratio;
        EXPECT_NEAR(canvas.TextExtent("W").height, baseHeight * c.kept, 2.0 * c.kept) << c.ratio;
        // A dotted line's dots and gaps are PixelScale() pixels long.
        const QImage blank = canvas.image();
        canvas.SetPen(kBlack, PenStyle::Dot, 1);
        canvas.MoveTo(0, 0);
        canvas.LineTo(64, 0);
        for (int x = 0; x < 64; ++x)
            EXPECT_EQ(canvas.image().pixel(x, 0) != blank.pixel(x, 0), (x / c.scale) % 2 == 0)
                << c.ratio << " x " << x;
    }
}

TEST(ImageCanvasTest, ResizeGrowsTheBitmapAndKeepsTheDrawingState)
{
    ImageCanvas canvas(QSize(10, 10));
    canvas.SetPen(kRed, PenStyle::Solid, 1);
    canvas.FillRect(0, 0, 10, 10);
    const QImage before = canvas.image();
    canvas.resize(QSize(10, 10));
    EXPECT_TRUE(canvas.image() == before) << "the same size keeps the pixels";
    canvas.resize(QSize(3000, 20));
    ASSERT_EQ(canvas.image().size(), QSize(3000, 20));
    canvas.MoveTo(0, 5);
    canvas.LineTo(3000, 5);
    EXPECT_EQ(canvas.image().pixel(2999, 5), ImageCanvas::toRgb(kRed)) << "nothing cut beyond 1600 pixels";
}

} // namespace
} // namespace velmora
