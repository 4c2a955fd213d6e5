#pragma once

#include "model/Bands.h"

#include <array>
#include <span>

namespace velmora {

/** Bands the rating compares: 125 Hz to 5000 Hz, 17 in third octaves and 6 in octaves. */
inline constexpr int kMaxStcBands = 17;

/**
 * Level in dB of the STC reference contour for rating s at a frequency in Hz: s - 20 at
 * 125 Hz, s - 5 at 400 Hz, s from 1250 Hz on, straight against log10 f between them and
 * extended along the first segment below 125 Hz.
 */
double StcContourLevel(double s, double frequencyHz);

/** One rated band of the Sound Transmission Class. */
struct StcBand {
    /** Band index into BandFrequency. */
    int band = 0;
    /** The band's level in dB, as given. */
    double level = 0.0;
    /** The contour of the rating at this band, dB. */
    double contour = 0.0;
    /** How far the level lies below the contour (0 when it does not), dB; NaN for a level that
     * is not finite, which the rating leaves out. */
    double deficiency = 0.0;
    /** How much the level must rise so that the next class meets the per-band limit; 0 for most. */
    double nextRise = 0.0;
};

/** The Sound Transmission Class of a spectrum and what it rests on. */
struct TransmissionClassRating {
    /** The highest whole rating the spectrum meets; -1 when none, a search that would start below 0
     * included. */
    double STC = 0.0;
    std::array<StcBand, kMaxStcBands> bands{};
    int bandCount = 0;
    /** Sum of the deficiencies at STC, dB. */
    double deficiencySum = 0.0;
    /** The sum must stay below this (32 dB for third octaves, 32/3 for octaves). */
    double sumLimit = 0.0;
    /** No band may lie further below its contour than this (8 dB, 8/3 for octaves). */
    double bandLimit = 0.0;
    /** Sum of the deficiencies the next class (STC + 1) would have, dB. */
    double nextDeficiencySum = 0.0;
    /** Band index of the first band that breaks the per-band limit at STC + 1; -1 when none. */
    int nextRuleBand = -1;
};

/**
 * Rates levels (one per slot of the band set) against the reference contours: the highest whole
 * rating s, searched down from 10 dB above the highest finite level (0 when none is finite), at
 * which no compared band lies more than 8 / BandStep dB below the contour and the deficiencies
 * sum to less than 32 / BandStep dB; a deficiency or a sum within 0.001 dB of its limit is at the
 * limit (kLimitTolerance), so levels entered in tenths rate as their decimal values do. -1 when no
 * rating from the start down to 0 passes, as for every spectrum whose highest level is -10 dB or
 * lower. All arithmetic is in double. Bands whose level is NaN or
 * infinite are left out. The search takes a bounded number of steps whatever the levels.
 */
TransmissionClassRating RateTransmissionClass(std::span<const float> levels, int bandStart, int bandStep);

} // namespace velmora
