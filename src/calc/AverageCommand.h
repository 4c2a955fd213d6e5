#pragma once

#include "calc/CommandLine.h"

#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kAverageUsage = "average FILE... -o OUT.snd [--arithmetic]";

inline constexpr std::string_view kAverageHelp =
    "The per-band mean of the data files' edited spectra, written as a data file: the energetic\n"
    "mean 10 lg of the mean of 10^(L/10) by default, the mean of the levels in dB with --arithmetic\n"
    "(for attenuations), as the window's Average of the shown spectra computes it. The files must\n"
    "all have one band set; the first whose set differs is named, and nothing is written. The data\n"
    "type is the files' own when they all have the same, pressure levels otherwise; the other\n"
    "spectrum is 0 dB. A table of levels (.csv, .txt) is read as import reads it. A file that cannot\n"
    "be read is reported, and nothing is written. An existing OUT is replaced only once the new file\n"
    "is complete.\n"
    "\n"
    "  -o, --output OUT.snd  the data file to write\n"
    "  --arithmetic          the arithmetic mean of the levels instead of the energetic one\n";

inline constexpr OptionSpec kAverageOptions[] = {{"--output", "-o", true}, {"--arithmetic", "", false}};

/**
 * Runs `average` on its parsed arguments; returns the exit status. Arguments that make no sense
 * leave why in usageError, and nothing is done.
 */
int RunAverage(const ParsedArguments& arguments, std::string& usageError);

} // namespace velmora
