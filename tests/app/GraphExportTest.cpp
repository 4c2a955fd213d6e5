#include "app/MainForm.h"
#include "support/FindChild.h"

#include "app/GraphMimeData.h"
#include "app/MainFormFixture.h"
#include "graph/RecordingCanvas.h"
#include "graph/SpectrumPlot.h"
#include "platform/CanvasWidget.h"
#include "platform/GraphPicture.h"
#include "platform/ImageCanvas.h"

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace velmora;

namespace {

class GraphExportTest : public velmora::test::MainFormFixture
{
protected:
    /** What the graph draws, recorded with the screen's mapping. */
    velmora::test::RecordingCanvas recordGraph()
    {
        velmora::test::RecordingCanvas recording;
        GraphSurface& surface = m_context->Surface;
        surface.ExportMode = true;
        surface.SetCanvas(&recording, nullptr);
        DrawGraph(model(), surface);
        surface.ExportMode = false;
        surface.SetCanvas(&m_form->GraphImage(), test::Find<CanvasWidget>(*m_form, "GraphCanvas"));
        return recording;
    }
};

} // namespace

TEST_F(GraphExportTest, CopyPutsTheGraphOnTheClipboardAsSvgAndPng)
{
    start("-third");
    model().HighlightMode = HighlightNR;
    for (int k = 0; k < model().Nodes.Count; ++k)
        model().Nodes.Node[k].Y = 40.0f + k;
    m_form->Redraw();
    const QImage screen = m_form->GraphImage().image().copy();

    QApplication::setActiveWindow(m_form.get());
    QTest::keyClick(keyTarget(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(m_context->Surface.Width, m_context->Surface.Height));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255)) << "the image has no background fill but white";
    EXPECT_TRUE(QImage::fromData(data->data(QStringLiteral("image/png")), "PNG") == image);

    // The picture holds the screen graph's drawing commands: its texts and its lines.
    const velmora::test::RecordingCanvas recorded = recordGraph();
    QStringList svgTexts;
    const QRegularExpression textElement(QStringLiteral("<text[^>]*>([^<]*)</text>"));
    for (auto match = textElement.globalMatch(QString::fromUtf8(svg)); match.hasNext();)
        svgTexts << match.next().captured(1).trimmed();
    QStringList recordedTexts;
    for (const auto& text : recorded.texts)
        recordedTexts << QString::fromStdString(text.text).trimmed();
    std::sort(svgTexts.begin(), svgTexts.end());
    std::sort(recordedTexts.begin(), recordedTexts.end());
    EXPECT_EQ(svgTexts, recordedTexts);
    EXPECT_TRUE(recordedTexts.contains(QStringLiteral("NR:50")));
    EXPECT_EQ(svg.count("<polyline"), static_cast<qsizetype>(recorded.lines.size()));
    EXPECT_TRUE(svg.contains("#808080")) << "frame and grid are grey in the picture";
    EXPECT_FALSE(svg.contains("#ffffff\" stroke-width")) << "no white grid lines";

    EXPECT_TRUE(m_form->GraphImage().image() == screen) << "the screen bitmap is untouched";
    EXPECT_EQ(m_context->Surface.Control, test::Find<CanvasWidget>(*m_form, "GraphCanvas"))
        << "the surface is back on the screen";
}

TEST_F(GraphExportTest, ClipboardImageOfAHugeGraphIsBoundedAndKeepsItsShape)
{
    start();
    const QByteArray svg = GraphSvg(model(), m_context->Surface);
    struct Case {
        QSize graph;
        QSize image;
    };
    // 16000 x 12000 pixels would take seconds and 768 MB; 8000 x 60 shows the same bound cheaply.
    const Case cases[] = {{{8000, 60}, {4096, 30}}, {{60, 8000}, {30, 4096}}, {{4096, 300}, {4096, 300}}};
    for (const Case& c : cases) {
        const GraphMimeData data(svg, c.graph);
        const QImage image = qvariant_cast<QImage>(data.imageData());
        EXPECT_EQ(image.size(), c.image) << c.graph.width() << " x " << c.graph.height();
        EXPECT_EQ(QImage::fromData(data.data(QStringLiteral("image/png")), "PNG").size(), c.image);
        EXPECT_EQ(data.data(QStringLiteral("image/svg+xml")), svg);
    }
}

TEST_F(GraphExportTest, PrintKeepsTheWindowsPhysicalSizeAndShrinksAWideOneToFitThePage)
{
    TMainForm& form = start();
    // An A4 page at 600 dots per inch. A window of 448 x 432 pixels at 96 per inch is 2800 x 2700
    // dots at the top left; one of 1739 x 600 would be 10869 dots wide, more than the page: it is
    // shrunk to the page's width with its proportions kept, so that none of it is cut off.
    const QSize a4(4961, 7016);
    struct Case {
        QSize window;
        QSize printed;
    };
    const Case cases[] = {{{448, 432}, {2800, 2700}}, {{1739, 600}, {4961, 1712}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window.width());
        form.resize(c.window);
        QApplication::processEvents();
        ASSERT_EQ(form.size(), c.window);
        QImage page(a4, QImage::Format_Grayscale8);
        page.fill(Qt::white);
        page.setDotsPerMeterX(qRound(600 / 0.0254));
        page.setDotsPerMeterY(qRound(600 / 0.0254));
        form.Export().PrintForm(page);

        // What was printed: the box around every dot that is not white.
        QPoint first(page.width(), page.height());
        QPoint last(-1, -1);
        for (int y = 0; y < page.height(); ++y) {
            const uchar* line = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x) {
                if (line[x] != 255) {
                    first = {std::min(first.x(), x), std::min(first.y(), y)};
                    last = {std::max(last.x(), x), std::max(last.y(), y)};
                }
            }
        }
        EXPECT_EQ(first, QPoint(0, 0));
        EXPECT_NEAR(last.x() + 1, c.printed.width(), 1);
        EXPECT_NEAR(last.y() + 1, c.printed.height(), 1);
    }
}

TEST_F(GraphExportTest, PrintToPdfWritesOnePage)
{
    TMainForm& form = start();
    const QString path = m_dir.filePath(QStringLiteral("window.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    form.Export().PrintForm(printer);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}
