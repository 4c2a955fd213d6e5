#pragma once

namespace velmora {

struct TSpectrumModel;

/**
 * The whole-spectrum steps on the model alone: none of them recalculates or draws. The editing
 * layer wraps each as step, recalculation and redraw.
 */

/**
 * Exchanges the edited and the other spectrum, levels and data types; Current stays. Swapping
 * twice restores the earlier state.
 */
void SwapSpectrumLevels(TSpectrumModel& model);

/**
 * Exchanges the edited levels with Results (the previous levels go to Results); a level data
 * type becomes pressure levels. Does not recalculate.
 */
void ApplyCalculatedResults(TSpectrumModel& model);

/** Turns the overlay mode on, or off when it is already on; returns the new HighlightMode. */
int ToggleHighlight(TSpectrumModel& model, int mode);

/**
 * Third-octave to full-octave bands, both spectra: each octave keeps the level of its centre
 * band, and the band set becomes the octaves. False, and nothing done, unless the third-octave
 * set is active. The nodes are rebuilt by SetupNodes afterwards.
 */
bool ConvertToFullOctave(TSpectrumModel& model);

/**
 * Full-octave to third-octave bands, both spectra, interpolating against log frequency between
 * octave centres and extrapolating the two end bands; the band set becomes the third octaves.
 * False, and nothing done, unless the full-octave set is active.
 */
bool ConvertToThirdOctave(TSpectrumModel& model);

/**
 * Reads the edited levels as another data type (0 to 3; levels are not converted). False, and
 * nothing done, when the type is already the current one or is not a data type.
 */
bool SetDataType(TSpectrumModel& model, int dataType);

} // namespace velmora
