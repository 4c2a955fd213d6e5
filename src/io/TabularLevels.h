#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/** Largest text ReadTabularLevels reads, in bytes; a larger clipboard or file is refused unread. */
inline constexpr std::size_t kMaxTabularBytes = 1024 * 1024;

/** A level matched to its band by frequency. */
struct BandLevel {
    int band;     // index into BandFrequency, 0 to 26
    double level; // dB; finite and within the range of a float
    int line;     // 1-based line of the text the level stands on
};

/** Levels read from a table of text, either as a plain list or band by band. */
struct TabularLevels {
    /** True when every level came with its band's frequency (rows), false for a plain list (levels). */
    bool labelled = false;
    /**
     * Unlabelled: the levels in dB in band order. 9 levels are the octave set (bands 1, 4, ..., 25:
     * 63 Hz to 16 kHz) and 27 the third-octave set (bands 0 to 26: 50 Hz to 20 kHz); the caller
     * switches the band set when the list is of the other one.
     */
    std::vector<double> levels;
    /** Labelled: one per band listed, in the order read, no band twice; unlisted bands keep their level. */
    std::vector<BandLevel> rows;
};

/** Why a text was refused. */
struct TabularError {
    int line = 0;        // 1-based line at fault; 0 when the fault is not on one line
    std::string message; // a short sentence for a message box, starting "Line N: " when line > 0
};

/**
 * Reads levels from the text of a clipboard or a .txt/.csv file: what spreadsheets, meter software
 * and people write.
 *
 * - Layouts: one column or one row of 9 or 27 levels in band order (unlabelled); two columns, or
 *   two rows, of frequency and level (labelled), bands in any order, some or most of them missing;
 *   more than two columns with the frequency first, where the second is the level and the others
 *   are ignored (the program's own copied band table reads back as frequency and edited level). A
 *   single row of two numbers is a frequency and its level. A first row of three or more band
 *   frequencies, or of two after a "Hz" label, is a row of frequencies, whatever the rows under it
 *   hold: exactly one row of as many levels, which may lie near band frequencies themselves.
 * - Frequencies are nominal band frequencies as BandOfFrequencyText reads them.
 * - Cells are separated by tabs, semicolons, commas or runs of spaces, the first of these the text
 *   holds; a line without that separator is split at spaces. Where commas do not separate, "45,5"
 *   is 45.5. Commas that all stand between digits are decimal commas when spaces separate numbers
 *   ("63 45,5"), else separators when a line holds several or every line holding one starts with a
 *   band frequency ("1000,45"), else decimal commas. Cells may be in double quotes.
 * - UTF-16 text is read as the text it holds (TextOfBytes).
 * - Skipped: a UTF-8 byte-order mark, blank lines, rows without a number (headers), unit cells
 *   ("dB", "dB(A)", "Hz"; "1 kHz" split over two cells is one frequency), leading columns without
 *   numbers (labels). Lines end in LF, CR LF or CR.
 * - Numbers are read in the "C" locale whatever the process locale.
 *
 * False, levels untouched and error set, for: a text over kMaxTabularBytes (refused before any
 * reading), a text holding NUL bytes (binary, or UTF-16 holding U+0000), no levels at all, a count
 * of unlabelled levels other than 9 or 27, a frequency that is not a band of the program's set, a
 * band listed twice, a frequency without a level, a row of frequencies over more or fewer levels
 * or over more than one row, and a level that is not a number, not finite or beyond the range of a
 * float. A row of text between the numbers of a single column is refused too, rather than shifting
 * the levels after it to the wrong bands.
 */
bool ReadTabularLevels(std::string_view text, TabularLevels& levels, TabularError& error);

/**
 * The band index (0 to 26) of a nominal frequency text such as "1000", "1000 Hz", "1 kHz", "1k",
 * "1.25k", "1k25", "12.5 kHz" or "1,25 kHz" (units in any case, spaces around ignored); -1 when it
 * is no band of the program's set (50 Hz to 20 kHz), "31.5" and "25000" included. Within 2 % of a
 * nominal frequency counts as that band, so exact centre frequencies ("1995.3", "12699") match too.
 * A thousands mark is understood where the decimal reading is no band: "1,000" and "12.500" are
 * 1000 Hz and 12500 Hz.
 */
int BandOfFrequencyText(std::string_view text);

} // namespace velmora
