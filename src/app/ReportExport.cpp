#include "app/ReportExport.h"

#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "io/DataFile.h"
#include "io/FileContents.h"
#include "platform/LocalPath.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace velmora {

namespace {

/** True when bytes, read as a data file on their own, give the model's data, however it is viewed. */
bool HoldsTheData(std::string_view bytes, const TSpectrumModel& model)
{
    TSpectrumModel fromFile;
    LoadFreshDataText(fromFile, bytes);
    // The level range is the view's: the same data may be shown otherwise than the file says.
    static_cast<SpectrumView&>(fromFile) = model;
    return DataFileText(fromFile) == DataFileText(model);
}

/** Draws page on a paged device set up for it; false when no painter can be started. */
bool DrawOn(QPagedPaintDevice& device, const ReportPage& page, const TSpectrumModel& model,
            const ReportSubject& subject)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    page.Draw(painter, model, subject);
    return painter.end();
}

} // namespace

ReportExport::ReportExport(QWidget& window, AppContext& context, SpectrumDocument& document)
    : QObject(&window), m_window(window), m_context(context), m_document(document)
{
}

void ReportExport::ExportReportClick()
{
    if (!AskTitleAndNote(QStringLiteral("Export")))
        return;
    QFileDialog dialog(&m_window, QStringLiteral("Export Report..."));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF documents (*.pdf *.PDF)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // Beside the data file, named after it, unless a report was saved before.
    const QString data = PathFromLocal(m_document.FilePath());
    if (!m_lastFile.isEmpty())
        dialog.selectFile(m_lastFile);
    else if (!data.isEmpty())
        dialog.selectFile(QFileInfo(data).path() + u'/' + QFileInfo(data).completeBaseName() +
                          QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_lastFile = dialog.selectedFiles().constFirst();
    std::string reason;
    if (!WriteReport(LocalPath(m_lastFile), &reason)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: Export Failed"),
                        QStringLiteral("Could not write the report \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(m_lastFile), QString::fromLocal8Bit(reason)),
                        QMessageBox::Ok, &m_window);
        box.exec();
    }
}

void ReportExport::PrintReportClick()
{
    if (!AskTitleAndNote(QStringLiteral("Print")))
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPrinter(printer, QLocale::system(), m_title);
    QPrintDialog dialog(&printer, &m_window);
    if (dialog.exec() == QDialog::Accepted)
        PrintReport(printer);
}

bool ReportExport::WriteReport(const std::string& path, std::string* reason) const
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        // The writer finishes the document when it goes.
        QPdfWriter writer(&buffer);
        SetUpReportWriter(writer, QLocale::system(), m_title);
        if (!DrawOn(writer, Page(), m_context.Model, Subject())) {
            if (reason)
                *reason = "the page could not be drawn";
            return false;
        }
    }
    return ReplaceFileContents(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                               reason);
}

bool ReportExport::PrintReport(QPrinter& printer) const
{
    return DrawOn(printer, Page(), m_context.Model, Subject());
}

ReportSubject ReportExport::Subject() const
{
    const TSpectrumModel& model = m_context.Model;
    const std::string& path = m_document.FilePath();
    const QString file = path.empty() ? m_document.DisplayName() : PathFromLocal(path);
    std::string bytes;
    if (!path.empty() && !m_document.IsModified() && ReadFileContents(path, kMaxDataFileBytes, bytes) &&
        HoldsTheData(bytes, model))
        return {file, DataFingerprint(bytes), false};
    return {file, DataFingerprint(DataFileText(model)), true};
}

void ReportExport::SetTitleAndNote(const QString& title, const QString& note)
{
    m_title = title;
    m_note = note;
}

bool ReportExport::AskTitleAndNote(const QString& action)
{
    QDialog dialog(&m_window);
    dialog.setObjectName(QStringLiteral("ReportDialog"));
    dialog.setWindowTitle(QStringLiteral("Velmora: %1 Report").arg(action));
    auto* title = new QLineEdit(m_title, &dialog);
    title->setObjectName(QStringLiteral("ReportTitle"));
    title->setPlaceholderText(QStringLiteral("The file's name"));
    auto* note = new QPlainTextEdit(m_note, &dialog);
    note->setObjectName(QStringLiteral("ReportNote"));
    note->setTabChangesFocus(true);
    note->setFixedHeight(note->fontMetrics().lineSpacing() * 6);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(action + QStringLiteral("..."));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("&Title:"), title);
    layout->addRow(QStringLiteral("&Note:"), note);
    layout->addRow(buttons);
    dialog.resize(420, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetTitleAndNote(title->text(), note->toPlainText());
    return true;
}

ReportPage ReportExport::Page() const
{
    return ReportPage(m_title, m_note, QDateTime::currentDateTime());
}

} // namespace velmora
