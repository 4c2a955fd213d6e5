#include "app/MainForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "app/RatingsBandTable.h"
#include "app/RatingsPanel.h"
#include "entry/NumberText.h"
#include "io/BandTable.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QTableWidget>
#include <QUrl>

#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::OnNextModal;

namespace {

class LevelsTransferTest : public velmora::test::MainFormFixture
{
protected:
    /** Closes the next message box and keeps its title and text. */
    void expectMessage()
    {
        m_message.clear();
        OnNextModal([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            m_message = box->windowTitle() + u'|' + box->text();
            box->accept();
        });
    }

    std::vector<float> levels() const
    {
        std::vector<float> y;
        for (int k = 0; k < m_context->Model.Nodes.Count; ++k)
            y.push_back(m_context->Model.Nodes.Node[k].Y);
        return y;
    }

    /** Drops a file's URL on the window as a file manager would; true when the drag was taken. */
    bool drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPointF at(m_form->width() / 2.0, m_form->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_form.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_form.get(), &dropped);
        return true;
    }

    QString m_message;
};

} // namespace

TEST_F(LevelsTransferTest, CopyOffersTheBandTableAsTextAndHtmlBesideThePicture)
{
    start("-third");
    QTest::keyClick(keyTarget(), Qt::Key_F2);
    // Single-precision sums of these print as noise ("14.799999") when not rounded.
    for (int k = 0; k < model().Nodes.Count; ++k)
        model().Nodes.Node[k].Y = 40.25f + 0.37f * static_cast<float>(k);
    Recalculate(model());
    m_form->Document().ViewChanged();
    QTest::keyClick(keyTarget(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(data->hasImage());
    const QString point = QLocale::system().decimalPoint();
    EXPECT_EQ(data->text().toStdString(), BandTableText(model(), point.toStdString()));
    EXPECT_EQ(data->html().toStdString(), BandTableHtml(model(), point.toStdString()));
    EXPECT_EQ(data->data(QStringLiteral("text/plain")), data->text().toUtf8());

    // Each cell the ratings panel shows too reads as the panel shows it, in the desktop's separator.
    const QStringList lines = data->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), model().Nodes.Count + 1);
    const QTableWidget& panel = *test::Find<RatingsPanel>(*m_form, "RatingsPanel")->Table;
    QStringList shownLevels;
    for (int k = 0; k < model().Nodes.Count; ++k) {
        const QStringList cells = lines[k + 1].split(u'\t');
        ASSERT_EQ(cells.size(), 8);
        const std::pair<int, int> same[] = {
            {0, RatingsBandTable::FrequencyColumn}, {1, RatingsBandTable::LevelColumn},
            {3, RatingsBandTable::AColumn},         {4, RatingsBandTable::BColumn},
            {5, RatingsBandTable::CColumn},         {6, RatingsBandTable::DColumn}};
        for (const auto& [copied, shown] : same)
            EXPECT_EQ(cells[copied], panel.item(k, shown)->text().replace(u'.', point))
                << k << ", " << copied;
        shownLevels << panel.item(k, RatingsBandTable::LevelColumn)->text();
    }

    // Pasted back in another window, the copy gives the levels as the window showed them.
    stop();
    start();
    QTest::keyClick(keyTarget(), Qt::Key_V, Qt::ControlModifier);
    QStringList pasted;
    for (const float level : levels())
        pasted << QString::fromStdString(FixedText(level, 1));
    EXPECT_EQ(pasted, shownLevels);
    EXPECT_TRUE(test::Find<QAction>(*m_form, "ThirdOctaveBands")->isChecked())
        << "the band set follows the copied table";
}

