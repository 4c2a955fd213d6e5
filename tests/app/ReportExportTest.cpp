#include "app/ReportExport.h"

#include "app/MainFormFixture.h"
#include "edit/GraphSetup.h"
#include "io/DataFile.h"
#include "model/RatingLines.h"
#include "model/Ratings.h"
#include "model/ResultTexts.h"
#include "support/FindChild.h"
#include "support/PdfTools.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
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
        writeFile(QStringLiteral("wall.snd"), QByteArrayLiteral("Bands: 0 1\r\nSpectrum: 2 0 0\r\n"
                                                                "Levels: 0 31.5\r\nLevels: 0 33\r\n"));
    start(data.toStdString());
    const QString pdf = m_dir.filePath(QStringLiteral("wall"));
    exportReport(QStringLiteral("Wall W2"), QStringLiteral("Lab test"), pdf);
    ASSERT_TRUE(QFile::exists(pdf + QStringLiteral(".pdf"))) << "a name without extension gets .pdf";
    QString words = test::PdfWords(pdf + QStringLiteral(".pdf"));
    EXPECT_TRUE(words.startsWith(QStringLiteral("Wall W2 File: ") + data)) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("Data: Attenuation Levels, Third Octave Bands")));
    EXPECT_TRUE(words.contains(QStringLiteral("Lab test")));
    EXPECT_TRUE(
        words.contains(QStringLiteral("SHA-256: ") + test::Sha256Sum(data) + QStringLiteral(" Lab test")))
        << "the file's own bytes, and nothing said of unsaved data";

    struct Step {
        const char* what;
        std::function<void()> change;
        bool unsaved;
    };
    const Step steps[] = {
        {"an edit not saved",
         [&] {
             QApplication::setActiveWindow(m_form.get());
             QTest::keyClick(keyTarget(), Qt::Key_Up);
         },
         true},
        {"saved to its file", [&] { m_form->Actions().Find("Save")->trigger(); }, false},
        // The document is unmodified, but its file no longer holds what it shows.
        {"the file changed by another program",
         [&] { writeFile(QStringLiteral("wall.snd"), QByteArrayLiteral("Bands: 0 1\r\nLevels: 0 99\r\n")); },
         true},
        {"the file gone", [&] { QFile::remove(data); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        const QString file = m_dir.filePath(QStringLiteral("%1.pdf").arg(step.what));
        exportReport(QStringLiteral("Wall W2"), QStringLiteral("Lab test, %1").arg(step.what), file);
        words = test::PdfWords(file);
        const QString fingerprint = step.unsaved ? unsavedFingerprint() : test::Sha256Sum(data);
        EXPECT_TRUE(words.contains(QStringLiteral("SHA-256: ") + fingerprint)) << words.toStdString();
        EXPECT_EQ(words.contains(QStringLiteral("unsaved")), step.unsaved);
        EXPECT_TRUE(words.contains(QStringLiteral("File: ") + data));
    }

    // Cancelling the title and note asks for no file and writes nothing.
    OnNextModalOf<QDialog>([](QDialog* dialog) { dialog->reject(); });
    m_form->Actions().Find("ExportReport")->trigger();
    EXPECT_EQ(m_form->Report().Note(), QStringLiteral("Lab test, the file gone"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 5);
}

TEST_F(ReportExportTest, PrintDrawsTheWindowsRatingsAndOverlayAsVectorArt)
{
    start("-third");
    for (int k = 0; k < model().Nodes.Count; ++k)
        model().Nodes.Node[k].Y = 35.0f + static_cast<float>(k % 6) * 4.0f;
    Recalculate(model());
    m_form->Document().ViewChanged();
    ShowHighlight(model(), m_context->Surface, HighlightNR);
    m_form->Report().SetTitleAndNote({}, {});

    const QString file = m_dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    SetUpReportPrinter(printer, QLocale(QLocale::English, QLocale::UnitedStates), {});
    ASSERT_TRUE(m_form->Report().PrintReport(printer));

    const test::PdfInfo info = test::ReadPdfInfo(file);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.pageSize.height(), 792, 1) << "Letter";
    EXPECT_TRUE(test::PdfImageSizes(file).empty());
    const QString words = test::PdfWords(file);
    EXPECT_TRUE(
        words.startsWith(QStringLiteral("Untitled File: Untitled Data: Pressure Levels, Third Octave Bands")))
        << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("NR:50"))) << "the overlay shown in the window";
    for (const RatingLine& line : RatingLines(model().Ratings, FamilyOf(model().Nodes.DataType)))
        EXPECT_TRUE(words.contains(QString::fromStdString(line.name + " " + line.value)));
    EXPECT_TRUE(
        words.contains(QStringLiteral("SHA-256: ") + unsavedFingerprint() + QStringLiteral(" (unsaved")));
}

TEST_F(ReportExportTest, ThePagesNameDataTypesAndBandSetsAsTheMenusDo)
{
    start();
    QStringList captions;
    for (QAction* item : test::Find<QMenu>(*m_form, "PtsMenu")->actions())
        if (item->data().isValid())
            captions << item->text().remove(u'&');
    EXPECT_EQ(captions, (QStringList{QString::fromStdString(DataTypeCaption(PressureLevels)),
                                     QString::fromStdString(DataTypeCaption(PowerLevels)),
                                     QString::fromStdString(DataTypeCaption(AttenuationLevels)),
                                     QString::fromStdString(DataTypeCaption(CorrectionFactors))}));
    for (const char* name : {"FullOctaveBands", "ThirdOctaveBands"}) {
        m_form->Actions().Find(name)->trigger();
        EXPECT_EQ(m_form->Actions().Find(name)->text().remove(u'&'),
                  QString::fromStdString(BandSetCaption(model())));
    }
}
