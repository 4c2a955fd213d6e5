#include "model/Bands.h"

#include <cmath>

namespace velmora {

double SafeLog10(double x)
{
    // Written as "x <= 0" rather than "x > 0" so that NaN reaches log10 and stays NaN.
    return x <= 0.0 ? 0.0 : std::log10(x);
}

float BandAbscissa(double frequencyHz)
{
    return static_cast<float>(80.0 * SafeLog10(frequencyHz));
}

double AbscissaFrequency(double x)
{
    return std::pow(10.0, 0.0125 * x);
}

int BandCount(int bandStart, int bandStep)
{
    if (bandStep < 1 || bandStart < 0 || bandStart >= kBandCount)
        return 0;
    return (kBandCount - 1 - bandStart) / bandStep + 1;
}

} // namespace velmora
