#include "graph/Axes.h"
#include "edit/GraphSetup.h"

#include "entry/NumberText.h"

#include "graph/Draw2D.h"
#include "graph/GraphFixture.h"
#include "model/Bands.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace velmora;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::nanf("");

using AxesSurface = velmora::test::GraphFixture;

constexpr std::size_t kFrameLines = 4;
constexpr std::size_t kFrequencyLines = 23;

} // namespace

TEST(LevelLines, StepFromTheBottomWithoutEitherEnd)
{
    struct Case {
        float min, max, increment;
        std::size_t count;
        float first, last;
    };
    const Case cases[] = {
        {0, 120, 10, 11, 10, 110},         {0, 100, 30, 3, 30, 90},  // 100 is the top edge only
        {0, 120, 0.5f, 239, 0.5f, 119.5f}, {-40, 20, 15, 3, -25, 5}, // negative levels step the same way
        {0, 1001, 1, 1000, 1, 1000},                                 // exactly the most lines drawn
        {0, 1002, 1, 500, 2, 1000},                                  // one more: every second line
        {0, 100000, 10, 999, 100, 99900},                            // every tenth
    };
    for (const Case& c : cases) {
        const std::vector<float> levels = LevelLines(c.min, c.max, c.increment);
        ASSERT_EQ(levels.size(), c.count) << c.min << ".." << c.max << " by " << c.increment;
        EXPECT_EQ(levels.front(), c.first);
        EXPECT_EQ(levels.back(), c.last);
    }
}

TEST(LevelLines, AnIncrementThatCannotReachTheTopGivesNoLines)
{
    struct Case {
        float min, max, increment;
        const char* why;
    };
    const Case cases[] = {
        {0, 120, 0, "zero"},
        {0, 120, -10, "negative"},
        {0, 120, kNaN, "NaN"},
        {1e9f, 1.00000064e9f, 10, "too small to move the level in single precision"},
        {-kInf, 120, 10, "infinite bottom"},
        {0, kInf, 10, "infinite top"},
        {kNaN, 120, 10, "NaN bottom"},
        {120, 0, 10, "unordered extents"},
        {0, 120, kInf, "infinite increment"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(LevelLines(c.min, c.max, c.increment).empty()) << c.why;
}

TEST(LevelLines, AnyRangeDrawsAtMostTheMostLinesOnWholeMultiplesOfTheIncrement)
{
    for (float increment : {1e-6f, 0.01f, 0.1f, 2.5f, 7.0f}) {
        for (float max : {1.0f, 120.0f, 5000.0f, 1e6f}) {
            const std::vector<float> levels = LevelLines(0.0f, max, increment);
            EXPECT_LE(levels.size(), 1001u) << max << " by " << increment;
            const double between = std::max(0.0, std::floor(max / static_cast<double>(increment)) - 1.0);
            EXPECT_GE(static_cast<double>(levels.size()), std::min(499.0, between))
                << max << " by " << increment;
            for (float level : levels) {
                const double multiple = level / static_cast<double>(increment);
                EXPECT_NEAR(multiple, std::round(multiple), 1e-3 * multiple) << level;
            }
        }
    }
}

TEST(LevelLabel, PrintsOneDecimalAndASpace)
{
    const std::pair<float, const char*> cases[] = {
        {10, "10.0 "}, {0.5f, "0.5 "}, {0.05f, "0.1 "}, {-7.77f, "-7.8 "}, {1e9f, "1000000000.0 "},
    };
    for (const auto& [level, text] : cases)
        EXPECT_EQ(LevelLabel(level), text);
    // The largest float prints in full rather than overrunning or cutting the text.
    EXPECT_EQ(LevelLabel(std::numeric_limits<float>::max()).size(), 39u + 3u);
}

TEST(FrequencyLines, LogarithmicLinesWithThreeDecadeLabels)
{
    const std::vector<FrequencyLine>& lines = FrequencyLines();
    ASSERT_EQ(lines.size(), kFrequencyLines);
    EXPECT_EQ(lines.front().x, BandAbscissa(60));
    EXPECT_EQ(lines.back().x, BandAbscissa(10000));
    std::vector<std::pair<std::size_t, std::string>> labelled;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(lines[i].x, lines[i - 1].x);
        }
        if (!lines[i].label.empty())
            labelled.emplace_back(i, lines[i].label);
    }
    // 60..90 Hz, then 100 Hz opens the next decade, 1 kHz after 900 Hz, 10 kHz after 9 kHz.
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {4, "100Hz"}, {13, "1kHz"}, {22, "10kHz"}};
    EXPECT_EQ(labelled, expected);
}

