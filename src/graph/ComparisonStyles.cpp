#include "graph/ComparisonStyles.h"

#include <array>
#include <string_view>

namespace velmora {

namespace {

struct NamedColour {
    Colour colour;
    std::string_view name;
};

// Okabe and Ito's palette for colour-blind readers, in the 0x00BBGGRR order, without its yellow,
// which hardly shows on the graph's light background.
constexpr std::array<NamedColour, kCurveColours> kColours = {{
    {0x000000, "black"},
    {0x009FE6, "orange"},
    {0xE9B456, "sky blue"},
    {0x739E00, "bluish green"},
    {0xB27200, "blue"},
    {0x005ED5, "vermilion"},
    {0xA779CC, "reddish purple"},
}};

constexpr std::array<PenStyle, kCurvePatterns> kPatterns = {
    PenStyle::Solid, PenStyle::Dash, PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Dot};
constexpr std::array<std::string_view, kCurvePatterns> kPatternNames = {"solid", "dashed", "dash-dotted",
                                                                        "dash-dot-dotted", "dotted"};

constexpr std::array<std::string_view, kCurveMarkers> kMarkerNames = {
    "circles", "triangles", "diamonds", "downward triangles", "crosses", "plus signs", "stars", "squares"};

} // namespace

CurveStyle ComparisonStyle(int index)
{
    const int i = index > 0 ? index % kCurveStyleCount : 0;
    // 5 and 8 have no common factor, so the pairs (pattern, marker) of the first 40 are all different.
    return {kColours[static_cast<std::size_t>(i % kCurveColours)].colour,
            kPatterns[static_cast<std::size_t>(i % kCurvePatterns)],
            static_cast<MarkerShape>(i % kCurveMarkers)};
}

std::string StyleDescription(const CurveStyle& style)
{
    std::string text = "unknown colour";
    for (const NamedColour& colour : kColours)
        if (colour.colour == style.colour)
            text = colour.name;
    for (int p = 0; p < kCurvePatterns; ++p)
        if (kPatterns[static_cast<std::size_t>(p)] == style.pen)
            text += ", " + std::string(kPatternNames[static_cast<std::size_t>(p)]);
    const auto marker = static_cast<std::size_t>(style.marker);
    if (marker < kMarkerNames.size())
        text += ", " + std::string(kMarkerNames[marker]);
    return text;
}

} // namespace velmora
