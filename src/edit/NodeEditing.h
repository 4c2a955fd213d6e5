#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class ResultView;

/** Logical pixels within which a press hits a node or a curve segment. */
inline constexpr float PickTolerance = 10.0f;

enum PickResult : int { PickedNothing = 0, PickedNode = 1, PickedSegment = -1 };

/**
 * Hit-tests the edited spectrum at pixel (px, py): the nearest node within PickTolerance
 * (ties to the higher index) becomes current and gives PickedNode; else a hit on a segment
 * gives PickedSegment; else PickedNothing.
 */
int PickNode(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int px, int py);

/** True when the press hits the other spectrum's line; the spectra have then been swapped. */
bool PickOtherSpectrum(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int px, int py);

/** Makes index current (any value, -1 for none), moving the selected marker and writing the status line. */
bool SelectNode(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int index);

/**
 * Sets the current node's level, redrawing its marker and two segments in exclusive-or mode;
 * x is not used. No recalculation. False when there is no valid current node.
 */
bool SetCurrentLevel(TSpectrumModel& model, Draw2DClass& surface, float x, float level);

/** Moves the current node to the level under pixel (px, py), snapped to 0.1 dB, not clamped. */
bool DragCurrentNode(TSpectrumModel& model, Draw2DClass& surface, int px, int py);

/**
 * The node keys (virtual-key codes): Up and Down step the level by 1 dB (0.1 when fine),
 * Left and Right the current node, Page Up and Down swap the spectra, Home and the zoom keys
 * go to the view. True for Up and Down only.
 */
bool HandleNodeKey(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int key, bool fine);

} // namespace velmora
