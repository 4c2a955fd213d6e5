#pragma once

namespace velmora {

struct TSpectrumModel;
struct TNodeList;
class Draw2DClass;

/** Most STC contours drawn: those whose plateau can show in the graph's level range. */
inline constexpr int kMaxStcContours = 40;

/** The whole graph: axes, other spectrum, edited spectrum with its nodes, then the overlay. */
void DrawGraph(TSpectrumModel& model, Draw2DClass& surface);

/** The other spectrum as a dotted red polyline, in copy mode. */
void DrawOtherSpectrum(const TSpectrumModel& model, Draw2DClass& surface);

/**
 * The edited spectrum's polyline and markers in exclusive-or mode, so that drawing it again
 * removes it; the current node's marker is the selected one. False for an empty list.
 */
bool DrawNodes(const TNodeList& nodes, Draw2DClass& surface);

/**
 * Draws the overlay of the current HighlightMode once in exclusive-or mode (a second call
 * removes it again). newMode is always -1. The weighted-spectrum overlays store what they
 * draw in Results.
 */
void DrawHighlight(TSpectrumModel& model, Draw2DClass& surface, int newMode = -1);

void DrawWeightedSpectrum(TSpectrumModel& model, Draw2DClass& surface, int mode);
void DrawResults(const TSpectrumModel& model, Draw2DClass& surface);
void DrawSafeLevels(TSpectrumModel& model, Draw2DClass& surface);
void DrawSTCContours(TSpectrumModel& model, Draw2DClass& surface);
void DrawNRCurves(TSpectrumModel& model, Draw2DClass& surface);

} // namespace velmora
