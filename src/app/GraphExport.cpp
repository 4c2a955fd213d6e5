#include "app/GraphExport.h"

#include "app/GraphMimeData.h"
#include "edit/AppContext.h"
#include "io/BandTable.h"
#include "platform/GraphPicture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace velmora {

namespace {

/** Screen resolution the window's pixels are measured in when printed. */
constexpr int kScreenDpi = 96;

} // namespace

GraphExport::GraphExport(QWidget& window, AppContext& context)
    : QObject(&window), m_window(window), m_context(context)
{
}

void GraphExport::ClipBdButtonClick()
{
    GraphSurface& surface = m_context.Surface;
    QByteArray svg = GraphSvg(m_context.Model, surface, surface.Comparison());
    if (svg.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Velmora: Memory Error"),
                        QStringLiteral("ERROR: Could not create metafile."), QMessageBox::Ok, &m_window);
        box.exec();
        return;
    }
    // An image of the same picture serves programs that cannot paste SVG, the band table
    // spreadsheets and word processors.
    auto* data = new GraphMimeData(std::move(svg), QSize(surface.Width, surface.Height));
    // The table in the desktop's decimal separator, so that a spreadsheet there reads numbers.
    const std::string decimalPoint = QLocale::system().decimalPoint().toStdString();
    data->SetTable(QByteArray::fromStdString(BandTableText(m_context.Model, decimalPoint)),
                   QByteArray::fromStdString(BandTableHtml(m_context.Model, decimalPoint)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void GraphExport::PrintButtonClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Velmora"));
    QPrintDialog dialog(&printer, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintForm(printer);
}

void GraphExport::PrintForm(QPaintDevice& page)
{
    const QPixmap image = m_window.grab();
    QPainter painter(&page);
    double scaleX = static_cast<double>(page.logicalDpiX()) / kScreenDpi;
    double scaleY = static_cast<double>(page.logicalDpiY()) / kScreenDpi;
    // A printout that drops part of the window would drop part of the graph: shrink to fit instead.
    const double fit =
        std::min({1.0, page.width() / (image.width() * scaleX), page.height() / (image.height() * scaleY)});
    scaleX *= fit;
    scaleY *= fit;
    painter.drawPixmap(QRectF(0, 0, image.width() * scaleX, image.height() * scaleY), image, image.rect());
}

} // namespace velmora
