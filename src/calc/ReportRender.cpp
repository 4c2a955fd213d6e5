#include "calc/ReportRender.h"

#include "calc/CalcCommands.h"
#include "calc/ReportRequest.h"
#include "calc/Reporting.h"
#include "calc/SpectrumFile.h"
#include "model/SpectrumModel.h"
#include "platform/LocalPath.h"
#include "platform/ReportPage.h"

#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

namespace velmora {

int WriteReport(const ReportRequest& request)
{
    const QString title = QString::fromStdString(request.title);
    const ReportPage page(title, QString::fromStdString(request.note), QDateTime::currentDateTime());
    int status = kExitSuccess;
    int pages = 0;
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        // The writer finishes the document when it goes.
        QPdfWriter writer(&buffer);
        SetUpReportWriter(writer, QLocale::system(), title);
        QPainter painter;
        TSpectrumModel model;
        for (const std::string& path : request.inputs) {
            std::string bytes;
            std::string reason;
            if (!ReadSpectrumFile(model, path, reason, &bytes)) {
                Report("cannot read " + Quoted(path) + ": " + reason);
                status = kExitFailure;
                continue;
            }
            if (pages == 0 ? !painter.begin(&writer) : !writer.newPage()) {
                Report("cannot draw the report for " + Quoted(request.output));
                return kExitFailure;
            }
            page.Draw(painter, model, {PathFromLocal(path), DataFingerprint(bytes), false});
            ++pages;
        }
    }
    if (pages == 0) {
        Report("nothing written: no data file could be read");
        return kExitFailure;
    }
    const std::string_view bytes(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    return ReplaceOrReport(request.output, bytes) ? status : kExitFailure;
}

} // namespace velmora
