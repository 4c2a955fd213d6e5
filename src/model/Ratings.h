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
 * 125 Hz, s - 5 at 400 Hz, s from 1250 Hz on, straight against log10 f between them.
 */
double StcContourLevel(double s, double frequencyHz);

/**
 * The whole recalculation: weighted levels, STC, NR, the two text lines (given a view) and,
 * in highlight modes up to 5, the per-band results.
 */
void Recalculate(TSpectrumModel& model, ResultView* view);

/** Results per band: the edited and the other spectrum combined by their data types. */
void CalcResults(TSpectrumModel& model);

/** Sets STC: the highest whole rating whose contour the edited spectrum meets; -1 if none. */
void CalcSTC(TSpectrumModel& model);

/** Sets NR: the highest band rating against the NR curves, never below 0. */
void CalcNoiseRating(TSpectrumModel& model);

/** " %0.0fHz = %0.1fdB" for the current node; empty when there is none. */
std::string StatusText(const TSpectrumModel& model);

/** The ratings line for the edited spectrum's data type. */
std::string ResultText(const TSpectrumModel& model);

} // namespace velmora
