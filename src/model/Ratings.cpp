#include "model/Ratings.h"

#include "model/ResultView.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace velmora {

// clang-format off
const std::array<std::array<float, kBandSlots>, 4> BandWeighting = {{
    // A
    {-30.2f, -26.2f, -22.5f, -19.1f, -16.1f, -13.4f, -10.9f, -8.6f, -6.6f, -4.8f, -3.2f, -1.9f, -0.8f, 0.0f,
     0.6f, 1.0f, 1.2f, 1.3f, 1.2f, 1.0f, 0.5f, -0.1f, -1.1f, -2.5f, -4.3f, -6.6f, -9.3f, 0.0f, 0.0f, 0.0f},
    // B
    {-11.6f, -9.3f, -7.4f, -5.6f, -4.2f, -3.0f, -2.0f, -1.3f, -0.8f, -0.5f, -0.3f, -0.1f, 0.0f, 0.0f,
     0.0f, 0.0f, -0.1f, -0.2f, -0.4f, -0.7f, -1.2f, -1.9f, -2.9f, -4.3f, -6.1f, -8.4f, -11.1f, 0.0f, 0.0f, 0.0f},
    // C
    {-1.3f, -0.8f, -0.5f, -0.3f, -0.2f, -0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
     0.0f, -0.1f, -0.2f, -0.3f, -0.5f, -0.8f, -1.3f, -2.0f, -3.0f, -4.4f, -6.2f, -8.5f, -11.2f, 0.0f, 0.0f, 0.0f},
    // D
    {-12.8f, -10.9f, -9.0f, -7.2f, -5.5f, -4.0f, -2.6f, -1.6f, -0.8f, -0.4f, -0.3f, -0.5f, -0.6f, 0.0f,
     2.0f, 4.9f, 7.9f, 10.6f, 11.5f, 11.1f, 9.6f, 7.6f, 5.5f, 3.4f, 1.4f, -0.5f, -2.5f, 0.0f, 0.0f, 0.0f},
}};

const std::array<float, 9> NRLevel100 = {115.0f, 110.0f, 105.0f, 102.0f, 100.0f, 97.98f, 95.93f, 94.93f, 94.93f};
const std::array<float, 9> NRSlope10 = {7.9f, 8.8f, 9.3f, 9.7f, 10.0f, 10.22f, 10.27f, 10.27f, 10.27f};
const std::array<float, 9> SafeExposureLevel = {103.0f, 96.0f, 91.0f, 87.0f, 85.0f, 83.0f, 83.0f, 81.0f, 79.0f};
// clang-format on

namespace {

/** 10 raised to e; exp is markedly quicker than pow and as exact for these sums. */
double Exp10(double e)
{
    constexpr double kLn10 = 2.302585092994045684;
    return std::exp(e * kLn10);
}

/**
 * log10 of the sum of 10^e, taken around the largest exponent so that no term overflows;
 * +inf when an exponent is +inf, NaN when one is NaN.
 */
double ShiftedLog10Sum(std::span<const double> exponents)
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

/**
 * SafeLog10 of the sum of 10^e accumulated in Sum. A sum that overflows Sum is taken in double
 * around the largest exponent instead, so that finite levels of any size give finite results.
 */
template <typename Sum> double Log10OfPowerSum(std::span<const double> exponents)
{
    Sum sum = 0;
    for (double e : exponents) {
        const double next = sum + Exp10(e);
        if (next > std::numeric_limits<Sum>::max())
            return ShiftedLog10Sum(exponents);
        sum = static_cast<Sum>(next);
    }
    return SafeLog10(sum);
}

/** Overall level in dB of the edited spectrum under weighting w; the sum runs in single precision. */
double WeightedLevelOf(const TSpectrumModel& model, int w)
{
    std::array<double, kBandSlots> exponents{};
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        const double weight = BandWeighting[w][BandIndexOfSlot(model, k)];
        exponents[k] = (model.Nodes.Node[k].Y + weight) * 0.1;
    }
    return 10.0 * Log10OfPowerSum<float>(std::span(exponents.data(), static_cast<std::size_t>(bands)));
}

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

bool KnownDataType(int type)
{
    return type >= PressureLevels && type <= CorrectionFactors;
}

/** One band of the combined spectrum: edited level y of type edited, other level o of type other. */
double CombineBand(int edited, int other, double y, double o)
{
    if (!KnownDataType(edited) || !KnownDataType(other))
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

} // namespace

void Recalculate(TSpectrumModel& model, ResultView* view)
{
    for (int w = WeightA; w <= WeightD; ++w)
        model.WeightedLevel[w] = ToStoredLevel(WeightedLevelOf(model, w));
    CalcSTC(model);
    CalcNoiseRating(model);
    if (view) {
        if (ValidNode(model, model.Nodes.Current))
            view->SetStatusText(StatusText(model));
        view->SetResultText(ResultText(model));
    }
    // Modes 6 to 8 draw fixed curves; Results keeps what the last level-dependent overlay left.
    if (model.HighlightMode <= HighlightResults)
        CalcResults(model);
}

void CalcResults(TSpectrumModel& model)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        const double combined = CombineBand(model.Nodes.DataType, model.OtherDataType, model.Nodes.Node[k].Y,
                                            model.OtherLevels[k]);
        model.Results[k] = ToStoredLevel(combined);
    }
}

} // namespace velmora
