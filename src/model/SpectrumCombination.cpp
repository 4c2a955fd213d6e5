#include "model/SpectrumCombination.h"

#include "model/PowerSum.h"
#include "model/SpectrumModel.h"

#include <array>

namespace velmora {

namespace {

/** Levels a and b in dB added as pressure amplitudes. */
double AmplitudeSum(double a, double b)
{
    const std::array<double, 2> exponents = {a * 0.05, b * 0.05};
    return 20.0 * Log10OfPowerSum<double>(exponents);
}

/** Levels a and b in dB added as energies. */
double EnergySum(double a, double b)
{
    const std::array<double, 2> exponents = {a * 0.1, b * 0.1};
    return 10.0 * Log10OfPowerSum<double>(exponents);
}

} // namespace

double CombinedLevel(int edited, int other, double y, double o)
{
    if (!IsDataType(edited) || !IsDataType(other))
        return y;
    // A modifier on the other side acts on the edited spectrum, whatever that is.
    if (other == AttenuationLevels)
        return y - o;
    if (other == CorrectionFactors)
        return y + o;
    switch (edited) {
    case AttenuationLevels:
        return o - y;
    case CorrectionFactors:
        return o + y;
    case PowerLevels:
        return other == PowerLevels ? EnergySum(y, o) : AmplitudeSum(y, o - kPowerOffset);
    default:
        return other == PowerLevels ? AmplitudeSum(y - kPowerOffset, o) : AmplitudeSum(y, o);
    }
}

} // namespace velmora
