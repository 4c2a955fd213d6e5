#pragma once

#include "model/Bands.h"

#include <array>
#include <span>

namespace velmora {

enum Weighting : int { WeightA = 0, WeightB = 1, WeightC = 2, WeightD = 3 };

/** Band corrections in dB of the A, B, C and D weightings, indexed by band; slots 27 to 29 are 0. */
extern const std::array<std::array<float, kBandSlots>, 4> BandWeighting;

/**
 * Level in dB of band `band` (0 to 26) weighted by w (WeightA to WeightD): the level plus the
 * band's correction, NaN and infinities passed on.
 */
double WeightedBandLevel(double level, int band, int w);

/**
 * Overall level in dB of the levels (one per slot of the band set) under weighting w: 10 lg of
 * the sum of 10^((level + correction) / 10), summed in single precision; 0 dB for an empty set.
 * NaN when a band is NaN, +inf when a band is +inf; a band at -inf adds nothing, so that bands
 * all at -inf rate 0 dB too. Finite levels too large or too small for the single-precision sum
 * (above about 385 dB, or all below about -380 dB) are still summed correctly.
 */
double WeightedLevel(std::span<const float> levels, int bandStart, int bandStep, int w);

} // namespace velmora
