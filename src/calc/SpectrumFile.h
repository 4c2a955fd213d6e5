#pragma once

#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * Reads a data file as the main window reads a file named on its command line: into a model just
 * set up as at start-up (InitModel, then all levels at 0), then the file's words, extents and band
 * set. No surface or canvas is involved. False, with the model at its start-up state and reason
 * saying why in a few words (what the reader found: the file is never opened again to
 * word it), when the file cannot be read. bytes, when given, receives the file's bytes as read,
 * so that what is said of the file (its fingerprint) is of exactly the data read.
 */
bool ReadSpectrumFile(TSpectrumModel& model, const std::string& path, std::string& reason,
                      std::string* bytes = nullptr);

} // namespace velmora
