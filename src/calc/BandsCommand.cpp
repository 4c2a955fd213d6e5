#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/RatingColumns.h"
#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <algorithm>
#include <optional>

namespace velmora {

namespace {

constexpr OptionSpec kBandsOptions[] = {kFormatOption, kDecimalsOption, kRatingsOption};

int RunBands(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    std::string error;
    const std::optional<TableOptions> options = ReadTableOptions(arguments, error);
    if (!options)
        return UsageError(command, error);
    const int decimals = options->decimals;
    const std::optional<std::vector<BandRatingColumn>> added = ChosenBandColumns(arguments, error);
    if (!added)
        return UsageError(command, error);
    if (arguments.operands.size() != 1)
        return UsageError(command, "name exactly one data file");

    const std::string& path = arguments.operands.front();
    TSpectrumModel model;
    if (!ReadOrReport(model, path))
        return kExitFailure;
    CalcResults(model);

    Table table{Columns({}, {"frequency", "edited", "other", "A", "B", "C", "D", "result", "NR", "deficiency",
                             "deviation"}),
                {}};
    for (const BandRatingColumn& column : *added)
        table.columns.push_back({std::string(column.name), true});
    const SpectrumRatings& ratings = model.Ratings;
    const int bands = std::min(BandCountOf(model), kBandSlots);
    for (int k = 0; k < bands; ++k) {
        const int band = BandIndexOfSlot(model, k);
        const float level = model.Nodes.Node[k].Y;
        std::vector<TableCell>& row = table.rows.emplace_back();
        row.push_back(BandCell(band));
        row.push_back(LevelCell(level, decimals));
        row.push_back(LevelCell(model.OtherLevels[k], decimals));
        const BandBreakdown& rated = ratings.bands[k];
        for (double weighted : rated.weighted)
            row.push_back(LevelCell(weighted, decimals));
        row.push_back(LevelCell(model.Results[k], decimals));
        // A band that a rating does not use has NaN there, printed as missing.
        for (double value : {rated.noiseRating, rated.stcDeficiency, rated.rwDeviation})
            row.push_back(LevelCell(value, decimals));
        for (const BandRatingColumn& column : *added)
            row.push_back(LevelCell(rated.*column.value, decimals));
    }
    Print(FormatTable(table, options->format));
    return kExitSuccess;
}

} // namespace

constexpr Command kBandsCommand = {
    "bands",
    "bands [--format text|csv|json] [--decimals N] [--ratings all|NAME,...] FILE",
    "One row per band of the file's band set: the frequency in Hz, the edited level, the other\n"
    "level, the edited level under the A, B, C and D weightings, and the result of the two spectra\n"
    "combined by their data types, then the band's NR, its STC deficiency (how far it lies under\n"
    "the contour of the spectrum's STC) and its Rw deviation (how far it lies under the moved\n"
    "reference curve); levels in dB with one decimal, or --decimals N (0 to 6), \"-\" (null in\n"
    "JSON) for a band a rating does not use. --format as for rate.\n"
    "\n"
    "--ratings adds, after these, each band's part in more ratings, as the band table of\n"
    "'velmora-calc explain --bands' shows it:\n"
    "  e413_deficiency  (STC_E413) how far the band, in whole dB, lies under the contour of\n"
    "                   STC (E413)\n"
    "  iic_deficiency   (IIC) how far the band, in whole dB, lies above the contour of IIC\n"
    "  lnw_deviation    (Ln_w) how far the band lies above the reference curve moved to Ln,w\n"
    "  nc               (NC) the NC curve the band's octave lies on, at octave centres only; \"-\"\n"
    "                   where the octave lies outside the curves NC-15 to NC-70\n"
    "\"all\" adds the four in this order; a list of the names in brackets, separated by commas\n"
    "(in any case), adds those in the order given.\n"
    "\n"
    "  --format text|csv|json  as for rate\n"
    "  --decimals N            decimals of each level, 0 to 6 (1 by default)\n"
    "  --ratings LIST          all, or STC_E413, IIC, Ln_w, NC separated by commas\n",
    kBandsOptions,
    false,
    RunBands};

} // namespace velmora
