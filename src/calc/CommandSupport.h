#pragma once

#include "calc/CommandLine.h"
#include "calc/ExitStatus.h"
#include "calc/RenderRunner.h"
#include "calc/TableWriter.h"

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TSpectrumModel;

/** The program's name, as its messages and usage lines give it. */
inline constexpr std::string_view kProgram = "velmora-calc";

/** One command of velmora-calc: its name, its help and what runs it. */
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

inline constexpr OptionSpec kFormatOption{"--format", "", true};
inline constexpr OptionSpec kOutputOption{"--output", "-o", true};
inline constexpr OptionSpec kDecimalsOption{"--decimals", "", true};
/** The options of the commands that write a data file in a band set: -o, --third and --octave. */
inline constexpr OptionSpec kBandSetOptions[] = {
    kOutputOption, {"--third", "", false}, {"--octave", "", false}};

/** Writes text to standard output; a failed write shows when the output is flushed at the end. */
void Print(std::string_view text);

/** Reports message with the command's usage on standard error; returns kExitUsage. */
int UsageError(const Command& command, std::string_view message);

/** Reads path into model; a file that cannot be read is reported with its reason. */
bool ReadOrReport(TSpectrumModel& model, const std::string& path);

/** How a command prints its table. */
struct TableOptions {
    /** --format: text by default. */
    TableFormat format = TableFormat::Text;
    /** --decimals, 0 to 6: one decimal, as the window's result line, by default. */
    int decimals = 1;
};

/** --format and --decimals as given; nothing, with error saying what they take, for a value they do not. */
std::optional<TableOptions> ReadTableOptions(const ParsedArguments& arguments, std::string& error);

/** A level with the decimals asked for; "-" (null in JSON) when not finite. */
TableCell LevelCell(double level, int decimals);

/** A band's centre frequency in Hz; missing ("-", null in JSON) for -1 or an index that is no band. */
TableCell BandCell(int band);

/** Columns of the names given: the texts aligned left, then the numbers aligned right. */
std::vector<TableColumn> Columns(std::initializer_list<std::string_view> texts,
                                 std::initializer_list<std::string_view> numbers);

/** "third" or "octave". */
std::string BandSetName(const TSpectrumModel& model);

/** "pressure", "power", "attenuation" or "correction"; the number for any other data type. */
std::string DataTypeName(int dataType);

/** The -o value; nothing when it is missing or empty. */
std::optional<std::string> OutputPath(const ParsedArguments& arguments);

/** Why -o does not name a data file to write; null when it does. */
const char* DataFileOutputError(const std::optional<std::string>& output);

/** Writes model as a data file at path, reporting a failure; the exit status. */
int WriteDataFileOrReport(const TSpectrumModel& model, const std::string& path);

} // namespace velmora
