#include "calc/CompareCommand.h"

#include "calc/ExitStatus.h"
#include "calc/Reporting.h"
#include "calc/TableWriter.h"
#include "io/ComparedFiles.h"
#include "model/ComparisonSet.h"
#include "model/ComparisonTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace velmora {

namespace {

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

} // namespace

int RunCompare(const ParsedArguments& arguments, std::string& usageError)
{
    const std::optional<TableFormat> format = TableFormatNamed(arguments.Value("--format", "text"));
    if (!format) {
        usageError = "--format takes text, csv or json";
        return kExitUsage;
    }
    if (arguments.operands.size() < 2) {
        usageError = "name the reference file and at least one file to compare with it";
        return kExitUsage;
    }

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
        row.push_back(NumberCell(BandFrequency[static_cast<std::size_t>(compared.bands[k])], 0));
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
    const std::string text = FormatTable(table, *format);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return status;
}

} // namespace velmora
