#include "edit/NodeEditing.h"

#include "edit/LevelEdit.h"
#include "edit/SpectrumEditor.h"
#include "edit/SpectrumEdits.h"
#include "graph/Draw2D.h"
#include "graph/Geometry2D.h"
#include "model/SpectrumModel.h"

#include <cmath>

namespace velmora {

namespace {

/** Pixels added on both sides of a segment's horizontal span when hit-testing it. */
constexpr float kSpanSlack = 1.0f;

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

} // namespace

int PickNode(const TSpectrumModel& model, const Draw2DClass& surface, int px, int py, int& node)
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
        node = found;
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

bool PickOtherSpectrum(const TSpectrumModel& model, const Draw2DClass& surface, int px, int py)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 1; k < bands; ++k) {
        const TNode a{BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]), model.OtherLevels[k]};
        const TNode b{BandAbscissa(BandFrequency[BandIndexOfSlot(model, k - 1)]), model.OtherLevels[k - 1]};
        if (OnGraph(a) && OnGraph(b) &&
            SegmentHit(static_cast<float>(px), static_cast<float>(py), surface.WorldToPixel(a.X, a.Y),
                       surface.WorldToPixel(b.X, b.Y), static_cast<float>(surface.PixelScale())))
            return true;
    }
    return false;
}

bool SelectNode(TSpectrumModel& model, Draw2DClass& surface, int index)
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

bool HandleNodeKey(const TSpectrumModel& model, Draw2DClass& surface, SpectrumEditor& editor, int key,
                   bool fine)
{
    const int index = model.Nodes.Current;
    switch (key) {
    case VkUp:
    case VkDown:
        // Without a current node there is no level to step.
        editor.Perform(MakeKeyStep(model, key == VkUp, fine));
        return true;
    case VkLeft:
    case VkRight: {
        const int next = key == VkLeft ? index - 1 : index + 1;
        if (ValidNode(model, next))
            editor.Select(next);
        return true;
    }
    case VkPageUp:
    case VkPageDown:
        editor.Perform(MakeSwapEdit());
        return true;
    case VkHome:
    case VkAdd:
    case VkSubtract:
    case VkPlusEquals:
    case VkMinusUnderscore:
        surface.ViewKey(key, fine);
        return true;
    default:
        return false;
    }
}

} // namespace velmora
