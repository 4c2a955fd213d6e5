#pragma once

#include <limits>
#include <span>

namespace velmora {

/**
 * The spectrum adaptation terms of the weighted sound reduction over enlarged frequency ranges:
 * C for pink noise and Ctr for urban traffic noise, from 50 Hz or 100 Hz up to 3150 Hz or 5000 Hz.
 * Whole dB, never -0; NaN when not rated.
 */
struct EnlargedAdaptationTerms {
    double C50_3150 = std::numeric_limits<double>::quiet_NaN();
    double C50_5000 = std::numeric_limits<double>::quiet_NaN();
    double C100_5000 = std::numeric_limits<double>::quiet_NaN();
    double Ctr50_3150 = std::numeric_limits<double>::quiet_NaN();
    double Ctr50_5000 = std::numeric_limits<double>::quiet_NaN();
    double Ctr100_5000 = std::numeric_limits<double>::quiet_NaN();
};

/**
 * The enlarged-range adaptation terms of sound reduction levels R in dB, one per slot of the band
 * set, with rw the set's weighted sound reduction as RateSoundReduction gives it. Each term is
 * X - Rw rounded to whole dB, halves away from zero (as C and Ctr are), with
 * X = -10 lg(sum of 10^((L - R)/10)) over its range, L being the term's source spectrum in dB
 * (A-weighted pink noise, or urban traffic noise, normalized to 0 dB overall).
 *
 * Third octaves (0, 1) only: any other set, or rw not finite, gives every term NaN; a term whose
 * range holds a band that is not finite, or lies past the end of levels, is NaN alone. Finite
 * levels of any size give finite terms. Allocates nothing.
 */
EnlargedAdaptationTerms RateEnlargedAdaptationTerms(std::span<const float> levels, int bandStart,
                                                    int bandStep, double rw);

} // namespace velmora
