#include "io/TextTable.h"

#include "io/BandMatch.h"

#include <algorithm>

namespace velmora::tabular {

namespace {

enum class Separator { Tab, Semicolon, Comma, Spaces };

/** Calls visit with each cell of the line, untrimmed; a line without the separator splits at spaces. */
template <typename Visit> void ForEachCell(std::string_view line, Separator separator, Visit visit)
{
    char mark = separator == Separator::Tab         ? '\t'
                : separator == Separator::Semicolon ? ';'
                : separator == Separator::Comma     ? ','
                                                    : '\0';
    if (mark != '\0' && line.find(mark) == std::string_view::npos)
        mark = '\0';
    bool quoted = false;
    if (mark != '\0' && line.find('"') == std::string_view::npos) {
        std::size_t start = 0;
        for (std::size_t i = line.find(mark); i != std::string_view::npos; i = line.find(mark, start)) {
            visit(line.substr(start, i - start));
            start = i + 1;
        }
        visit(line.substr(start));
        return;
    }
    if (mark != '\0') {
        std::size_t start = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else if (line[i] == mark && !quoted) {
                visit(line.substr(start, i - start));
                start = i + 1;
            }
        }
        visit(line.substr(start));
        return;
    }
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsAsciiSpace(line[i]))
            ++i;
        if (i == line.size())
            return;
        const std::size_t start = i;
        for (; i < line.size() && (quoted || !IsAsciiSpace(line[i])); ++i)
            if (line[i] == '"')
                quoted = !quoted;
        visit(line.substr(start, i - start));
    }
}

template <typename Visit> void ForEachLine(std::string_view text, Visit visit)
{
    std::size_t pos = 0;
    int line = 0;
    // The next LF is kept rather than searched for on every line, which would take quadratic
    // time over a long text with CR line ends only.
    std::size_t lf = std::min(text.find('\n'), text.size());
    while (pos < text.size()) {
        if (lf < pos)
            lf = std::min(text.find('\n', pos), text.size());
        std::size_t end = lf;
        std::size_t next = lf + 1;
        const std::size_t cr = text.substr(pos, lf - pos).find('\r');
        if (cr != std::string_view::npos) {
            end = pos + cr;
            next = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
        }
        visit(text.substr(pos, end - pos), ++line);
        pos = next;
    }
}

/**
 * Tabs, else semicolons, else commas, else spaces. Commas that all stand between digits may be
 * decimal commas instead: they are when spaces separate numbers on some line ("63 45,5"), and
 * otherwise unless a line holds several, or every line with a number holds one after a band
 * frequency ("1000,45"). A column of levels where only some carry a decimal part ("60", "62,5")
 * is levels even when such a level lies near a band frequency.
 */
Separator FindSeparator(std::string_view text)
{
    if (text.find('\t') != std::string_view::npos)
        return Separator::Tab;
    if (text.find(';') != std::string_view::npos)
        return Separator::Semicolon;
    if (text.find(',') == std::string_view::npos)
        return Separator::Spaces;
    for (std::size_t i = text.find(','); i != std::string_view::npos; i = text.find(',', i + 1))
        if (i == 0 || i + 1 == text.size() || !IsDigit(text[i - 1]) || !IsDigit(text[i + 1]))
            return Separator::Comma;
    bool spacedNumbers = false;
    bool severalCommas = false;
    bool bandsFirst = true;
    ForEachLine(text, [&](std::string_view line, int) {
        if (std::count(line.begin(), line.end(), ',') > 1)
            severalCommas = true;
        int numberWords = 0;
        ForEachCell(line, Separator::Spaces, [&](std::string_view word) {
            if (std::any_of(word.begin(), word.end(), IsDigit))
                ++numberWords;
        });
        if (numberWords > 1)
            spacedNumbers = true;
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            if (numberWords > 0)
                bandsFirst = false;
        } else if (Cell first = SplitCell(line.substr(0, comma)); !IsBand(first)) {
            bandsFirst = false;
        }
    });
    if (spacedNumbers)
        return Separator::Spaces;
    return severalCommas || bandsFirst ? Separator::Comma : Separator::Spaces;
}

void ReadRow(std::string_view line, int lineNumber, Separator separator, Table& table, int& noteLine,
             std::string_view& noteText)
{
    std::vector<Cell>& cells = table.cells;
    const std::size_t start = cells.size();
    bool hertzLabel = false;
    bool filled = false; // a cell other than an empty one or a unit was met
    ForEachCell(line, separator, [&](std::string_view raw) {
        const Cell cell = SplitCell(raw);
        if (cell.kind == CellKind::Unit) {
            // "1 kHz" in two cells is one frequency; a frequency unit first in the row labels it
            // as frequencies; other unit cells carry nothing.
            const bool frequencyUnit = cell.unit == Unit::Hertz || cell.unit == Unit::KiloHertz;
            hertzLabel = hertzLabel || (frequencyUnit && !filled);
            if (frequencyUnit && cells.size() > start && Parsed(cells.back()).kind == CellKind::Number &&
                cells.back().unit == Unit::None) {
                Cell& previous = cells.back();
                previous.unit = cell.unit;
                previous.text = std::string_view(
                    previous.text.data(),
                    static_cast<std::size_t>(cell.text.data() + cell.text.size() - previous.text.data()));
            }
            return;
        }
        filled = filled || cell.kind != CellKind::Empty;
        cells.push_back(cell);
    });
    while (cells.size() > start && cells.back().kind == CellKind::Empty)
        cells.pop_back();
    bool number = false;
    std::string_view text;
    for (std::size_t k = start; k < cells.size() && !number; ++k) {
        number = Parsed(cells[k]).kind == CellKind::Number;
        if (cells[k].kind == CellKind::Text && text.empty())
            text = cells[k].text;
    }
    if (!number) {
        cells.resize(start);
        if (!table.rows.empty() && noteLine == 0 && !text.empty()) {
            noteLine = lineNumber;
            noteText = text;
        }
        return;
    }
    if (noteLine != 0 && table.gapLine == 0) {
        table.gapLine = noteLine;
        table.gapText = noteText;
    }
    table.rows.push_back({lineNumber, start, cells.size() - start, hertzLabel});
}

} // namespace

Table ReadTable(std::string_view text)
{
    const Separator separator = FindSeparator(text);
    Table table;
    // Enough for a pasted band table without a copy, without reserving much for a huge text.
    table.cells.reserve(std::min<std::size_t>(text.size() / 2 + 1, 256));
    int noteLine = 0;
    std::string_view noteText;
    ForEachLine(text, [&](std::string_view line, int lineNumber) {
        ReadRow(line, lineNumber, separator, table, noteLine, noteText);
    });
    // Leading columns without numbers in any row are labels, or empty.
    while (!table.rows.empty() && std::all_of(table.rows.begin(), table.rows.end(), [&](const Row& row) {
        return Parsed(table.cells[row.first]).kind != CellKind::Number;
    })) {
        for (Row& row : table.rows) {
            ++row.first;
            --row.count;
        }
    }
    return table;
}

} // namespace velmora::tabular
