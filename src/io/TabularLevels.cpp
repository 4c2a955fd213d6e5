#include "io/TabularLevels.h"

#include "io/BandMatch.h"
#include "io/TextEncoding.h"
#include "io/TextTable.h"
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
constexpr int kOctaveCount = 9;
/** Longest piece of the text quoted back in a message, in bytes. */
constexpr std::size_t kQuoteLength = 40;

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
