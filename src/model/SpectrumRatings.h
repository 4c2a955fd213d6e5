#pragma once

#include "model/AstmTransmissionClass.h"
#include "model/Bands.h"
#include "model/EnlargedAdaptationTerms.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/NoiseCriterion.h"
#include "model/NoiseRating.h"
#include "model/SoundReduction.h"
#include "model/TransmissionClass.h"

#include <array>
#include <span>

namespace velmora {

/** One band of the set with its part in every rating; NaN wherever a rating does not use the band. */
struct BandBreakdown {
    /** Band index into BandFrequency. */
    int band = 0;
    /** The band's level in dB, as given. */
    double level = 0.0;
    /** The level under the A, B, C and D weightings, dB. */
    std::array<double, 4> weighted{};
    /** The NR curve the level lies on. */
    double noiseRating = 0.0;
    /** The STC contour at the rating and how far the level lies below it, dB. */
    double stcContour = 0.0;
    double stcDeficiency = 0.0;
    /** How much the level must rise for the next STC class to meet the per-band limit, dB (0 for most). */
    double stcNextRise = 0.0;
    /** The moved Rw reference curve and the unfavourable deviation from it, dB. */
    double rwReference = 0.0;
    double rwDeviation = 0.0;
    /** How far the level, in whole dB, lies below the E413 contour at STC (E413), dB. */
    double astmDeficiency = 0.0;
    /** How far the level, in whole dB, lies above the E989 contour at IIC, dB. */
    double iicDeficiency = 0.0;
    /** The unfavourable deviation above the moved ISO 717-2 reference curve at Ln,w, dB. */
    double impactDeviation = 0.0;
    /** The NC curve the band's octave lies on (its octave centre only; NaN outside the family). */
    double noiseCriterion = 0.0;
};

/**
 * Every rating of a spectrum with what explains it, computed once per recalculation: the single
 * numbers, each rating's own result with its sums, limits and next class, and the band values
 * laid out slot by slot in the order of the set. Whatever shows or prints a rating reads it from
 * here, so one number never shows with two values.
 */
struct SpectrumRatings {
    /** The overall A-, B-, C- and D-weighted levels in dB (see WeightedLevel). */
    std::array<double, 4> weighted{};
    NoiseRatingResult noise;
    TransmissionClassRating transmission;
    /** The levels read as sound reduction. */
    SoundReductionRating reduction;
    /** Their enlarged-range adaptation terms. */
    EnlargedAdaptationTerms enlarged;
    /** The levels read as transmission loss by the North American rule. */
    AstmTransmissionRating astm;
    /** The levels read as normalized impact sound pressure levels. */
    ImpactSoundRating impact;
    ImpactInsulationRating iic;
    /** The levels read as room noise against the NC curves, with the speech interference level. */
    NoiseCriterionRating nc;
    std::array<BandBreakdown, kBandSlots> bands{};
    int bandCount = 0;
};

/**
 * Rates levels (one per slot of the band set) by every rating the program knows and lays the
 * ratings' band values out slot by slot. A band set the program does not know gives no bands and
 * weighted levels of 0 dB. Allocates nothing.
 */
SpectrumRatings RateSpectrum(std::span<const float> levels, int bandStart, int bandStep);

} // namespace velmora
