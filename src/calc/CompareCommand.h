#pragma once

#include "calc/CommandLine.h"

#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kCompareUsage = "compare [--format text|csv|json] REF FILE...";

inline constexpr std::string_view kCompareHelp =
    "The data files' edited spectra side by side, as the window's Compare view shows them with REF\n"
    "as the reference: one row per band of REF's band set with each file's level and, for every\n"
    "file after REF, a column \"diff FILE\" with its level minus REF's (dB, one decimal); then one\n"
    "row per rating with each file's value as the ratings panel words it (the ratings of levels or\n"
    "of attenuations, as the file's data type has them; empty where it has no such rating). A file\n"
    "in the other band set is converted to REF's as the window's band commands convert; a table of\n"
    "levels (.csv, .txt) is read as import reads it. A file that cannot be read is reported on\n"
    "standard error and left out; without REF nothing is printed.\n"
    "\n"
    "  --format text   aligned columns (the default)\n"
    "  --format csv    a header row, then one row per band and per rating\n"
    "  --format json   an array of objects, one per band and per rating\n";

inline constexpr OptionSpec kCompareOptions[] = {{"--format", "", true}};

/**
 * Runs `compare` on its parsed arguments, printing the table; returns the exit status. Arguments
 * that make no sense leave why in usageError, and nothing is done.
 */
int RunCompare(const ParsedArguments& arguments, std::string& usageError);

} // namespace velmora
