#pragma once

#include <array>
#include <limits>
#include <span>
#include <string>

namespace velmora {

/** Octave bands the NC curves are compared in: 63 Hz to 8000 Hz. */
inline constexpr int kNoiseCriterionBands = 8;
/** The family's lowest and highest curves: NC-15 and NC-70. */
inline constexpr double kLowestNoiseCriterion = 15.0;
inline constexpr double kHighestNoiseCriterion = 70.0;

/** Where a spectrum lies against the family of NC curves, NC-15 to NC-70. */
enum class NoiseCriterionState {
    /** A band is not finite, or the band set cannot be rated: no NC. */
    NotRated,
    /** Within the family: NC is the largest band value. */
    Rated,
    /** Some band lies above the NC-70 curve: ">NC-70". */
    AboveFamily,
    /** Every band lies below the NC-15 curve: "<NC-15". */
    BelowFamily,
};

/** One octave band of the NC rating. */
struct NoiseCriterionBand {
    /** Band index into BandFrequency of the octave's centre. */
    int band = 0;
    /** The octave's level in dB: as given for octave data, the energy sum of its three bands for third
     * octaves. */
    double level = std::numeric_limits<double>::quiet_NaN();
    /**
     * The NC curve the level lies on, interpolated straight between the curves around it (a level
     * on a curve is that curve's number); NaN when the level lies outside the family, below NC-15
     * or above NC-70, which aboveTop then tells apart.
     */
    double nc = std::numeric_limits<double>::quiet_NaN();
    /** dB the level lies above the NC-70 curve (negative below it). */
    double aboveTop = std::numeric_limits<double>::quiet_NaN();
};

/** The Noise Criterion of a spectrum, the band that sets it, and the speech interference level. */
struct NoiseCriterionRating {
    NoiseCriterionState state = NoiseCriterionState::NotRated;
    /** The largest band value, exact (texts give it one decimal); NaN unless state is Rated. */
    double NC = std::numeric_limits<double>::quiet_NaN();
    /**
     * Band index of the band whose value is NC (the lowest of equals); above the family, of the band
     * furthest above NC-70; -1 below the family or when not rated.
     */
    int governingBand = -1;
    /** The octaves from 63 Hz to 8000 Hz; all 8 set when rated, none when not. */
    std::array<NoiseCriterionBand, kNoiseCriterionBands> bands{};
    int bandCount = 0;
    /** Speech interference level: the mean of the 500, 1000, 2000 and 4000 Hz octave levels, dB; NaN
     * when one of them is not finite or the band set cannot be rated. */
    double SIL = std::numeric_limits<double>::quiet_NaN();
};

/**
 * Rates sound pressure levels in dB, one per slot of the band set, against the NC curves by the
 * tangency method. Octaves (1, 3) are compared as they are, from 63 Hz to 8000 Hz; third octaves
 * (0, 1) are first summed into those octaves by energy, three bands each (63 Hz from 50, 63 and
 * 80 Hz, ..., 8000 Hz from 6300, 8000 and 10000 Hz). Any other set, a span too short for the
 * octaves, or a level in them that is not finite gives NotRated; SIL needs only its own four
 * octaves. Allocates nothing.
 */
NoiseCriterionRating RateNoiseCriterion(std::span<const float> levels, int bandStart, int bandStep);

/**
 * Level in dB of the NC curve of value nc (15 to 70, not only the whole fives) at band `band`, an
 * octave centre from 63 Hz (band index 1) to 8000 Hz (22): straight between the two curves
 * around nc, the inverse of how a band's value is found, so that the curve of a spectrum's NC
 * passes through its governing octave's level. NaN for any other band, or an nc outside 15 to 70.
 */
double NoiseCriterionCurveLevel(double nc, int band);

/** The rating as the panel writes it: "NC 46.0", ">NC-70", "<NC-15", or "-" when not rated. */
std::string NoiseCriterionText(const NoiseCriterionRating& rating);

} // namespace velmora
