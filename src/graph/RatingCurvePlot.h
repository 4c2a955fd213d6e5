#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;

/** Half side in logical pixels of the square that marks the governing band on a rating curve. */
inline constexpr int kGoverningMarkerSize = 5;

/**
 * The reference curve of the rating the view shows (ShownCurve), placed where it rates the edited
 * spectrum (PlaceRatingCurve, from the model's ratings value), in exclusive-or mode so that a second
 * drawing removes it: a solid dark green line two pixels wide through the curve's bands; at each band
 * that falls short of it a thin tick on the far side of the curve and a thin line across the gap from
 * the band's level (its octave's level for NC); a square round the curve's point at the governing band;
 * and its label ("STC (E413) 52 contour") in the top right corner of the graph.
 * Draws nothing without a canvas, for None, while the edited spectrum's data type is not rated by
 * the curve's rating, or when that rating has no value. Text ignores the raster mode: a second
 * drawing leaves the label.
 */
void DrawRatingCurve(const TSpectrumModel& model, Draw2DClass& surface);

} // namespace velmora
