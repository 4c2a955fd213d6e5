#include "calc/SpectrumFile.h"

#include "io/DataFile.h"
#include "model/SpectrumModel.h"

namespace velmora {

namespace {

void Reset(TSpectrumModel& model)
{
    InitModel(model);
    SetupSpectrum(model, true);
}

} // namespace

bool ReadSpectrumFile(TSpectrumModel& model, const std::string& path, std::string& reason)
{
    // Reading recalculates for the levels read, so the start-up state needs no ratings of its own.
    InitModel(model);
    SetupNodes(model, true);
    if (LoadDataFile(model, path, &reason))
        return true;
    Reset(model);
    return false;
}

} // namespace velmora
