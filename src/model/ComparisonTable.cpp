#include "model/ComparisonTable.h"

#include "entry/NumberText.h"
#include "model/Bands.h"
#include "model/RatingLines.h"
#include "model/SpectrumRatings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

/** Where name stands among the names so far, appended when it is new. */
std::size_t RatingRow(ComparisonTable& table, const std::string& name, std::size_t columns)
{
    const auto found = std::find(table.ratingNames.begin(), table.ratingNames.end(), name);
    if (found != table.ratingNames.end())
        return static_cast<std::size_t>(found - table.ratingNames.begin());
    table.ratingNames.push_back(name);
    table.ratingValues.emplace_back(columns);
    return table.ratingNames.size() - 1;
}

} // namespace

ComparisonTable CompareSpectra(std::span<const TableSpectrum> spectra, int reference, int bandStart,
                               int bandStep)
{
    ComparisonTable table;
    if (spectra.empty())
        return table;
    const std::size_t columns = spectra.size();
    table.reference = reference >= 0 && static_cast<std::size_t>(reference) < columns ? reference : 0;
    std::size_t rows = static_cast<std::size_t>(BandCount(bandStart, bandStep));
    for (const TableSpectrum& spectrum : spectra) {
        table.names.push_back(spectrum.name);
        rows = std::min(rows, spectrum.levels.size());
    }

    const TableSpectrum& ref = spectra[static_cast<std::size_t>(table.reference)];
    for (std::size_t k = 0; k < rows; ++k) {
        table.bands.push_back(bandStart + static_cast<int>(k) * bandStep);
        std::vector<double>& levels = table.levels.emplace_back();
        std::vector<double>& differences = table.differences.emplace_back();
        for (std::size_t s = 0; s < columns; ++s) {
            const double level = spectra[s].levels[k];
            levels.push_back(level);
            differences.push_back(s == static_cast<std::size_t>(table.reference)
                                      ? std::numeric_limits<double>::quiet_NaN()
                                      : level - static_cast<double>(ref.levels[k]));
        }
    }

    // The levels' ratings come first whatever the order of the columns, then those of attenuations.
    for (RatingFamily family : {RatingFamily::Levels, RatingFamily::Attenuation}) {
        for (std::size_t s = 0; s < columns; ++s) {
            if (!spectra[s].ratings || FamilyOf(spectra[s].dataType) != family)
                continue;
            for (const RatingLine& line : RatingLines(*spectra[s].ratings, family))
                table.ratingValues[RatingRow(table, line.name, columns)][s] = line.value;
        }
    }
    return table;
}

std::string ComparisonNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return "-";
    return FixedTextWithoutNegativeZero(value, decimals);
}

} // namespace velmora
