#pragma once

#include <span>
#include <string>
#include <vector>

namespace velmora {

struct SpectrumRatings;

/** One spectrum as the comparison table takes it; the table does not keep it. */
struct TableSpectrum {
    std::string name;
    /** One level in dB per band of the table's band set. */
    std::span<const float> levels;
    /** Data type 0 to 3: which family of ratings its column lists. */
    int dataType = 0;
    /** The spectrum's ratings, as RateSpectrum computed them for these levels. */
    const SpectrumRatings* ratings = nullptr;
};

/**
 * Spectra side by side, band by band, with each one's difference from a reference and its ratings:
 * the numbers that the window's Compare view and velmora-calc compare both show.
 */
struct ComparisonTable {
    /** One per spectrum, in the order given. */
    std::vector<std::string> names;
    /** Index of the reference spectrum. */
    int reference = 0;
    /** Band index (into BandFrequency) of each row. */
    std::vector<int> bands;
    /** levels[row][spectrum], dB. */
    std::vector<std::vector<double>> levels;
    /** differences[row][spectrum]: the level minus the reference's in dB; NaN in the reference's own column.
     */
    std::vector<std::vector<double>> differences;
    /** Every rating any column lists, in the order RatingLines lists them, levels' ratings first. */
    std::vector<std::string> ratingNames;
    /** ratingValues[rating][spectrum]: the value as the ratings panel words it, empty where the
     * spectrum's data type has no such rating. */
    std::vector<std::vector<std::string>> ratingValues;
};

/**
 * The table of spectra on the band set (bandStart, bandStep): a row per band (as many as the set
 * has, and no more than the shortest spectrum gives), reference its index into spectra (another
 * value counts as 0). No spectra give an empty table.
 */
ComparisonTable CompareSpectra(std::span<const TableSpectrum> spectra, int reference, int bandStart,
                               int bandStep);

/**
 * A level or difference of the table as every text of it shows one, and a rating's value as its
 * line shows it (RatingLine::value): fixed with the decimals in the "C" locale, a value that rounds
 * to zero without a minus, "-" when it is not finite.
 */
std::string ComparisonNumber(double value, int decimals);

} // namespace velmora
