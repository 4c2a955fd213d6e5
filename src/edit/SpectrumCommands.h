#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class ResultView;

/**
 * The whole-spectrum operations as the window runs them: the model's step, then the
 * recalculation and the redraw it needs.
 */

/** Exchanges the edited and the other spectrum (levels and data types), recalculates and redraws. */
void SwapSpectra(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * Takes the results over as the edited levels (ApplyCalculatedResults), recalculates the
 * ratings into view's status and result lines and redraws; in modes 1 to 4 Results then holds
 * the new levels weighted, as the overlay shows them, and in mode 5 the levels replaced.
 */
void ApplyResults(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * The overlay menu: the calculated results are brought up to date first when mode is 5, then the
 * mode is toggled (ToggleHighlight) and the graph redrawn. Returns the new HighlightMode.
 */
int ShowHighlight(TSpectrumModel& model, Draw2DClass& surface, int mode);

/** Third-octave to full-octave bands, then SetupGraph keeping the levels. Nothing from another set. */
void ToFullOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/** Full-octave to third-octave bands, then SetupGraph keeping the levels. Nothing from another set. */
void ToThirdOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/** Sets the edited spectrum to 0 dB in every band and makes node 0 current (SetupGraph). */
void ResetToZero(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * Reads the edited levels as another data type (0 to 3; levels are not converted) and
 * recalculates; redraws only when the calculated results are shown. False, and nothing done,
 * when the type is already the current one or is not a data type.
 */
bool ChangeDataType(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int dataType);

} // namespace velmora
