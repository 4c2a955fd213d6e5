#pragma once

#include <array>
#include <limits>
#include <span>

namespace velmora {

/** One rated band of the weighted impact sound rating. */
struct ImpactBand {
    /** Band index into BandFrequency: 3 to 18 for third octaves, 4 to 16 in steps of 3 for octaves. */
    int band = 0;
    /** The band's impact sound pressure level in dB, as given. */
    double level = std::numeric_limits<double>::quiet_NaN();
    /** The shifted reference curve at this band in dB. */
    double reference = std::numeric_limits<double>::quiet_NaN();
    /** Unfavourable deviation in dB: max(0, level - reference). */
    double deviation = std::numeric_limits<double>::quiet_NaN();
};

/**
 * The weighted normalized impact sound pressure level Ln,w with its spectrum adaptation terms, and
 * what it rests on. Default-constructed it is the result of a spectrum that cannot be rated:
 * every value NaN, no bands.
 */
struct ImpactSoundRating {
    /** dB, a whole number: the shifted reference at 500 Hz (less 5 dB for octaves); lower is better. */
    double Lnw = std::numeric_limits<double>::quiet_NaN();
    /** Adaptation term CI, whole dB (never -0). */
    double CI = std::numeric_limits<double>::quiet_NaN();
    /** CI,50-2500, whole dB (never -0); NaN for octaves, or when a band from 50 Hz to 80 Hz is not finite. */
    double CI50_2500 = std::numeric_limits<double>::quiet_NaN();
    /** The rated bands from low to high; only the first bandCount are set. */
    std::array<ImpactBand, 16> bands{};
    /** 16 for third octaves, 5 for octaves, 0 when not rated. */
    int bandCount = 0;
    /** dB: sum of the unfavourable deviations at Ln,w, at most limit. */
    double deviationSum = std::numeric_limits<double>::quiet_NaN();
    /** dB: the most the deviations may sum to: 32 for third octaves, 10 for octaves; NaN for another set. */
    double limit = std::numeric_limits<double>::quiet_NaN();
    /** Band index of the band with the largest unfavourable deviation (the lowest of equals); -1 when none.
     */
    int governingBand = -1;
    /**
     * dB, > 0: how far the deviation sum would exceed the limit with the curve 1 dB lower, so
     * "Ln,w - 1 needs nextClassExcess dB less unfavourable deviation in total".
     */
    double nextClassExcess = std::numeric_limits<double>::quiet_NaN();
};

/**
 * Rates normalized impact sound pressure levels in dB, one per slot of the band set (slot k is band
 * bandStart + k * bandStep). Third octaves (0, 1) are rated over 100 Hz to 3150 Hz against a limit
 * of 32 dB, octaves (1, 3) over 125 Hz to 2000 Hz against 10 dB. The reference curve (third
 * octaves 62 62 62 62 62 62 61 60 59 58 57 54 51 48 45 42 dB, octaves 67 67 65 62 49 dB) moves in
 * whole dB to the lowest position where the levels lie above it by no more than the limit in
 * total; a sum within 0.001 dB above the limit still meets it, so that levels in tenths of a dB
 * rate as their decimal values do.
 *
 * CI = Ln,sum - 15 - Ln,w, Ln,sum being the energy sum over 100 Hz to 2500 Hz (third octaves) or
 * 125 Hz to 2000 Hz (octaves) rounded to whole dB, halves away from zero; CI,50-2500 is the same
 * over 50 Hz to 2500 Hz, for third octaves only.
 *
 * A rated band that is not finite, a span too short for the rated bands, or another band set
 * gives the not-rated result (limit is still set for a known set). Any finite level is rated at
 * once. Allocates nothing.
 */
ImpactSoundRating RateImpactSound(std::span<const float> levels, int bandStart, int bandStep);

/**
 * Level in dB of the reference curve moved to rate Ln,w lnw, in band `band` (band index) of the set
 * (bandStart, bandStep): the curve's value there plus the shift that puts its 500 Hz value at lnw
 * (lnw + 5 for octaves). NaN for a band the set does not rate, another set, or an lnw that is NaN.
 */
double ImpactReferenceLevel(double lnw, int band, int bandStart, int bandStep);

} // namespace velmora
