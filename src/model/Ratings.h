#pragma once

#include <array>

namespace velmora {

struct TSpectrumModel;

/** Safe exposure level in dB at the octaves 63 Hz to 16 kHz. */
extern const std::array<float, 9> SafeExposureLevel;

/**
 * The whole recalculation, the one place a spectrum is rated: the ratings value (RateSpectrum) from
 * the edited levels, its single numbers as the model stores them (WeightedLevel, STC, NR), and the
 * per-band results of the overlay (StoreResults). A weighted level is NaN when a band is NaN and
 * +inf when a band is +inf; a band at -inf adds nothing. Finite levels too large for the
 * single-precision sum are still summed correctly. Writes no text: whoever shows the ratings reads
 * them from the model.
 */
void Recalculate(TSpectrumModel& model);

/** Lays the nodes out for the model's band set (SetupNodes, levels zeroed when asked), then Recalculate. */
void SetupSpectrum(TSpectrumModel& model, bool zeroLevels);

/**
 * Results per band: the edited and the other spectrum combined by their data types. A data
 * type outside 0 to 3 (only a damaged file can bring one) combines nothing: Results[k] = Y(k).
 */
void CalcResults(TSpectrumModel& model);

/**
 * What Results holds for the overlay shown: in modes 1 to 4 the edited spectrum weighted by A, B,
 * C or D (NaN and infinity kept), in modes 0 and 5 the combined spectrum (CalcResults); in modes 6
 * to 8 Results keeps what the last level-dependent overlay left.
 */
void StoreResults(TSpectrumModel& model);

/**
 * In modes 1 to 4 only: Results becomes the weighted edited spectrum, as the weighting overlay
 * shows it. Any other mode leaves Results alone.
 */
void StoreWeightedResults(TSpectrumModel& model);

} // namespace velmora
