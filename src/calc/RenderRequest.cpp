#include "calc/RenderRequest.h"

#include "calc/CommandLine.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

namespace {

struct OverlayName {
    std::string_view name;
    int mode;
};

constexpr OverlayName kOverlayNames[] = {
    {"none", HighlightNone},       {"dba", HighlightA},   {"dbb", HighlightB},
    {"dbc", HighlightC},           {"dbd", HighlightD},   {"results", HighlightResults},
    {"safe", HighlightSafeLevels}, {"stc", HighlightSTC}, {"nr", HighlightNR},
};

} // namespace

std::optional<PictureFormat> PictureFormatOfPath(std::string_view path)
{
    if (EndsWithIgnoringCase(path, ".svg"))
        return PictureFormat::Svg;
    if (EndsWithIgnoringCase(path, ".png"))
        return PictureFormat::Png;
    if (EndsWithIgnoringCase(path, ".pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

std::optional<int> OverlayNamed(std::string_view name)
{
    for (const OverlayName& overlay : kOverlayNames)
        if (overlay.name == name)
            return overlay.mode;
    return std::nullopt;
}

void ShowOverlay(TSpectrumModel& model, int mode)
{
    if (mode == HighlightNone || model.HighlightMode == mode)
        return;
    if (mode == HighlightResults)
        CalcResults(model);
    ToggleHighlight(model, mode);
    StoreWeightedResults(model);
}

} // namespace velmora
