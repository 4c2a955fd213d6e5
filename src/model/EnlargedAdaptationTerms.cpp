#include "model/EnlargedAdaptationTerms.h"

#include "model/Bands.h"
#include "model/PowerSum.h"

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

/**
 * X - Rw over bands first .. first + size - 1 of source (which starts at 50 Hz), rounded to whole dB;
 * NaN when the range holds a level that is not finite or lies past the end of levels.
 */
double Term(std::span<const float> levels, double rw, std::span<const double> source, std::size_t first)
{
    if (source.size() > levels.size())
        return std::numeric_limits<double>::quiet_NaN();
    // Rw goes into every exponent, rather than being subtracted from X, so that huge levels keep the
    // dB the term is made of; taken around its largest exponent the sum neither overflows nor vanishes.
    std::array<double, kPink5000.size()> exponents{};
    for (std::size_t i = first; i < source.size(); ++i) {
        if (!std::isfinite(levels[i]))
            return std::numeric_limits<double>::quiet_NaN();
        exponents[i - first] = (source[i] - (static_cast<double>(levels[i]) - rw)) / 10.0;
    }
    // Adding 0 turns a -0 into 0, which prints without a sign.
    return std::round(-10.0 * Log10OfExp10Sum(std::span(exponents.data(), source.size() - first))) + 0.0;
}

} // namespace

EnlargedAdaptationTerms RateEnlargedAdaptationTerms(std::span<const float> levels, int bandStart,
                                                    int bandStep, double rw)
{
    EnlargedAdaptationTerms terms;
    if (BandSetOf(bandStart, bandStep) != BandSet::Third || !std::isfinite(rw))
        return terms;
    const std::span<const double> traffic3150 = std::span(kTraffic).first(kPink3150.size());
    terms.C50_3150 = Term(levels, rw, kPink3150, 0);
    terms.C50_5000 = Term(levels, rw, kPink5000, 0);
    terms.C100_5000 = Term(levels, rw, kPink5000, k100Hz);
    terms.Ctr50_3150 = Term(levels, rw, traffic3150, 0);
    terms.Ctr50_5000 = Term(levels, rw, kTraffic, 0);
    terms.Ctr100_5000 = Term(levels, rw, kTraffic, k100Hz);
    return terms;
}

} // namespace velmora
