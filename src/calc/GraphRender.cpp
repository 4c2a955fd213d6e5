#include "calc/GraphRender.h"

#include "calc/CommandLine.h"
#include "calc/FileModel.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"
#include "platform/GraphPicture.h"

#include <QBuffer>
#include <QImage>

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

QByteArray PngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}

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
}

QByteArray RenderGraph(FileModel& file, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Svg:
        return GraphSvg(file.Model(), file.Surface());
    case PictureFormat::Pdf:
        return GraphPdf(file.Model(), file.Surface());
    default:
        file.Surface().Redraw();
        return PngOf(file.Image());
    }
}

} // namespace velmora
