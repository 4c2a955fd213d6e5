#include "calc/SpectrumFile.h"

#include "io/DataFile.h"
#include "io/FileContents.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <utility>

namespace velmora {

namespace {

void Reset(TSpectrumModel& model)
{
    InitModel(model);
    SetupSpectrum(model, true);
}

} // namespace

bool ReadSpectrumFile(TSpectrumModel& model, const std::string& path, std::string& reason, std::string* bytes)
{
    std::string text;
    if (!ReadFileContents(path, kMaxDataFileBytes, text, &reason)) {
        Reset(model);
        return false;
    }
    LoadFreshDataText(model, text);
    if (bytes)
        *bytes = std::move(text);
    return true;
}

} // namespace velmora
