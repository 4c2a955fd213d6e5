#include "graph/Axes.h"

#include "entry/NumberText.h"
#include "graph/Draw2D.h"
#include "model/Bands.h"
#include "model/SpectrumModel.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

/** First frequency line and the frequency the lines stay below, in Hz; the frame marks 50 Hz and 20 kHz. */
constexpr double kFirstLineHz = 60.0;
constexpr double kLineLimitHz = 20000.0;

std::vector<FrequencyLine> MakeFrequencyLines()
{
    std::vector<FrequencyLine> lines;
    // d is the step within the current decade; f passing d * 10 - 1 means it reached the next
    // power of ten, which gets the decade's label and a ten times larger step.
    double d = 10.0;
    for (double f = kFirstLineHz; f < kLineLimitHz; f += d) {
        std::string label;
        if (f > d * 10.0 - 1.0) {
            label = f < 1000.0 ? FixedText(f, 0) + "Hz" : FixedText(f * 0.001, 0) + "kHz";
            d *= 10.0;
        }
        lines.push_back({BandAbscissa(f), std::move(label)});
    }
    return lines;
}

} // namespace

std::vector<float> LevelLines(float minLevel, float maxLevel, float increment)
{
    const double span = static_cast<double>(maxLevel) - minLevel;
    if (!(increment > 0.0f) || !std::isfinite(span))
        return {};
    // More lines than the graph can show draw as every n-th: still a whole multiple of the
    // increment, so that the lines drawn fall where the increment puts them.
    // The lines lie strictly between the ends.
    const double wanted = span / increment - 1.0;
    const double stride = wanted > kMaxLevelLines ? std::ceil(wanted / kMaxLevelLines) : 1.0;
    const float step = static_cast<float>(stride * increment);
    std::vector<float> levels;
    // The level accumulates in single precision, as the model stores levels. A step too small
    // to move the level would never reach the top: the range is then taken as unusable and no
    // line is drawn rather than a partial set.
    float v = minLevel + step;
    while (v < maxLevel) {
        if (static_cast<double>(levels.size()) > 2.0 * kMaxLevelLines)
            return {};
        levels.push_back(v);
        v += step;
    }
    return levels;
}

const std::vector<FrequencyLine>& FrequencyLines()
{
    static const std::vector<FrequencyLine> lines = MakeFrequencyLines();
    return lines;
}

int LabelStride(double lineSpacing, int labelHeight)
{
    if (!(lineSpacing > 0.0) || labelHeight <= 0 || lineSpacing >= labelHeight)
        return 1;
    const double stride = std::ceil(labelHeight / lineSpacing);
    return stride < 1e9 ? static_cast<int>(stride) : 1000000000;
}

std::string LevelLabel(float level)
{
    return FixedText(level, 1) + " ";
}

void DrawAxes(const TSpectrumModel& model, Draw2DClass& surface)
{
    const Colour colour = surface.ExportMode ? kGrey : kWhite;
    const TPoint2D low = surface.WorldMin;
    const TPoint2D high = surface.WorldMax;

    surface.DrawFrame();
    surface.Text(low.x, high.y, "dB ", AlignRight, AlignMiddle);

    surface.SetPen(colour, PenStyle::Dot, 1);
    const std::vector<float> levels = LevelLines(model.MinLevel, model.MaxLevel, model.LevelIncrement);
    const int labelHeight = surface.Canvas ? surface.Canvas->TextExtent("0").height : 0;
    const double spacing =
        levels.size() >= 2 ? std::abs(static_cast<double>(levels[1] - levels[0]) * surface.Scale.y) : 0.0;
    const int stride = LabelStride(spacing, labelHeight);
    const float unitY = surface.WorldToPixel(low.x, high.y).y;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const float level = levels[i];
        // Labels packed closer than their height are thinned to every stride-th line, counted
        // from the bottom so that the labelled levels are whole multiples of the stride; none
        // is written over "dB " at the top.
        const bool labelled = (i + 1) % static_cast<std::size_t>(stride) == 0 &&
                              std::abs(surface.WorldToPixel(low.x, level).y - unitY) >= labelHeight;
        if (labelled)
            surface.Text(low.x, level, LevelLabel(level), AlignRight, AlignMiddle);
        surface.Line(low.x, level, high.x, level);
    }
    for (const FrequencyLine& line : FrequencyLines()) {
        if (!line.label.empty())
            surface.Text(line.x, low.y, line.label, AlignCentre, AlignBelow);
        surface.Line(line.x, low.y, line.x, high.y);
    }
}

} // namespace velmora
