#pragma once

#include "platform/ReportPage.h"

#include <QObject>
#include <QString>

#include <string>

class QPrinter;
class QWidget;

namespace velmora {

struct AppContext;
class SpectrumDocument;

/**
 * The report of the window's spectrum: one page (ReportPage) saved as a PDF or printed, after a
 * small dialog asks for its title and note, which it offers again the next time.
 */
class ReportExport : public QObject
{
    Q_OBJECT

public:
    /** window owns the dialogs and messages. */
    ReportExport(QWidget& window, AppContext& context, SpectrumDocument& document);

    /** Asks for the title and note, then where to save the PDF, and writes it; a failure is shown. */
    void ExportReportClick();
    /** Asks for the title and note, runs the print dialog and prints the page. */
    void PrintReportClick();

    /**
     * Writes the report as a PDF on the locale's paper to path (a local path), replacing any file
     * there only once it is complete. False, with reason when given, when it cannot be written.
     */
    bool WriteReport(const std::string& path, std::string* reason = nullptr) const;
    /** Draws the report's page on printer, which is set up (SetUpReportPrinter) and chosen. */
    bool PrintReport(QPrinter& printer) const;

    /**
     * Where the spectrum came from: the document's file with the SHA-256 of its bytes when they
     * give exactly the data shown (the view aside); otherwise, with unsaved changes, without a
     * file, or with a file changed or gone since, the SHA-256 of what a save would write, said to
     * be unsaved.
     */
    ReportSubject Subject() const;

    /** The title and note the next report starts with: the last ones given. */
    void SetTitleAndNote(const QString& title, const QString& note);
    const QString& Title() const { return m_title; }
    const QString& Note() const { return m_note; }

private:
    /** The title and note dialog, showing the last ones; false when cancelled. */
    bool AskTitleAndNote(const QString& action);
    ReportPage Page() const;

    QWidget& m_window;
    AppContext& m_context;
    SpectrumDocument& m_document;
    QString m_title;
    QString m_note;
    QString m_lastFile;
};

} // namespace velmora
