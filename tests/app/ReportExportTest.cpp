#include "app/ReportExport.h"

#include "app/MainFormFixture.h"
#include "edit/GraphSetup.h"
#include "io/DataFile.h"
#include "model/Ratings.h"
#include "support/PdfTools.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>

using namespace velmora;

namespace {

class ReportExportTest : public velmora::test::MainFormFixture
{
protected:
    /**
     * Runs Export Report from the File menu: the title and note dialog is answered with title and
     * note (after checking that it offered the last ones), then the file dialog with file.
     */
    void exportReport(const QString& title, const QString& note, const QString& file)
    {
        const QString offeredTitle = m_form->Report().Title();
        const QString offeredNote = m_form->Report().Note();
        OnNextModalOf<QDialog>([=](QDialog* dialog) {
            ASSERT_EQ(dialog->objectName(), QStringLiteral("ReportDialog"));
            auto* titleEdit = dialog->findChild<QLineEdit*>(QStringLiteral("ReportTitle"));
            auto* noteEdit = dialog->findChild<QPlainTextEdit*>(QStringLiteral("ReportNote"));
            EXPECT_EQ(titleEdit->text(), offeredTitle);
            EXPECT_EQ(noteEdit->toPlainText(), offeredNote);
            titleEdit->setText(title);
            noteEdit->setPlainText(note);
            dialog->accept();
        });
        OnNextModalOf<QFileDialog>([file](QFileDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Export Report..."));
            // Typed with the focus in the name field, so that the folder, still loading, cannot
            // put back the file the dialog first offered.
            QApplication::setActiveWindow(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setFocus();
            name->setText(file);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        m_form->Actions().Find("ExportReport")->trigger();
    }

    /** Runs action on the next modal window of type T once it is up; the action must close it. */
    template <typename T> static void OnNextModalOf(std::function<void(T*)> action)
    {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, action] {
            if (T* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                action(modal);
            }
        });
        timer->start();
    }

    /** The SHA-256 of what a save would write now, by sha256sum. */
    QString unsavedFingerprint()
    {
        return test::Sha256Sum(
            writeFile(QStringLiteral("as-saved.snd"), QByteArray::fromStdString(DataFileText(model()))));
    }
};

} // namespace

TEST_F(ReportExportTest, ExportFingerprintsTheFileOrTheUnsavedDataAndKeepsTitleAndNote)
{
    const QString data =
        writeFile(QStringLiteral("wall.snd"),
                  QByteArrayLiteral("Bands: 0 1\r\nSpectrum: 2 0 0\r\nLevels: 0 31.5\r\nLevels: 0 33\r\n"));
    start(data.toStdString());
    struct Step {
        const char* what;
        std::function<void()> change;
        bool unsaved;
    };
    const Step steps[] = {
        {"as opened", [] {}, false},
        {"an edit not saved",
         [&] {
             QApplication::setActiveWindow(m_form.get());
             QTest::keyClick(keyTarget(), Qt::Key_Up);
         },
         true},
        {"saved to its file", [&] { m_form->Actions().Find("Save")->trigger(); }, false},
        // The document is unmodified, but its file no longer holds what it shows.
        {"changed by another program",
         [&] { writeFile(QStringLiteral("wall.snd"), QByteArrayLiteral("Bands: 0 1\r\nLevels: 0 99\r\n")); },
         true},
        {"the file gone", [&] { QFile::remove(data); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        // A name typed without extension gets ".pdf".
        const QString file = m_dir.filePath(QString::fromLatin1(step.what));
        exportReport(QStringLiteral("Wall W2"), QStringLiteral("Lab test, %1").arg(step.what), file);
        const QString words = test::PdfWords(file + QStringLiteral(".pdf"));
        const QString fingerprint = step.unsaved ? unsavedFingerprint() : test::Sha256Sum(data);
        // The data type and band set as the menus name them.
        EXPECT_TRUE(
            words.startsWith(QStringLiteral("Wall W2 File: %1 Data: %2, %3")
                                 .arg(data, m_form->Actions().Find("DataType3")->text().remove(u'&'),
                                      m_form->Actions().Find("ThirdOctaveBands")->text().remove(u'&'))))
            << words.toStdString();
        EXPECT_TRUE(
            words.contains(QStringLiteral("SHA-256: %1%2 Lab test, %3")
                               .arg(fingerprint, step.unsaved ? QStringLiteral(" (unsaved)") : QString(),
                                    QString::fromLatin1(step.what))))
            << words.toStdString();
    }

    // Cancelling the title and note asks for no file and writes nothing.
    OnNextModalOf<QDialog>([](QDialog* dialog) { dialog->reject(); });
    m_form->Actions().Find("ExportReport")->trigger();
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf")}).size(),
              static_cast<qsizetype>(std::size(steps)));
}

TEST_F(ReportExportTest, PrintDrawsTheWindowsSpectrumAndOverlayAsVectorArt)
{
    start("-third");
    for (int k = 0; k < model().Nodes.Count; ++k)
        model().Nodes.Node[k].Y = 35.0f + static_cast<float>(k % 6) * 4.0f;
    Recalculate(model());
    ShowHighlight(model(), m_context->Surface, HighlightNR);

    const QString file = m_dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    SetUpReportPrinter(printer, QLocale(QLocale::English, QLocale::UnitedStates), {});
    ASSERT_TRUE(m_form->Report().PrintReport(printer));

    const test::PdfInfo info = test::ReadPdfInfo(file);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.pageSize.height(), 792, 1) << "Letter";
    EXPECT_EQ(test::PdfImageCount(file), 0);
    const QString words = test::PdfWords(file);
    EXPECT_TRUE(
        words.startsWith(QStringLiteral("Untitled File: Untitled Data: Pressure Levels, Third Octave Bands")))
        << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("SHA-256: %1 (unsaved)").arg(unsavedFingerprint())));
    EXPECT_TRUE(words.contains(QStringLiteral("NR:50"))) << "the overlay shown in the window";
    EXPECT_TRUE(words.contains(QStringLiteral("NR ") + QString::number(model().Ratings.noise.NR, 'f', 1)));
}
