#include "graph/SpectrumPlot.h"

#include "entry/NumberText.h"
#include "graph/Axes.h"
#include "graph/ComparisonPlot.h"
#include "graph/ComparisonStyles.h"
#include "graph/Draw2D.h"
#include "graph/RatingCurvePlot.h"
#include "model/Bands.h"
#include "model/ComparisonSet.h"
#include "model/NoiseRating.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmora {

namespace {

/** Octave bands of the NR and safe-level tables: band index 3 * o + 1, 63 Hz to 16 kHz. */
constexpr int kOctaveCount = 9;
/** The safe-level curve stops at 8 kHz, the eighth octave. */
constexpr int kSafeLevelOctaves = 8;
/** NR curves 100, 90, ..., 0. */
constexpr int kNRCurveCount = 11;
/** Height in dB of an STC contour from its 125 Hz point up to its plateau. */
constexpr double kStcContourHeight = 20.0;

float OctaveAbscissa(int octave)
{
    return BandAbscissa(BandFrequency[3 * octave + 1]);
}

/**
 * Walks the model's band set and draws the polyline through (abscissa of slot k, level(k)),
 * leaving out segments that touch a non-finite level. level is called once per slot, in order.
 */
template <typename Level>
void DrawBandPolyline(const TSpectrumModel& model, Draw2DClass& surface, Level level)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
    TPoint2D previous;
    for (int k = 0; k < bands; ++k) {
        const TPoint2D point{BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]), level(k)};
        if (k > 0)
            surface.Segment(previous, point);
        previous = point;
    }
}

/**
 * A rating label whose bottom edge sits at point: only when point lies on or above the frame's
 * bottom edge, since below it the label would be written over the frequency labels.
 */
void RatingLabel(Draw2DClass& surface, TPoint2D point, const std::string& text)
{
    if (point.y >= surface.WorldMin.y)
        surface.Text(point.x, point.y, text, AlignRight, AlignAbove);
}

/** Overlays are dotted and drawn in exclusive-or mode, so that a second drawing removes them. */
void BeginOverlay(Draw2DClass& surface, Colour colour)
{
    surface.SetPen(colour, PenStyle::Dot, 1);
    surface.SetRasterMode(RasterMode::Xor);
}

void EndOverlay(Draw2DClass& surface)
{
    surface.SetRasterMode(RasterMode::Copy);
}

/** Plateau levels of the STC contours worth drawing: from top down to, but excluding, bottom. */
struct StcSpan {
    double top;
    double bottom;
};

/**
 * The contours run every 10 dB from the highest whole ten below MaxLevel - 1 down to STC 10.
 * Only those that can show in the drawing area are kept: a contour reaches from 20 dB below its
 * plateau up to the top of its label above it, so contours wholly above or below the area (after
 * a zoom, or with a raised bottom level) are left out. Without a usable scale only the top and
 * STC 10 bound the span. The caller also stops after kMaxStcContours, however far the top lies
 * beyond the usual range.
 */
StcSpan VisibleStcSpan(const TSpectrumModel& model, const Draw2DClass& surface)
{
    StcSpan span{std::trunc((static_cast<double>(model.MaxLevel) - 1.0) * 0.1) * 10.0, 9.0};
    // A top that is not finite leaves no level to draw a contour at; beyond any level a
    // partition or a room reaches, contours and their labels only show huge numbers.
    if (!std::isfinite(span.top))
        span.top = 0.0;
    span.top = std::min(span.top, kMaxStcContourLevel);
    const double scale = surface.Scale.y;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return span;
    const double labelHeight = surface.Canvas->TextExtent("STC:").height / scale;
    const double areaTop = surface.WorldMin.y + (surface.Height - surface.Offset.y) / scale;
    const double areaBottom = surface.WorldMin.y - surface.Offset.y / scale;
    // The highest whole ten whose 125 Hz point still lies below the top of the area.
    const double highestShown = std::ceil((areaTop + kStcContourHeight) * 0.1) * 10.0 - 10.0;
    if (std::isfinite(highestShown))
        span.top = std::min(span.top, highestShown);
    if (std::isfinite(areaBottom - labelHeight))
        span.bottom = std::max(span.bottom, areaBottom - labelHeight);
    return span;
}

} // namespace

void SetUpSpectrumView(const TSpectrumModel& model, Draw2DClass& surface)
{
    surface.SetSnap(0.1f, 0.1f);
    surface.SetGridStep(8.0f, 10.0f);
    surface.SetMargins(3.0f, 0.1f, 0.1f, 1.1f);
    surface.SetXRange(BandAbscissa(BandFrequency[0]), BandAbscissa(BandFrequency[kBandCount - 1]));
    surface.SetYRange(model.MinLevel, model.MaxLevel);
    surface.ViewCommand(ViewFit, false);
}

void DrawGraph(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set,
               ComparisonLayer* layer)
{
    DrawAxes(model, surface);
    // Under both spectra, so that the edited one's exclusive-or drawing stays on top of the set.
    if (set && layer)
        layer->Draw(*set, set->EditedNote(model), surface);
    else if (set)
        DrawComparisonSet(*set, set->EditedNote(model), surface);
    DrawOtherSpectrum(model, surface);
    DrawNodes(model.Nodes, surface);
    DrawHighlight(model, surface, -1);
    DrawRatingCurve(model, surface);
}

