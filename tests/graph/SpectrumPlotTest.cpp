#include "graph/SpectrumPlot.h"
#include "edit/GraphSetup.h"
#include "model/NoiseRating.h"
#include "model/Weighting.h"

#include "graph/GraphFixture.h"
#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace velmora;
using velmora::test::RecordingCanvas;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::nanf("");
/** Lines of one marker outline. */
constexpr std::size_t kMarkerLines = 4;

float OctaveX(int octave)
{
    return BandAbscissa(BandFrequency[3 * octave + 1]);
}

struct SpectrumPlot : velmora::test::GraphFixture {
    /** Plateau levels of the STC labels drawn, in drawing order. */
    std::vector<int> StcRatings() const
    {
        std::vector<int> ratings;
        for (const std::string& text : Texts()) {
            EXPECT_EQ(text.rfind("STC:", 0), 0u) << text;
            ratings.push_back(std::stoi(text.substr(4)));
        }
        return ratings;
    }

    /** True when contour r's first segment starts at its 125 Hz point rather than part way. */
    bool StartsAt125(int r) const
    {
        const float level = static_cast<float>(r - 20);
        return HasSegment(BandAbscissa(125), level, BandAbscissa(400), static_cast<float>(r - 5));
    }

    bool StartsShortened(int r) const
    {
        const float x125 = BandAbscissa(125);
        const float x400 = BandAbscissa(400);
        return HasSegment(x400 - (x400 - x125) / 3, static_cast<float>(r - 10), x400,
                          static_cast<float>(r - 5));
    }
};

} // namespace

TEST_F(SpectrumPlot, GraphLayersAxesOtherSpectrumThenNodes)
{
    DrawGraph(model, surface);
    // Axes white, the other spectrum red dotted in copy mode, the nodes cyan in exclusive-or.
    std::vector<RecordingCanvas::Pen> layers;
    for (const auto& pen : canvas.linePens)
        if (layers.empty() || layers.back().colour != pen.colour)
            layers.push_back(pen);
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0].colour, kWhite);
    EXPECT_EQ(layers[1].colour, kRed);
    EXPECT_EQ(layers[1].style, PenStyle::Dot);
    EXPECT_EQ(layers[1].mode, RasterMode::Copy);
    EXPECT_EQ(layers[2].colour, kCyan);
    EXPECT_EQ(layers[2].mode, RasterMode::Xor);
    EXPECT_EQ(canvas.mode, RasterMode::Copy);
    EXPECT_EQ(canvas.texts.size(), 15u) << "axis labels only";
}

TEST_F(SpectrumPlot, OverlayIsTheTopLayerAndEndsInCopyMode)
{
    struct Case {
        int mode;
        Colour colour;
        std::size_t segments;
    };
    // Nine octave nodes, range 0 to 120 dB.
    const Case cases[] = {
        {HighlightA, kNavy, 8},    {HighlightB, kNavy, 8},       {HighlightC, kNavy, 8},
        {HighlightD, kNavy, 8},    {HighlightResults, kGrey, 8}, {HighlightSafeLevels, kNavy, 7},
        {HighlightSTC, kNavy, 33}, // 110 down to 10
        {HighlightNR, kNavy, 84},  // 88 less the four of NR 0 that end below 0 dB
    };
    for (const Case& c : cases) {
        canvas = {};
        model.HighlightMode = c.mode;
        DrawGraph(model, surface);
        ASSERT_GE(canvas.lines.size(), c.segments);
        for (std::size_t i = canvas.lines.size() - c.segments; i < canvas.lines.size(); ++i) {
            EXPECT_EQ(canvas.linePens[i].colour, c.colour) << "mode " << c.mode;
            EXPECT_EQ(canvas.linePens[i].style, PenStyle::Dot) << "mode " << c.mode;
            EXPECT_EQ(canvas.linePens[i].mode, RasterMode::Xor) << "mode " << c.mode;
        }
        EXPECT_EQ(canvas.linePens[canvas.lines.size() - c.segments - 1].colour, kCyan) << "mode " << c.mode;
        EXPECT_EQ(canvas.mode, RasterMode::Copy) << "mode " << c.mode;
        EXPECT_EQ(model.HighlightMode, c.mode);
    }
}

