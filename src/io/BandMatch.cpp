#include "io/BandMatch.h"

#include "model/Bands.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmora::tabular {

namespace {

/** Exact centre frequencies, base 10 or base 2, lie within 1.6 % of the nominal; neighbours 26 % apart. */
constexpr double kFrequencyTolerance = 0.02;
/** Nominal third-octave frequencies just outside the program's range, named as such when met. */
constexpr std::array<double, 10> kOutsideFrequencies = {10, 12.5, 16, 20, 25, 31.5, 40, 25000, 31500, 40000};

Match MatchHertz(double hz, int& band)
{
    const auto first = BandFrequency.begin();
    const auto above = static_cast<std::size_t>(std::lower_bound(first, first + kBandCount, hz) - first);
    // The band just above and the one just below; below the first band, above - 1 wraps and is skipped.
    for (const std::size_t k : {above, above - 1}) {
        if (k < static_cast<std::size_t>(kBandCount) &&
            std::fabs(hz - BandFrequency[k]) <= kFrequencyTolerance * BandFrequency[k]) {
            band = static_cast<int>(k);
            return Match::Band;
        }
    }
    for (const double outside : kOutsideFrequencies)
        if (std::fabs(hz - outside) <= kFrequencyTolerance * outside)
            return Match::Outside;
    return Match::NotBand;
}

} // namespace

Match MatchCell(Cell& cell, int& band, double& hz)
{
    hz = kNoReading;
    if (Parsed(cell).kind != CellKind::Number || cell.unit == Unit::Decibel)
        return Match::NotBand;
    const double scale = cell.unit == Unit::KiloHertz ? 1000.0 : 1.0;
    hz = cell.value * scale;
    const Match match = MatchHertz(hz, band);
    // The thousands reading is taken only when the decimal one is no band: 1.0 Hz never is.
    if (match != Match::Band && !std::isnan(cell.grouped) &&
        MatchHertz(cell.grouped * scale, band) == Match::Band) {
        hz = cell.grouped * scale;
        return Match::Band;
    }
    return match;
}

bool IsBand(Cell& cell)
{
    int band = 0;
    double hz = 0.0;
    return MatchCell(cell, band, hz) == Match::Band;
}

} // namespace velmora::tabular
