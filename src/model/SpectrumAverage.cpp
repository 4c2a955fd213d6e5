#include "model/SpectrumAverage.h"

#include "model/PowerSum.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace velmora {

namespace {

/** Slots a mean fills: bandCount within 0 to kBandSlots, and none without spectra. */
int SlotsOf(std::span<const BandLevels* const> spectra, int bandCount)
{
    return spectra.empty() ? 0 : std::clamp(bandCount, 0, kBandSlots);
}

} // namespace

BandLevels EnergeticMean(std::span<const BandLevels* const> spectra, int bandCount)
{
    BandLevels mean{};
    const int slots = SlotsOf(spectra, bandCount);
    const double count = static_cast<double>(spectra.size());
    std::vector<double> exponents(spectra.size());
    for (int k = 0; k < slots; ++k) {
        bool infinite = false;
        for (std::size_t i = 0; i < spectra.size(); ++i) {
            const float level = (*spectra[i])[k];
            infinite = infinite || level == std::numeric_limits<float>::infinity();
            exponents[i] = level / 10.0;
        }
        // The sum of the energies is taken around the largest, so that no term under- or overflows;
        // dividing by the count is then a step down in the logarithm.
        const double sum = Log10OfExp10Sum(exponents);
        mean[k] = infinite ? std::numeric_limits<float>::quiet_NaN()
                           : ToStoredLevel(10.0 * (sum - std::log10(count)));
    }
    return mean;
}

BandLevels ArithmeticMean(std::span<const BandLevels* const> spectra, int bandCount)
{
    BandLevels mean{};
    const int slots = SlotsOf(spectra, bandCount);
    for (int k = 0; k < slots; ++k) {
        double sum = 0.0;
        bool finite = true;
        for (const BandLevels* spectrum : spectra) {
            const float level = (*spectrum)[k];
            finite = finite && std::isfinite(level);
            sum += level;
        }
        mean[k] = finite ? ToStoredLevel(sum / static_cast<double>(spectra.size()))
                         : std::numeric_limits<float>::quiet_NaN();
    }
    return mean;
}

BandLevels MeanLevels(std::span<const BandLevels* const> spectra, int bandCount, MeanKind kind)
{
    return kind == MeanKind::Energetic ? EnergeticMean(spectra, bandCount)
                                       : ArithmeticMean(spectra, bandCount);
}

int MeanDataType(std::span<const int> dataTypes)
{
    if (dataTypes.empty() || !IsDataType(dataTypes.front()))
        return PressureLevels;
    const bool alike =
        std::all_of(dataTypes.begin(), dataTypes.end(), [&](int type) { return type == dataTypes.front(); });
    return alike ? dataTypes.front() : PressureLevels;
}

} // namespace velmora
