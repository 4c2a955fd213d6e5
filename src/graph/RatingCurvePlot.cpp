#include "graph/RatingCurvePlot.h"

#include "graph/Draw2D.h"
#include "model/PlacedRatingCurve.h"
#include "model/SpectrumModel.h"

#include <cmath>

namespace velmora {

namespace {

/** Logical pixels the marks of a shortfall keep clear of the node marker and of the curve. */
constexpr int kClearOfNode = kNodeMarkerSize + 1;
constexpr int kClearOfCurve = 3;
/** Logical length of the tick beyond the curve. */
constexpr int kTickLength = 6;

/** A vertical line at abscissa x between two levels, when it has a length and is finite. */
void VerticalLine(Draw2DClass& surface, float x, double from, double to)
{
    const auto fromY = static_cast<float>(from);
    const auto toY = static_cast<float>(to);
    if (std::isfinite(x) && std::isfinite(fromY) && std::isfinite(toY) && fromY != toY)
        surface.Line(x, fromY, x, toY);
}

/**
 * The marks of a band that falls short of the curve, at abscissa x: a tick on the far side of the
 * curve from the band's level, however small the shortfall, and the gap from just off the band's
 * level to just short of the curve where it is long enough to show. Both keep clear of the node
 * marker and of the curve, whose pixels exclusive-or drawing would otherwise cancel.
 */
void ShortfallMarks(Draw2DClass& surface, float x, double rated, double level)
{
    const double scale = surface.Scale.y;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return;
    // Levels grow upwards: direction points from the band's level towards the curve and beyond.
    const double direction = level > rated ? 1.0 : -1.0;
    const double pixel = static_cast<double>(surface.PixelScale()) / scale;
    const double tickStart = level + direction * kClearOfCurve * pixel;
    VerticalLine(surface, x, tickStart, tickStart + direction * kTickLength * pixel);
    const double gapStart = rated + direction * kClearOfNode * pixel;
    const double gapEnd = level - direction * kClearOfCurve * pixel;
    if ((gapEnd - gapStart) * direction > 0.0)
        VerticalLine(surface, x, gapStart, gapEnd);
}

} // namespace

void DrawRatingCurve(const TSpectrumModel& model, Draw2DClass& surface)
{
    if (!surface.Canvas || !CurveRatesDataType(model.ShownCurve, model.Nodes.DataType))
        return;
    const PlacedRatingCurve placed =
        PlaceRatingCurve(model.Ratings, model.ShownCurve, model.BandStart, model.BandStep);
    if (placed.count == 0)
        return;
    const auto abscissa = [&](int j) {
        return BandAbscissa(BandFrequency[static_cast<std::size_t>(placed.points[j].band)]);
    };

    surface.SetPen(kDarkGreen, PenStyle::Solid, 2);
    surface.SetRasterMode(RasterMode::Xor);
    for (int j = 1; j < placed.count; ++j)
        surface.Segment({abscissa(j - 1), static_cast<float>(placed.points[j - 1].level)},
                        {abscissa(j), static_cast<float>(placed.points[j].level)});
    surface.SetPen(kDarkGreen, PenStyle::Solid, 1);
    for (int j = 0; j < placed.count; ++j) {
        const RatingCurvePoint& point = placed.points[j];
        if (point.shortfall > 0.0 && std::isfinite(point.rated))
            ShortfallMarks(surface, abscissa(j), point.rated, point.level);
        const auto level = static_cast<float>(point.level);
        if (point.band == placed.governingBand && std::isfinite(level))
            surface.Marker(abscissa(j), level, MarkerPlain, kGoverningMarkerSize);
    }
    // In the top right corner of the graph, where neither the curve nor its ticks run under it.
    surface.Text(surface.WorldMax.x, surface.WorldMax.y, placed.label, AlignRight, AlignBelow);
    surface.SetRasterMode(RasterMode::Copy);
}

} // namespace velmora
