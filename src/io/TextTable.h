#pragma once

#include "io/QuantityText.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora::tabular {

/** Unread: not yet read as a number; cells the layout never uses are never read. */
enum class CellKind { Empty, Unit, Unread, Number, Text };

/** The quantity is read when kind is Number; its unit alone when kind is Unit. */
struct Cell : Quantity {
    std::string_view text; // trimmed, without surrounding quotes
    CellKind kind = CellKind::Empty;
};

struct Row {
    int line;          // 1-based line of the text
    std::size_t first; // index into Table::cells
    std::size_t count;
    bool hertzLabel = false; // a "Hz" or "kHz" cell stands before the first number
};

/** Cells of a text by rows; the cells' texts point into the text read, which must outlive the table. */
struct Table {
    std::vector<Cell> cells;
    std::vector<Row> rows; // rows holding a number; the others are headers and notes
    /** First row without a number standing between rows with numbers; line 0 when there is none. */
    int gapLine = 0;
    std::string_view gapText;
};

/** The cell raw without surrounding spaces and quotes: empty, a unit, or still to be read. */
Cell SplitCell(std::string_view raw);

/** The cell, read as a number (or found to be text) if it was not yet. */
Cell& Parsed(Cell& cell);

/**
 * Splits text into rows of cells, as ReadTabularLevels describes: cells separated by tabs, else
 * semicolons, else commas, else runs of spaces; lines ending in LF, CR LF or CR. Rows without a
 * number are left out, as are unit cells ("Hz" or "kHz" after a plain number gives it that unit),
 * empty cells at the end of a row, and leading columns without a number in any row. Cells past a
 * row's first number stay Unread until Parsed.
 */
Table ReadTable(std::string_view text);

} // namespace velmora::tabular
