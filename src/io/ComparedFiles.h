#pragma once

#include "model/SpectrumAverage.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class ComparisonSet;

/** A data file's edited spectrum, as a spectrum to compare or average. */
struct ComparedFile {
    BandLevels levels{};
    BandSet bands = BandSet::Octave;
    int dataType = 0;
};

/**
 * Reads a ".snd" data file as the window reads one on its command line (into a fresh model) and
 * keeps its edited spectrum. A name ending in ".csv" or ".txt" (any case) is a table of levels,
 * read as Import Levels reads one into a fresh octave spectrum at 0 dB (pressure levels). False,
 * with reason saying why, when it cannot be read (see LoadDataFile, ReadTabularLevels).
 */
bool ReadComparedFile(const std::string& path, ComparedFile& file, std::string& reason);

/** Largest comparison list read: 1 MiB holds thousands of paths. */
inline constexpr std::size_t kMaxComparisonListBytes = 1024u * 1024u;

/** True for a name that ends in ".lst" (any case): a comparison list rather than a data file. */
bool IsComparisonList(std::string_view path);

/**
 * The files a comparison list names: one path a line (CR LF or LF), blank lines and lines starting
 * with '#' passed over, white space around a path dropped; a relative path is taken from folder
 * (the list's own, with or without a trailing '/'; empty for the working folder).
 */
std::vector<std::string> ComparisonListPaths(std::string_view text, const std::string& folder);

/**
 * The text of a comparison list of paths: a comment line, then one path a line (LF); a path with a
 * line break in it cannot be listed and is left out.
 */
std::string ComparisonListText(const std::vector<std::string>& paths);

/**
 * Reads the comparison list at path into paths; false, with reason, when it cannot be read or is
 * larger than kMaxComparisonListBytes.
 */
bool ReadComparisonList(const std::string& path, std::vector<std::string>& paths, std::string& reason);

/** The folder of a path: what comes before its last '/', "/" for a file at the root, empty for none. */
std::string FolderOf(const std::string& path);

} // namespace velmora