TEST_F(LevelsTransferTest, PasteTakesASpreadsheetColumnAndRefusesWhatItCannotRead)
{
    start();
    QGuiApplication::clipboard()->setText(
        QStringLiteral("60\r\n61\r\n62\r\n63\r\n64\r\n65\r\n66\r\n67\r\n68\r\n"));
    test::Find<QAction>(*m_form, "PasteLevels1")->trigger();
    EXPECT_EQ(levels(), (std::vector<float>{60, 61, 62, 63, 64, 65, 66, 67, 68}));
    EXPECT_TRUE(test::Find<QLabel>(*m_form, "ResultPanel")->text().contains(QStringLiteral("dBA")))
        << "the ratings follow";

    struct Refused {
        QString text;
        const char* words;
    };
    const Refused cases[] = {
        {QStringLiteral("63;40\n31.5;45"), "Line 2: 31.5 Hz"},
        {QString(1100000, u'1'), "larger than 1 MiB"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.words);
        QGuiApplication::clipboard()->setText(c.text);
        expectMessage();
        m_form->Files().PasteLevelsClick();
        EXPECT_TRUE(m_message.startsWith(QStringLiteral("Velmora: Paste Failed|")))
            << m_message.toStdString();
        EXPECT_TRUE(m_message.contains(QString::fromLatin1(c.words))) << m_message.toStdString();
        EXPECT_EQ(levels(), (std::vector<float>{60, 61, 62, 63, 64, 65, 66, 67, 68}));
    }
    QGuiApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));
    expectMessage();
    m_form->Files().PasteLevelsClick();
    EXPECT_TRUE(m_message.contains(QStringLiteral("no text"))) << m_message.toStdString();
}

TEST_F(LevelsTransferTest, ImportAndDropReadTableFilesAsPasteDoes)
{
    start();
    const QString pairs =
        writeFile(QStringLiteral("meter.CSV"), "Frequency;Level\r\n1 kHz;45,5\r\n1k25;50\r\n");
    OnNextModal([pairs](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(pairs);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    test::Find<QAction>(*m_form, "ImportFromLibrary1")->trigger();
    ASSERT_EQ(model().Nodes.Count, 27) << "1.25 kHz is a third-octave band";
    EXPECT_TRUE(test::Find<QAction>(*m_form, "ThirdOctaveBands")->isChecked());
    EXPECT_EQ(model().Nodes.Node[13].Y, 45.5f);
    EXPECT_EQ(model().Nodes.Node[14].Y, 50.0f);

    // A dropped table is imported as the menu's Import is, after the unsaved-changes question.
    const QString column = writeFile(QStringLiteral("levels.txt"), "30\n31\n32\n33\n34\n35\n36\n37\n38\n");
    OnNextModal([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Discard)->click();
    });
    EXPECT_TRUE(drop(column));
    QApplication::processEvents();
    EXPECT_EQ(levels(), (std::vector<float>{30, 31, 32, 33, 34, 35, 36, 37, 38}));
    EXPECT_TRUE(test::Find<QAction>(*m_form, "FullOctaveBands")->isChecked());

    // One undo takes the band-set switch and the levels back together, one redo brings both again.
    test::Find<QAction>(*m_form, "UndoAction")->trigger();
    ASSERT_EQ(model().Nodes.Count, 27);
    EXPECT_EQ(model().Nodes.Node[13].Y, 45.5f);
    EXPECT_TRUE(test::Find<QAction>(*m_form, "ThirdOctaveBands")->isChecked());
    test::Find<QAction>(*m_form, "RedoAction")->trigger();
    EXPECT_EQ(levels(), (std::vector<float>{30, 31, 32, 33, 34, 35, 36, 37, 38}));

    // A table that cannot be read changes nothing and says why.
    const QString bad = writeFile(QStringLiteral("bad.csv"), "63;40\n80;x\n");
    expectMessage();
    EXPECT_FALSE(m_form->Files().ImportLevelsFile(LocalPath(bad)));
    EXPECT_TRUE(m_message.contains(QStringLiteral("Import Failed"))) << m_message.toStdString();
    EXPECT_TRUE(m_message.contains(QStringLiteral("Line 2:"))) << m_message.toStdString();
    expectMessage();
    EXPECT_FALSE(m_form->Files().ImportLevelsFile(LocalPath(m_dir.filePath(QStringLiteral("missing.csv")))));
    EXPECT_TRUE(m_message.contains(QStringLiteral("Could not read"))) << m_message.toStdString();
    EXPECT_EQ(levels(), (std::vector<float>{30, 31, 32, 33, 34, 35, 36, 37, 38}));
}
