#pragma once

#include <array>
#include <limits>
#include <span>

namespace velmora {

/** Bands an ASTM contour rating compares: 16 third octaves. */
inline constexpr int kAstmBands = 16;

/**
 * level rounded to whole decibels the way the ASTM ratings round their data: first to tenths, then
 * halves to even (49.5 -> 50, 50.5 -> 50, -30.5 -> -30), so that a float holding a decimal level
 * rounds as that decimal does (30.4999999 is 30.5 and rounds to 30). Levels too large for tenths to matter
 * (|level| >= 1e14) are whole already and come back as they are; NaN and infinities too.
 */
double AstmWholeDecibels(double level);

/**
 * The least whole number of dB by which level must move, up (rising) or down, for
 * AstmWholeDecibels of the moved level to reach target; 0 when it is there already. That is the
 * rounded level's distance to target, or 1 dB more for a level on a half whose move lands on a
 * half that rounds back: 45.5 rounds to 46, and so does 46.5, so it must rise 2 dB to round to 47.
 */
double AstmWholeMove(double level, double target, bool rising);

/** One band of an ASTM contour rating. */
struct AstmBand {
    /** Band index into BandFrequency. */
    int band = 0;
    /** The band's level in dB, as given. */
    double level = std::numeric_limits<double>::quiet_NaN();
    /** The level the rating compares: AstmWholeDecibels(level). */
    double rounded = std::numeric_limits<double>::quiet_NaN();
    /** The fitted contour at this band, dB. */
    double contour = std::numeric_limits<double>::quiet_NaN();
    /** How far the rounded level lies on the wrong side of the contour (0 when it does not), whole dB. */
    double deficiency = std::numeric_limits<double>::quiet_NaN();
    /**
     * How far the level as given must move (up for an airborne rating, down for an impact one) so
     * that the next class meets the per-band limit here, whole dB (AstmWholeMove); 0 for most bands.
     */
    double nextShortfall = std::numeric_limits<double>::quiet_NaN();
};

/**
 * What an ASTM contour rating rests on. Default-constructed it is the result of a spectrum that
 * cannot be rated: every value NaN, no bands, no band indices.
 */
struct AstmContourFit {
    /** The rated bands from low to high; only the first bandCount are set (16, or 0 when not rated). */
    std::array<AstmBand, kAstmBands> bands{};
    int bandCount = 0;
    /** The fitted contour's value at 500 Hz, whole dB. */
    double contourAt500 = std::numeric_limits<double>::quiet_NaN();
    /** Sum of the deficiencies at the rating, whole dB, at most sumLimit. */
    double deficiencySum = std::numeric_limits<double>::quiet_NaN();
    /** The deficiencies may sum to this much: 32 dB. Set for third octaves even when not rated. */
    double sumLimit = std::numeric_limits<double>::quiet_NaN();
    /** No band may be deficient by more than this: 8 dB. Set for third octaves even when not rated. */
    double bandLimit = std::numeric_limits<double>::quiet_NaN();
    /** Sum of the deficiencies the next class (one better) would have, whole dB. */
    double nextDeficiencySum = std::numeric_limits<double>::quiet_NaN();
    /** Band index of the first band that breaks the per-band limit at the next class; -1 when none. */
    int nextRuleBand = -1;
    /**
     * Band index of the band that keeps the next class out by the per-band limit (nextRuleBand) if
     * any, else of the band most deficient at the rating (the lowest of equals); -1 when none is.
     */
    int governingBand = -1;
};

/** Which side of the contour counts as deficient. */
enum class AstmDeficientSide {
    /** Airborne ratings: data below the contour; the better class has the higher contour. */
    Below,
    /** Impact ratings: data above the contour; the better class has the lower contour. */
    Above,
};

/**
 * Level in dB of an ASTM contour placed with its 500 Hz value at at500, in band `band` (band index):
 * at500 + shape[band - firstBand] for the 16 compared bands from firstBand on; NaN for any other band.
 */
double AstmContourLevel(const std::array<double, kAstmBands>& shape, int firstBand, double at500, int band);

/**
 * Fits an ASTM contour to third-octave levels (slot k is band k; anything else is not rated).
 * The 16 compared bands start at band index firstBand; shape is the contour's level in each of
 * them relative to its 500 Hz value, whole dB. The levels are rounded by AstmWholeDecibels, and
 * the contour takes the best whole position at which the deficiencies sum to no more than 32 dB
 * and none is more than 8 dB. A compared band that is not finite, or a span too short to hold the
 * compared bands, gives the not-rated result. Allocates nothing.
 */
AstmContourFit FitAstmContour(std::span<const float> levels, int bandStart, int bandStep, int firstBand,
                              const std::array<double, kAstmBands>& shape, AstmDeficientSide side);

} // namespace velmora
