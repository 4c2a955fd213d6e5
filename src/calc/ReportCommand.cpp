#include "calc/ReportCommand.h"

#include "calc/ExitStatus.h"
#include "calc/RenderRunner.h"
#include "calc/ReportRequest.h"
#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "model/SpectrumModel.h"

#include <string>
#include <vector>

namespace velmora {

int RunReport(const ParsedArguments& arguments, const RenderRunner& render,
              const std::function<int(std::string_view error)>& usageError)
{
    ReportRequest request;
    if (const std::optional<std::string> error = ReadReportRequest(arguments, request))
        return usageError(*error);

    // The drawing half reads every input again and reports those it cannot read as it goes;
    // only when there is nothing to draw at all is that said here, without starting it.
    TSpectrumModel model;
    std::vector<std::string> reasons;
    for (const std::string& path : request.inputs) {
        std::string& reason = reasons.emplace_back();
        if (ReadSpectrumFile(model, path, reason))
            return render.report(request);
    }
    for (std::size_t i = 0; i < reasons.size(); ++i)
        Report("cannot read " + Quoted(request.inputs[i]) + ": " + reasons[i]);
    Report("nothing written: no data file could be read");
    return kExitFailure;
}

} // namespace velmora
