// Reads arbitrary bytes as a data file into a freshly set-up model and checks that the model
// stays one the rest of the program can work with.
#include "io/DataFile.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace velmora;

bool Holds(const TSpectrumModel& model)
{
    if (!IsConsistent(model) || model.Nodes.Current != 0)
        return false;
    if (!std::isfinite(model.MinLevel) || !std::isfinite(model.MaxLevel) ||
        !std::isfinite(model.LevelIncrement) || !(model.LevelIncrement >= kMinLevelIncrement))
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
    SetupSpectrum(model, true);
    LoadDataText(model, std::string_view(reinterpret_cast<const char*>(data), size));
    if (!Holds(model))
        __builtin_trap();
    return 0;
}
