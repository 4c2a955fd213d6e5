#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TSpectrumModel;

/**
 * The band table as the clipboard carries it beside the picture: a header row, then one row per
 * band of the model's set with the frequency in Hz, the edited level, the other level, the edited
 * level under the A, B, C and D weightings and the result of the two spectra combined by their
 * data types, all in dB. The numbers are those the window shows: whole hertz, levels to 0.1 dB
 * rounded as the ratings panel rounds them (never "-0.0"), in fixed notation without digit
 * grouping; a value that is not finite is "-". decimalPoint is the desktop's decimal separator,
 * so that a spreadsheet in that locale reads every cell as a number: "," or "." or one non-ASCII
 * character (UTF-8); anything else (empty, a digit, a character of the table's markup) gives ".".
 * The model is not changed (Results is computed aside).
 */

/** The table's cells: the header, then one row of eight cells per band, for pages that lay them out. */
struct BandTableCells {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

BandTableCells BandTable(const TSpectrumModel& model, std::string_view decimalPoint = ".");

/** Tab-separated cells, one row per line ending in a line feed, for spreadsheets and text. */
std::string BandTableText(const TSpectrumModel& model, std::string_view decimalPoint = ".");

/** The same cells as an HTML table, for word processors and spreadsheets that take HTML. */
std::string BandTableHtml(const TSpectrumModel& model, std::string_view decimalPoint = ".");

} // namespace velmora
