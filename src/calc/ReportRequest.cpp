#include "calc/ReportRequest.h"

#include "calc/CommandLine.h"

namespace velmora {

std::optional<std::string> ReadReportRequest(const ParsedArguments& arguments, ReportRequest& request)
{
    if (arguments.operands.empty())
        return "no data file named";
    request.inputs = arguments.operands;
    request.output = arguments.Value("--output");
    if (request.output.empty())
        return "-o OUT.pdf is needed";
    if (!EndsWithIgnoringCase(request.output, ".pdf"))
        return "the output's name must end in .pdf";
    request.title = arguments.Value("--title");
    request.note = arguments.Value("--note");
    return std::nullopt;
}

} // namespace velmora
