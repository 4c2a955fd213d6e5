#pragma once

#include <array>

namespace velmora {

/** Slots of every per-band array; 27 is the most ever used. */
inline constexpr int kBandSlots = 30;
/** Third-octave bands the program knows: 50 Hz to 20 kHz. */
inline constexpr int kBandCount = 27;

/** Nominal third-octave centre frequencies in Hz, indexed by band; slots 27 to 29 are 0. */
inline constexpr std::array<float, kBandSlots> BandFrequency = {
    50,   63,   80,   100,  125,  160,  200,  250,  315,   400,   500,   630,   800, 1000, 1250,
    1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000, 0,   0,    0};

/** Full octave: bands 1, 4, ..., 25 (63 Hz to 16 kHz). */
inline constexpr int kOctaveBandStart = 1;
inline constexpr int kOctaveBandStep = 3;
/** Third octave: bands 0 to 26. */
inline constexpr int kThirdBandStart = 0;
inline constexpr int kThirdBandStep = 1;

/** The two band sets, and anything else a damaged file may hold. */
enum class BandSet { Octave, Third, Unknown };

/** Which set (bandStart, bandStep) is: (1, 3) the octaves, (0, 1) the third octaves, else Unknown. */
inline constexpr BandSet BandSetOf(int bandStart, int bandStep)
{
    if (bandStart == kOctaveBandStart && bandStep == kOctaveBandStep)
        return BandSet::Octave;
    if (bandStart == kThirdBandStart && bandStep == kThirdBandStep)
        return BandSet::Third;
    return BandSet::Unknown;
}

/** BandStart of a set: 0 for the third octaves, 1 for the octaves (and for Unknown). */
inline constexpr int BandStartOf(BandSet set)
{
    return set == BandSet::Third ? kThirdBandStart : kOctaveBandStart;
}

/** BandStep of a set: 1 for the third octaves, 3 for the octaves (and for Unknown). */
inline constexpr int BandStepOf(BandSet set)
{
    return set == BandSet::Third ? kThirdBandStep : kOctaveBandStep;
}

/** log10(x) for x > 0; 0 for x <= 0 (so an empty energy sum reads as 0 dB); NaN stays NaN. */
double SafeLog10(double x);

/** Graph abscissa of a frequency in Hz: 80 * SafeLog10(f); 0 for f <= 0. */
float BandAbscissa(double frequencyHz);

/** Frequency in Hz of a graph abscissa: 10 raised to 0.0125 * x. */
double AbscissaFrequency(double x);

/**
 * Number of bands of the set (BandStart, BandStep): band indices start, start + step, ... below
 * kBandCount. 0 for a step below 1 or a start outside 0 to kBandCount - 1, so that a band walk
 * never leaves the tables whatever a data file held.
 */
int BandCount(int bandStart, int bandStep);

/** Number of bands of a set: 27 third octaves, 9 octaves, 0 for Unknown. */
inline int BandCountOf(BandSet set)
{
    return set == BandSet::Unknown ? 0 : BandCount(BandStartOf(set), BandStepOf(set));
}

} // namespace velmora
