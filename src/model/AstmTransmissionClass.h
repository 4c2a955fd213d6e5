#pragma once

#include "model/AstmContour.h"

#include <limits>
#include <span>

namespace velmora {

/**
 * The Sound Transmission Class by the North American airborne rating, named "STC (E413)" in every
 * text so that it is never taken for Velmora's own STC. The fit's bands run 125 Hz to 4000 Hz;
 * contourAt500 is the STC itself. Default-constructed: not rated.
 */
struct AstmTransmissionRating : AstmContourFit {
    /** The rating, whole dB; NaN when not rated. */
    double STC = std::numeric_limits<double>::quiet_NaN();
};

/**
 * Rates sound transmission loss levels in dB, one per slot of the band set. Only third octaves
 * (0, 1) are rated, over the 16 bands from 125 Hz to 4000 Hz; octaves or any other set give the
 * not-rated result with every number NaN. The levels are rounded to whole dB (AstmWholeDecibels);
 * the contour, which lies at -16 -13 -10 -7 -4 -1 0 +1 +2 +3 +4 +4 +4 +4 +4 +4 dB from its 500 Hz
 * value, is raised to the highest whole position where the levels lie below it by no more than
 * 32 dB in total and 8 dB in any band. A rated band that is not finite gives the not-rated result.
 * Any finite level is rated at once. Allocates nothing.
 */
AstmTransmissionRating RateAstmTransmissionClass(std::span<const float> levels, int bandStart, int bandStep);

/**
 * Level in dB of the contour of STC (E413) stc in band `band` (band index, 4 = 125 Hz to 19 =
 * 4000 Hz): stc plus the contour's offset there. NaN for any other band, or a stc that is NaN.
 */
double AstmTransmissionContourLevel(double stc, int band);

} // namespace velmora
