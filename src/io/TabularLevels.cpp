#include "io/TabularLevels.h"

#include "io/QuantityText.h"
#include "io/TextEncoding.h"
#include "model/Bands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

using namespace tabular;

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();
/** Exact centre frequencies, base 10 or base 2, lie within 1.6 % of the nominal; neighbours 26 % apart. */
constexpr double kFrequencyTolerance = 0.02;
/** Nominal third-octave frequencies just outside the program's range, named as such when met. */
constexpr std::array<double, 10> kOutsideFrequencies = {10, 12.5, 16, 20, 25, 31.5, 40, 25000, 31500, 40000};
constexpr int kOctaveCount = 9;
/** Longest piece of the text quoted back in a message, in bytes. */
constexpr std::size_t kQuoteLength = 40;

/** Unread: not yet read as a number; cells the layout never uses are never read. */
enum class CellKind { Empty, Unit, Unread, Number, Text };
enum class Separator { Tab, Semicolon, Comma, Spaces };
enum class Match { Band, Outside, NotBand };

/** The quantity is read when kind is Number; its unit alone when kind is Unit. */
struct Cell : Quantity {
    std::string_view text; // trimmed, without surrounding quotes
    CellKind kind = CellKind::Empty;
};

struct Row {
    int line;
    std::size_t first; // index into Table::cells
    std::size_t count;
    bool hertzLabel = false; // a "Hz" or "kHz" cell stands before the first number
};

struct Table {
    std::vector<Cell> cells;
    std::vector<Row> rows; // rows holding a number; the others are headers and notes
    /** First row without a number standing between rows with numbers; line 0 when there is none. */
    int gapLine = 0;
    std::string_view gapText;
};

/** The cell without surrounding spaces and quotes: empty, a unit, or still to be read. */
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

/** The cell, read as a number (or found to be text) if it was not yet. */
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

Match MatchHertz(double hz, int& band)
{
    const auto first = BandFrequency.begin();
    const auto above = static_cast<std::size_t>(std::lower_bound(first, first + kBandCount, hz) - first);
    // The band just above and the one just below; below the first band, above - 1 wraps and is skipped.
    for (const std::size_t k : {above, above - 1}) {
        if (k < static_cast<std::size_t>(kBandCount) &&
            std::fabs(hz - BandFrequency[k]) <= kFrequencyTolerance * BandFrequency[k]) {
            band = static_cast<int>(k);
            return Match::Band;
        }
    }
    for (const double outside : kOutsideFrequencies)
        if (std::fabs(hz - outside) <= kFrequencyTolerance * outside)
            return Match::Outside;
    return Match::NotBand;
}

/** The band of a frequency cell; hz is the frequency read, NaN when the cell holds none. */
Match MatchCell(Cell& cell, int& band, double& hz)
{
    hz = kNoReading;
    if (Parsed(cell).kind != CellKind::Number || cell.unit == Unit::Decibel)
        return Match::NotBand;
    const double scale = cell.unit == Unit::KiloHertz ? 1000.0 : 1.0;
    hz = cell.value * scale;
    const Match match = MatchHertz(hz, band);
    // The thousands reading is taken only when the decimal one is no band: 1.0 Hz never is.
    if (match != Match::Band && !std::isnan(cell.grouped) &&
        MatchHertz(cell.grouped * scale, band) == Match::Band) {
        hz = cell.grouped * scale;
        return Match::Band;
    }
    return match;
}

bool IsBand(Cell& cell)
{
    int band = 0;
    double hz = 0.0;
    return MatchCell(cell, band, hz) == Match::Band;
}

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
        if (comma != std::string_view::npos ? BandOfFrequencyText(line.substr(0, comma)) < 0
                                            : numberWords > 0)
            bandsFirst = false;
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

bool Fail(TabularError& error, int line, std::string message)
{
    error.line = line;
    error.message = line > 0 ? "Line " + std::to_string(line) + ": " + message : std::move(message);
    return false;
}

