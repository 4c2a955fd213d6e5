#include "calc/RenderHelper.h"

#include "calc/CalcCommands.h"
#include "calc/ReportRequest.h"
#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "model/SpectrumModel.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace velmora {

std::string RenderHelperPath(const std::string& programPath)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::path(programPath).parent_path();
    for (const fs::path& candidate :
         {folder / kRenderHelperName, folder / ".." / "libexec" / "velmora" / kRenderHelperName}) {
        if (fs::is_regular_file(candidate, error))
            return candidate.string();
    }
    return {};
}

int RunRenderHelper(char** argv)
{
    std::error_code error;
    // The link names this program's own file wherever it was started from.
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string helper = RenderHelperPath(error ? std::string(argv[0]) : self.string());
    if (helper.empty()) {
        Report(std::string("cannot draw: ") + kRenderHelperName + " is not installed beside velmora-calc");
        return kExitFailure;
    }
    std::vector<char*> arguments;
    arguments.push_back(const_cast<char*>(helper.c_str()));
    for (char** argument = argv + 1; *argument; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    execv(helper.c_str(), arguments.data());
    Report("cannot start " + Quoted(helper) + ": " + std::strerror(errno));
    return kExitFailure;
}

RenderRunner HelperRunner(char** argv)
{
    const auto draw = [argv](const RenderRequest&, TSpectrumModel&, const std::vector<ComparedFile>&) {
        return RunRenderHelper(argv);
    };
    const auto report = [argv](const ReportRequest& request) {
        TSpectrumModel model;
        std::vector<std::string> reasons;
        for (const std::string& path : request.inputs) {
            std::string& reason = reasons.emplace_back();
            if (ReadSpectrumFile(model, path, reason))
                return RunRenderHelper(argv);
        }
        for (std::size_t i = 0; i < reasons.size(); ++i)
            Report("cannot read " + Quoted(request.inputs[i]) + ": " + reasons[i]);
        Report("nothing written: no data file could be read");
        return kExitFailure;
    };
    return {draw, report};
}

} // namespace velmora