TEST_F(SpectrumPlot, ModesWithoutAnOverlayDrawNothing)
{
    for (int mode : {0, 9, -1, 1000}) {
        canvas = {};
        model.HighlightMode = mode;
        DrawHighlight(model, surface, -1);
        EXPECT_TRUE(canvas.lines.empty()) << mode;
        EXPECT_TRUE(canvas.texts.empty()) << mode;
        EXPECT_EQ(model.HighlightMode, mode);
    }
}

TEST_F(SpectrumPlot, WeightedSpectrumDrawsTheWeightedLevelsTheModelKeeps)
{
    for (int mode = HighlightA; mode <= HighlightD; ++mode) {
        canvas = {};
        model.Results.fill(-99);
        model.HighlightMode = mode;
        Recalculate(model);
        DrawHighlight(model, surface, -1);
        ASSERT_EQ(canvas.lines.size(), 8u);
        for (int k = 0; k < 9; ++k) {
            const float w = BandWeighting[mode - 1][3 * k + 1];
            EXPECT_EQ(model.Results[k], w) << "mode " << mode << ", slot " << k;
            if (k > 0) {
                EXPECT_TRUE(HasSegment(OctaveX(k - 1), BandWeighting[mode - 1][3 * k - 2], OctaveX(k), w));
            }
        }
    }
}

TEST_F(SpectrumPlot, WeightedSpectrumWalksTheThirdOctaves)
{
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    model.HighlightMode = HighlightA;
    SetupGraph(model, surface, true);
    canvas = {};
    DrawWeightedSpectrum(model, surface);
    EXPECT_EQ(canvas.lines.size(), 26u);
    for (int k = 0; k < kBandCount; ++k)
        EXPECT_EQ(model.Results[k], BandWeighting[0][k]) << k;
}

TEST_F(SpectrumPlot, SafeLevelsStopAt8kHzWithTheLabelUnderIt)
{
    DrawSafeLevels(surface);
    ASSERT_EQ(canvas.lines.size(), 7u);
    EXPECT_TRUE(HasSegment(OctaveX(0), 103, OctaveX(1), 96));
    EXPECT_TRUE(HasSegment(OctaveX(6), 83, OctaveX(7), 81));
    EXPECT_FALSE(HasSegment(OctaveX(7), 81, OctaveX(8), 79));
    ASSERT_EQ(canvas.texts.size(), 1u);
    const auto& label = canvas.texts[0];
    EXPECT_EQ(label.text, "Safe Exposure Levels");
    const TPoint2D anchor = surface.WorldToPixel(OctaveX(7), 81);
    EXPECT_EQ(label.x, Draw2DClass::PixelToInt(anchor.x - 11.0f * label.text.size()));
    EXPECT_EQ(label.y, Draw2DClass::PixelToInt(anchor.y + 3.5f));
}