void DrawOtherSpectrum(const TSpectrumModel& model, Draw2DClass& surface)
{
    surface.SetPen(kOtherCurveStyle.colour, kOtherCurveStyle.pen, 1);
    DrawBandPolyline(model, surface, [&](int k) { return model.OtherLevels[k]; });
}

bool DrawNodes(const TNodeList& nodes, Draw2DClass& surface)
{
    if (nodes.Count <= 0)
        return false;
    surface.SetPen(kEditedCurveStyle.colour, kEditedCurveStyle.pen, 1);
    surface.SetRasterMode(RasterMode::Xor);
    const int count = std::min(nodes.Count, kBandSlots);
    for (int j = 0; j < count; ++j) {
        const TPoint2D point{nodes.Node[j].X, nodes.Node[j].Y};
        if (j > 0)
            surface.Segment({nodes.Node[j - 1].X, nodes.Node[j - 1].Y}, point);
        if (IsFinite(point))
            surface.Marker(point.x, point.y, j == nodes.Current ? MarkerSelected : MarkerPlain,
                           kNodeMarkerSize);
    }
    surface.SetRasterMode(RasterMode::Copy);
    return true;
}

void DrawHighlight(const TSpectrumModel& model, Draw2DClass& surface, int /*newMode*/)
{
    switch (model.HighlightMode) {
    case HighlightA:
    case HighlightB:
    case HighlightC:
    case HighlightD:
        DrawWeightedSpectrum(model, surface);
        break;
    case HighlightResults:
        DrawResults(model, surface);
        break;
    case HighlightSafeLevels:
        DrawSafeLevels(surface);
        break;
    case HighlightSTC:
        DrawSTCContours(model, surface);
        break;
    case HighlightNR:
        DrawNRCurves(model, surface);
        break;
    default:
        break;
    }
}

void DrawWeightedSpectrum(const TSpectrumModel& model, Draw2DClass& surface)
{
    BeginOverlay(surface, kNavy);
    DrawBandPolyline(model, surface, [&](int k) { return model.Results[k]; });
    EndOverlay(surface);
}

void DrawResults(const TSpectrumModel& model, Draw2DClass& surface)
{
    BeginOverlay(surface, kGrey);
    DrawBandPolyline(model, surface, [&](int k) { return model.Results[k]; });
    EndOverlay(surface);
}

void DrawSafeLevels(Draw2DClass& surface)
{
    BeginOverlay(surface, kNavy);
    TPoint2D previous;
    for (int o = 0; o < kSafeLevelOctaves; ++o) {
        const TPoint2D point{OctaveAbscissa(o), SafeExposureLevel[o]};
        if (o == kSafeLevelOctaves - 1)
            surface.Text(point.x, point.y, "Safe Exposure Levels", AlignRight, AlignBelow);
        if (o > 0)
            surface.Segment(previous, point);
        previous = point;
    }
    EndOverlay(surface);
}

void DrawSTCContours(const TSpectrumModel& model, Draw2DClass& surface)
{
    if (!surface.Canvas)
        return;
    BeginOverlay(surface, kNavy);
    const float x125 = BandAbscissa(125.0);
    const float x400 = BandAbscissa(400.0);
    const float x1250 = BandAbscissa(1250.0);
    const float x4000 = BandAbscissa(4000.0);
    // Two thirds of the way from 125 Hz to 400 Hz, where the first segment starts when its
    // 125 Hz point would lie below the graph; the contour keeps its slope.
    const float xShortened = x400 - (x400 - x125) / 3.0f;
    const StcSpan span = VisibleStcSpan(model, surface);
    for (int i = 0; i < kMaxStcContours; ++i) {
        const double r = span.top - 10.0 * i;
        if (!(r > span.bottom))
            break;
        const bool shortened = r - kStcContourHeight < model.MinLevel;
        const TPoint2D p1{shortened ? xShortened : x125,
                          static_cast<float>(shortened ? r - 10.0 : r - kStcContourHeight)};
        const TPoint2D p2{x400, static_cast<float>(r - 5.0)};
        const TPoint2D p3{x1250, static_cast<float>(r)};
        const TPoint2D p4{x4000, p3.y};
        surface.Segment(p1, p2);
        surface.Segment(p2, p3);
        surface.Segment(p3, p4);
        RatingLabel(surface, p4, "STC:" + FixedText(r, 0));
    }
    EndOverlay(surface);
}

void DrawNRCurves(const TSpectrumModel& model, Draw2DClass& surface)
{
    BeginOverlay(surface, kNavy);
    TPoint2D previous{0.0f, 0.0f};
    for (int n = 0; n < kNRCurveCount; ++n) {
        const int rating = 100 - 10 * n;
        for (int o = 0; o < kOctaveCount; ++o) {
            const TPoint2D point{OctaveAbscissa(o),
                                 static_cast<float>(NRLevel100[o] - n * static_cast<double>(NRSlope10[o]))};
            if (o == kOctaveCount - 1)
                RatingLabel(surface, point, "NR:" + FixedText(rating, 0));
            // Only the end point is tested against the level range: a segment coming down into
            // the graph from above it is drawn, one leaving it at the bottom is not.
            if (o > 0 && point.y >= model.MinLevel && point.y <= model.MaxLevel)
                surface.Segment(previous, point);
            previous = point;
        }
    }
    EndOverlay(surface);
}

} // namespace velmora
