#pragma once

#include <string>
#include <vector>

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;

/**
 * Levels of the dotted level lines: MinLevel + increment, + 2 increments, ... while below
 * MaxLevel, accumulated in single precision; no line at either end. When the range would need
 * more than kMaxLevelLines lines, every n-th line (the smallest whole n that keeps them within
 * kMaxLevelLines). Empty for an increment of 0 or less or NaN, a range with an infinite end, and
 * a step too small to move the level in single precision; every level returned is finite.
 */
std::vector<float> LevelLines(float minLevel, float maxLevel, float increment);

/** A frequency line of the axes: its abscissa and its label, empty for unlabelled lines. */
struct FrequencyLine {
    float x;
    std::string label;
};

/** The 23 logarithmic frequency lines from 60 Hz to 10 kHz; 100 Hz, 1 kHz and 10 kHz are labelled. */
const std::vector<FrequencyLine>& FrequencyLines();

/**
 * Every how many level lines a label is written so that labels labelHeight pixels high on
 * lines lineSpacing pixels apart do not overlap: 1 when they fit (or for a spacing that is
 * not positive), else the smallest whole stride that keeps them a label's height apart.
 */
int LabelStride(double lineSpacing, int labelHeight);

/** "%0.1f " of a level, as written left of its level line. */
std::string LevelLabel(float level);

/**
 * The labelled background of the graph: frame, "dB ", level lines with labels and frequency
 * lines with labels; white on screen, grey when exporting. Leaves the raster mode as it is.
 */
void DrawAxes(const TSpectrumModel& model, Draw2DClass& surface);

} // namespace velmora