TEST_F(SpectrumPlot, StcContoursEveryTenDecibelsBelowTheTop)
{
    DrawSTCContours(model, surface);
    EXPECT_EQ(StcRatings(), (std::vector<int>{110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));
    EXPECT_EQ(canvas.lines.size(), 33u);
    for (int r = 20; r <= 110; r += 10)
        EXPECT_TRUE(StartsAt125(r)) << r;
    // Only STC 10 reaches below 0 dB at 125 Hz.
    EXPECT_TRUE(StartsShortened(10));
    EXPECT_FALSE(StartsAt125(10));
    // The label's right and bottom edges are on the 4 kHz point.
    const auto& label = canvas.texts.front();
    const TPoint2D anchor = surface.WorldToPixel(BandAbscissa(4000), 110);
    EXPECT_EQ(label.x, Draw2DClass::PixelToInt(anchor.x - 77.0f));
    EXPECT_EQ(label.y, Draw2DClass::PixelToInt(anchor.y - 14.0f));
    EXPECT_EQ(canvas.mode, RasterMode::Copy);
}

TEST_F(SpectrumPlot, StcContoursShortenedAboveARaisedBottom)
{
    SetGraphExtents(model, surface, 20, 120, 10);
    canvas = {};
    DrawSTCContours(model, surface);
    // The contour at 10 ends under the frame: drawn, but its label would sit among the
    // frequency labels and is left out.
    EXPECT_EQ(StcRatings().size(), 10u);
    for (int r : {10, 20, 30})
        EXPECT_TRUE(StartsShortened(r)) << r;
    for (int r = 40; r <= 110; r += 10)
        EXPECT_TRUE(StartsAt125(r)) << r;
}

TEST_F(SpectrumPlot, StcContoursNeedATopAboveEleven)
{
    struct Case {
        float top;
        std::vector<int> ratings;
    };
    const Case cases[] = {
        {10, {}}, {10.5f, {}}, {-50, {}}, {11, {10}}, {101, {100, 90, 80, 70, 60, 50, 40, 30, 20, 10}}};
    for (const Case& c : cases) {
        SetGraphExtents(model, surface, c.top - 100, c.top, 10);
        canvas = {};
        DrawSTCContours(model, surface);
        EXPECT_EQ(StcRatings(), c.ratings) << c.top;
        EXPECT_EQ(canvas.lines.size(), 3 * c.ratings.size()) << c.top;
    }
}

TEST_F(SpectrumPlot, StcContoursAreBoundedForAHugeTop)
{
    SetGraphExtents(model, surface, 0, 1e9f, 1e8f);
    canvas = {};
    const auto start = std::chrono::steady_clock::now();
    DrawSTCContours(model, surface);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const std::vector<int> ratings = StcRatings();
    ASSERT_EQ(ratings.size(), static_cast<std::size_t>(kMaxStcContours));
    EXPECT_EQ(ratings.front(), 10000) << "the highest contour drawn is the sane limit, highest first";
    EXPECT_LT(elapsed, std::chrono::milliseconds(100));

    // However far the top lies, no label shows a huge number; a top that is not finite gives none.
    SetGraphExtents(model, surface, 0, std::numeric_limits<float>::max(), 1e37f);
    canvas = {};
    DrawSTCContours(model, surface);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_LE(canvas.texts.size(), static_cast<std::size_t>(kMaxStcContours));
    EXPECT_EQ(canvas.texts.front().text, "STC:10000");
    for (float top : {kInf, kNaN}) {
        model.MaxLevel = top;
        canvas = {};
        DrawSTCContours(model, surface);
        EXPECT_TRUE(canvas.texts.empty()) << top;
        EXPECT_TRUE(canvas.lines.empty()) << top;
    }
}

TEST_F(SpectrumPlot, StcContoursBelowTheDrawingAreaAreLeftOut)
{
    // STC 490 lies below the frame and its label would reach into the frequency labels, so it
    // is left out; STC 480 and everything under it cannot show.
    SetGraphExtents(model, surface, 500, 600, 10);
    canvas = {};
    DrawSTCContours(model, surface);
    std::vector<int> expected;
    for (int r = 590; r >= 500; r -= 10)
        expected.push_back(r);
    EXPECT_EQ(StcRatings(), expected);
}

TEST_F(SpectrumPlot, NoiseRatingCurvesTestOnlyTheEndOfEachSegment)
{
    DrawNRCurves(model, surface);
    std::vector<std::string> labels;
    // NR 0 ends under the frame, where its label would be written over "10kHz": left out.
    for (int rating = 100; rating >= 10; rating -= 10)
        labels.push_back("NR:" + std::to_string(rating));
    EXPECT_EQ(Texts(), labels);
    EXPECT_EQ(canvas.lines.size(), 84u);

    auto level = [](int n, int o) {
        return static_cast<float>(NRLevel100[o] - n * static_cast<double>(NRSlope10[o]));
    };
    for (int o = 1; o < 9; ++o) {
        EXPECT_TRUE(HasSegment(OctaveX(o - 1), level(0, o - 1), OctaveX(o), level(0, o)))
            << "NR 100, octave " << o;
        // NR 0 reaches 0 dB at 1 kHz (octave 4) and drops below the graph after it.
        EXPECT_EQ(HasSegment(OctaveX(o - 1), level(10, o - 1), OctaveX(o), level(10, o)), o <= 4)
            << "NR 0, octave " << o;
    }
    // Every label's bottom edge, at its 16 kHz point, lies on or above the frame's bottom edge.
    const float frameBottom = surface.WorldToPixel(OctaveX(8), surface.WorldMin.y).y;
    for (const auto& text : canvas.texts)
        EXPECT_LE(text.y + 14, Draw2DClass::PixelToInt(frameBottom)) << text.text;
}

TEST_F(SpectrumPlot, NoiseRatingSegmentMayStartAboveTheTop)
{
    // NR 100 runs from 115 dB at 63 Hz to 110 dB at 125 Hz.
    for (const auto& [top, drawn] :
         {std::pair{112.0f, true}, std::pair{110.0f, true}, std::pair{108.0f, false}}) {
        SetGraphExtents(model, surface, 0, top, 10);
        canvas = {};
        DrawNRCurves(model, surface);
        EXPECT_EQ(HasSegment(OctaveX(0), 115, OctaveX(1), 110), drawn) << top;
    }
}

TEST_F(SpectrumPlot, NodesDrawPolylineAndMarkers)
{
    model.Nodes.Current = 4;
    EXPECT_TRUE(DrawNodes(model.Nodes, surface));
    EXPECT_EQ(canvas.lines.size(), 8 + 9 * kMarkerLines);
    ASSERT_EQ(canvas.inversions.size(), 1u) << "only the current node's marker is selected";
    const TPoint2D current = surface.WorldToPixel(OctaveX(4), 0);
    EXPECT_EQ(canvas.inversions[0].left, Draw2DClass::PixelToInt(current.x - 3) + 1);
    for (const auto& pen : canvas.linePens) {
        EXPECT_EQ(pen.colour, kCyan);
        EXPECT_EQ(pen.style, PenStyle::Solid);
        EXPECT_EQ(pen.mode, RasterMode::Xor);
    }
    EXPECT_EQ(canvas.mode, RasterMode::Copy);

    for (int count : {0, -1}) {
        canvas = {};
        model.Nodes.Count = count;
        EXPECT_FALSE(DrawNodes(model.Nodes, surface));
        EXPECT_TRUE(canvas.lines.empty());
    }
}

TEST_F(SpectrumPlot, NonFiniteLevelsLeaveOutWhatTouchesThem)
{
    // Slots 3 and 5 of nine: the segments 2-3, 3-4, 4-5 and 5-6 go, four of eight stay.
    model.Nodes.Node[3].Y = kNaN;
    model.Nodes.Node[5].Y = kInf;
    EXPECT_TRUE(DrawNodes(model.Nodes, surface));
    EXPECT_EQ(canvas.lines.size(), 4 + 7 * kMarkerLines);

    canvas = {};
    model.OtherLevels[0] = -kInf;
    model.OtherLevels[8] = kNaN;
    DrawOtherSpectrum(model, surface);
    EXPECT_EQ(canvas.lines.size(), 6u);

    canvas = {};
    model.Results.fill(0);
    model.Results[4] = kNaN;
    DrawResults(model, surface);
    EXPECT_EQ(canvas.lines.size(), 6u);

    canvas = {};
    model.HighlightMode = HighlightC;
    StoreWeightedResults(model);
    DrawWeightedSpectrum(model, surface);
    EXPECT_EQ(canvas.lines.size(), 4u);
    EXPECT_TRUE(std::isnan(model.Results[3])) << "the stored result is what the overlay stands for";
    EXPECT_EQ(model.Results[5], kInf);

    // Huge finite levels are drawn; the surface clamps their pixels.
    canvas = {};
    model.Nodes.Node[3].Y = 1e30f;
    model.Nodes.Node[5].Y = -3e38f;
    DrawNodes(model.Nodes, surface);
    EXPECT_EQ(canvas.lines.size(), 8 + 9 * kMarkerLines);
}
