#include "io/TableCell.h"

namespace velmora::tabular {

Cell SplitCell(std::string_view raw)
{
    Cell cell;
    cell.text = Trim(raw);
    if (cell.text.size() >= 2 && cell.text.front() == '"' && cell.text.back() == '"')
        cell.text = Trim(cell.text.substr(1, cell.text.size() - 2));
    if (cell.text.empty())
        cell.kind = CellKind::Empty;
    else if ((IsAsciiLetter(cell.text[0]) || cell.text[0] == '(') && ReadUnit(cell.text, cell.unit))
        cell.kind = CellKind::Unit;
    else
        cell.kind = CellKind::Unread;
    return cell;
}

Cell& Parsed(Cell& cell)
{
    if (cell.kind == CellKind::Unread) {
        if (ReadQuantity(cell.text, cell))
            cell.kind = CellKind::Number;
        else
            cell = Cell{{}, cell.text, CellKind::Text};
    }
    return cell;
}

} // namespace velmora::tabular
