#include "graph/ComparisonPlot.h"

#include "graph/Draw2D.h"
#include "model/Bands.h"
#include "model/ComparisonSet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

/** Logical pixels: the sample line of a legend row, the gaps around it and around the box. */
constexpr int kSampleLength = 28;
constexpr int kLegendGap = 4;

/** A marker's outline as pixel offsets from its centre, for a half side of 1, closed shapes last point =
 * first. */
struct Outline {
    std::array<std::pair<float, float>, 9> points{};
    int count = 0;
    /** Consecutive points join into one figure; otherwise pairs of points are separate strokes. */
    bool joined = true;
};

Outline OutlineOf(MarkerShape shape)
{
    constexpr float kDiagonal = 0.7071f;
    switch (shape) {
    case MarkerShape::Circle:
        return {{{{1, 0},
                  {kDiagonal, kDiagonal},
                  {0, 1},
                  {-kDiagonal, kDiagonal},
                  {-1, 0},
                  {-kDiagonal, -kDiagonal},
                  {0, -1},
                  {kDiagonal, -kDiagonal},
                  {1, 0}}},
                9};
    case MarkerShape::TriangleUp:
        return {{{{0, -1}, {1, 1}, {-1, 1}, {0, -1}}}, 4};
    case MarkerShape::Diamond:
        return {{{{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}}}, 5};
    case MarkerShape::TriangleDown:
        return {{{{0, 1}, {1, -1}, {-1, -1}, {0, 1}}}, 4};
    case MarkerShape::Cross:
        return {{{{-1, -1}, {1, 1}, {-1, 1}, {1, -1}}}, 4, false};
    case MarkerShape::Plus:
        return {{{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}}, 4, false};
    case MarkerShape::Star:
        return {{{{-1, 0},
                  {1, 0},
                  {0, -1},
                  {0, 1},
                  {-kDiagonal, -kDiagonal},
                  {kDiagonal, kDiagonal},
                  {-kDiagonal, kDiagonal},
                  {kDiagonal, -kDiagonal}}},
                8,
                false};
    case MarkerShape::Square:
    default:
        return {{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}}}, 5};
    }
}

/** A marker of the shape centred on pixel (x, y), half side size device pixels, with the current pen. */
void ShapeMarker(Canvas2D& canvas, float x, float y, MarkerShape shape, float size)
{
    const Outline outline = OutlineOf(shape);
    const auto at = [&](int i) {
        const auto [dx, dy] = outline.points[static_cast<std::size_t>(i)];
        return std::pair{Draw2DClass::PixelToInt(std::round(x + dx * size)),
                         Draw2DClass::PixelToInt(std::round(y + dy * size))};
    };
    for (int i = 0; i + 1 < outline.count; i += outline.joined ? 1 : 2) {
        const auto [x1, y1] = at(i);
        const auto [x2, y2] = at(i + 1);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    }
}

/** One spectrum of the set: its polyline in its pattern, then its markers drawn solid. */
void DrawCurve(const ComparedSpectrum& spectrum, BandSet bands, Draw2DClass& surface)
{
    const CurveStyle style = ComparisonStyle(spectrum.style);
    const int count = BandCountOf(bands);
    std::array<TPoint2D, kBandSlots> points{};
    for (int k = 0; k < count; ++k)
        points[static_cast<std::size_t>(k)] = {
            BandAbscissa(BandFrequency[static_cast<std::size_t>(BandStartOf(bands) + k * BandStepOf(bands))]),
            spectrum.levels[static_cast<std::size_t>(k)]};
    surface.SetPen(style.colour, style.pen, 1);
    for (int k = 1; k < count; ++k)
        surface.Segment(points[static_cast<std::size_t>(k - 1)], points[static_cast<std::size_t>(k)]);
    surface.SetPen(style.colour, PenStyle::Solid, 1);
    const float size = static_cast<float>(kComparedMarkerSize * surface.PixelScale());
    for (int k = 0; k < count; ++k) {
        const TPoint2D world = points[static_cast<std::size_t>(k)];
        if (!IsFinite(world))
            continue;
        const TPoint2D pixel = surface.WorldToPixel(world.x, world.y);
        ShapeMarker(*surface.Canvas, pixel.x, pixel.y, style.marker, size);
    }
}

std::string Elided(std::string text)
{
    if (text.size() > kLegendTextLength)
        text = text.substr(0, kLegendTextLength - 3) + "...";
    return text;
}

std::string BandSetName(BandSet bands)
{
    return bands == BandSet::Third ? "third octaves" : "octaves";
}

