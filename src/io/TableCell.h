#pragma once

#include "io/QuantityText.h"

#include <string_view>

namespace velmora::tabular {

/** Unread: not yet read as a number; cells the layout never uses are never read. */
enum class CellKind { Empty, Unit, Unread, Number, Text };

/** The quantity is read when kind is Number; its unit alone when kind is Unit. */
struct Cell : Quantity {
    std::string_view text; // trimmed, without surrounding quotes
    CellKind kind = CellKind::Empty;
};

/** The cell raw without surrounding spaces and quotes: empty, a unit, or still to be read. */
Cell SplitCell(std::string_view raw);

/** The cell, read as a number (or found to be text) if it was not yet. */
Cell& Parsed(Cell& cell);

} // namespace velmora::tabular
