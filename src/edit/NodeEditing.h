#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class SpectrumEditor;

/** Logical pixels within which a press hits a node or a curve segment. */
inline constexpr float PickTolerance = 10.0f;

enum PickResult : int { PickedNothing = 0, PickedNode = 1, PickedSegment = -1 };

/**
 * Hit-tests the edited spectrum at pixel (px, py): the nearest node within PickTolerance (ties to
 * the higher index) gives PickedNode with its index in node; else a hit on a segment gives
 * PickedSegment; else PickedNothing. Changes nothing: the caller selects the node.
 */
int PickNode(const TSpectrumModel& model, const Draw2DClass& surface, int px, int py, int& node);

/** True when the press at pixel (px, py) hits the other spectrum's line. Changes nothing. */
bool PickOtherSpectrum(const TSpectrumModel& model, const Draw2DClass& surface, int px, int py);

/** Makes index current (any value, -1 for none), moving the selected marker in the bitmap. */
bool SelectNode(TSpectrumModel& model, Draw2DClass& surface, int index);

/**
 * Sets the current node's level, redrawing its marker and two segments in exclusive-or mode;
 * x is not used. No recalculation. False when there is no valid current node.
 */
bool SetCurrentLevel(TSpectrumModel& model, Draw2DClass& surface, float x, float level);

/** Moves the current node to the level under pixel (px, py), snapped to 0.1 dB, not clamped. */
bool DragCurrentNode(TSpectrumModel& model, Draw2DClass& surface, int px, int py);

/**
 * The node keys (virtual-key codes), each sent to the editor as what it asks for: Up and Down a
 * key step of 1 dB (0.1 when fine) on the current node, Left and Right the neighbouring node made
 * current (no wrapping), Page Up and Down the spectra swapped; Home and the zoom keys go to the
 * view, which redraws. False for any other key.
 */
bool HandleNodeKey(const TSpectrumModel& model, Draw2DClass& surface, SpectrumEditor& editor, int key,
                   bool fine);

} // namespace velmora
