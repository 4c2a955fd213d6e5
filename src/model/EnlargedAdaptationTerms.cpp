#include "model/EnlargedAdaptationTerms.h"

#include "model/Bands.h"
#include "model/PowerSum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace velmora {

namespace {

/** Source spectra in dB, 50 Hz to 5000 Hz: pink noise up to 3150 Hz, and up to 5000 Hz. */
constexpr std::array<double, 19> kPink3150 = {-40, -36, -33, -29, -26, -23, -21, -19, -17, -15,
                                              -13, -12, -11, -10, -9,  -9,  -9,  -9,  -9};
constexpr std::array<double, 21> kPink5000 = {-41, -37, -34, -30, -27, -24, -22, -20, -18, -16, -14,
                                              -13, -12, -11, -10, -10, -10, -10, -10, -10, -10};
/** Urban traffic noise, 50 Hz to 5000 Hz, for every range. */
constexpr std::array<double, 21> kTraffic = {-25, -23, -21, -20, -20, -18, -16, -15, -14, -13, -12,
                                             -11, -9,  -8,  -9,  -10, -11, -13, -15, -16, -18};

/** Band index of 100 Hz, where the narrower ranges start. */
constexpr std::size_t k100Hz = 3;
/** Bands from 50 Hz to 5000 Hz. */
constexpr std::size_t kBands = kPink5000.size();

/** The energy weights 10^(L/10) of the three source spectra. */
struct SourceWeights {
    std::array<double, kBands> pink3150{};
    std::array<double, kBands> pink5000{};
    std::array<double, kBands> traffic{};
};

const SourceWeights& Weights()
{
    static const SourceWeights weights = [] {
        SourceWeights table;
        for (std::size_t i = 0; i < kBands; ++i) {
            table.pink3150[i] = i < kPink3150.size() ? Exp10(kPink3150[i] / 10.0) : 0.0;
            table.pink5000[i] = Exp10(kPink5000[i] / 10.0);
            table.traffic[i] = Exp10(kTraffic[i] / 10.0);
        }
        return table;
    }();
    return weights;
}

/** One rating's bands from 50 Hz to 5000 Hz: which are finite, and their energy below Rw. */
struct BandEnergies {
    std::array<bool, kBands> finite{};
    /** exponent[i] = (Rw - R_i) / 10, and energy[i] = 10^(exponent[i] - top). */
    std::array<double, kBands> exponent{};
    std::array<double, kBands> energy{};
    double top = 0.0;
};

/**
 * X - Rw over bands [first, end) of source (which starts at 50 Hz, with weights its energies),
 * rounded to whole dB; NaN when the range holds a band that is not finite.
 */
double Term(const BandEnergies& bands, std::span<const double> source, std::span<const double> weights,
            std::size_t first, std::size_t end)
{
    double sum = 0.0;
    for (std::size_t i = first; i < end; ++i) {
        if (!bands.finite[i])
            return std::numeric_limits<double>::quiet_NaN();
        sum += weights[i] * bands.energy[i];
    }
    double log10Sum = bands.top + std::log10(sum);
    // Every band of the range lies so far below the one that sets top that its energy has gone:
    // sum again around the range's own largest term.
    if (!(sum > 1e-200)) {
        std::array<double, kBands> exponents{};
        for (std::size_t i = first; i < end; ++i)
            exponents[i - first] = source[i] / 10.0 + bands.exponent[i];
        log10Sum = Log10OfExp10Sum(std::span(exponents.data(), end - first));
    }
    // Adding 0 turns a -0 into 0, which prints without a sign.
    return std::round(-10.0 * log10Sum) + 0.0;
}

} // namespace

EnlargedAdaptationTerms RateEnlargedAdaptationTerms(std::span<const float> levels, int bandStart,
                                                    int bandStep, double rw)
{
    EnlargedAdaptationTerms terms;
    if (BandSetOf(bandStart, bandStep) != BandSet::Third || !std::isfinite(rw))
        return terms;
    // Rw goes into every exponent, rather than being subtracted from X, so that huge levels keep
    // the dB the terms are made of; each band's energy is taken once, around the largest, so that
    // the sums neither overflow nor vanish.
    BandEnergies bands;
    bands.top = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < std::min(kBands, levels.size()); ++i) {
        bands.finite[i] = std::isfinite(levels[i]);
        bands.exponent[i] = bands.finite[i] ? (rw - static_cast<double>(levels[i])) / 10.0 : 0.0;
        if (bands.finite[i])
            bands.top = std::max(bands.top, bands.exponent[i]);
    }
    for (std::size_t i = 0; i < kBands; ++i)
        bands.energy[i] = Exp10(bands.exponent[i] - bands.top);

    const SourceWeights& weights = Weights();
    const std::size_t end3150 = kPink3150.size();
    terms.C50_3150 = Term(bands, kPink3150, weights.pink3150, 0, end3150);
    terms.C50_5000 = Term(bands, kPink5000, weights.pink5000, 0, kBands);
    terms.C100_5000 = Term(bands, kPink5000, weights.pink5000, k100Hz, kBands);
    terms.Ctr50_3150 = Term(bands, kTraffic, weights.traffic, 0, end3150);
    terms.Ctr50_5000 = Term(bands, kTraffic, weights.traffic, 0, kBands);
    terms.Ctr100_5000 = Term(bands, kTraffic, weights.traffic, k100Hz, kBands);
    return terms;
}

} // namespace velmora
