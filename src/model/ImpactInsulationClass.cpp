#include "model/ImpactInsulationClass.h"

namespace velmora {

namespace {

/** The compared bands start at 100 Hz. */
constexpr int kFirstBand = 3;

constexpr std::array<double, kAstmBands> kContour = {2,  2,  2,  2,  2,  2,   1,   0,
                                                     -1, -2, -3, -6, -9, -12, -15, -18};

/** IIC is this less the contour's 500 Hz value. */
constexpr double kClassBase = 110.0;

} // namespace

ImpactInsulationRating RateImpactInsulationClass(std::span<const float> levels, int bandStart, int bandStep)
{
    ImpactInsulationRating rating;
    static_cast<AstmContourFit&>(rating) =
        FitAstmContour(levels, bandStart, bandStep, kFirstBand, kContour, AstmDeficientSide::Above);
    rating.IIC = kClassBase - rating.contourAt500;
    return rating;
}

double ImpactInsulationContourLevel(double iic, int band)
{
    return AstmContourLevel(kContour, kFirstBand, kClassBase - iic, band);
}

} // namespace velmora
