#include "calc/CalcCommands.h"

#include "calc/CommandSupport.h"
#include "calc/Commands.h"
#include "calc/Reporting.h"

#include <cstdio>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "unknown"
#endif

namespace velmora {

namespace {

constexpr std::string_view kToolHelp =
    "velmora-calc: ratings, band tables, graphs and band conversions of Velmora data files (.snd),\n"
    "computed by the same code as the Velmora window.\n"
    "\n"
    "usage: velmora-calc COMMAND [OPTIONS] ARGUMENTS\n"
    "       velmora-calc --help | --version\n"
    "\n"
    "Commands:\n"
    "  rate FILE...      one row per file: band set, data type, dBA to dBD, NR, STC, Rw, C, Ctr;\n"
    "                    with --ratings all, STC (E413), IIC, Ln,w, CI, the enlarged-range terms,\n"
    "                    NC and SIL too\n"
    "  bands FILE        one row per band: frequency, both spectra, weighted levels, result,\n"
    "                    NR, STC deficiency, Rw deviation; with --ratings all, the band's part\n"
    "                    in STC (E413), IIC, Ln,w and NC too\n"
    "  explain FILE...   every rating of each file with its governing band and what the next\n"
    "                    class needs, as the ratings panel words them; --bands adds the band table\n"
    "  render FILE [FILE...] -o OUT.svg|OUT.png|OUT.pdf\n"
    "                    draws the graph as the window does, further files as its comparison set\n"
    "  report FILE... -o OUT.pdf\n"
    "                    a PDF page per file: graph, ratings, band table, fingerprint\n"
    "  convert FILE --third|--octave -o OUT.snd\n"
    "                    converts the band set and writes a data file\n"
    "  import FILE.csv|FILE.txt|- [--third|--octave] -o OUT.snd\n"
    "                    reads a table of levels as the window's paste does\n"
    "  eval EXPR...      evaluates expressions as the window's number fields do\n"
    "  average FILE... -o OUT.snd [--arithmetic]\n"
    "                    the per-band mean of files of one band set, as the window's Average\n"
    "  compare REF FILE...\n"
    "                    levels band by band with each file's difference from REF, then ratings\n"
    "\n"
    "Run 'velmora-calc COMMAND --help' for a command's options.\n"
    "Exit status: 0 on success; 1 when a named file could not be read or written or an\n"
    "expression did not evaluate (the other files are still processed); 2 for bad arguments.\n";

/** Every command, in the order the usage line names them. */
constexpr const Command* kCommands[] = {&kRateCommand,    &kBandsCommand,   &kExplainCommand, &kRenderCommand,
                                        &kReportCommand,  &kConvertCommand, &kImportCommand,  &kEvalCommand,
                                        &kAverageCommand, &kCompareCommand};

ParsedArguments ExpressionArguments(std::span<const std::string> arguments)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (const std::string& word : arguments) {
        if (!optionsEnded && word == "--")
            optionsEnded = true;
        else if (!optionsEnded && word == "--help")
            parsed.help = true;
        else
            parsed.operands.push_back(word);
    }
    return parsed;
}

int RunCommand(const Command& command, std::span<const std::string> arguments, const RenderRunner& render)
{
    ParsedArguments parsed;
    if (command.takesExpressions) {
        parsed = ExpressionArguments(arguments);
    } else {
        std::string error;
        if (!ParseArguments(arguments, command.options, parsed, error))
            return UsageError(command, error);
    }
    if (parsed.help) {
        Print("usage: " + std::string(kProgram) + " " + std::string(command.usage) + "\n\n" +
              std::string(command.help));
        return kExitSuccess;
    }
    return command.run(command, parsed, render);
}

int ToolUsageError(std::string_view message)
{
    Report(message);
    std::string names;
    for (const Command* command : kCommands) {
        if (!names.empty())
            names += '|';
        names += command->name;
    }
    const std::string usage = "usage: " + std::string(kProgram) + " " + names + " ...\nRun '" +
                              std::string(kProgram) + " --help' for more.\n";
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return kExitUsage;
}

int Dispatch(const std::vector<std::string>& arguments, const RenderRunner& render)
{
    if (arguments.empty())
        return ToolUsageError("no command given");
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        Print(kToolHelp);
        return kExitSuccess;
    }
    if (first == "--version") {
        Print(std::string(kProgram) + " " + VELMORA_VERSION + "\n");
        return kExitSuccess;
    }
    for (const Command* command : kCommands)
        if (command->name == first)
            return RunCommand(*command, std::span(arguments).subspan(1), render);
    return ToolUsageError("unknown command " + Quoted(first));
}

} // namespace

int RunCalc(const std::vector<std::string>& arguments, const RenderRunner& render)
{
    const int status = Dispatch(arguments, render);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Report("cannot write to standard output");
        return kExitFailure;
    }
    return status;
}

} // namespace velmora
