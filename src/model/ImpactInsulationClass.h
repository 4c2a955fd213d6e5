#pragma once

#include "model/AstmContour.h"

#include <limits>
#include <span>

namespace velmora {

/**
 * The Impact Insulation Class, the North American impact rating. The fit's bands run 100 Hz to
 * 3150 Hz; its contourAt500 is the fitted contour's 500 Hz value, and IIC = 110 - contourAt500.
 * Each band's nextShortfall is how far its level must fall for IIC + 1. Default-constructed: not
 * rated.
 */
struct ImpactInsulationRating : AstmContourFit {
    /** The rating, whole dB; NaN when not rated. */
    double IIC = std::numeric_limits<double>::quiet_NaN();
};

/**
 * Rates normalized impact sound pressure levels in dB, one per slot of the band set. Only third
 * octaves (0, 1) are rated, over the 16 bands from 100 Hz to 3150 Hz; octaves or any other set give
 * the not-rated result with every number NaN. The levels are rounded to whole dB
 * (AstmWholeDecibels); the contour, which lies at +2 +2 +2 +2 +2 +2 +1 0 -1 -2 -3 -6 -9 -12 -15
 * -18 dB from its 500 Hz value, is lowered to the lowest whole position where the levels lie above
 * it by no more than 32 dB in total and 8 dB in any band. A rated band that is not finite gives
 * the not-rated result. Any finite level is rated at once. Allocates nothing.
 */
ImpactInsulationRating RateImpactInsulationClass(std::span<const float> levels, int bandStart, int bandStep);

/**
 * Level in dB of the contour of IIC iic in band `band` (band index, 3 = 100 Hz to 18 = 3150 Hz):
 * the contour whose 500 Hz value is 110 - iic. NaN for any other band, or an iic that is NaN.
 */
double ImpactInsulationContourLevel(double iic, int band);

} // namespace velmora
