#include "model/PowerSum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace velmora {

double Exp10(double e)
{
    constexpr double kLn10 = 2.302585092994045684;
    return std::exp(e * kLn10);
}

double Log10OfExp10Sum(std::span<const double> exponents)
{
    double top = -std::numeric_limits<double>::infinity();
    for (double e : exponents) {
        if (std::isnan(e))
            return e;
        top = std::max(top, e);
    }
    if (!std::isfinite(top))
        return top;
    double sum = 0.0;
    for (double e : exponents)
        sum += Exp10(e - top);
    return top + std::log10(sum);
}

double LevelSum(std::span<const float> levels)
{
    std::array<double, kBandSlots> exponents; // only the first count are read
    const std::size_t count = std::min(levels.size(), exponents.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(levels[i]))
            return std::numeric_limits<double>::quiet_NaN();
        exponents[i] = levels[i] / 10.0;
    }
    return 10.0 * Log10OfExp10Sum(std::span(exponents.data(), count));
}

} // namespace velmora
