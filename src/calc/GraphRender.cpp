#include "calc/GraphRender.h"

#include "calc/CalcCommands.h"
#include "calc/RenderRequest.h"
#include "calc/Reporting.h"
#include "edit/GraphSetup.h"
#include "graph/GraphSurface.h"
#include "io/ComparedFiles.h"
#include "io/FileContents.h"
#include "model/ComparisonSet.h"
#include "model/SpectrumModel.h"
#include "platform/GraphPicture.h"
#include "platform/ImageCanvas.h"

#include <QBuffer>
#include <QImage>

namespace velmora {

namespace {

/** A control of a fixed client size with nothing on screen to repaint. */
class FixedSizeControl : public CanvasControl
{
public:
    explicit FixedSizeControl(QSize size) : m_size(size) {}

    int ClientWidth() const override { return m_size.width(); }
    int ClientHeight() const override { return m_size.height(); }
    void RepaintNow() override {}

private:
    QSize m_size;
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

QByteArray RenderGraph(const RenderRequest& request, TSpectrumModel& model,
                       const std::vector<ComparedFile>& compared)
{
    // The window's picture on a screen of scale device pixels per pixel: the same layout, with
    // text, lines and markers drawn on the finer pixels.
    const QSize size(request.width * request.scale, request.height * request.scale);
    FixedSizeControl control(size);
    ImageCanvas canvas(size);
    canvas.setPixelRatio(request.scale);
    GraphSurface surface(model);
    surface.SetCanvas(&canvas, &control);
    SetupGraph(model, surface, false);
    if (request.extents) {
        const auto& [minLevel, maxLevel, step] = *request.extents;
        // The window's own rules apply: a step it would refuse keeps the file's.
        SetGraphExtents(model, surface, static_cast<float>(minLevel), static_cast<float>(maxLevel),
                        static_cast<float>(step));
    }
    ShowOverlay(model, request.overlay);
    // The files after the first as the window's comparison set.
    ComparisonSet set;
    set.FollowBands(BandSetOf(model));
    for (std::size_t i = 0; i < compared.size(); ++i)
        set.Add(request.compared[i], compared[i].levels, compared[i].bands, compared[i].dataType);
    surface.SetComparison(&set);

    switch (request.format) {
    case PictureFormat::Svg:
        return GraphSvg(model, surface, &set);
    case PictureFormat::Pdf:
        return GraphPdf(model, surface, &set);
    default:
        surface.Redraw();
        return PngOf(canvas.image());
    }
}

int RenderToFile(const RenderRequest& request, TSpectrumModel& model,
                 const std::vector<ComparedFile>& compared)
{
    const QByteArray picture = RenderGraph(request, model, compared);
    if (picture.isEmpty()) {
        Report("cannot draw the graph for " + Quoted(request.output));
        return kExitFailure;
    }
    const std::string_view bytes(picture.constData(), static_cast<std::size_t>(picture.size()));
    return ReplaceOrReport(request.output, bytes) ? kExitSuccess : kExitFailure;
}

} // namespace velmora
