#pragma once

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class ResultView;

/**
 * Exchanges the edited and the other spectrum, levels and data types; Current stays. Then
 * recalculates and redraws the graph. Swapping twice restores the earlier state.
 */
void SwapSpectra(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * Exchanges the edited levels with Results (the previous levels go to Results); a level data
 * type becomes pressure levels. Does not recalculate.
 */
void ApplyCalculatedResults(TSpectrumModel& model);

/** Turns the overlay mode on, or off when it is already on; returns the new HighlightMode. */
int ToggleHighlight(TSpectrumModel& model, int mode);

/**
 * Third-octave to full-octave bands, both spectra: each octave keeps the level of its centre band.
 * Does nothing unless the third-octave set is active.
 */
void ToFullOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * Full-octave to third-octave bands, both spectra, interpolating against log frequency between
 * octave centres and extrapolating the two end bands. Does nothing unless the full-octave set is active.
 */
void ToThirdOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/** Sets the edited spectrum to 0 dB in every band and makes node 0 current. */
void ResetToZero(TSpectrumModel& model, Draw2DClass& surface, ResultView* view);

/**
 * Reads the edited levels as another data type (0 to 3; levels are not converted) and
 * recalculates; redraws only when the calculated results are shown. False, and nothing done,
 * when the type is already the current one or is not a data type.
 */
bool ChangeDataType(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int dataType);

} // namespace velmora
