#pragma once

namespace velmora {

struct TSpectrumModel;
struct TNodeList;
class ComparisonLayer;
class ComparisonSet;
class Draw2DClass;

/**
 * Most STC contours drawn at once. Only contours that can show in the drawing area are drawn,
 * highest first, so a top level far beyond the usual range still draws quickly.
 */
inline constexpr int kMaxStcContours = 40;

/** Highest STC contour drawn, in dB; the overlay draws none above it, however high the graph reaches. */
inline constexpr double kMaxStcContourLevel = 10000.0;

/**
 * Sets the surface up for the model's graph: the snap and grid steps, the margins, the band
 * range across and the level extents up, fitted to the surface's drawing size. The view half of
 * setting up the graph; the model is not touched.
 */
void SetUpSpectrumView(const TSpectrumModel& model, Draw2DClass& surface);

/**
 * The whole graph: axes, the comparison set when one is given (with its legend, through layer when
 * one is given), other spectrum, edited spectrum with its nodes, the overlay, then the reference
 * curve of the rating the view shows (DrawRatingCurve). In every layer a segment or marker touching
 * a NaN or infinite level (or abscissa) is left out; finite levels of any size are drawn and clipped
 * by the canvas.
 */
void DrawGraph(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set = nullptr,
               ComparisonLayer* layer = nullptr);

/** The other spectrum, OtherLevels over the band set, as a dotted red polyline in the current raster mode. */
void DrawOtherSpectrum(const TSpectrumModel& model, Draw2DClass& surface);

/**
 * The edited spectrum's polyline and markers in exclusive-or mode, so that drawing it again
 * removes it; the current node's marker is the selected one. False, and nothing drawn, for a
 * Count of 0 or less; at most kBandSlots nodes are drawn.
 */
bool DrawNodes(const TNodeList& nodes, Draw2DClass& surface);

/**
 * Draws the overlay of the current HighlightMode once in exclusive-or mode (a second call
 * removes it again). newMode is always -1.
 */
void DrawHighlight(const TSpectrumModel& model, Draw2DClass& surface, int newMode = -1);

/**
 * The weighted edited spectrum, navy dotted: Results, which the model keeps as the edited
 * spectrum weighted by the mode's weighting while a weighting overlay shows (StoreResults).
 */
void DrawWeightedSpectrum(const TSpectrumModel& model, Draw2DClass& surface);

/** Results over the band set, grey dotted; stores nothing. */
void DrawResults(const TSpectrumModel& model, Draw2DClass& surface);

/**
 * The safe exposure levels from 63 Hz to 8 kHz, navy dotted, labelled under the 8 kHz point;
 * drawn whatever the level range.
 */
void DrawSafeLevels(Draw2DClass& surface);

/**
 * The STC reference contours every 10 dB from the highest whole ten below MaxLevel - 1 down to
 * STC 10, each labelled "STC:r" above its 4 kHz point; a contour whose 125 Hz point lies below
 * MinLevel starts two thirds of the way to 400 Hz instead. Contours that cannot show in the
 * drawing area are left out, and at most kMaxStcContours are drawn.
 */
void DrawSTCContours(const TSpectrumModel& model, Draw2DClass& surface);

/**
 * The NR curves 100 down to 0, navy dotted, each labelled "NR:n" above its 16 kHz point
 * whatever the level range; a segment is drawn when its end point's level lies in MinLevel to
 * MaxLevel, ends included.
 */
void DrawNRCurves(const TSpectrumModel& model, Draw2DClass& surface);

} // namespace velmora