TEST_F(AxesSurface, DefaultsDrawFrameLevelLinesAndLabels)
{
    DrawAxes(model, surface);

    std::vector<std::string> expected = {"dB "};
    for (int level = 10; level <= 110; level += 10)
        expected.push_back(std::to_string(level) + ".0 ");
    expected.insert(expected.end(), {"100Hz", "1kHz", "10kHz"});
    EXPECT_EQ(Texts(), expected);
    ASSERT_EQ(canvas.lines.size(), kFrameLines + 11 + kFrequencyLines);

    const TPoint2D low = surface.WorldMin;
    const TPoint2D high = surface.WorldMax;
    ExpectSegment(0, PixelOf(low.x, low.y), PixelOf(high.x, low.y));
    ExpectSegment(2, PixelOf(high.x, high.y), PixelOf(low.x, high.y));
    for (std::size_t i = 0; i < kFrameLines; ++i) {
        EXPECT_EQ(canvas.linePens[i].colour, kWhite);
        EXPECT_EQ(canvas.linePens[i].style, PenStyle::Solid);
    }
    for (std::size_t i = kFrameLines; i < canvas.lines.size(); ++i) {
        EXPECT_EQ(canvas.linePens[i].colour, kWhite);
        EXPECT_EQ(canvas.linePens[i].style, PenStyle::Dot);
        EXPECT_EQ(canvas.linePens[i].mode, RasterMode::Copy);
    }
    for (int n = 0; n < 11; ++n) {
        const float level = 10.0f * (n + 1);
        ExpectSegment(kFrameLines + n, PixelOf(low.x, level), PixelOf(high.x, level));
        // Right-aligned on the left edge of the frame and centred on the line (text 14 high).
        const auto& label = canvas.texts[1 + n];
        const TPoint2D anchor = surface.WorldToPixel(low.x, level);
        EXPECT_EQ(label.x, Draw2DClass::PixelToInt(anchor.x - 11.0f * label.text.size()));
        EXPECT_EQ(label.y, Draw2DClass::PixelToInt(anchor.y - 7.0f));
    }
    // "dB " sits where a label for the top edge would.
    const TPoint2D corner = surface.WorldToPixel(low.x, high.y);
    EXPECT_EQ(canvas.texts[0].x, Draw2DClass::PixelToInt(corner.x - 33.0f));
    EXPECT_EQ(canvas.texts[0].y, Draw2DClass::PixelToInt(corner.y - 7.0f));
    // The 10 kHz label is centred under its line, a quarter line below the frame.
    const float x10k = BandAbscissa(10000);
    ExpectSegment(canvas.lines.size() - 1, PixelOf(x10k, low.y), PixelOf(x10k, high.y));
    const TPoint2D foot = surface.WorldToPixel(x10k, low.y);
    EXPECT_EQ(canvas.texts.back().x, Draw2DClass::PixelToInt(foot.x - 27.5f));
    EXPECT_EQ(canvas.texts.back().y, Draw2DClass::PixelToInt(foot.y + 3.5f));
}

TEST_F(AxesSurface, OtherExtentsMoveTheLevelLines)
{
    SetGraphExtents(model, surface, 0, 100, 30);
    DrawAxes(model, surface);
    const std::vector<std::string> texts = Texts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.begin() + 4),
              (std::vector<std::string>{"30.0 ", "60.0 ", "90.0 "}));
    EXPECT_EQ(canvas.lines.size(), kFrameLines + 3 + kFrequencyLines);

    canvas = {};
    model.LevelIncrement = 0.5f;
    DrawAxes(model, surface);
    EXPECT_EQ(canvas.lines.size(), kFrameLines + 199 + kFrequencyLines);
    // Labels closer than their height are thinned to every n-th line, counted from the bottom,
    // and none comes closer than a label's height to the next one or to "dB ".
    const int labelHeight = canvas.TextExtent("0").height;
    const int stride = LabelStride(0.5 * surface.Scale.y, labelHeight);
    ASSERT_GT(stride, 1);
    ASSERT_GT(canvas.texts.size(), 3u);
    EXPECT_EQ(canvas.texts[1].text, FixedText(0.5 * stride, 1) + " ");
    for (std::size_t i = 1;
         i + 1 < canvas.texts.size() && canvas.texts[i + 1].text.find("Hz") == std::string::npos; ++i)
        EXPECT_GE(canvas.texts[i].y - canvas.texts[i + 1].y, labelHeight) << canvas.texts[i].text;
}

