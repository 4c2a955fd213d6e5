#pragma once

#include "io/TableCell.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora::tabular {

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

/**
 * Splits text into rows of cells, as ReadTabularLevels describes: cells separated by tabs, else
 * semicolons, else commas, else runs of spaces; lines ending in LF, CR LF or CR. Rows without a
 * number are left out, as are unit cells ("Hz" or "kHz" after a plain number gives it that unit),
 * empty cells at the end of a row, and leading columns without a number in any row. Cells past a
 * row's first number stay Unread until Parsed.
 */
Table ReadTable(std::string_view text);

} // namespace velmora::tabular
