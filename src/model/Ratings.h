#pragma once

#include "model/Bands.h"

#include <array>
#include <string>

namespace velmora {

struct TSpectrumModel;
class ResultView;

enum Weighting : int { WeightA = 0, WeightB = 1, WeightC = 2, WeightD = 3 };

/** Band corrections in dB of the A, B, C and D weightings, indexed by band; slots 27 to 29 are 0. */
extern const std::array<std::array<float, kBandSlots>, 4> BandWeighting;
/** Level of the NR 100 curve at the octaves 63 Hz to 16 kHz. */
extern const std::array<float, 9> NRLevel100;
/** dB the NR curve drops per 10 NR steps at the same octaves. */
extern const std::array<float, 9> NRSlope10;
/** Safe exposure level in dB at the same octaves. */
extern const std::array<float, 9> SafeExposureLevel;
/** 10 * log10(4 pi): what a pressure level is lowered by when it meets a power level. */
inline constexpr double kPowerOffset = 10.992098640220963;

/**
 * Level in dB of the STC reference contour for rating s at a frequency in Hz: s - 20 at
 * 125 Hz, s - 5 at 400 Hz, s from 1250 Hz on, straight against log10 f between them and
 * extended along the first segment below 125 Hz.
 */
double StcContourLevel(double s, double frequencyHz);

/**
 * The whole recalculation: weighted levels, STC, NR, the two text lines (given a view; the
 * status line only while Current is a valid node) and, in highlight modes up to 5, the per-band
 * results. A weighted level is NaN when a band is NaN and +inf when a band is +inf; a band at
 * -inf adds nothing. Finite levels too large for the single-precision sum are still summed
 * correctly.
 */
void Recalculate(TSpectrumModel& model, ResultView* view);

/**
 * Results per band: the edited and the other spectrum combined by their data types. A data
 * type outside 0 to 3 (only a damaged file can bring one) combines nothing: Results[k] = Y(k).
 */
void CalcResults(TSpectrumModel& model);

/**
 * Sets STC: the highest whole rating whose contour the edited spectrum meets, searched down from
 * 10 dB above the highest level; -1 if none, or that start itself when it is below 0. Bands
 * whose level is NaN or infinite are left out; when no band is finite the highest level counts
 * as 0.
 */
void CalcSTC(TSpectrumModel& model);

/**
 * Sets NR: the highest band rating against the NR curves, never below 0. Bands whose level is
 * NaN or infinite are left out.
 */
void CalcNoiseRating(TSpectrumModel& model);

/**
 * " %0.0fHz = %0.1fdB" for the current node; empty when there is none. Numbers are printed
 * in the "C" locale, and a NaN or infinite one as "-".
 */
std::string StatusText(const TSpectrumModel& model);

/**
 * The ratings line for the edited spectrum's data type: the weighted levels and NR for 0 and 1,
 * a fixed caption for 3, STC for any other value; numbers printed as by StatusText.
 */
std::string ResultText(const TSpectrumModel& model);

} // namespace velmora
