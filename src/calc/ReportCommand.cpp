#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/ReportRequest.h"

#include <optional>
#include <string>

namespace velmora {

namespace {

constexpr OptionSpec kReportOptions[] = {kOutputOption, {"--title", "", true}, {"--note", "", true}};

/** The report command's arguments checked; an error message when they do not make sense. */
std::optional<std::string> ReadReportRequest(const ParsedArguments& arguments, ReportRequest& request)
{
    if (arguments.operands.empty())
        return "no data file named";
    request.inputs = arguments.operands;
    const std::optional<std::string> output = OutputPath(arguments);
    if (!output)
        return "-o OUT.pdf is needed";
    if (!EndsWithIgnoringCase(*output, ".pdf"))
        return "the output's name must end in .pdf";
    request.output = *output;
    request.title = arguments.Value("--title");
    request.note = arguments.Value("--note");
    return std::nullopt;
}

int RunReport(const Command& command, const ParsedArguments& arguments, const RenderRunner& render)
{
    ReportRequest request;
    if (const std::optional<std::string> error = ReadReportRequest(arguments, request))
        return UsageError(command, *error);

    return render.report(request);
}

} // namespace

constexpr Command kReportCommand = {
    "report",
    "report FILE... -o OUT.pdf [--title TEXT] [--note TEXT]",
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
    "  --note TEXT           a note under each page's particulars (at most six lines show)\n",
    kReportOptions,
    false,
    RunReport};

} // namespace velmora
