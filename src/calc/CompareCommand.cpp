#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/Reporting.h"
#include "io/ComparedFiles.h"
#include "model/ComparisonSet.h"
#include "model/ComparisonTable.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace velmora {

namespace {

constexpr OptionSpec kCompareOptions[] = {kFormatOption};

/** The numbers the window's Compare view shows: one decimal, no "-0.0"; missing when not finite. */
TableCell ComparedCell(double value)
{
    if (!std::isfinite(value))
        return NumberCell(value, 1);
    return {TableCell::Number, ComparisonNumber(value, 1)};
}

/** name, or name (2), (3), ... when an earlier column already has it: JSON keys must differ. */
std::string UniqueName(const std::string& name, const std::vector<std::string>& taken)
{
    std::string unique = name;
    for (int n = 2; std::find(taken.begin(), taken.end(), unique) != taken.end(); ++n)
        unique = name + " (" + std::to_string(n) + ")";
    return unique;
}

int RunCompare(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    std::string error;
    const std::optional<TableOptions> options = ReadTableOptions(arguments, error);
    if (!options)
        return UsageError(command, error);
    if (arguments.operands.size() < 2)
        return UsageError(command, "name the reference file and at least one file to compare with it");

    struct Read {
        std::string name;
        BandLevels levels{};
        int dataType = 0;
        SpectrumRatings ratings;
    };
    std::vector<Read> files;
    std::vector<std::string> names;
    int status = kExitSuccess;
    BandSet bands = BandSet::Octave;
    for (const std::string& path : arguments.operands) {
        ComparedFile file;
        std::string reason;
        if (!ReadComparedFile(path, file, reason)) {
            Report("cannot read " + Quoted(path) + ": " + reason);
            if (files.empty())
                return kExitFailure;
            status = kExitFailure;
            continue;
        }
        if (files.empty())
            bands = file.bands;
        Read& read = files.emplace_back();
        read.name = UniqueName(path, names);
        names.push_back(read.name);
        read.levels = ConvertBandLevels(file.levels, file.bands, bands);
        read.dataType = file.dataType;
        read.ratings =
            RateSpectrum(std::span(read.levels.data(), static_cast<std::size_t>(BandCountOf(bands))),
                         BandStartOf(bands), BandStepOf(bands));
    }

    std::vector<TableSpectrum> spectra;
    for (const Read& read : files)
        spectra.push_back({read.name,
                           std::span(read.levels.data(), static_cast<std::size_t>(BandCountOf(bands))),
                           read.dataType, &read.ratings});
    const ComparisonTable compared = CompareSpectra(spectra, 0, BandStartOf(bands), BandStepOf(bands));

    Table table;
    table.columns.push_back({"band", true});
    for (std::size_t s = 0; s < compared.names.size(); ++s) {
        table.columns.push_back({compared.names[s], true});
        if (s > 0)
            table.columns.push_back({"diff " + compared.names[s], true});
    }
    for (std::size_t k = 0; k < compared.bands.size(); ++k) {
        std::vector<TableCell>& row = table.rows.emplace_back();
        row.push_back(BandCell(compared.bands[k]));
        for (std::size_t s = 0; s < compared.names.size(); ++s) {
            row.push_back(ComparedCell(compared.levels[k][s]));
            if (s > 0)
                row.push_back(ComparedCell(compared.differences[k][s]));
        }
    }
    for (std::size_t r = 0; r < compared.ratingNames.size(); ++r) {
        std::vector<TableCell>& row = table.rows.emplace_back();
        row.push_back(TextCell(compared.ratingNames[r]));
        for (std::size_t s = 0; s < compared.names.size(); ++s) {
            row.push_back(TextCell(compared.ratingValues[r][s]));
            if (s > 0)
                row.push_back(TextCell(""));
        }
    }
    Print(FormatTable(table, options->format));
    return status;
}

} // namespace

constexpr Command kCompareCommand = {
    "compare",
    "compare [--format text|csv|json] REF FILE...",
    "The data files' edited spectra side by side, as the window's Compare view shows them with REF\n"
    "as the reference: one row per band of REF's band set with each file's level and, for every\n"
    "file after REF, a column \"diff FILE\" with its level minus REF's (dB, one decimal); then one\n"
    "row per rating with each file's value as the ratings panel words it (the ratings of levels or\n"
    "of attenuations, as the file's data type has them; empty where it has no such rating). A file\n"
    "in the other band set is converted to REF's as the window's band commands convert; a table of\n"
    "levels (.csv, .txt) is read as import reads it. A file that cannot be read is reported on\n"
    "standard error and left out; without REF nothing is printed.\n"
    "\n"
    "  --format text   aligned columns (the default)\n"
    "  --format csv    a header row, then one row per band and per rating\n"
    "  --format json   an array of objects, one per band and per rating\n",
    kCompareOptions,
    false,
    RunCompare};

} // namespace velmora
