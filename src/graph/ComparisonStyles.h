#pragma once

#include "graph/Canvas.h"

#include <string>

namespace velmora {

/** Shapes of the markers that sit on each band of a compared spectrum. */
enum class MarkerShape { Circle, TriangleUp, Diamond, TriangleDown, Cross, Plus, Star, Square };

/** How one spectrum of the comparison set is drawn. */
struct CurveStyle {
    Colour colour = kBlack;
    PenStyle pen = PenStyle::Solid;
    MarkerShape marker = MarkerShape::Circle;
};

/**
 * How the edited spectrum (its polyline and square node markers) and the other spectrum (a dotted
 * polyline without markers) are drawn, so that the legend's samples look like them.
 */
inline constexpr CurveStyle kEditedCurveStyle = {kCyan, PenStyle::Solid, MarkerShape::Square};
inline constexpr CurveStyle kOtherCurveStyle = {kRed, PenStyle::Dot, MarkerShape::Square};

/** Colours of the curve styles: the colour-blind-safe palette's seven that show on the light background. */
inline constexpr int kCurveColours = 7;
/** Line patterns of the curve styles: solid, dashed, dash-dotted, dash-dot-dotted and dotted. */
inline constexpr int kCurvePatterns = 5;
/** Marker shapes of the curve styles. */
inline constexpr int kCurveMarkers = 8;

/**
 * Styles that differ in pattern and marker, so that each tells from every other in a grey print
 * as well: 5 patterns times 8 markers. Beyond them the sequence starts again.
 */
inline constexpr int kCurveStyleCount = kCurvePatterns * kCurveMarkers;

/**
 * Style index (any int; a negative one counts as 0) of the fixed sequence: colour, pattern and
 * marker each step on at once, so that neighbours differ in all three and the first
 * kCurveStyleCount differ in pattern or marker (and, with the colours, in all three for the first 7).
 */
CurveStyle ComparisonStyle(int index);

/** "orange, dashed, triangles": how the help and tooltips describe a style. */
std::string StyleDescription(const CurveStyle& style);

} // namespace velmora
