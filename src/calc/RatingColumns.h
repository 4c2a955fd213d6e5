#pragma once

#include "calc/CommandLine.h"
#include "calc/TableWriter.h"
#include "model/SpectrumRatings.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/** --ratings of rate and bands: "all", or the names of the ratings to add, separated by commas. */
inline constexpr OptionSpec kRatingsOption{"--ratings", "", true};

/** A column that --ratings adds to rate: one rating of a file, read from its ratings value. */
struct RatingColumn {
    /** The column's name, which --ratings takes too: "STC_E413", "Ln_w", "NC_band", ... */
    std::string_view name;
    /**
     * The value as printed: a whole-dB rating or term, or SIL, with the decimals asked for; NC with
     * one decimal, ">NC-70" or "<NC-15"; NC_band in Hz. "-" (null in JSON) where the band set does
     * not define the rating or a band it needs is not a finite level.
     */
    TableCell (*cell)(const SpectrumRatings& ratings, int decimals);
};

/**
 * The columns --ratings adds to rate, in the order "all" gives them: STC_E413, IIC, Ln_w, CI,
 * CI_50_2500, C_50_3150, C_50_5000, C_100_5000, Ctr_50_3150, Ctr_50_5000, Ctr_100_5000, NC,
 * NC_band, SIL.
 */
std::span<const RatingColumn> RateRatingColumns();

/** A column that --ratings adds to bands, the explain band table, too: one rating's part in a band. */
struct BandRatingColumn {
    /** The rating whose name --ratings takes to choose it: "STC_E413", "IIC", "Ln_w" or "NC". */
    std::string_view rating;
    /** The column's name: "e413_deficiency", "iic_deficiency", "lnw_deviation" or "nc". */
    std::string_view name;
    /** The band's value, dB or an NC curve; NaN where the rating does not use the band. */
    double BandBreakdown::*value;
};

/** The columns --ratings adds to bands, in the order "all" gives them. */
std::span<const BandRatingColumn> BandRatingColumns();

/**
 * The columns --ratings chooses: "all" for every one, in the catalogue's order; else the names
 * given, separated by commas and compared without regard to case, in the order given, each once.
 * No columns without the option. Nothing, with error naming the word that is no rating and the
 * names there are, for anything else.
 */
std::optional<std::vector<RatingColumn>> ChosenRateColumns(const ParsedArguments& arguments,
                                                           std::string& error);
/** As ChosenRateColumns, for bands: by the names of their ratings. */
std::optional<std::vector<BandRatingColumn>> ChosenBandColumns(const ParsedArguments& arguments,
                                                               std::string& error);

} // namespace velmora
