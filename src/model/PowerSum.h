#pragma once

#include "model/Bands.h"

#include <cmath>
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
 * combined spectra). A sum that overflows Sum, or that stays below Sum's smallest normal value
 * while some exponent is finite, is taken in double around the largest exponent instead, so that
 * finite levels of any size, however low, give finite results. An empty list, or one of -inf
 * only, gives 0 (SafeLog10 of a sum of 0).
 */
template <typename Sum> double Log10OfPowerSum(std::span<const double> exponents)
{
    Sum sum = 0;
    bool anyFinite = false;
    for (double e : exponents) {
        const double next = sum + Exp10(e);
        if (next > std::numeric_limits<Sum>::max())
            return Log10OfExp10Sum(exponents);
        sum = static_cast<Sum>(next);
        anyFinite = anyFinite || std::isfinite(e);
    }
    // Terms below the normal range lose their digits or vanish, and a sum of 0 would read as
    // 0 dB; a sum that stays normal keeps what the tiny terms could add.
    if (anyFinite && sum < std::numeric_limits<Sum>::min())
        return Log10OfExp10Sum(exponents);
    return SafeLog10(sum);
}

} // namespace velmora
