#pragma once

#include <string>
#include <string_view>

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;

/**
 * Reads a ".snd" data file into the model word by word (ReadDataWords), then applies the graph
 * extents it held (SetGraphExtents, which sets up the graph for the band set read and
 * recalculates). False, and model and view unchanged, when the file is not a regular file,
 * cannot be opened or read, or is larger than kMaxDataFileBytes; reason, when given, then says
 * why (see ReadFileContents).
 */
bool ReadDataFile(TSpectrumModel& model, Draw2DClass& surface, const std::string& path,
                  std::string* reason = nullptr);

/** ReadDataFile on text already in memory; the same rules. */
void ReadDataText(TSpectrumModel& model, Draw2DClass& surface, std::string_view text);

} // namespace velmora
