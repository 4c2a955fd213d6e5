#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/RatingColumns.h"
#include "model/RatingLines.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <array>
#include <optional>

namespace velmora {

namespace {

constexpr OptionSpec kBandsFlag{"--bands", "", false};
constexpr OptionSpec kExplainOptions[] = {kFormatOption, kBandsFlag};

/** The families of ratings, the one that fits the data type first. */
std::array<RatingFamily, 2> FamiliesFor(int dataType)
{
    const RatingFamily fits = FamilyOf(dataType);
    return {fits, fits == RatingFamily::Levels ? RatingFamily::Attenuation : RatingFamily::Levels};
}

std::string FamilyName(RatingFamily family)
{
    return family == RatingFamily::Levels ? "levels" : "attenuation";
}

/** A cell that a row leaves empty: null in JSON. */
TableCell Blank()
{
    return {TableCell::Missing, ""};
}

/** A rating's text; "-" (not rated) and an empty text (no classes) are null in JSON. */
TableCell RatingText(const std::string& text)
{
    if (text.empty())
        return Blank();
    return text == "-" ? TableCell{TableCell::Missing, text} : TextCell(text);
}

/** The ratings panel's band table with each band's part in every other rating. */
std::vector<TableColumn> BandColumns()
{
    std::vector<TableColumn> columns = Columns({}, {"frequency", "level", "A", "B", "C", "D", "NR", "contour",
                                                    "deficiency", "reference", "deviation"});
    for (const BandRatingColumn& column : BandRatingColumns())
        columns.push_back({std::string(column.name), true});
    return columns;
}

/** A band's row of that table, with one decimal as the panel shows them. */
std::vector<TableCell> BandCells(const BandBreakdown& band)
{
    std::vector<TableCell> cells = {BandCell(band.band), LevelCell(band.level, 1)};
    for (double weighted : band.weighted)
        cells.push_back(LevelCell(weighted, 1));
    for (double value :
         {band.noiseRating, band.stcContour, band.stcDeficiency, band.rwReference, band.rwDeviation})
        cells.push_back(LevelCell(value, 1));
    for (const BandRatingColumn& column : BandRatingColumns())
        cells.push_back(LevelCell(band.*column.value, 1));
    return cells;
}

/** Each line of text two spaces in, without the blanks that an empty last column leaves. */
std::string Indented(const std::string& text)
{
    std::string indented;
    for (std::string_view line : SplitAt(text, '\n')) {
        const std::size_t end = line.find_last_not_of(' ');
        if (end != std::string_view::npos)
            indented += "  " + std::string(line.substr(0, end + 1)) + "\n";
    }
    return indented;
}

/** A file's ratings as a block of text to read: each family as a table, then the bands if asked. */
std::string TextBlock(const std::string& path, const TSpectrumModel& model, bool bands)
{
    const int dataType = model.Nodes.DataType;
    std::string text = PrintableText(path) + ": " +
                       (BandSetOf(model) == BandSet::Third ? "third-octave" : "octave") +
                       " bands, data type " + DataTypeName(dataType) + "\n";
    for (RatingFamily family : FamiliesFor(dataType)) {
        text += "Ratings of " + FamilyName(family) +
                (family == FamilyOf(dataType) ? ", which fit the data type:\n" : ":\n");
        Table table{Columns({"rating", "value", "band", "next class"}, {}), {}};
        for (const RatingLine& line : RatingLines(model.Ratings, family))
            table.rows.push_back({TextCell(line.name), TextCell(line.value),
                                  TextCell(BandName(line.governingBand)), TextCell(line.advice)});
        text += Indented(FormatTable(table, TableFormat::Text));
    }
    if (bands) {
        Table table{BandColumns(), {}};
        for (int k = 0; k < model.Ratings.bandCount; ++k)
            table.rows.push_back(BandCells(model.Ratings.bands[k]));
        text += "Bands:\n" + Indented(FormatTable(table, TableFormat::Text));
    }
    return text;
}

/** A file's rows for CSV and JSON: one per rating, the family that fits first, then one per band if asked. */
void AppendRows(Table& table, const std::string& path, const TSpectrumModel& model, bool bands)
{
    const std::size_t bandColumns = bands ? BandColumns().size() : 0;
    const int dataType = model.Nodes.DataType;
    for (RatingFamily family : FamiliesFor(dataType)) {
        for (const RatingLine& line : RatingLines(model.Ratings, family)) {
            std::vector<TableCell>& row = table.rows.emplace_back();
            row = {TextCell(path),
                   TextCell(FamilyName(family)),
                   TextCell(family == FamilyOf(dataType) ? "yes" : "no"),
                   TextCell(line.name),
                   RatingText(line.value),
                   BandCell(line.governingBand),
                   RatingText(line.advice)};
            row.resize(row.size() + bandColumns, Blank());
        }
    }
    if (!bands)
        return;
    for (int k = 0; k < model.Ratings.bandCount; ++k) {
        std::vector<TableCell>& row = table.rows.emplace_back(1, TextCell(path));
        row.resize(table.columns.size() - bandColumns, Blank());
        for (TableCell& cell : BandCells(model.Ratings.bands[k]))
            row.push_back(std::move(cell));
    }
}

int RunExplain(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    std::string error;
    const std::optional<TableOptions> options = ReadTableOptions(arguments, error);
    if (!options)
        return UsageError(command, error);
    const TableFormat format = options->format;
    if (arguments.operands.empty())
        return UsageError(command, "no data file named");
    const bool bands = arguments.Has(kBandsFlag.name);

    Table table{Columns({"file", "family", "fits", "rating", "value"}, {"governing_band"}), {}};
    table.columns.push_back({"next_class", false});
    if (bands)
        for (TableColumn& column : BandColumns())
            table.columns.push_back(std::move(column));
    std::string text;
    int status = kExitSuccess;
    TSpectrumModel model;
    for (const std::string& path : arguments.operands) {
        if (!ReadOrReport(model, path)) {
            status = kExitFailure;
            continue;
        }
        // Every rating and its words from the one ratings value the read computed.
        if (format != TableFormat::Text) {
            AppendRows(table, path, model, bands);
            continue;
        }
        // A blank line between the files' blocks.
        if (!text.empty())
            text += '\n';
        text += TextBlock(path, model, bands);
    }
    Print(format == TableFormat::Text ? text : FormatTable(table, format));
    return status;
}

} // namespace

constexpr Command kExplainCommand = {
    "explain",
    "explain [--bands] [--format text|csv|json] FILE...",
    "Every rating of each data file, as the ratings panel words it: its value, the band that\n"
    "governs it (\"-\" when none does) and what the next class needs, such as \"Rw 48 needs 2.0 dB\n"
    "less unfavourable deviation in total\". Both families are listed, whatever the data type:\n"
    "the ratings of levels (dBA to dBD, NR, NC, SIL, Ln,w (CI), CI,50-2500, IIC) and of\n"
    "attenuation (STC, STC (E413), Rw (C; Ctr) and its enlarged-range terms); the family that\n"
    "fits the file's data type comes first and is said to fit. A rating that the band set does\n"
    "not define shows \"-\". Each file is read as rate reads it; a file that cannot be read is\n"
    "reported on standard error and the others are still explained.\n"
    "\n"
    "  --bands         add each band's part in the ratings: frequency, level, the A to D weighted\n"
    "                  levels, NR, the STC contour and deficiency, the Rw reference and deviation,\n"
    "                  and e413_deficiency, iic_deficiency, lnw_deviation and nc as\n"
    "                  'velmora-calc bands --ratings all' names them; one decimal\n"
    "  --format text   a block of tables per file (the default)\n"
    "  --format csv    a header row, then one row per file and rating: file, family (levels or\n"
    "                  attenuation), fits (yes or no), rating, value, governing_band (Hz),\n"
    "                  next_class; with --bands, then one row per file and band, with the band\n"
    "                  columns after these, empty in the other kind of row\n"
    "  --format json   the same rows as an array of objects; empty cells and \"-\" are null\n",
    kExplainOptions,
    false,
    RunExplain};

} // namespace velmora
