#include "model/SpectrumState.h"

#include <bit>
#include <cstdint>

namespace velmora {

namespace {

// Floats compared as their bits: a NaN level equals itself, and -0 is not +0.
bool SameBits(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SameLevels(const std::array<float, kBandSlots>& a, const std::array<float, kBandSlots>& b)
{
    for (int k = 0; k < kBandSlots; ++k)
        if (!SameBits(a[k], b[k]))
            return false;
    return true;
}

} // namespace

SpectrumState CaptureSpectrum(const TSpectrumModel& model)
{
    SpectrumState state;
    state.Nodes = model.Nodes;
    state.OtherLevels = model.OtherLevels;
    state.Results = model.Results;
    state.OtherDataType = model.OtherDataType;
    state.Reserved = model.Reserved;
    state.BandStart = model.BandStart;
    state.BandStep = model.BandStep;
    return state;
}

void RestoreSpectrum(TSpectrumModel& model, const SpectrumState& state)
{
    model.Nodes = state.Nodes;
    model.OtherLevels = state.OtherLevels;
    model.Results = state.Results;
    model.OtherDataType = state.OtherDataType;
    model.Reserved = state.Reserved;
    model.BandStart = state.BandStart;
    model.BandStep = state.BandStep;
}

bool SameSpectra(const SpectrumState& a, const SpectrumState& b)
{
    if (a.Nodes.Count != b.Nodes.Count || a.Nodes.DataType != b.Nodes.DataType ||
        a.OtherDataType != b.OtherDataType || a.Reserved != b.Reserved || a.BandStart != b.BandStart ||
        a.BandStep != b.BandStep)
        return false;
    for (int k = 0; k < kBandSlots; ++k)
        if (!SameBits(a.Nodes.Node[k].X, b.Nodes.Node[k].X) ||
            !SameBits(a.Nodes.Node[k].Y, b.Nodes.Node[k].Y))
            return false;
    return SameLevels(a.OtherLevels, b.OtherLevels);
}

bool IdenticalStates(const SpectrumState& a, const SpectrumState& b)
{
    return SameSpectra(a, b) && a.Nodes.Current == b.Nodes.Current && SameLevels(a.Results, b.Results);
}

} // namespace velmora
