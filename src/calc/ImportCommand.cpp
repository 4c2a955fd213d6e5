#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/Reporting.h"
#include "calc/TableImport.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

namespace {

int RunImport(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    if (arguments.operands.size() != 1)
        return UsageError(command, "name exactly one table of levels, or - for standard input");
    const bool third = arguments.Has("--third");
    const bool octave = arguments.Has("--octave");
    if (third && octave)
        return UsageError(command, "choose at most one of --third and --octave");
    const std::optional<std::string> output = OutputPath(arguments);
    if (const char* error = DataFileOutputError(output))
        return UsageError(command, error);

    const std::string& path = arguments.operands.front();
    TSpectrumModel model;
    std::string message;
    if (!ImportTableFile(model, path, message)) {
        Report("cannot import " + Quoted(path == "-" ? "standard input" : path) + ": " + message);
        return kExitFailure;
    }
    // Asked for a band set, the levels read are converted to it as the convert command does.
    if ((third && ConvertToThirdOctave(model)) || (octave && ConvertToFullOctave(model)))
        SetupSpectrum(model, false);
    return WriteDataFileOrReport(model, *output);
}

} // namespace

constexpr Command kImportCommand = {
    "import",
    "import FILE.csv|FILE.txt|- [--third|--octave] -o OUT.snd",
    "Reads levels from a table of text as the window's paste and import do, and writes them as\n"
    "a data file. The table is one column or row of 9 or 27 levels in band order, or frequency\n"
    "and level in two columns or rows (\"1000\", \"1 kHz\", \"1k25\", ...), separated by tabs,\n"
    "commas, semicolons or spaces; header rows and unit cells are skipped. The levels go into a\n"
    "fresh spectrum of full octaves at 0 dB: 27 levels, or a band only the third octaves have,\n"
    "make it third octaves. \"-\" reads standard input. A table that cannot be read is reported\n"
    "with its line, and nothing is written. An existing OUT is replaced only once complete.\n"
    "\n"
    "  --third, --octave     convert the levels read to this band set, as convert does\n"
    "  -o, --output OUT.snd  the data file to write\n",
    kBandSetOptions,
    false,
    RunImport};

} // namespace velmora