/** The cell as the user wrote it, quoted and cut short, for a message. */
std::string Describe(const Cell& cell)
{
    if (cell.text.empty())
        return "an empty cell";
    std::size_t length = std::min(cell.text.size(), kQuoteLength);
    // Never cut a UTF-8 character in two.
    while (length < cell.text.size() && length > 0 &&
           (static_cast<unsigned char>(cell.text[length]) & 0xC0) == 0x80)
        --length;
    std::string quoted = "\"";
    for (const char c : cell.text.substr(0, length))
        quoted += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    if (length < cell.text.size())
        quoted += "...";
    return quoted + "\"";
}

std::string HertzText(double hz)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), hz);
    return std::string(buffer.data(), result.ptr) + " Hz";
}

bool ReadLevel(Cell& cell, int line, double& level, TabularError& error)
{
    if (Parsed(cell).kind != CellKind::Number || cell.unit == Unit::Hertz || cell.unit == Unit::KiloHertz)
        return Fail(error, line, Describe(cell) + " is not a level.");
    if (!cell.overflow && !std::isfinite(cell.value))
        return Fail(error, line, Describe(cell) + " is not a finite level.");
    // The model stores floats: a larger level would become infinite there.
    if (cell.overflow || std::fabs(cell.value) > kFloatMax)
        return Fail(error, line, Describe(cell) + " is too large for a level.");
    level = cell.value;
    return true;
}

bool ReadBand(Cell& cell, int line, int& band, TabularError& error)
{
    double hz = 0.0;
    switch (MatchCell(cell, band, hz)) {
    case Match::Band:
        return true;
    case Match::Outside:
        return Fail(error, line, HertzText(hz) + " is outside the program's bands (50 Hz to 20 kHz).");
    case Match::NotBand:
        break;
    }
    return Fail(error, line, (std::isnan(hz) ? Describe(cell) : HertzText(hz)) + " is not a band frequency.");
}

/** Adds a level to its band unless the band is listed already; lineOfBand is 0 for bands not yet listed. */
bool AddBand(int band, double level, int line, std::array<int, kBandCount>& lineOfBand,
             std::vector<BandLevel>& rows, TabularError& error)
{
    if (lineOfBand[band] != 0)
        return Fail(error, line,
                    HertzText(BandFrequency[band]) + " is listed twice (first on line " +
                        std::to_string(lineOfBand[band]) + ").");
    lineOfBand[band] = line;
    rows.push_back({band, level, line});
    return true;
}

std::string CountText(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

bool ReadUnlabelled(Table& table, std::vector<double>& levels, TabularError& error)
{
    if (table.gapLine != 0)
        return Fail(error, table.gapLine, Describe(Cell{{}, table.gapText}) + " is not a level.");
    for (const Row& row : table.rows) {
        for (std::size_t k = 0; k < row.count; ++k) {
            double level = 0.0;
            if (!ReadLevel(table.cells[row.first + k], row.line, level, error))
                return false;
            levels.push_back(level);
        }
    }
    if (levels.size() != kOctaveCount && levels.size() != kBandCount)
        return Fail(error, 0,
                    CountText(levels.size(), "level fits", "levels fit") +
                        " neither the 9 octave bands nor the 27 third-octave bands.");
    return true;
}

bool ReadColumns(Table& table, std::vector<BandLevel>& rows, TabularError& error)
{
    std::array<int, kBandCount> lineOfBand{};
    for (const Row& row : table.rows) {
        int band = 0;
        double level = 0.0;
        if (!ReadBand(table.cells[row.first], row.line, band, error))
            return false;
        if (row.count < 2 || table.cells[row.first + 1].kind == CellKind::Empty)
            return Fail(error, row.line, HertzText(BandFrequency[band]) + " has no level.");
        if (!ReadLevel(table.cells[row.first + 1], row.line, level, error) ||
            !AddBand(band, level, row.line, lineOfBand, rows, error))
            return false;
    }
    return true;
}

/** A row of frequencies over a row of levels. */
bool ReadTransposed(Table& table, std::vector<BandLevel>& rows, TabularError& error)
{
    const Row& frequencies = table.rows[0];
    const Row& values = table.rows[1];
    if (values.count != frequencies.count)
        return Fail(error, values.line,
                    CountText(values.count, "level", "levels") + " for " +
                        CountText(frequencies.count, "frequency", "frequencies") + ".");
    std::array<int, kBandCount> lineOfBand{};
    for (std::size_t k = 0; k < frequencies.count; ++k) {
        int band = 0;
        double level = 0.0;
        if (!ReadBand(table.cells[frequencies.first + k], frequencies.line, band, error) ||
            !ReadLevel(table.cells[values.first + k], values.line, level, error) ||
            !AddBand(band, level, values.line, lineOfBand, rows, error))
            return false;
    }
    return true;
}

} // namespace

