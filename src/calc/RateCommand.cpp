#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/RatingColumns.h"
#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <optional>
#include <thread>

namespace velmora {

namespace {

/** From this many files on, rate reads them with two threads. */
constexpr std::size_t kFilesForASecondThread = 64;

constexpr OptionSpec kRateOptions[] = {kFormatOption, kDecimalsOption, kRatingsOption};

int RunRate(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    std::string error;
    const std::optional<TableOptions> options = ReadTableOptions(arguments, error);
    if (!options)
        return UsageError(command, error);
    const int decimals = options->decimals;
    const std::optional<std::vector<RatingColumn>> added = ChosenRateColumns(arguments, error);
    if (!added)
        return UsageError(command, error);
    if (arguments.operands.empty())
        return UsageError(command, "no data file named");

    Table table{
        Columns({"file", "bands", "type"}, {"dBA", "dBB", "dBC", "dBD", "NR", "STC", "Rw", "C", "Ctr"}), {}};
    for (const RatingColumn& column : *added)
        table.columns.push_back({std::string(column.name), true});
    const std::vector<std::string>& paths = arguments.operands;
    // A file's row, or why it could not be read.
    struct RatedFile {
        std::vector<TableCell> row;
        std::optional<std::string> reason;
    };
    std::vector<RatedFile> rated(paths.size());
    const auto rateEvery = [&](std::size_t first, std::size_t step) {
        TSpectrumModel model;
        for (std::size_t i = first; i < paths.size(); i += step) {
            std::string reason;
            if (!ReadSpectrumFile(model, paths[i], reason)) {
                rated[i].reason = std::move(reason);
                continue;
            }
            std::vector<TableCell>& row = rated[i].row;
            row.push_back(TextCell(paths[i]));
            row.push_back(TextCell(BandSetName(model)));
            row.push_back(TextCell(DataTypeName(model.Nodes.DataType)));
            // Every number from the one ratings value the read computed, as the window shows it.
            const SpectrumRatings& ratings = model.Ratings;
            for (double level : ratings.weighted)
                row.push_back(LevelCell(level, decimals));
            row.push_back(LevelCell(ratings.noise.NR, decimals));
            row.push_back(LevelCell(ratings.transmission.STC, decimals));
            // The edited spectrum read as sound reduction, whatever its data type says.
            const SoundReductionRating& reduction = ratings.reduction;
            for (double value : {reduction.Rw, reduction.C, reduction.Ctr})
                row.push_back(LevelCell(value, decimals));
            for (const RatingColumn& column : *added)
                row.push_back(column.cell(ratings, decimals));
        }
    };
    // In a batch of many files, opening and reading them is most of the time: a second thread
    // takes every other file. Each has a model of its own; the rows keep the order given.
    const std::size_t workers = paths.size() >= kFilesForASecondThread ? 2 : 1;
    std::vector<std::thread> helpers;
    for (std::size_t w = 1; w < workers; ++w)
        helpers.emplace_back(rateEvery, w, workers);
    rateEvery(0, workers);
    for (std::thread& helper : helpers)
        helper.join();

    int status = kExitSuccess;
    table.rows.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (rated[i].reason) {
            Report("cannot read " + Quoted(paths[i]) + ": " + *rated[i].reason);
            status = kExitFailure;
            continue;
        }
        table.rows.push_back(std::move(rated[i].row));
    }
    Print(FormatTable(table, options->format));
    return status;
}

} // namespace

constexpr Command kRateCommand = {
    "rate",
    "rate [--format text|csv|json] [--decimals N] [--ratings all|NAME,...] FILE...",
    "One row per data file: the file name, the band set (octave or third), the edited spectrum's\n"
    "data type (pressure, power, attenuation or correction), dBA, dBB, dBC, dBD, NR and STC as\n"
    "the window's result line computes them, then Rw, C and Ctr of the edited spectrum read as\n"
    "sound reduction, as the ratings panel shows them; each with one decimal (\"-\", or null in\n"
    "JSON, when not finite or not rated). Each file is read as the window reads a file named on\n"
    "its command line, into a fresh model. A file that cannot be read is reported on standard\n"
    "error and left out.\n"
    "\n"
    "--ratings adds columns after these: every rating of the catalogue, whatever the data type\n"
    "(Ln,w, CI and IIC are meant for impact levels, STC (E413) and the terms of Rw for sound\n"
    "reduction, NC and SIL for room noise):\n"
    "  STC_E413      STC (E413), third octaves only\n"
    "  IIC           IIC, third octaves only\n"
    "  Ln_w, CI      Ln,w and its term CI\n"
    "  CI_50_2500    CI,50-2500, third octaves only\n"
    "  C_50_3150, C_50_5000, C_100_5000, Ctr_50_3150, Ctr_50_5000, Ctr_100_5000\n"
    "                the enlarged-range terms of Rw, third octaves only\n"
    "  NC            NC with one decimal, or >NC-70 or <NC-15 outside the curves\n"
    "  NC_band       the band in Hz that governs NC (\"-\" below the curves)\n"
    "  SIL           the speech interference level\n"
    "\"all\" adds every one in this order; a list of names separated by commas (in any case) adds\n"
    "those in the order given. The whole-dB ratings and SIL take --decimals as the levels do. A\n"
    "rating that the band set does not define prints \"-\" (null in JSON).\n"
    "\n"
    "  --format text   aligned columns (the default)\n"
    "  --format csv    a header row, then one row per file\n"
    "  --format json   an array of objects, one per file\n"
    "  --decimals N    decimals of each level, 0 to 6 (1 by default)\n"
    "  --ratings LIST  all, or the names above separated by commas\n",
    kRateOptions,
    false,
    RunRate};

} // namespace velmora
