#pragma once

#include "model/SpectrumModel.h"

#include <array>

namespace velmora {

/**
 * What the user edits in the model, as one value: both spectra with their data types, the band
 * set, the current node and the per-band results. The view (level range, grid step, overlay)
 * and the ratings, which a recalculation derives from this, are not part of it.
 */
struct SpectrumState {
    TNodeList Nodes;
    std::array<float, kBandSlots> OtherLevels{};
    std::array<float, kBandSlots> Results{};
    int OtherDataType = PressureLevels;
    int Reserved = 0;
    int BandStart = kOctaveBandStart;
    int BandStep = kOctaveBandStep;
};

/** The model's spectrum state, copied bit for bit. */
SpectrumState CaptureSpectrum(const TSpectrumModel& model);

/**
 * Puts a captured state back bit for bit (NaN payloads and the sign of zero included). Leaves the
 * view and the ratings alone: the caller recalculates.
 */
void RestoreSpectrum(TSpectrumModel& model, const SpectrumState& state);

/**
 * True when two states hold the same spectra bit for bit: node count and positions, levels, data
 * types, band set and Reserved. Which node is current and what Results holds do not count, so a
 * selection or an overlay is never taken for an edit.
 */
bool SameSpectra(const SpectrumState& a, const SpectrumState& b);

/** True when every field of the two states is the same bit for bit. */
bool IdenticalStates(const SpectrumState& a, const SpectrumState& b);

} // namespace velmora
