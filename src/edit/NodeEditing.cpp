#include "edit/NodeEditing.h"

#include "edit/SpectrumCommands.h"
#include "graph/Draw2D.h"
#include "graph/Geometry2D.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "model/ResultTexts.h"
#include "model/ResultView.h"
#include "model/SpectrumModel.h"

#include <array>
#include <charconv>
#include <cmath>

namespace velmora {

namespace {

/** Pixels added on both sides of a segment's horizontal span when hit-testing it. */
constexpr float kSpanSlack = 1.0f;
constexpr float kKeyStep = 1.0f;
constexpr float kFineKeyStep = 0.1f;

/** Node pen in exclusive-or mode: drawing a figure a second time removes it. */
void BeginNodeDrawing(Draw2DClass& surface)
{
    surface.SetPen(kCyan, PenStyle::Solid, 1);
    surface.SetRasterMode(RasterMode::Xor);
}

void EndNodeDrawing(Draw2DClass& surface)
{
    surface.SetRasterMode(RasterMode::Copy);
}

/**
 * A node at a NaN or infinite position has no place on the graph: it is neither drawn nor hit,
 * and neither are the segments ending at it.
 */
bool OnGraph(const TNode& node)
{
    return std::isfinite(node.X) && std::isfinite(node.Y);
}

void NodeMarker(Draw2DClass& surface, const TNode& node, int style)
{
    if (OnGraph(node))
        surface.Marker(node.X, node.Y, style, kNodeMarkerSize);
}

/** The segment drawn from node 'from' to node 'to'. */
void NodeSegment(Draw2DClass& surface, const TNode& from, const TNode& to)
{
    if (OnGraph(from) && OnGraph(to))
        surface.Line(from.X, from.Y, to.X, to.Y);
}

/** The segments from the previous and from the next node to the current one, each if it exists. */
void AdjoiningSegments(const TNodeList& nodes, Draw2DClass& surface)
{
    const TNode& current = nodes.Node[nodes.Current];
    if (nodes.Current > 0)
        NodeSegment(surface, nodes.Node[nodes.Current - 1], current);
    if (nodes.Current + 1 < nodes.Count)
        NodeSegment(surface, nodes.Node[nodes.Current + 1], current);
}

/**
 * Segment test shared by both spectra: within PickTolerance logical pixels of the line and
 * within its span; scale is the surface's device pixels per logical pixel.
 */
bool SegmentHit(float px, float py, TPoint2D a, TPoint2D b, float scale)
{
    // A comparison with NaN is false, so a segment with an end off the graph is never hit.
    return SegmentDistance(px, py, a.x, a.y, b.x, b.y) <= PickTolerance * scale &&
           WithinSpanX(px, py, a.x, a.y, b.x, b.y, kSpanSlack * scale);
}

/**
 * level rounded to one decimal as "%0.1f" shows it, read back in the "C" locale. A NaN or
 * infinite level, shown without a number, counts as 0 so that the keys lead back to a real one.
 */
float DisplayedLevel(float level)
{
    if (!std::isfinite(level))
        return 0.0f;
    // The largest float has 39 digits before the point.
    std::array<char, 64> text{};
    const auto printed =
        std::to_chars(text.data(), text.data() + text.size(), level, std::chars_format::fixed, 1);
    float shown = 0.0f;
    std::from_chars(text.data(), printed.ptr, shown, std::chars_format::fixed);
    return shown;
}

} // namespace

int PickNode(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int px, int py)
{
    const TNodeList& nodes = model.Nodes;
    if (nodes.Count <= 0)
        return PickedNothing;

    float best = PickTolerance * static_cast<float>(surface.PixelScale());
    int found = -1;
    for (int j = 0; j < nodes.Count; ++j) {
        if (!OnGraph(nodes.Node[j]))
            continue;
        const TPoint2D p = surface.WorldToPixel(nodes.Node[j].X, nodes.Node[j].Y);
        // "Not greater than": of equally near nodes the later one wins.
        const float d = Distance(static_cast<float>(px), static_cast<float>(py), p.x, p.y);
        if (d <= best) {
            found = j;
            best = d;
        }
    }
    if (found >= 0) {
        SelectNode(model, surface, view, found);
        return PickedNode;
    }

    for (int j = 1; j < nodes.Count; ++j) {
        const TNode& a = nodes.Node[j];
        const TNode& b = nodes.Node[j - 1];
        if (OnGraph(a) && OnGraph(b) &&
            SegmentHit(static_cast<float>(px), static_cast<float>(py), surface.WorldToPixel(a.X, a.Y),
                       surface.WorldToPixel(b.X, b.Y), static_cast<float>(surface.PixelScale())))
            return PickedSegment;
    }
    return PickedNothing;
}

bool PickOtherSpectrum(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int px, int py)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 1; k < bands; ++k) {
        const TNode a{BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]), model.OtherLevels[k]};
        const TNode b{BandAbscissa(BandFrequency[BandIndexOfSlot(model, k - 1)]), model.OtherLevels[k - 1]};
        if (OnGraph(a) && OnGraph(b) &&
            SegmentHit(static_cast<float>(px), static_cast<float>(py), surface.WorldToPixel(a.X, a.Y),
                       surface.WorldToPixel(b.X, b.Y), static_cast<float>(surface.PixelScale()))) {
            SwapSpectra(model, surface, view);
            return true;
        }
    }
    return false;
}

