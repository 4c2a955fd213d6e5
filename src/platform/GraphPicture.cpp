#include "platform/GraphPicture.h"

#include "graph/Draw2D.h"
#include "graph/SpectrumPlot.h"
#include "platform/PainterCanvas.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace velmora {

namespace {

const QString kPictureTitle = QStringLiteral("Velmora");

} // namespace

bool DrawGraphPicture(const TSpectrumModel& model, Draw2DClass& surface, QPaintDevice& device,
                      const ComparisonSet* set)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    DrawGraphPicture(model, surface, painter, surface.Canvas ? surface.Canvas->PixelScale() : 1, set);
    painter.end();
    return true;
}

void DrawGraphPicture(const TSpectrumModel& model, Draw2DClass& surface, QPainter& painter, int scale,
                      const ComparisonSet* set)
{
    Canvas2D* const canvas = surface.Canvas;
    CanvasControl* const control = surface.Control;
    const bool exportMode = surface.ExportMode;

    painter.save();
    PainterCanvas pictureCanvas(painter, scale);
    surface.ExportMode = true;
    // Without a control the surface keeps its drawing size, so the picture has the screen's mapping.
    surface.SetCanvas(&pictureCanvas, nullptr);
    DrawGraph(model, surface, set);
    painter.restore();

    surface.ExportMode = exportMode;
    surface.Canvas = canvas;
    surface.Control = control;
}

QByteArray GraphSvg(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set)
{
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(surface.Width, surface.Height));
    generator.setViewBox(QRect(0, 0, surface.Width, surface.Height));
    generator.setResolution(kPictureDpi);
    generator.setTitle(kPictureTitle);
    if (!DrawGraphPicture(model, surface, generator, set))
        return {};
    return svg.data();
}

QByteArray GraphPdf(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        // The writer finishes the document when it goes.
        QPdfWriter writer(&buffer);
        writer.setTitle(kPictureTitle);
        writer.setCreator(kPictureTitle);
        writer.setResolution(kPictureDpi);
        const QSizeF inches(static_cast<double>(surface.Width) / kPictureDpi,
                            static_cast<double>(surface.Height) / kPictureDpi);
        writer.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (!DrawGraphPicture(model, surface, writer, set))
            return {};
    }
    return pdf;
}

} // namespace velmora
