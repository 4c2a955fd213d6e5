#include "calc/RatingColumns.h"

#include "calc/CommandSupport.h"
#include "calc/Reporting.h"

#include <algorithm>
#include <cctype>

namespace velmora {

namespace {

TableCell NoiseCriterionCell(const SpectrumRatings& ratings, int)
{
    const NoiseCriterionState state = ratings.nc.state;
    // Outside the family the rating is a word, not a number.
    if (state == NoiseCriterionState::AboveFamily || state == NoiseCriterionState::BelowFamily)
        return TextCell(NoiseCriterionText(ratings.nc));
    return NumberCell(ratings.nc.NC, 1);
}

constexpr RatingColumn kRateColumns[] = {
    {"STC_E413", [](const SpectrumRatings& r, int d) { return NumberCell(r.astm.STC, d); }},
    {"IIC", [](const SpectrumRatings& r, int d) { return NumberCell(r.iic.IIC, d); }},
    {"Ln_w", [](const SpectrumRatings& r, int d) { return NumberCell(r.impact.Lnw, d); }},
    {"CI", [](const SpectrumRatings& r, int d) { return NumberCell(r.impact.CI, d); }},
    {"CI_50_2500", [](const SpectrumRatings& r, int d) { return NumberCell(r.impact.CI50_2500, d); }},
    {"C_50_3150", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.C50_3150, d); }},
    {"C_50_5000", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.C50_5000, d); }},
    {"C_100_5000", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.C100_5000, d); }},
    {"Ctr_50_3150", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.Ctr50_3150, d); }},
    {"Ctr_50_5000", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.Ctr50_5000, d); }},
    {"Ctr_100_5000", [](const SpectrumRatings& r, int d) { return NumberCell(r.enlarged.Ctr100_5000, d); }},
    {"NC", NoiseCriterionCell},
    {"NC_band", [](const SpectrumRatings& r, int) { return BandCell(r.nc.governingBand); }},
    {"SIL", [](const SpectrumRatings& r, int d) { return NumberCell(r.nc.SIL, d); }},
};

constexpr BandRatingColumn kBandColumns[] = {
    {"STC_E413", "e413_deficiency", &BandBreakdown::astmDeficiency},
    {"IIC", "iic_deficiency", &BandBreakdown::iicDeficiency},
    {"Ln_w", "lnw_deviation", &BandBreakdown::impactDeviation},
    {"NC", "nc", &BandBreakdown::noiseCriterion},
};

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

/** The names that --ratings takes, for messages: "STC_E413, IIC, ...". */
template <typename Column, typename Name> std::string NameList(std::span<const Column> catalogue, Name name)
{
    std::string list;
    for (const Column& column : catalogue) {
        if (!list.empty())
            list += ", ";
        list += name(column);
    }
    return list;
}

/** The columns of catalogue that --ratings chooses, each by the name name(column). */
template <typename Column, typename Name>
std::optional<std::vector<Column>> ChosenColumns(const ParsedArguments& arguments,
                                                 std::span<const Column> catalogue, Name name,
                                                 std::string& error)
{
    if (!arguments.Has(kRatingsOption.name))
        return std::vector<Column>();
    // The words are views into value, which must outlive them.
    const std::string value = arguments.Value(kRatingsOption.name);
    if (SameName(value, "all"))
        return std::vector<Column>(catalogue.begin(), catalogue.end());
    std::vector<Column> chosen;
    for (std::string_view word : SplitAt(value, ',')) {
        const auto found = std::ranges::find_if(
            catalogue, [&](const Column& column) { return SameName(word, name(column)); });
        if (found == catalogue.end()) {
            error = (word.empty() ? std::string("--ratings has an empty name")
                                  : "--ratings: no rating is named " + Quoted(word)) +
                    "; it takes all, or names from " + NameList(catalogue, name) + " separated by commas";
            return std::nullopt;
        }
        if (std::ranges::none_of(chosen, [&](const Column& column) { return name(column) == name(*found); }))
            chosen.push_back(*found);
    }
    return chosen;
}

} // namespace

std::span<const RatingColumn> RateRatingColumns()
{
    return kRateColumns;
}

std::span<const BandRatingColumn> BandRatingColumns()
{
    return kBandColumns;
}

std::optional<std::vector<RatingColumn>> ChosenRateColumns(const ParsedArguments& arguments,
                                                           std::string& error)
{
    return ChosenColumns(
        arguments, RateRatingColumns(), [](const RatingColumn& column) { return column.name; }, error);
}

std::optional<std::vector<BandRatingColumn>> ChosenBandColumns(const ParsedArguments& arguments,
                                                               std::string& error)
{
    return ChosenColumns(
        arguments, BandRatingColumns(), [](const BandRatingColumn& column) { return column.rating; }, error);
}

} // namespace velmora
