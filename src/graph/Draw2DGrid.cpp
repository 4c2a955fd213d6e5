#include "graph/Draw2D.h"

#include <cmath>
#include <vector>

namespace velmora {

namespace {

/** Most lines of the plain grid on one axis; far more than a drawing area can show apart. */
constexpr int kMaxGridLines = 1000;

/**
 * Positions of the grid lines on one axis: from low, or from the multiple of step toward zero
 * when low is negative, by step while not above high. The position accumulates in single
 * precision. Empty for a step that is not above 0 and when the lines would number more than
 * kMaxGridLines, so that a step too small to move the position cannot stall the drawing.
 */
std::vector<float> GridPositions(float low, float high, float step)
{
    std::vector<float> positions;
    if (!(step > 0.0f))
        return positions;
    float v = low >= 0.0f ? low : std::trunc(low / step) * step;
    while (v <= high) {
        if (static_cast<int>(positions.size()) == kMaxGridLines)
            return {};
        positions.push_back(v);
        v += step;
    }
    return positions;
}

} // namespace

void Draw2DClass::DrawFrame()
{
    SetPen(!Control || ExportMode ? kGrey : kWhite, PenStyle::Solid, 1);
    Line(WorldMin.x, WorldMin.y, WorldMax.x, WorldMin.y);
    Line(WorldMax.x, WorldMin.y, WorldMax.x, WorldMax.y);
    Line(WorldMax.x, WorldMax.y, WorldMin.x, WorldMax.y);
    Line(WorldMin.x, WorldMax.y, WorldMin.x, WorldMin.y);
}

void Draw2DClass::DrawGrid()
{
    SetPen(!Control || ExportMode ? kGrey : kWhite, PenStyle::Dot, 1);
    for (float x : GridPositions(WorldMin.x, WorldMax.x, GridStep.x))
        Line(x, WorldMin.y, x, WorldMax.y);
    for (float y : GridPositions(WorldMin.y, WorldMax.y, GridStep.y))
        Line(WorldMin.x, y, WorldMax.x, y);
}

} // namespace velmora
