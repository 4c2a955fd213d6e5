#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

namespace {

int RunConvert(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    if (arguments.operands.size() != 1)
        return UsageError(command, "name exactly one data file");
    const bool third = arguments.Has("--third");
    if (third == arguments.Has("--octave"))
        return UsageError(command, "choose one of --third and --octave");
    const std::optional<std::string> output = OutputPath(arguments);
    if (const char* error = DataFileOutputError(output))
        return UsageError(command, error);

    const std::string& path = arguments.operands.front();
    TSpectrumModel model;
    if (!ReadOrReport(model, path))
        return kExitFailure;
    if (third ? ConvertToThirdOctave(model) : ConvertToFullOctave(model))
        SetupSpectrum(model, false);
    return WriteDataFileOrReport(model, *output);
}

} // namespace

constexpr Command kConvertCommand = {
    "convert",
    "convert FILE --third|--octave -o OUT.snd",
    "Converts the file's spectra to third-octave or full-octave bands as the window's band\n"
    "commands do, and writes the result as a data file. A file already in that band set is\n"
    "written unchanged. An existing OUT is replaced only once the new file is complete.\n"
    "\n"
    "  --third, --octave     the band set to convert to\n"
    "  -o, --output OUT.snd  the data file to write\n",
    kBandSetOptions,
    false,
    RunConvert};

} // namespace velmora