bool ReadTabularLevels(std::string_view text, TabularLevels& levels, TabularError& error)
{
    if (text.size() > kMaxTabularBytes)
        return Fail(error, 0, "The text is larger than 1 MiB.");
    std::string converted;
    text = TextOfBytes(text, converted);
    if (text.find('\0') != std::string_view::npos)
        return Fail(error, 0, "The text holds NUL bytes; save it as UTF-8 text.");

    Table table = ReadTable(text);
    if (table.rows.empty())
        return Fail(error, 0, "No levels found.");
    const std::vector<Row>& rows = table.rows;
    Cell& first = Parsed(table.cells[rows[0].first]);

    TabularLevels read;
    bool ok = false;
    if (std::all_of(rows.begin(), rows.end(), [](const Row& row) { return row.count == 1; })) {
        ok = ReadUnlabelled(table, read.levels, error);
    } else if (rows.size() == 1) {
        // A row of 9 or 27 is a list of levels, even when its first level happens to be a band
        // frequency; a frequency and its level (and perhaps more cells) is labelled.
        const bool unitGiven =
            first.kind == CellKind::Number && (first.unit == Unit::Hertz || first.unit == Unit::KiloHertz);
        read.labelled = rows[0].count == 2 || unitGiven;
        ok = read.labelled ? ReadColumns(table, read.rows, error) : ReadUnlabelled(table, read.levels, error);
    } else {
        read.labelled = true;
        const bool columns = std::all_of(rows.begin(), rows.end(),
                                         [&](const Row& row) { return IsBand(table.cells[row.first]); });
        const auto allBands = [&](const Row& row) {
            for (std::size_t k = 0; k < row.count; ++k)
                if (!IsBand(table.cells[row.first + k]))
                    return false;
            return true;
        };
        // Levels near a band frequency are common (80 dB by 80 Hz), so a level row under a row of
        // frequencies can also start with a band: a first row of three or more frequencies, or
        // one labelled "Hz", is a frequency row whatever follows. Two unlabelled frequencies stay
        // a frequency and its level when the rows read as such ("1000;80" over "2000;75").
        const bool frequencyRow =
            rows[0].count >= 2 && allBands(rows[0]) && (rows[0].count >= 3 || rows[0].hertzLabel || !columns);
        if (frequencyRow && rows.size() > 2)
            ok = Fail(error, rows[2].line,
                      "a second row of levels under the frequencies of line " + std::to_string(rows[0].line) +
                          "; one spectrum at a time is read.");
        // Two rows starting with two frequencies are a frequency row over a level row too, and
        // refused when the rest of the first row is not frequencies.
        else if (frequencyRow || (!columns && rows.size() == 2 && rows[0].count >= 2 && IsBand(first) &&
                                  IsBand(table.cells[rows[0].first + 1])))
            ok = ReadTransposed(table, read.rows, error);
        else
            ok = ReadColumns(table, read.rows, error);
    }
    if (ok)
        levels = std::move(read);
    return ok;
}

int BandOfFrequencyText(std::string_view text)
{
    Cell cell = SplitCell(text);
    int band = -1;
    double hz = 0.0;
    return MatchCell(cell, band, hz) == Match::Band ? band : -1;
}

} // namespace velmora
