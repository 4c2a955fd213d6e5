#include "calc/AverageCommand.h"

#include "calc/ExitStatus.h"
#include "calc/Reporting.h"
#include "io/ComparedFiles.h"
#include "io/DataFile.h"
#include "model/SpectrumAverage.h"
#include "model/SpectrumModel.h"

#include <vector>

namespace velmora {

namespace {

std::string BandSetText(BandSet bands)
{
    return bands == BandSet::Third ? "third octaves" : "octaves";
}

} // namespace

int RunAverage(const ParsedArguments& arguments, std::string& usageError)
{
    if (arguments.operands.empty()) {
        usageError = "no data file named";
        return kExitUsage;
    }
    const std::string output = arguments.Value("--output");
    if (output.empty()) {
        usageError = "-o OUT.snd is needed";
        return kExitUsage;
    }
    if (!EndsWithIgnoringCase(output, ".snd")) {
        usageError = "the output's name must end in .snd";
        return kExitUsage;
    }

    const std::vector<std::string>& paths = arguments.operands;
    std::vector<ComparedFile> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string reason;
        if (!ReadComparedFile(paths[i], files[i], reason)) {
            Report("cannot read " + Quoted(paths[i]) + ": " + reason + "; nothing written");
            return kExitFailure;
        }
        // Levels of two band sets lie on different bands: the mean of them would mean nothing.
        if (files[i].bands != files.front().bands) {
            Report(Quoted(paths[i]) + " has " + BandSetText(files[i].bands) + ", " + Quoted(paths.front()) +
                   " " + BandSetText(files.front().bands) + ": average files of one band set (convert them " +
                   "first); nothing written");
            return kExitFailure;
        }
    }

    std::vector<const BandLevels*> levels;
    std::vector<int> types;
    for (const ComparedFile& file : files) {
        levels.push_back(&file.levels);
        types.push_back(file.dataType);
    }
    const BandSet bands = files.front().bands;
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = BandStartOf(bands);
    model.BandStep = BandStepOf(bands);
    SetupNodes(model, true);
    const BandLevels mean =
        MeanLevels(levels, BandCountOf(bands),
                   arguments.Has("--arithmetic") ? MeanKind::Arithmetic : MeanKind::Energetic);
    for (int k = 0; k < model.Nodes.Count; ++k)
        model.Nodes.Node[k].Y = mean[k];
    model.Nodes.DataType = MeanDataType(types);

    std::string reason;
    if (!WriteDataFile(model, output, &reason)) {
        ReportUnwritable(output, reason);
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace velmora
