#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "calc/RenderRequest.h"
#include "calc/Reporting.h"
#include "io/ComparedFiles.h"
#include "model/ComparisonSet.h"
#include "model/SpectrumModel.h"

#include <array>
#include <optional>

namespace velmora {

namespace {

constexpr OptionSpec kRenderOptions[] = {kOutputOption,
                                         {"--overlay", "", true},
                                         {"--size", "", true},
                                         {"--graph", "", true},
                                         {"--scale", "", true}};

/** The render command's arguments checked; an error message when they do not make sense. */
std::optional<std::string> ReadRenderRequest(const ParsedArguments& arguments, RenderRequest& request)
{
    if (arguments.operands.empty())
        return "name a data file";
    if (arguments.operands.size() - 1 > ComparisonSet::kMaxSpectra)
        return "name at most " + std::to_string(ComparisonSet::kMaxSpectra) + " files to compare";
    request.input = arguments.operands.front();
    request.compared.assign(arguments.operands.begin() + 1, arguments.operands.end());
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
    // Every compared file is read before anything is drawn.
    std::vector<ComparedFile> compared(request.compared.size());
    for (std::size_t i = 0; i < compared.size(); ++i) {
        std::string reason;
        if (!ReadComparedFile(request.compared[i], compared[i], reason)) {
            Report("cannot read " + Quoted(request.compared[i]) + ": " + reason);
            return kExitFailure;
        }
    }
    return render.graph(request, model, compared);
}

} // namespace

constexpr Command kRenderCommand = {
    "render",
    "render FILE [FILE...] -o OUT.svg|OUT.png|OUT.pdf [--overlay NAME] [--size WxH] [--scale N] [--graph "
    "MIN,MAX,STEP]",
    "Draws the file's graph with the window's drawing code; files after the first are drawn with it\n"
    "as the window draws its comparison set, each in its own style and named in the legend (at most\n"
    "100). A PNG is the window's own picture;\n"
    "SVG and PDF are the vector picture the window copies to the clipboard (grey grid, no\n"
    "background). An existing OUT is replaced only once the new picture is complete.\n"
    "\n"
    "  -o, --output OUT      the picture file; its ending chooses the format\n"
    "  --overlay NAME        none (the default), dba, dbb, dbc, dbd, results, safe, stc or nr\n"
    "  --size WxH            the graph's size in pixels, 446x287 by default (the window's)\n"
    "  --scale N             device pixels per pixel, 1 to 4: the window's picture on a screen\n"
    "                        of that pixel density, N times as many pixels each way\n"
    "  --graph MIN,MAX,STEP  the level axis in dB, overriding the file's; the window's rules apply\n",
    kRenderOptions,
    false,
    RunRender};

} // namespace velmora
