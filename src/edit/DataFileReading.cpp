#include "edit/DataFileReading.h"

#include "edit/GraphSetup.h"
#include "io/DataFile.h"
#include "io/FileContents.h"
#include "model/SpectrumModel.h"

namespace velmora {

bool ReadDataFile(TSpectrumModel& model, Draw2DClass& surface, const std::string& path, std::string* reason)
{
    std::string text;
    if (!ReadFileContents(path, kMaxDataFileBytes, text, reason))
        return false;
    ReadDataText(model, surface, text);
    return true;
}

void ReadDataText(TSpectrumModel& model, Draw2DClass& surface, std::string_view text)
{
    const GraphExtents extents = ReadDataWords(model, text);
    SetGraphExtents(model, surface, extents.MinLevel, extents.MaxLevel, extents.LevelIncrement);
}

} // namespace velmora
