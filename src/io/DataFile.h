#pragma once

#include <string>
#include <string_view>

namespace velmora {

struct TSpectrumModel;
class Draw2DClass;
class ResultView;

/**
 * Writes the model as a ".snd" data file (CR LF lines). The text goes to a temporary file in
 * the same folder, which replaces the named file only once everything was written and flushed,
 * so a failed write leaves any previous file intact. False when anything could not be written.
 */
bool WriteDataFile(const TSpectrumModel& model, const std::string& path);

/** The text WriteDataFile writes for the model. */
std::string DataFileText(const TSpectrumModel& model);

/**
 * Reads a ".snd" data file into the model word by word, then applies the graph extents it held
 * (SetGraphExtents, which sets up the graph for the band set read and recalculates). Unreadable
 * or out-of-range values leave their fields as they were. False, and the model unchanged, when
 * the file cannot be opened or read.
 */
bool ReadDataFile(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, const std::string& path);

/** ReadDataFile on text already in memory; the same rules. */
void ReadDataText(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, std::string_view text);

} // namespace velmora
