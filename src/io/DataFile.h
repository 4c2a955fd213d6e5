#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

struct TSpectrumModel;
struct GraphExtents;

/** Largest data file ReadDataFile accepts: 16 MiB, far beyond the few hundred bytes a spectrum needs. */
inline constexpr std::size_t kMaxDataFileBytes = 16u * 1024u * 1024u;

/**
 * Writes the model as a ".snd" data file (CR LF lines). The text goes to a temporary file in
 * the same folder, which replaces the named file only once everything was written and flushed,
 * so a failed write leaves any previous file intact. False when anything could not be written,
 * and when the named file exists but is not a regular file this process may write; reason, when
 * given, then says why.
 */
bool WriteDataFile(const TSpectrumModel& model, const std::string& path, std::string* reason = nullptr);

/**
 * The text WriteDataFile writes for the model: five header lines, the band set, the data types
 * and Reserved, the graph extents ("%0.2f"), one "Levels:" line per node with its frequency in Hz
 * ("%0.1f") and level in dB ("%0.3f"), and the other spectrum's Count levels ("%0.1f"), printed
 * in the "C" locale; a number that rounds to zero is written without a minus ("0.000").
 */
std::string DataFileText(const TSpectrumModel& model);

/**
 * An edited level as a data file keeps it: written with three decimals and read back, so 0.001 dB
 * apart at most. A level a data file cannot hold (NaN, infinite, beyond the largest float once
 * rounded) comes back unchanged.
 */
float FileLevel(float level);

/**
 * Reads the words of a ".snd" data file into the model and returns the graph extents it held
 * (the model's own where the text gives none); the caller applies them. UTF-16 text, and text
 * after a byte-order mark, is read as the text it holds (TextOfBytes). Keywords are
 * case-sensitive and carry their colon; any other word is skipped. "Bands:" takes only the pairs
 * 1 3 and 0 1; "Spectrum:" data types only 0 to 3, Reserved any int; "Graph:" values replace the
 * current extents one by one; "Levels:" appends a node (Count starts at 0), zeros where its
 * numbers did not read; "Spectra:" stores at most 30 levels from the first entry on, reading (and
 * dropping) further ones up to its count, and none for a count below 1. A number that does not
 * read (not a number, "nan", "inf", beyond a 32-bit int or a finite float) ends its keyword's
 * reads and is met as a word.
 */
GraphExtents ReadDataWords(TSpectrumModel& model, std::string_view text);

/**
 * The model side of reading a data file: ReadDataWords, then the extents it held are stored
 * (StoreGraphExtents) and the spectrum set up for the band set read (SetupSpectrum, keeping the
 * levels read). No view is told; the window's reader also sets up its surface.
 */
void LoadDataText(TSpectrumModel& model, std::string_view text);

/**
 * The model a data file's text gives on its own, whatever the model held: the start-up state
 * (InitModel, every level at 0), then LoadDataText.
 */
void LoadFreshDataText(TSpectrumModel& model, std::string_view text);

/**
 * LoadDataText on the named file. False, and the model unchanged, when the file is not a regular
 * file, cannot be opened or read, or is larger than kMaxDataFileBytes; reason, when given, then
 * says why (see ReadFileContents).
 */
bool LoadDataFile(TSpectrumModel& model, const std::string& path, std::string* reason = nullptr);

} // namespace velmora
