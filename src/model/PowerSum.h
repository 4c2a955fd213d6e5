#pragma once

#include "model/Bands.h"

#include <limits>
#include <span>

namespace velmora {

/** 10 raised to e; exp is markedly quicker than pow and as exact for the rating sums. */
double Exp10(double e);

/**
 * log10 of the sum of 10^e over the exponents, taken around the largest exponent so that no term
 * overflows: finite exponents of any size give a finite result. +inf when an exponent is +inf,
 * NaN when one is NaN, -inf when the list is empty or every exponent is -inf.
 */
double Log10OfExp10Sum(std::span<const double> exponents);

/**
 * The energy sum 10 lg(sum of 10^(L/10)) in dB of up to kBandSlots levels in dB (any more are left
 * out), finite for finite levels of any size; NaN when a level is NaN or infinite, -inf for none.
 */
double LevelSum(std::span<const float> levels);

/**
 * SafeLog10 of the sum of 10^e accumulated in Sum (float for the weighted levels, double for the
 * combined spectra). A sum that overflows Sum is taken in double around the largest exponent
 * instead, so that finite levels of any size give finite results.
 */
template <typename Sum> double Log10OfPowerSum(std::span<const double> exponents)
{
    Sum sum = 0;
    for (double e : exponents) {
        const double next = sum + Exp10(e);
        if (next > std::numeric_limits<Sum>::max())
            return Log10OfExp10Sum(exponents);
        sum = static_cast<Sum>(next);
    }
    return SafeLog10(sum);
}

} // namespace velmora
