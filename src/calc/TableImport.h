#pragma once

#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * Reads a table of levels (a .csv or .txt file, or standard input for "-") as the window's paste
 * and import read it, into a model set up as at start-up (full octaves, all levels 0): the
 * levels go in through ImportLevels, band-set switch included, and the nodes are rebuilt and
 * recalculated. False, with the model at its start-up state and message saying why ("Line 3:
 * ..." for a fault in the text, else why the file could not be read), when nothing was read.
 * Standard input is read to kMaxTabularBytes and one byte beyond, so an endless stream is
 * refused as too large instead of read for ever.
 */
bool ImportTableFile(TSpectrumModel& model, const std::string& path, std::string& message);

} // namespace velmora
