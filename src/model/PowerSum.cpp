#include "model/PowerSum.h"

#include <algorithm>
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

} // namespace velmora
