#pragma once

#include "model/Bands.h"

#include <array>
#include <span>

namespace velmora {

/** Level of the NR 100 curve at the octaves 63 Hz to 16 kHz. */
extern const std::array<float, 9> NRLevel100;
/** dB the NR curve drops per 10 NR steps at the same octaves. */
extern const std::array<float, 9> NRSlope10;

/** One band's part in the Noise Rating. */
struct NoiseRatingBand {
    /** Band index into BandFrequency. */
    int band = 0;
    /** The band's level in dB, as given. */
    double level = 0.0;
    /** The NR curve the level lies on: 100 + (level - NR 100 level) / (slope per NR step); NaN
     * for a level that is not finite. */
    double rating = 0.0;
};

/** The Noise Rating of a spectrum and the band that sets it. */
struct NoiseRatingResult {
    /** The highest band rating, never below 0. */
    double NR = 0.0;
    /** Band index of the band whose rating is NR; -1 when no band rates above 0. */
    int governingBand = -1;
    std::array<NoiseRatingBand, kBandCount> bands{};
    int bandCount = 0;
};

/**
 * The NR 100 level and the drop per 10 NR steps, in dB, of the curves at band `band` (0 to 26):
 * the table values at the octave centres, and off them straight lines against log10 f between the
 * neighbouring octaves, extrapolated below 63 Hz and above 16 kHz.
 */
std::array<double, 2> NoiseCurveAt(int band);

/**
 * Level in dB of the NR curve of rating nr (any value, not only whole tens) at band `band`
 * (0 to 26), on the lines of NoiseCurveAt: a band whose level is this rates exactly nr. NaN for
 * any other band, or an nr that is NaN.
 */
double NoiseRatingCurveLevel(double nr, int band);

/**
 * Rates levels (one per slot of the band set; third octaves are compared band by band with the
 * octave curves). Bands whose level is NaN or infinite are left out of NR and rate NaN.
 */
NoiseRatingResult RateNoise(std::span<const float> levels, int bandStart, int bandStep);

} // namespace velmora
