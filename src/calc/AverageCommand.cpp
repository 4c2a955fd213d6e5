#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/Reporting.h"
#include "io/ComparedFiles.h"
#include "model/SpectrumAverage.h"
#include "model/SpectrumModel.h"

#include <optional>
#include <vector>

namespace velmora {

namespace {

constexpr OptionSpec kArithmeticFlag{"--arithmetic", "", false};
constexpr OptionSpec kAverageOptions[] = {kOutputOption, kArithmeticFlag};

std::string BandSetText(BandSet bands)
{
    return bands == BandSet::Third ? "third octaves" : "octaves";
}

int RunAverage(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    if (arguments.operands.empty())
        return UsageError(command, "no data file named");
    const std::optional<std::string> output = OutputPath(arguments);
    if (const char* error = DataFileOutputError(output))
        return UsageError(command, error);

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
                   arguments.Has(kArithmeticFlag.name) ? MeanKind::Arithmetic : MeanKind::Energetic);
    for (int k = 0; k < model.Nodes.Count; ++k)
        model.Nodes.Node[k].Y = mean[k];
    model.Nodes.DataType = MeanDataType(types);

    return WriteDataFileOrReport(model, *output);
}

} // namespace

constexpr Command kAverageCommand = {
    "average",
    "average FILE... -o OUT.snd [--arithmetic]",
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
    "  --arithmetic          the arithmetic mean of the levels instead of the energetic one\n",
    kAverageOptions,
    false,
    RunAverage};

} // namespace velmora
