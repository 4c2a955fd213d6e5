// Reads arbitrary bytes as a data file into a freshly set-up model and checks that the model
// stays one the rest of the program can work with.
#include "graph/Draw2D.h"
#include "io/DataFile.h"
#include "model/SpectrumModel.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace velmora;

bool IsDataType(int value)
{
    return value >= PressureLevels && value <= CorrectionFactors;
}

bool Holds(const TSpectrumModel& model)
{
    const bool octave = model.BandStart == kOctaveBandStart && model.BandStep == kOctaveBandStep;
    const bool third = model.BandStart == kThirdBandStart && model.BandStep == kThirdBandStep;
    if (!(octave || third) || model.Nodes.Count < 0 || model.Nodes.Count > kBandSlots)
        return false;
    if (model.Nodes.Count != BandCount(model.BandStart, model.BandStep) || model.Nodes.Current != 0)
        return false;
    if (!IsDataType(model.Nodes.DataType) || !IsDataType(model.OtherDataType))
        return false;
    if (!std::isfinite(model.MinLevel) || !std::isfinite(model.MaxLevel) ||
        !std::isfinite(model.LevelIncrement) || !(model.LevelIncrement > 0.0f))
        return false;
    for (int k = 0; k < kBandSlots; ++k) {
        const TNode& node = model.Nodes.Node[k];
        if (!std::isfinite(node.X) || !std::isfinite(node.Y) || !std::isfinite(model.OtherLevels[k]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TSpectrumModel model;
    InitModel(model);
    Draw2DClass surface;
    SetupGraph(model, surface, nullptr, true);
    ReadDataText(model, surface, nullptr, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!Holds(model))
        __builtin_trap();
    return 0;
}
