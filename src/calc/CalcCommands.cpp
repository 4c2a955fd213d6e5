#include "calc/CalcCommands.h"

#include "calc/CommandLine.h"
#include "calc/RenderRequest.h"
#include "calc/ReportCommand.h"
#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "calc/TableImport.h"
#include "calc/TableWriter.h"
#include "entry/ExpressionParser.h"
#include "io/DataFile.h"
#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SoundReduction.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"
#include "model/SpectrumRatings.h"
#include "model/Weighting.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <span>
#include <thread>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "unknown"
#endif

namespace velmora {

namespace {

constexpr std::string_view kProgram = "velmora-calc";

/** From this many files on, rate reads them with two threads. */
constexpr std::size_t kFilesForASecondThread = 64;

constexpr std::string_view kToolHelp =
    "velmora-calc: ratings, band tables, graphs and band conversions of Velmora data files (.snd),\n"
    "computed by the same code as the Velmora window.\n"
    "\n"
    "usage: velmora-calc COMMAND [OPTIONS] ARGUMENTS\n"
    "       velmora-calc --help | --version\n"
    "\n"
    "Commands:\n"
    "  rate FILE...      one row per file: band set, data type, dBA to dBD, NR, STC, Rw, C, Ctr\n"
    "  bands FILE        one row per band: frequency, both spectra, weighted levels, result,\n"
    "                    NR, STC deficiency, Rw deviation\n"
    "  render FILE -o OUT.svg|OUT.png|OUT.pdf\n"
    "                    draws the graph as the window does\n"
    "  report FILE... -o OUT.pdf\n"
    "                    a PDF page per file: graph, ratings, band table, fingerprint\n"
    "  convert FILE --third|--octave -o OUT.snd\n"
    "                    converts the band set and writes a data file\n"
    "  import FILE.csv|FILE.txt|- [--third|--octave] -o OUT.snd\n"
    "                    reads a table of levels as the window's paste does\n"
    "  eval EXPR...      evaluates expressions as the window's number fields do\n"
    "\n"
    "Run 'velmora-calc COMMAND --help' for a command's options.\n"
    "Exit status: 0 on success; 1 when a named file could not be read or written or an\n"
    "expression did not evaluate (the other files are still processed); 2 for bad arguments.\n";

constexpr OptionSpec kFormatOption{"--format", "", true};
constexpr OptionSpec kOutputOption{"--output", "-o", true};

constexpr OptionSpec kDecimalsOption{"--decimals", "", true};

constexpr OptionSpec kTableOptions[] = {kFormatOption, kDecimalsOption};
constexpr OptionSpec kRenderOptions[] = {kOutputOption,
                                         {"--overlay", "", true},
                                         {"--size", "", true},
                                         {"--graph", "", true},
                                         {"--scale", "", true}};
constexpr OptionSpec kConvertOptions[] = {kOutputOption, {"--third", "", false}, {"--octave", "", false}};

struct Command {
    std::string_view name;
    /** What follows "usage: velmora-calc". */
    std::string_view usage;
    /** The help text after the usage line. */
    std::string_view help;
    std::span<const OptionSpec> options;
    /** The operands are expressions, which may start with a dash: only "--help" and "--" are special. */
    bool takesExpressions;
    int (*run)(const Command& command, const ParsedArguments& arguments, const RenderRunner& render);
};

/** Writes text to standard output; a failed write shows when the output is flushed at the end. */
void Print(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int UsageError(const Command& command, std::string_view message)
{
    Report(std::string(command.name) + ": " + std::string(message));
    const std::string usage = "usage: " + std::string(kProgram) + " " + std::string(command.usage) +
                              "\nRun '" + std::string(kProgram) + " " + std::string(command.name) +
                              " --help' for more.\n";
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return kExitUsage;
}

/** Reads path into model; a file that cannot be read is reported with its reason. */
bool ReadOrReport(TSpectrumModel& model, const std::string& path)
{
    std::string reason;
    if (ReadSpectrumFile(model, path, reason))
        return true;
    Report("cannot read " + Quoted(path) + ": " + reason);
    return false;
}

std::optional<TableFormat> FormatOption(const ParsedArguments& arguments)
{
    return TableFormatNamed(arguments.Value(kFormatOption.name, "text"));
}

std::string BandSetName(const TSpectrumModel& model)
{
    return BandSetOf(model) == BandSet::Third ? "third" : "octave";
}

std::string DataTypeName(int dataType)
{
    static constexpr std::array<std::string_view, 4> kNames = {"pressure", "power", "attenuation",
                                                               "correction"};
    if (IsDataType(dataType))
        return std::string(kNames[static_cast<std::size_t>(dataType)]);
    return std::to_string(dataType);
}

/** Most decimals --decimals takes: more than a single-precision level of ordinary size holds. */
constexpr int kMaxDecimals = 6;

/** The --decimals value, 0 to kMaxDecimals; one decimal, as the window's result line, by default. */
std::optional<int> DecimalsOption(const ParsedArguments& arguments)
{
    if (!arguments.Has(kDecimalsOption.name))
        return 1;
    const std::optional<int> decimals = ParseCount(arguments.Value(kDecimalsOption.name));
    if (!decimals || *decimals < 0 || *decimals > kMaxDecimals)
        return std::nullopt;
    return decimals;
}

/** A level with the decimals asked for; "-" (null in JSON) when not finite. */
TableCell LevelCell(double level, int decimals)
{
    return NumberCell(level, decimals);
}

std::vector<TableColumn> Columns(std::initializer_list<std::string_view> texts,
                                 std::initializer_list<std::string_view> numbers)
{
    std::vector<TableColumn> columns;
    for (std::string_view name : texts)
        columns.push_back({std::string(name), false});
    for (std::string_view name : numbers)
        columns.push_back({std::string(name), true});
    return columns;
}

int RunRate(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    const std::optional<TableFormat> format = FormatOption(arguments);
    if (!format)
        return UsageError(command, "--format takes text, csv or json");
    const std::optional<int> decimals = DecimalsOption(arguments);
    if (!decimals)
        return UsageError(command, "--decimals takes a whole number from 0 to 6");
    if (arguments.operands.empty())
        return UsageError(command, "no data file named");

    Table table{
        Columns({"file", "bands", "type"}, {"dBA", "dBB", "dBC", "dBD", "NR", "STC", "Rw", "C", "Ctr"}), {}};
    const std::vector<std::string>& paths = arguments.operands;
    // A file's row, or why it could not be read.
    struct RatedFile {
        std::vector<TableCell> row;
        std::optional<std::string> reason;
    };
    std::vector<RatedFile> rated(paths.size());
    const auto rateEvery = [&](std::size_t first, std::size_t step) {
        TSpectrumModel model;
        for (std::size_t i = first; i < paths.size(); i += step) {
            std::string reason;
            if (!ReadSpectrumFile(model, paths[i], reason)) {
                rated[i].reason = std::move(reason);
                continue;
            }
            std::vector<TableCell>& row = rated[i].row;
            row.push_back(TextCell(paths[i]));
            row.push_back(TextCell(BandSetName(model)));
            row.push_back(TextCell(DataTypeName(model.Nodes.DataType)));
            // Every number from the one ratings value the read computed, as the window shows it.
            const SpectrumRatings& ratings = model.Ratings;
            for (double level : ratings.weighted)
                row.push_back(LevelCell(level, *decimals));
            row.push_back(LevelCell(ratings.noise.NR, *decimals));
            row.push_back(LevelCell(ratings.transmission.STC, *decimals));
            // The edited spectrum read as sound reduction, whatever its data type says.
            const SoundReductionRating& reduction = ratings.reduction;
            for (double value : {reduction.Rw, reduction.C, reduction.Ctr})
                row.push_back(LevelCell(value, *decimals));
        }
    };
    // In a batch of many files, opening and reading them is most of the time: a second thread
    // takes every other file. Each has a model of its own; the rows keep the order given.
    const std::size_t workers = paths.size() >= kFilesForASecondThread ? 2 : 1;
    std::vector<std::thread> helpers;
    for (std::size_t w = 1; w < workers; ++w)
        helpers.emplace_back(rateEvery, w, workers);
    rateEvery(0, workers);
    for (std::thread& helper : helpers)
        helper.join();

    int status = kExitSuccess;
    table.rows.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (rated[i].reason) {
            Report("cannot read " + Quoted(paths[i]) + ": " + *rated[i].reason);
            status = kExitFailure;
            continue;
        }
        table.rows.push_back(std::move(rated[i].row));
    }
    Print(FormatTable(table, *format));
    return status;
}

int RunBands(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    const std::optional<TableFormat> format = FormatOption(arguments);
    if (!format)
        return UsageError(command, "--format takes text, csv or json");
    const std::optional<int> decimals = DecimalsOption(arguments);
    if (!decimals)
        return UsageError(command, "--decimals takes a whole number from 0 to 6");
    if (arguments.operands.size() != 1)
        return UsageError(command, "name exactly one data file");

    const std::string& path = arguments.operands.front();
    TSpectrumModel model;
    if (!ReadOrReport(model, path))
        return kExitFailure;
    CalcResults(model);

    Table table{Columns({}, {"frequency", "edited", "other", "A", "B", "C", "D", "result", "NR", "deficiency",
                             "deviation"}),
                {}};
    const SpectrumRatings& ratings = model.Ratings;
    const int bands = std::min(BandCountOf(model), kBandSlots);
    for (int k = 0; k < bands; ++k) {
        const int band = BandIndexOfSlot(model, k);
        const float level = model.Nodes.Node[k].Y;
        std::vector<TableCell>& row = table.rows.emplace_back();
        row.push_back(NumberCell(BandFrequency[band], 0));
        row.push_back(LevelCell(level, *decimals));
        row.push_back(LevelCell(model.OtherLevels[k], *decimals));
        const BandBreakdown& rated = ratings.bands[k];
        for (double weighted : rated.weighted)
            row.push_back(LevelCell(weighted, *decimals));
        row.push_back(LevelCell(model.Results[k], *decimals));
        // A band that a rating does not use has NaN there, printed as missing.
        for (double value : {rated.noiseRating, rated.stcDeficiency, rated.rwDeviation})
            row.push_back(LevelCell(value, *decimals));
    }
    Print(FormatTable(table, *format));
    return kExitSuccess;
}

/** The -o value; nothing when it is missing or empty. */
std::optional<std::string> OutputPath(const ParsedArguments& arguments)
{
    if (!arguments.Has(kOutputOption.name) || arguments.Value(kOutputOption.name).empty())
        return std::nullopt;
    return arguments.Value(kOutputOption.name);
}

/** The render command's arguments checked; an error message when they do not make sense. */
std::optional<std::string> ReadRenderRequest(const ParsedArguments& arguments, RenderRequest& request)
{
    if (arguments.operands.size() != 1)
        return "name exactly one data file";
    request.input = arguments.operands.front();
    const std::optional<std::string> output = OutputPath(arguments);
    if (!output)
        return "-o OUT is needed";
    request.output = *output;
    const std::optional<PictureFormat> format = PictureFormatOfPath(request.output);
    if (!format)
        return "the output's name must end in .svg, .png or .pdf";
    request.format = *format;

    const std::optional<int> overlay = OverlayNamed(arguments.Value("--overlay", "none"));
    if (!overlay)
        return "--overlay takes none, dba, dbb, dbc, dbd, results, safe, stc or nr";
    request.overlay = *overlay;

    if (arguments.Has("--size")) {
        const std::string size = arguments.Value("--size");
        const std::size_t x = size.find_first_of("xX");
        const std::optional<int> width = ParseCount(std::string_view(size).substr(0, x));
        const std::optional<int> height =
            x == std::string::npos ? std::nullopt : ParseCount(std::string_view(size).substr(x + 1));
        if (!width || !height || *width < 1 || *height < 1 || *width > kMaxGraphSide ||
            *height > kMaxGraphSide)
            return "--size takes WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kMaxGraphSide);
        request.width = *width;
        request.height = *height;
    }

    if (arguments.Has("--scale")) {
        const std::optional<int> scale = ParseCount(arguments.Value("--scale"));
        if (!scale || *scale < 1 || *scale > kMaxGraphScale)
            return "--scale takes a whole number from 1 to " + std::to_string(kMaxGraphScale);
        request.scale = *scale;
    }
    if (request.width * request.scale > kMaxGraphSide || request.height * request.scale > kMaxGraphSide)
        return "the graph's size times --scale may be at most " + std::to_string(kMaxGraphSide) +
               " pixels a side";

    if (arguments.Has("--graph")) {
        // The parts are views: the text they point into must outlive them.
        const std::string graph = arguments.Value("--graph");
        const std::vector<std::string_view> parts = SplitAt(graph, ',');
        std::array<double, 3> values{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::optional<double> value =
                parts.size() == values.size() ? ParseFiniteNumber(parts[i]) : std::nullopt;
            if (!value)
                return "--graph takes MIN,MAX,STEP: three numbers in dB";
            values[i] = *value;
        }
        request.extents = values;
    }
    return std::nullopt;
}

int RunRender(const Command& command, const ParsedArguments& arguments, const RenderRunner& render)
{
    RenderRequest request;
    if (const std::optional<std::string> error = ReadRenderRequest(arguments, request))
        return UsageError(command, *error);

    TSpectrumModel model;
    if (!ReadOrReport(model, request.input))
        return kExitFailure;
    return render(request, model);
}

/** Why -o does not name a data file to write; null when it does. */
const char* DataFileOutputError(const std::optional<std::string>& output)
{
    if (!output)
        return "-o OUT.snd is needed";
    if (!EndsWithIgnoringCase(*output, ".snd"))
        return "the output's name must end in .snd";
    return nullptr;
}

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
    std::string reason;
    if (!WriteDataFile(model, *output, &reason)) {
        ReportUnwritable(*output, reason);
        return kExitFailure;
    }
    return kExitSuccess;
}

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
    std::string reason;
    if (!WriteDataFile(model, *output, &reason)) {
        ReportUnwritable(*output, reason);
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunEval(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    if (arguments.operands.empty())
        return UsageError(command, "no expression given");
    ExpressionParser parser;
    int status = kExitSuccess;
    for (const std::string& expression : arguments.operands) {
        const double value = parser.Evaluate(expression);
        if (parser.GetError() != ExpressionParser::NoError) {
            Print(parser.GetErrorText() + "\n");
            status = kExitFailure;
        } else {
            Print(GeneralText(value) + "\n");
        }
    }
    return status;
}

constexpr Command kCommands[] = {
    {"rate", "rate [--format text|csv|json] [--decimals N] FILE...",
     "One row per data file: the file name, the band set (octave or third), the edited spectrum's\n"
     "data type (pressure, power, attenuation or correction), dBA, dBB, dBC, dBD, NR and STC as\n"
     "the window's result line computes them, then Rw, C and Ctr of the edited spectrum read as\n"
     "sound reduction, as the ratings panel shows them; each with one decimal (\"-\", or null in\n"
     "JSON, when not finite or not rated). Each file is read as the window reads a file named on its command "
     "line, into a\n"
     "fresh model. A file that cannot be read is reported on standard error and left out.\n"
     "\n"
     "  --format text   aligned columns (the default)\n"
     "  --format csv    a header row, then one row per file\n"
     "  --format json   an array of objects, one per file\n"
     "  --decimals N    decimals of each level, 0 to 6 (1 by default)\n",
     kTableOptions, false, RunRate},
    {"bands", "bands [--format text|csv|json] [--decimals N] FILE",
     "One row per band of the file's band set: the frequency in Hz, the edited level, the other\n"
     "level, the edited level under the A, B, C and D weightings, and the result of the two spectra\n"
     "combined by their data types, then the band's NR, its STC deficiency (how far it lies under\n"
     "the contour of the spectrum's STC) and its Rw deviation (how far it lies under the moved\n"
     "reference curve); levels in dB with one decimal, or --decimals N (0 to 6), \"-\" (null in\n"
     "JSON) for a band a rating does not use. --format as for rate.\n",
     kTableOptions, false, RunBands},
    {"render",
     "render FILE -o OUT.svg|OUT.png|OUT.pdf [--overlay NAME] [--size WxH] [--scale N] [--graph "
     "MIN,MAX,STEP]",
     "Draws the file's graph with the window's drawing code. A PNG is the window's own picture;\n"
     "SVG and PDF are the vector picture the window copies to the clipboard (grey grid, no\n"
     "background). An existing OUT is replaced only once the new picture is complete.\n"
     "\n"
     "  -o, --output OUT      the picture file; its ending chooses the format\n"
     "  --overlay NAME        none (the default), dba, dbb, dbc, dbd, results, safe, stc or nr\n"
     "  --size WxH            the graph's size in pixels, 446x287 by default (the window's)\n"
     "  --scale N             device pixels per pixel, 1 to 4: the window's picture on a screen\n"
     "                        of that pixel density, N times as many pixels each way\n"
     "  --graph MIN,MAX,STEP  the level axis in dB, overriding the file's; the window's rules apply\n",
     kRenderOptions, false, RunRender},
    {"report", kReportUsage, kReportHelp, kReportOptions, false,
     [](const Command& command, const ParsedArguments& arguments, const RenderRunner& render) {
         return RunReport(arguments, render,
                          [&](std::string_view error) { return UsageError(command, error); });
     }},
    {"convert", "convert FILE --third|--octave -o OUT.snd",
     "Converts the file's spectra to third-octave or full-octave bands as the window's band\n"
     "commands do, and writes the result as a data file. A file already in that band set is\n"
     "written unchanged. An existing OUT is replaced only once the new file is complete.\n"
     "\n"
     "  --third, --octave     the band set to convert to\n"
     "  -o, --output OUT.snd  the data file to write\n",
     kConvertOptions, false, RunConvert},
    {"import", "import FILE.csv|FILE.txt|- [--third|--octave] -o OUT.snd",
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
     kConvertOptions, false, RunImport},
    {"eval",
     "eval EXPR...",
     "Evaluates each expression as the window's number fields do (operators, functions such as\n"
     "LOG, PI) and prints its value with \"%.10g\", one line per expression. A comma between two\n"
     "digits is a decimal comma (64,5 is 64.5); the value printed has a point. An expression that\n"
     "does not evaluate prints the evaluator's message in its place, and the exit status is 1.\n"
     "Put \"--\" before an expression that starts with two dashes.\n",
     {},
     true,
     RunEval},
};

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
    const std::string usage = "usage: " + std::string(kProgram) +
                              " rate|bands|render|report|convert|import|eval ...\nRun '" +
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
    for (const Command& command : kCommands)
        if (command.name == first)
            return RunCommand(command, std::span(arguments).subspan(1), render);
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

std::string GeneralText(double value)
{
    // to_chars with a precision prints as printf's "%.*g" does in the "C" locale.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 10);
    return std::string(buffer.data(), result.ptr);
}

} // namespace velmora
