#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class ResultView;

/**
 * Rebuilds the edited spectrum for the band set and sets up the view: configures and fits
 * the surface, places the nodes at their band abscissae (levels zeroed when asked), makes
 * node 0 current and recalculates, reporting to view when it is given.
 */
void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, bool zeroLevels);

/**
 * Stores the level range and grid step (StoreGraphExtents), then SetupGraph keeping the levels.
 */
void SetGraphExtents(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, float minLevel,
                     float maxLevel, float increment);

} // namespace velmora