TEST(LabelStrideTest, KeepsLabelsALabelHeightApart)
{
    struct Case {
        double spacing;
        int height;
        int stride;
    };
    const Case cases[] = {{30.0, 14, 1}, {14.0, 14, 1},  {13.9, 14, 2},          {7.0, 14, 2},
                          {6.9, 14, 3},  {1.17, 14, 12}, {0.0, 14, 1},           {-5.0, 14, 1},
                          {NAN, 14, 1},  {5.0, 0, 1},    {1e-12, 14, 1000000000}};
    for (const Case& c : cases) {
        EXPECT_EQ(LabelStride(c.spacing, c.height), c.stride) << c.spacing << " " << c.height;
        if (c.spacing > 0.0 && c.height > 0 && c.stride < 1000000000) {
            EXPECT_GE(c.spacing * c.stride, c.height) << "labels apart";
        }
    }
}

TEST_F(AxesSurface, UnusableIncrementsDrawOnlyFrameAndFrequencies)
{
    // The model can hold these (a data file or a test sets them directly); the axes must
    // still come back at once.
    for (float increment : {0.0f, -10.0f, kNaN}) {
        canvas = {};
        model.LevelIncrement = increment;
        DrawAxes(model, surface);
        EXPECT_EQ(canvas.lines.size(), kFrameLines + kFrequencyLines) << increment;
        EXPECT_EQ(Texts(), (std::vector<std::string>{"dB ", "100Hz", "1kHz", "10kHz"})) << increment;
    }
}

TEST_F(AxesSurface, ExportAndMissingControlTurnLinesGrey)
{
    surface.ExportMode = true;
    DrawAxes(model, surface);
    for (const auto& pen : canvas.linePens)
        EXPECT_EQ(pen.colour, kGrey);

    // Without a control only the frame turns grey; the level and frequency lines follow ExportMode.
    canvas = {};
    surface.ExportMode = false;
    surface.SetCanvas(nullptr, nullptr);
    DrawAxes(model, surface);
    for (std::size_t i = 0; i < canvas.linePens.size(); ++i)
        EXPECT_EQ(canvas.linePens[i].colour, i < kFrameLines ? kGrey : kWhite) << i;
}

TEST_F(AxesSurface, PlainGridFollowsGridStep)
{
    surface.DrawGrid();
    // 8 units from the 50 Hz edge: 27 lines up to 343.92; 0 to 120 dB every 10 dB, both ends included.
    ASSERT_EQ(canvas.lines.size(), 27u + 13u);
    const TPoint2D low = surface.WorldMin;
    const TPoint2D high = surface.WorldMax;
    ExpectSegment(0, PixelOf(low.x, low.y), PixelOf(low.x, high.y));
    ExpectSegment(26, PixelOf(low.x + 26 * 8.0f, low.y), PixelOf(low.x + 26 * 8.0f, high.y));
    ExpectSegment(27, PixelOf(low.x, 0), PixelOf(high.x, 0));
    ExpectSegment(39, PixelOf(low.x, 120), PixelOf(high.x, 120));
    for (const auto& pen : canvas.linePens) {
        EXPECT_EQ(pen.colour, kWhite);
        EXPECT_EQ(pen.style, PenStyle::Dot);
    }

    canvas = {};
    surface.SetCanvas(nullptr, nullptr);
    surface.DrawGrid();
    surface.DrawFrame();
    for (const auto& pen : canvas.linePens)
        EXPECT_EQ(pen.colour, kGrey);
}

TEST_F(AxesSurface, PlainGridStartsOnAStepMultipleAndSkipsUnusableSteps)
{
    surface.SetXRange(-20, 20);
    surface.DrawGrid();
    // x from trunc(-20 / 8) * 8 = -16: -16, -8, 0, 8, 16; 13 level lines as before.
    ASSERT_EQ(canvas.lines.size(), 5u + 13u);
    ExpectSegment(0, PixelOf(-16, 0), PixelOf(-16, 120));
    ExpectSegment(4, PixelOf(16, 0), PixelOf(16, 120));

    for (float step : {0.0f, -8.0f, kNaN, 1e-6f}) {
        canvas = {};
        surface.SetGridStep(step, 10);
        surface.DrawGrid();
        EXPECT_EQ(canvas.lines.size(), 13u) << step;
    }
}
