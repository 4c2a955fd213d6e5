#pragma once

#include "calc/CommandLine.h"

#include <functional>
#include <string_view>

namespace velmora {

struct RenderRunner;

/** What follows "usage: velmora-calc" for report. */
inline constexpr std::string_view kReportUsage = "report FILE... -o OUT.pdf [--title TEXT] [--note TEXT]";

/** report's help after its usage line. */
inline constexpr std::string_view kReportHelp =
    "Writes a PDF report with one page per data file, as the window's Export Report does: the\n"
    "file's name, the date, Velmora's version, the data type and band set, the graph as vector\n"
    "art, every rating of the data type with its governing band and what the next class needs,\n"
    "the band table, and the SHA-256 of the file's bytes, so that a printout can be matched to\n"
    "its data. The paper is Letter where the locale measures in US units, else A4. Text stays\n"
    "text: it can be selected and searched. A file that cannot be read is reported and gets no\n"
    "page; the others still do (exit status 1). When no file can be read nothing is written. An\n"
    "existing OUT is replaced only once the new report is complete.\n"
    "\n"
    "  -o, --output OUT.pdf  the report to write\n"
    "  --title TEXT          heads every page instead of the file's name\n"
    "  --note TEXT           a note under each page's particulars (at most six lines show)\n";

inline constexpr OptionSpec kReportOptions[] = {
    {"--output", "-o", true}, {"--title", "", true}, {"--note", "", true}};

/**
 * Runs report on its parsed arguments: checks them (a problem goes to usageError, whose result is
 * returned), then looks for an input that can be read. When one can, the request goes to
 * render.report, which reads the inputs again, reports those that cannot be read and writes the
 * pages; when none can, each is reported here and the exit status is 1 with nothing written and
 * nothing drawn.
 */
int RunReport(const ParsedArguments& arguments, const RenderRunner& render,
              const std::function<int(std::string_view error)>& usageError);

} // namespace velmora
