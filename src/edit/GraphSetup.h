#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;

/**
 * Rebuilds the edited spectrum for the band set and sets up the view: configures and fits
 * the surface, places the nodes at their band abscissae (levels zeroed when asked), makes
 * node 0 current and recalculates.
 */
void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, bool zeroLevels);

/**
 * Stores the level range and grid step (StoreGraphExtents), then SetupGraph keeping the levels.
 */
void SetGraphExtents(TSpectrumModel& model, Draw2DClass& surface, float minLevel, float maxLevel,
                     float increment);

/**
 * The overlay menu: the calculated results are brought up to date first when mode is 5, then the
 * mode is toggled (ToggleHighlight), a weighting overlay's results stored and the graph redrawn.
 * Returns the new HighlightMode. A view change, not an edit.
 */
int ShowHighlight(TSpectrumModel& model, Draw2DClass& surface, int mode);

} // namespace velmora
