#pragma once

#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * The band table as the clipboard carries it beside the picture: a header row, then one row per
 * band of the model's set with the frequency in Hz, the edited level, the other level, the edited
 * level under the A, B, C and D weightings and the result of the two spectra combined by their
 * data types, all in dB. Numbers are in the "C" locale and written with as many digits as the
 * model's single-precision value needs to read back exactly ("45.3", not "45.299999"); a level
 * that is not finite is "-". The model is not changed (Results is computed aside).
 */

/** Tab-separated cells, one row per line ending in a line feed, for spreadsheets and text. */
std::string BandTableText(const TSpectrumModel& model);

/** The same cells as an HTML table, for word processors and spreadsheets that take HTML. */
std::string BandTableHtml(const TSpectrumModel& model);

} // namespace velmora
