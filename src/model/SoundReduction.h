#pragma once

#include <array>
#include <limits>
#include <span>

namespace velmora {

/** One rated band of the sound reduction rating, as the explanation lists it. */
struct ReductionBand {
    /** Band index into BandFrequency: 3 to 18 for third octaves, 4 to 16 in steps of 3 for octaves. */
    int band = 0;
    /** The band's sound reduction in dB, as given. */
    double level = 0.0;
    /** The moved reference curve at this band in dB. */
    double reference = 0.0;
    /** Unfavourable deviation in dB: max(0, reference - level). */
    double deviation = 0.0;
};

/**
 * The weighted sound reduction Rw with its spectrum adaptation terms C and Ctr, and what it rests
 * on. Default-constructed it is the result of a spectrum that cannot be rated: every value NaN,
 * no bands.
 */
struct SoundReductionRating {
    /** dB: the moved reference curve's value at 500 Hz, a whole number; NaN when not rated. */
    double Rw = std::numeric_limits<double>::quiet_NaN();
    /** Adaptation term for pink noise, whole dB (never -0); NaN when not rated. */
    double C = std::numeric_limits<double>::quiet_NaN();
    /** Adaptation term for urban traffic noise, whole dB (never -0); NaN when not rated. */
    double Ctr = std::numeric_limits<double>::quiet_NaN();
    /** The rated bands from low to high; only the first bandCount are set. */
    std::array<ReductionBand, 16> bands{};
    /** 16 for third octaves, 5 for octaves, 0 when not rated. */
    int bandCount = 0;
    /** dB: sum of the unfavourable deviations at Rw, at most limit; NaN when not rated. */
    double deviationSum = std::numeric_limits<double>::quiet_NaN();
    /** dB: the most the deviations may sum to: 32 for third octaves, 10 for octaves; NaN for another band
     * set. */
    double limit = std::numeric_limits<double>::quiet_NaN();
    /**
     * dB, > 0: how far the sum of deviations would exceed the limit with the curve 1 dB higher, so
     * "Rw + 1 needs nextClassExcess dB less unfavourable deviation in total"; NaN when not rated.
     */
    double nextClassExcess = std::numeric_limits<double>::quiet_NaN();
};

/**
 * Rates a sound reduction spectrum by ISO 717-1. levels holds one sound reduction in dB per slot
 * of the band set (bandStart, bandStep), slot k being band bandStart + k * bandStep: third octaves
 * (0, 1) are rated over 100 Hz to 3150 Hz against a limit of 32 dB, octaves (1, 3) over 125 Hz to
 * 2000 Hz against 10 dB. Slots outside that range are not read and may hold anything.
 *
 * The reference curve moves in whole dB to the highest position where the unfavourable deviations
 * sum to no more than the limit; a sum within 0.001 dB above the limit still meets it, so that
 * levels entered in tenths of a dB, which a float holds only approximately, rate as their decimal
 * values do. C and Ctr are rounded to whole dB, halves away from zero.
 *
 * Any level up to the float range is rated at once. A rated band that is NaN or infinite, a span
 * too short to hold the rated bands, or another band set gives the not-rated result (limit is
 * still set for a known band set). Allocates nothing.
 */
SoundReductionRating RateSoundReduction(std::span<const float> levels, int bandStart, int bandStep);

/**
 * Level in dB of the reference curve moved to rate Rw rw, in band `band` (band index) of the set
 * (bandStart, bandStep): the curve's value there plus the shift that puts its 500 Hz value at rw.
 * NaN for a band the set does not rate, another set, or an rw that is NaN.
 */
double SoundReductionReferenceLevel(double rw, int band, int bandStart, int bandStep);

} // namespace velmora
