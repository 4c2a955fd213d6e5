#include "model/Ratings.h"

#include "model/Interpolate.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

/** The NR curves at one band: the NR 100 level and the drop per 10 NR steps, both in dB. */
struct NoiseCurve {
    double level100;
    double slope10;
};

/** Octave index (63 Hz = 0) of band i; band 0 belongs to octave 0. */
int OctaveOf(int band)
{
    return (band - 1) / 3;
}

NoiseCurve NoiseCurveAt(int band)
{
    const int octave = OctaveOf(band);
    if (band % 3 == 1)
        return {NRLevel100[octave], NRSlope10[octave]};
    // Off the octave centres the curves run straight against log10 f between the neighbouring
    // octaves, extrapolated below 63 Hz and above 16 kHz.
    const int low = std::min(octave, static_cast<int>(NRLevel100.size()) - 2);
    const int high = low + 1;
    const double x = std::log10(BandFrequency[band]);
    const double x0 = std::log10(BandFrequency[1 + 3 * low]);
    const double x1 = std::log10(BandFrequency[1 + 3 * high]);
    return {Interpolate(x, x0, x1, NRLevel100[low], NRLevel100[high]),
            Interpolate(x, x0, x1, NRSlope10[low], NRSlope10[high])};
}

/** The curves depend on the band only, so they are worked out once. */
const std::array<NoiseCurve, kBandCount>& NoiseCurves()
{
    static const std::array<NoiseCurve, kBandCount> curves = [] {
        std::array<NoiseCurve, kBandCount> table{};
        for (int band = 0; band < kBandCount; ++band)
            table[band] = NoiseCurveAt(band);
        return table;
    }();
    return curves;
}

} // namespace

void CalcNoiseRating(TSpectrumModel& model)
{
    const auto& curves = NoiseCurves();
    double rating = 0.0;
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        const double level = model.Nodes.Node[k].Y;
        // A level that is not a number, or infinite, says nothing about the band's rating.
        if (!std::isfinite(level))
            continue;
        const NoiseCurve& curve = curves[BandIndexOfSlot(model, k)];
        rating = std::max(rating, 100.0 + (level - curve.level100) / (0.1 * curve.slope10));
    }
    model.NR = ToStoredLevel(rating);
}

} // namespace velmora
