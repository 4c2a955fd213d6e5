#include "calc/CommandSupport.h"

#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "io/DataFile.h"
#include "model/Bands.h"
#include "model/SpectrumModel.h"

#include <array>
#include <cstdio>
#include <limits>

namespace velmora {

namespace {

/** Most decimals --decimals takes: more than a single-precision level of ordinary size holds. */
constexpr int kMaxDecimals = 6;

} // namespace

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

bool ReadOrReport(TSpectrumModel& model, const std::string& path)
{
    std::string reason;
    if (ReadSpectrumFile(model, path, reason))
        return true;
    Report("cannot read " + Quoted(path) + ": " + reason);
    return false;
}

std::optional<TableOptions> ReadTableOptions(const ParsedArguments& arguments, std::string& error)
{
    TableOptions options;
    const std::optional<TableFormat> format = TableFormatNamed(arguments.Value(kFormatOption.name, "text"));
    if (!format) {
        error = "--format takes text, csv or json";
        return std::nullopt;
    }
    options.format = *format;
    if (arguments.Has(kDecimalsOption.name)) {
        const std::optional<int> decimals = ParseCount(arguments.Value(kDecimalsOption.name));
        if (!decimals || *decimals < 0 || *decimals > kMaxDecimals) {
            error = "--decimals takes a whole number from 0 to " + std::to_string(kMaxDecimals);
            return std::nullopt;
        }
        options.decimals = *decimals;
    }
    return options;
}

TableCell LevelCell(double level, int decimals)
{
    return NumberCell(level, decimals);
}

TableCell BandCell(int band)
{
    const bool known = band >= 0 && band < kBandCount;
    return NumberCell(known ? BandFrequency[band] : std::numeric_limits<double>::quiet_NaN(), 0);
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

std::optional<std::string> OutputPath(const ParsedArguments& arguments)
{
    if (!arguments.Has(kOutputOption.name) || arguments.Value(kOutputOption.name).empty())
        return std::nullopt;
    return arguments.Value(kOutputOption.name);
}

const char* DataFileOutputError(const std::optional<std::string>& output)
{
    if (!output)
        return "-o OUT.snd is needed";
    if (!EndsWithIgnoringCase(*output, ".snd"))
        return "the output's name must end in .snd";
    return nullptr;
}

int WriteDataFileOrReport(const TSpectrumModel& model, const std::string& path)
{
    std::string reason;
    if (WriteDataFile(model, path, &reason))
        return kExitSuccess;
    ReportUnwritable(path, reason);
    return kExitFailure;
}

} // namespace velmora
