#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

class QLocale;
class QPageSize;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace velmora {

struct TSpectrumModel;

/** Where a report page's spectrum came from, so that a printout can be matched to its data. */
struct ReportSubject {
    /** The data file as the user knows it (a path), or "Untitled". */
    QString file;
    /** DataFingerprint of the bytes the page shows: the file's, or those a save would write. */
    QString fingerprint;
    /** The bytes fingerprinted are those a save would write: the spectrum is not saved as shown. */
    bool unsaved = false;
};

/**
 * The layout of a report's page, one page per spectrum: a heading (the title, or the file's name),
 * the file, its data type and band set, the date, Velmora's version and the data's fingerprint,
 * the note; the graph as the clipboard's vector picture (fitted to the graph extents, the overlay
 * in view, no node marked current); every rating of the data type's family with its governing
 * band and what the next class needs, as RatingLines words them; and the band table as BandTable
 * gives it. Everything is drawn as lines and text, never as an image, so that the text of a PDF
 * can be selected and searched. The title is one paragraph of at most two lines, the file at most
 * three and the note at most six; longer ones end in an ellipsis. Needs a QGuiApplication for its
 * fonts.
 */
class ReportPage
{
public:
    /** title and note as the user gave them, either may be empty; when is the date shown. */
    ReportPage(const QString& title, const QString& note, const QDateTime& when);

    /**
     * Draws the page of model onto painter, which is active on a page (a PDF writer or a printer)
     * and untransformed: the layout fills the device's page, at any resolution and paper size.
     * The model is not changed. The painter's state is as it was afterwards.
     */
    void Draw(QPainter& painter, const TSpectrumModel& model, const ReportSubject& subject) const;

private:
    QString m_title;
    QString m_note;
    QDateTime m_when;
};

/** The paper of a report: Letter where the locale measures in US units, A4 everywhere else. */
QPageSize ReportPageSize(const QLocale& locale);

/** Sets a PDF writer up for report pages: the locale's paper, no margins, kPictureDpi, Velmora as creator. */
void SetUpReportWriter(QPdfWriter& writer, const QLocale& locale, const QString& title);

/** Sets a printer up for report pages as SetUpReportWriter does, before its dialog lets the user change it.
 */
void SetUpReportPrinter(QPrinter& printer, const QLocale& locale, const QString& title);

/** The SHA-256 of bytes as 64 lower-case hexadecimal digits, as sha256sum prints it. */
QString DataFingerprint(QByteArrayView bytes);

} // namespace velmora