/** The sample of a row: a short line in the row's pen with the row's marker in its middle. */
void DrawSample(Draw2DClass& surface, const LegendRow& row, const ComparisonSet& set)
{
    Canvas2D& canvas = *surface.Canvas;
    const int scale = surface.PixelScale();
    const int y = (row.top + row.bottom) / 2;
    const int x1 = row.left + kLegendGap * scale;
    const int x2 = x1 + kSampleLength * scale;
    CurveStyle style;
    bool marker = true;
    if (row.kind == LegendRow::Edited) {
        style = kEditedCurveStyle;
    } else if (row.kind == LegendRow::Other) {
        style = kOtherCurveStyle;
        marker = false;
    } else {
        style = ComparisonStyle(set[static_cast<std::size_t>(row.spectrum)].style);
    }
    canvas.SetPen(style.colour, style.pen, 1);
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
    if (marker) {
        canvas.SetPen(style.colour, PenStyle::Solid, 1);
        ShapeMarker(canvas, static_cast<float>(x1 + x2) / 2.0f, static_cast<float>(y), style.marker,
                    static_cast<float>(kComparedMarkerSize * scale));
    }
}

} // namespace

std::vector<LegendRow> LegendLayout(const ComparisonSet& set, const std::string& editedNote,
                                    Draw2DClass& surface)
{
    std::vector<LegendRow> rows;
    if (!surface.Canvas || (set.ShownCount() == 0 && editedNote.empty()))
        return rows;
    rows.push_back({LegendRow::Edited, -1, Elided(editedNote.empty() ? "Edited" : "Edited: " + editedNote)});
    rows.push_back({LegendRow::Other, -1, "Other"});
    for (std::size_t i = 0; i < set.Size(); ++i) {
        const ComparedSpectrum& spectrum = set[i];
        if (!spectrum.shown)
            continue;
        std::string text = spectrum.name;
        if (spectrum.Converted(set.Bands()))
            text += " (from " + BandSetName(spectrum.sourceBands) + ")";
        rows.push_back({LegendRow::Compared, static_cast<int>(i), Elided(std::move(text))});
    }

    Canvas2D& canvas = *surface.Canvas;
    const int scale = surface.PixelScale();
    const int gap = kLegendGap * scale;
    int textWidth = 0;
    int rowHeight = 0;
    for (const LegendRow& row : rows) {
        const TextSize size = canvas.TextExtent(row.text);
        textWidth = std::max(textWidth, size.width);
        rowHeight = std::max(rowHeight, size.height);
    }
    const int width = gap + kSampleLength * scale + gap + textWidth + gap;
    // Inside the frame's top right corner, a row below its edge: the label of a rating curve
    // (DrawRatingCurve) takes that row.
    const TPoint2D corner = surface.WorldToPixel(surface.WorldMax.x, surface.WorldMax.y);
    const int right = Draw2DClass::PixelToInt(corner.x) - gap;
    int top = Draw2DClass::PixelToInt(corner.y) + gap + rowHeight;
    for (LegendRow& row : rows) {
        row.left = right - width;
        row.right = right;
        row.top = top;
        row.bottom = top + rowHeight;
        top = row.bottom;
    }
    return rows;
}

const LegendRow* LegendRowAt(const std::vector<LegendRow>& rows, int x, int y)
{
    for (const LegendRow& row : rows)
        if (x >= row.left && x < row.right && y >= row.top && y < row.bottom)
            return &row;
    return nullptr;
}

void DrawComparisonSet(const ComparisonSet& set, const std::string& editedNote, Draw2DClass& surface)
{
    if (!surface.Canvas)
        return;
    const RasterMode mode = surface.SetRasterMode(RasterMode::Copy);
    for (const ComparedSpectrum& spectrum : set.Spectra())
        if (spectrum.shown)
            DrawCurve(spectrum, set.Bands(), surface);

    const std::vector<LegendRow> rows = LegendLayout(set, editedNote, surface);
    if (!rows.empty()) {
        Canvas2D& canvas = *surface.Canvas;
        const int gap = kLegendGap * surface.PixelScale();
        const int textLeft = rows.front().left + 2 * gap + kSampleLength * surface.PixelScale();
        canvas.SetBrush(kWhite, BrushStyle::Solid);
        canvas.FillRect(rows.front().left, rows.front().top - gap / 2, rows.front().right,
                        rows.back().bottom + gap / 2);
        canvas.SetPen(kGrey, PenStyle::Solid, 1);
        for (const LegendRow& row : rows) {
            DrawSample(surface, row, set);
            canvas.TextOut(textLeft, row.top, row.text);
        }
    }
    surface.SetRasterMode(mode);
}

void ComparisonLayer::Draw(const ComparisonSet& set, const std::string& editedNote, Draw2DClass& surface)
{
    Canvas2D* const canvas = surface.Canvas;
    if (!canvas || (set.ShownCount() == 0 && editedNote.empty()))
        return;
    const Key key{canvas,           &set,           set.Revision(),       editedNote,
                  surface.Width,    surface.Height, surface.PixelScale(), surface.WorldMin,
                  surface.WorldMax, surface.Scale,  surface.Offset};
    if (m_valid && key == m_kept && canvas->ComposeLayer())
        return;
    ++m_renders;
    // Without a layer the set is drawn onto the picture itself.
    m_valid = canvas->BeginLayer();
    DrawComparisonSet(set, editedNote, surface);
    if (!m_valid)
        return;
    canvas->EndLayer();
    canvas->ComposeLayer();
    m_kept = key;
}

} // namespace velmora
