#pragma once

#include "graph/Canvas.h"
#include "graph/ComparisonStyles.h"
#include "graph/Point2D.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class ComparisonSet;
class Draw2DClass;

/** Half side in logical pixels of a compared spectrum's markers. */
inline constexpr int kComparedMarkerSize = 3;
/** Longest text of a legend row, in characters; a longer one is cut with "...". */
inline constexpr std::size_t kLegendTextLength = 64;

/** One row of the legend: what it names and where it lies, in pixels of the canvas. */
struct LegendRow {
    enum Kind { Edited, Other, Compared };
    Kind kind = Compared;
    /** The spectrum's index in the set for a Compared row, -1 for the others. */
    int spectrum = -1;
    std::string text;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/**
 * The legend at the top right inside the frame: the edited spectrum (with editedNote when there is
 * one), the other spectrum, then every shown spectrum of the set by name, a converted one with the
 * band set it came from. Empty, and no legend drawn, when no spectrum of the set shows and there is
 * no note. Needs the surface's canvas for the text sizes; empty without one.
 */
std::vector<LegendRow> LegendLayout(const ComparisonSet& set, const std::string& editedNote,
                                    Draw2DClass& surface);

/** The legend row under pixel (x, y), or nullptr. */
const LegendRow* LegendRowAt(const std::vector<LegendRow>& rows, int x, int y);

/**
 * The shown spectra of the set over its band set, each as a polyline in its own style (pattern and
 * colour) with a marker of its shape on every band, then the legend, in copy mode. Segments and
 * markers at a NaN or infinite level are left out.
 */
void DrawComparisonSet(const ComparisonSet& set, const std::string& editedNote, Draw2DClass& surface);

/**
 * Keeps the drawing of a comparison set in the canvas's layer, so that a full redraw puts it back
 * without drawing the curves again; it draws them afresh only when the set, the legend, the view
 * or the canvas changed since (or on a canvas that keeps no layer, every time).
 */
class ComparisonLayer
{
public:
    /** DrawComparisonSet through the layer; nothing for a set that shows nothing. */
    void Draw(const ComparisonSet& set, const std::string& editedNote, Draw2DClass& surface);
    /** How many times the set was drawn afresh since this layer was made. */
    int Renders() const { return m_renders; }

private:
    struct Key {
        const void* canvas = nullptr;
        const ComparisonSet* set = nullptr;
        std::uint64_t revision = 0;
        std::string note;
        int width = 0;
        int height = 0;
        int pixelScale = 0;
        TPoint2D worldMin, worldMax, scale, offset;
        bool operator==(const Key&) const = default;
    };
    Key m_kept;
    bool m_valid = false;
    int m_renders = 0;
};

} // namespace velmora