bool SelectNode(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int index)
{
    TNodeList& nodes = model.Nodes;
    BeginNodeDrawing(surface);
    if (ValidNode(model, nodes.Current)) {
        NodeMarker(surface, nodes.Node[nodes.Current], MarkerSelected);
        NodeMarker(surface, nodes.Node[nodes.Current], MarkerPlain);
    }
    const bool valid = ValidNode(model, index);
    if (valid) {
        NodeMarker(surface, nodes.Node[index], MarkerPlain);
        NodeMarker(surface, nodes.Node[index], MarkerSelected);
    }
    nodes.Current = index;
    if (valid && view)
        view->SetStatusText(StatusText(model));
    EndNodeDrawing(surface);
    return true;
}

bool SetCurrentLevel(TSpectrumModel& model, Draw2DClass& surface, float /*x*/, float level)
{
    TNodeList& nodes = model.Nodes;
    if (!ValidNode(model, nodes.Current))
        return false;
    TNode& current = nodes.Node[nodes.Current];

    BeginNodeDrawing(surface);
    NodeMarker(surface, current, MarkerSelected);
    AdjoiningSegments(nodes, surface);
    current.Y = level;
    AdjoiningSegments(nodes, surface);
    NodeMarker(surface, current, MarkerSelected);
    EndNodeDrawing(surface);
    return true;
}

bool DragCurrentNode(TSpectrumModel& model, Draw2DClass& surface, int px, int py)
{
    const TPoint2D world = surface.PixelToWorld(px, py);
    // A view zoomed out to a zero scale maps the pointer to no level at all; keep the old one.
    if (!std::isfinite(world.y))
        return false;
    return SetCurrentLevel(model, surface, world.x, world.y);
}

bool HandleNodeKey(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int key, bool fine)
{
    const int index = model.Nodes.Current;
    const TNode p = GetNode(model, index);
    const float level = DisplayedLevel(p.Y);
    const float step = fine ? kFineKeyStep : kKeyStep;

    switch (key) {
    case VkUp:
    case VkDown:
        // Without a current node there is no level to step.
        if (ValidNode(model, index)) {
            DrawHighlight(model, surface, -1);
            SetCurrentLevel(model, surface, p.X, key == VkUp ? level + step : level - step);
            Recalculate(model, view);
            DrawHighlight(model, surface, -1);
        }
        return true;
    case VkLeft:
        if (ValidNode(model, index - 1))
            SelectNode(model, surface, view, index - 1);
        return false;
    case VkRight:
        if (ValidNode(model, index + 1))
            SelectNode(model, surface, view, index + 1);
        return false;
    case VkPageUp:
    case VkPageDown:
        SwapSpectra(model, surface, view);
        return false;
    case VkHome:
    case VkAdd:
    case VkSubtract:
    case VkPlusEquals:
    case VkMinusUnderscore:
        surface.ViewKey(key, fine);
        return false;
    default:
        return false;
    }
}

} // namespace velmora
