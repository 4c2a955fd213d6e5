#include "app/MainForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "dialogs/AboutBox.h"
#include "dialogs/GraphForm.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NodesForm.h"
#include "io/FileContents.h"
#include "support/FileSizeLimit.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>

#include <sys/stat.h>

using namespace velmora;
using velmora::test::OnNextModal;

namespace {

/** Types a file name into a file dialog, as a user would, and confirms it. */
void chooseFile(QFileDialog* dialog, const QString& path)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

class CommandsTest : public velmora::test::MainFormFixture
{
protected:
    QList<QAction*> checkedHighlightItems() const
    {
        QList<QAction*> checked;
        for (QAction* item : test::Find<QMenu>(*m_form, "HighlightMenu")->actions())
            if (item->isChecked())
                checked.append(item);
        return checked;
    }

    void answer(QMessageBox::StandardButton button)
    {
        OnNextModal([button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Velmora: Resetting..."));
            EXPECT_EQ(box->text(), QStringLiteral("Resetting nodes to zero.\nContinue?"));
            box->button(button)->click();
        });
    }

    /** Closes the next message box, keeping its title and text. */
    void recordMessage(QString& title, QString& text)
    {
        OnNextModal([&title, &text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
    }
};

} // namespace

TEST_F(CommandsTest, HighlightMenuHoldsItsItemsInOrder)
{
    start();
    QStringList captions;
    for (QAction* item : test::Find<QMenu>(*m_form, "HighlightMenu")->actions())
        captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(captions, (QStringList{"&Edit Other Spectra\tPgUp",
                                     "&Import Levels...",
                                     "-",
                                     "dB&A Weighting",
                                     "dB&B Weighting",
                                     "dB&C Weighting",
                                     "dB&D Weighting",
                                     "Calculated Re&sults",
                                     "Safe E&xposure Levels",
                                     "Sound &Transmission Class",
                                     "Noise Ratings &Lines",
                                     "-",
                                     "Third &Octave Bands",
                                     "&Full Octave Bands",
                                     "-",
                                     "A&pply Calculated Results",
                                     "Reset Nodes to &Zero",
                                     "Edit &Node(s)...\tEnter",
                                     "Edit &Graph...",
                                     "-",
                                     "&Ratings Panel"}));
}

TEST_F(CommandsTest, EveryCommandIsInTheMenuBarAndNoAccessKeyServesTwoItemsOfOneMenu)
{
    start();
    QMenuBar* bar = m_form->menuBar();
    QStringList titles;
    for (QAction* menu : bar->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Compare", "&Ratings", "&Help"}));

    // Every menu of the window, the pop-ups and submenus included: one item per access key.
    QList<QAction*> reachable;
    const std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        QMap<QChar, QString> keys;
        for (QAction* item : menu->actions()) {
            reachable << item;
            const QString text = item->text();
            const qsizetype amp = text.indexOf(u'&');
            if (amp >= 0 && amp + 1 < text.size()) {
                const QChar key = text[amp + 1].toLower();
                EXPECT_FALSE(keys.contains(key))
                    << menu->objectName().toStdString() << ": " << text.toStdString() << " and "
                    << keys.value(key).toStdString();
                keys[key] = text;
            }
            if (item->menu())
                walk(item->menu());
        }
    };
    for (QMenu* menu : m_form->findChildren<QMenu*>())
        walk(menu);

    QList<QAction*> inBar;
    const std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* item : menu->actions()) {
            inBar << item;
            if (item->menu())
                collect(item->menu());
        }
    };
    for (QAction* menu : bar->actions())
        collect(menu->menu());
    const struct {
        const char* name;
        QKeySequence keys;
    } commands[] = {
        {"Open", QKeySequence::Open},
        {"Save", QKeySequence::Save},
        {"SaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ImportFromLibrary1", {}},
        {"Copy", QKeySequence::Copy},
        {"Print", QKeySequence::Print},
        {"UndoAction", QKeySequence::Undo},
        {"RedoAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"PasteLevels1", QKeySequence::Paste},
        {"EditNodes1", {}},
        {"DataType1", {}},
        {"DataType4", {}},
        {"SwapSpectra1", {}},
        {"ApplyResults1", {}},
        {"ThirdOctaveBands", {}},
        {"FullOctaveBands", {}},
        {"ResettoZero1", {}},
        {"ZoomIn", {}},
        {"ZoomOut", {}},
        {"Fit", {}},
        {"EditGraph1", {}},
        {"dBAWeighting1", {}},
        {"NoiseRatingsLines1", {}},
        {"RatingsPanelAction", QKeySequence(Qt::Key_F2)},
        {"CompareWith", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"SaveComparison", {}},
        {"AverageEnergetic", {}},
        {"AverageArithmetic", {}},
        {"ShowAllCompared", {}},
        {"HideAllCompared", {}},
        {"RemoveAllCompared", {}},
        {"CompareViewAction", QKeySequence(Qt::SHIFT | Qt::Key_F2)},
        {"Help", QKeySequence::HelpContents},
        {"About", {}},
    };
    for (const auto& c : commands) {
        QAction* action = m_form->findChild<QAction*>(QString::fromUtf8(c.name));
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_TRUE(inBar.contains(action)) << c.name;
        if (!c.keys.isEmpty()) {
            EXPECT_TRUE(action->shortcuts().contains(c.keys)) << c.name;
        }
    }
    // No key serves two commands: Qt would take it for neither.
    QMap<QString, QString> keys;
    for (QAction* action : m_form->findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(keys.contains(key.toString()))
                << key.toString().toStdString() << ": " << action->objectName().toStdString() << " and "
                << keys.value(key.toString()).toStdString();
            keys[key.toString()] = action->objectName();
        }
    EXPECT_NE(test::Find<QMenu>(*m_form, "RecentMenu")->menuAction(), nullptr);
    EXPECT_TRUE(inBar.contains(test::Find<QMenu>(*m_form, "RecentMenu")->menuAction()));
}

TEST_F(CommandsTest, HighlightItemsToggleTheirOverlayAndShareOneCheckMark)
{
    start();
    test::Find<QAction>(*m_form, "dBAWeighting1")->trigger();
    EXPECT_EQ(model().HighlightMode, HighlightA);
    EXPECT_EQ(checkedHighlightItems(), (QList<QAction*>{test::Find<QAction>(*m_form, "dBAWeighting1"),
                                                        test::Find<QAction>(*m_form, "FullOctaveBands")}));
    m_form->Actions().UpdatePopupMenu();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "ApplyResults1")->isEnabled());

    test::Find<QAction>(*m_form, "dBAWeighting1")->trigger();
    EXPECT_EQ(model().HighlightMode, HighlightNone);
    EXPECT_EQ(checkedHighlightItems(), QList<QAction*>{test::Find<QAction>(*m_form, "FullOctaveBands")});
    m_form->Actions().UpdatePopupMenu();
    EXPECT_FALSE(test::Find<QAction>(*m_form, "ApplyResults1")->isEnabled());

    test::Find<QAction>(*m_form, "dBBWeighting1")->trigger();
    model().OtherLevels.fill(60.0f);
    model().Nodes.Node[0].Y = 60.0f;
    test::Find<QAction>(*m_form, "Results1")->trigger();
    EXPECT_EQ(model().HighlightMode, HighlightResults) << "straight from mode 2 to mode 5";
    EXPECT_NEAR(model().Results[0], 66.02, 0.01) << "results are computed before the overlay shows";
    test::Find<QAction>(*m_form, "NoiseRatingsLines1")->trigger();
    EXPECT_EQ(checkedHighlightItems(), (QList<QAction*>{test::Find<QAction>(*m_form, "NoiseRatingsLines1"),
                                                        test::Find<QAction>(*m_form, "FullOctaveBands")}));
}

TEST_F(CommandsTest, BandItemsConvertOnlyWhenNeeded)
{
    start();
    test::Find<QAction>(*m_form, "SoundTransmissionClass1")->trigger();
    test::Find<QAction>(*m_form, "FullOctaveBands")->trigger();
    EXPECT_EQ(model().Nodes.Count, 9) << "already full octave: nothing";
    EXPECT_EQ(checkedHighlightItems(),
              (QList<QAction*>{test::Find<QAction>(*m_form, "SoundTransmissionClass1"),
                               test::Find<QAction>(*m_form, "FullOctaveBands")}));

    model().Nodes.Node[0].Y = 60.0f;
    model().Nodes.Node[1].Y = 70.0f;
    test::Find<QAction>(*m_form, "ThirdOctaveBands")->trigger();
    EXPECT_EQ(model().Nodes.Count, 27);
    EXPECT_NEAR(model().Nodes.Node[2].Y, 63.49, 0.01);
    EXPECT_EQ(checkedHighlightItems(),
              (QList<QAction*>{test::Find<QAction>(*m_form, "SoundTransmissionClass1"),
                               test::Find<QAction>(*m_form, "ThirdOctaveBands")}))
        << "the overlay and the band set each keep their own mark";
    EXPECT_EQ(model().HighlightMode, HighlightSTC) << "the overlay itself stays";

    test::Find<QAction>(*m_form, "ThirdOctaveBands")->trigger();
    EXPECT_EQ(checkedHighlightItems(),
              (QList<QAction*>{test::Find<QAction>(*m_form, "SoundTransmissionClass1"),
                               test::Find<QAction>(*m_form, "ThirdOctaveBands")}));
    test::Find<QAction>(*m_form, "SoundTransmissionClass1")->trigger();
    EXPECT_EQ(model().HighlightMode, HighlightNone) << "choosing the checked overlay takes it away";
    EXPECT_EQ(checkedHighlightItems(), QList<QAction*>{test::Find<QAction>(*m_form, "ThirdOctaveBands")});
    test::Find<QAction>(*m_form, "FullOctaveBands")->trigger();
    EXPECT_EQ(model().Nodes.Count, 9);
    EXPECT_EQ(model().Nodes.Node[1].Y, 70.0f);
}

TEST_F(CommandsTest, SwapApplyAndResetChangeTheSpectrum)
{
    start();
    model().OtherLevels.fill(40.0f);
    test::Find<QAction>(*m_form, "SwapSpectra1")->trigger();
    EXPECT_EQ(model().Nodes.Node[3].Y, 40.0f);
    test::Find<QAction>(*m_form, "SwapSpectraB")->trigger();
    EXPECT_EQ(model().Nodes.Node[3].Y, 0.0f);

    model().Nodes.Node[3].Y = 50.0f;
    test::Find<QAction>(*m_form, "Results1")->trigger();
    const float before = model().Nodes.Node[3].Y;
    test::Find<QAction>(*m_form, "ApplyResults1")->trigger();
    EXPECT_NE(model().Nodes.Node[3].Y, before);
    test::Find<QAction>(*m_form, "ApplyResults2")->trigger();
    EXPECT_EQ(model().Nodes.Node[3].Y, before) << "applying twice in mode 5 swaps back";

    answer(QMessageBox::Cancel);
    test::Find<QAction>(*m_form, "ResettoZero1")->trigger();
    EXPECT_EQ(model().Nodes.Node[3].Y, before);
    // Reset is a step like any other: undo takes it back, so only its own question comes.
    answer(QMessageBox::Ok);
    test::Find<QAction>(*m_form, "ResettoZero1")->trigger();
    for (int k = 0; k < model().Nodes.Count; ++k)
        EXPECT_EQ(model().Nodes.Node[k].Y, 0.0f);
    EXPECT_EQ(model().OtherLevels[3], 40.0f) << "the other spectrum stays";
}

TEST_F(CommandsTest, NodeMenuDataTypesAreCheckedOnlyByTheirHandler)
{
    start();
    m_form->Actions().UpdateNodeMenu();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "DataType1")->isChecked());
    test::Find<QAction>(*m_form, "DataType3")->trigger();
    EXPECT_EQ(model().Nodes.DataType, AttenuationLevels);
    EXPECT_TRUE(test::Find<QAction>(*m_form, "DataType3")->isChecked());
    EXPECT_FALSE(test::Find<QAction>(*m_form, "DataType1")->isChecked());
    test::Find<QAction>(*m_form, "DataType3")->trigger();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "DataType3")->isChecked())
        << "choosing the type in force does nothing";
    EXPECT_EQ(model().Nodes.DataType, AttenuationLevels);
    model().Nodes.DataType = 7;
    m_form->Actions().UpdateNodeMenu();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "DataType1")->isChecked())
        << "an unknown type shows as pressure levels";
}

TEST_F(CommandsTest, SmallButtonsZoomFitAndEditTheExtents)
{
    start();
    const float scale = m_context->Surface.Scale.x;
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "ZoomInButton"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(m_context->Surface.Scale.x, scale * 1.1f);
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "FitButton"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(m_context->Surface.Scale.x, scale);
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "ZoomOutButton"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(m_context->Surface.Scale.x, scale * 0.90909094f);

    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TGraphForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->MaxLevelEdit->setText(QStringLiteral("90"));
        dialog->OKButton->click();
    });
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "SetupButton"), Qt::LeftButton);
    EXPECT_EQ(model().MaxLevel, 90.0f);

    OnNextModal([](QWidget* modal) {
        ASSERT_NE(qobject_cast<TGraphForm*>(modal), nullptr);
        modal->close();
    });
    test::Find<QAction>(*m_form, "EditGraph1")->trigger();
    OnNextModal([](QWidget* modal) {
        ASSERT_NE(qobject_cast<TNodesForm*>(modal), nullptr);
        modal->close();
    });
    test::Find<QAction>(*m_form, "EditNodes1")->trigger();
    OnNextModal([](QWidget* modal) {
        ASSERT_NE(qobject_cast<TNodesForm*>(modal), nullptr);
        modal->close();
    });
    test::Find<QAction>(*m_form, "EditNodes")->trigger();
}

TEST_F(CommandsTest, ToolbarOpensMenusHelpAndAbout)
{
    TMainForm& form = start();
    QTest::mouseClick(test::Find<QToolButton>(form, "SettingsButton"), Qt::LeftButton);
    EXPECT_TRUE(test::Find<QMenu>(form, "HighlightMenu")->isVisible());
    QToolButton* settings = test::Find<QToolButton>(form, "SettingsButton");
    const QPoint corner = settings->mapToGlobal(QPoint(-2, settings->height()));
    EXPECT_EQ(test::Find<QMenu>(form, "HighlightMenu")->pos(), corner);
    test::Find<QMenu>(form, "HighlightMenu")->hide();

    QTest::mouseClick(test::Find<QToolButton>(form, "HelpButton"), Qt::LeftButton);
    EXPECT_TRUE(test::Find<HelpWindow>(form, "Help")->isVisible());
    EXPECT_TRUE(test::Find<HelpWindow>(form, "Help")
                    ->Browser->source()
                    .toString()
                    .endsWith(QStringLiteral("index.html")));
    test::Find<HelpWindow>(form, "Help")->hide();
    QTest::keyClick(keyTarget(), Qt::Key_F1);
    EXPECT_TRUE(test::Find<HelpWindow>(form, "Help")->isVisible()) << "F1 shows the help too";

    bool about = false;
    OnNextModal([&about](QWidget* modal) {
        about = qobject_cast<TAboutBox*>(modal) != nullptr;
        modal->close();
    });
    QTest::mouseClick(test::Find<QToolButton>(form, "LogoButton"), Qt::LeftButton);
    EXPECT_TRUE(about);
}

TEST_F(CommandsTest, OpenAndSaveGoThroughTheFileDialogs)
{
    start();
    const QString saved = m_dir.filePath(QStringLiteral("spectrum"));
    model().Nodes.Node[2].Y = 42.25f;
    OnNextModal([saved](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Velmora Data..."));
        chooseFile(dialog, saved);
    });
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "SaveButton"), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(saved + QStringLiteral(".snd"))) << "a name without extension gets .snd";

    model().Nodes.Node[2].Y = 0.0f;
    OnNextModal([saved](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Open Velmora Data..."));
        EXPECT_TRUE(dialog->nameFilters().constFirst().startsWith(QStringLiteral("Velmora Data Files ")));
        chooseFile(dialog, saved + QStringLiteral(".snd"));
    });
    QApplication::setActiveWindow(m_form.get());
    QTest::keyClick(keyTarget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(model().Nodes.Node[2].Y, 42.25f);

    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    model().Nodes.Node[2].Y = 1.0f;
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "OpenButton"), Qt::LeftButton);
    EXPECT_EQ(model().Nodes.Node[2].Y, 1.0f) << "Cancel reads nothing";
}

TEST_F(CommandsTest, FailedSavesAndOpensAreReported)
{
    start();
    QString title;
    QString text;
    recordMessage(title, text);
    EXPECT_FALSE(m_form->Files().SaveDataFile(LocalPath(QStringLiteral("/nonexistent-folder/spectrum.snd"))));
    EXPECT_TRUE(title.startsWith(QStringLiteral("Velmora: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("spectrum.snd"))) << text.toStdString();

    // Open says why, in the reader's words.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.snd"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.snd")));
    const std::pair<QString, QString> opens[] = {
        {QStringLiteral("missing.snd"), QString::fromStdString(std::strerror(ENOENT))},
        {QStringLiteral("pipe.snd"), QStringLiteral("it is not a regular file")},
        {QStringLiteral("folder.snd"), QStringLiteral("it is a directory")},
    };
    for (const auto& [name, reason] : opens) {
        recordMessage(title, text);
        EXPECT_FALSE(m_form->Files().OpenDataFile(LocalPath(m_dir.filePath(name))));
        EXPECT_TRUE(title.startsWith(QStringLiteral("Velmora: ")));
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
        EXPECT_TRUE(text.contains(reason)) << text.toStdString();
    }
}

TEST_F(CommandsTest, EveryHighlightAndDataTypeItemDrivesTheModel)
{
    start();
    const QList<QAction*> highlights = {test::Find<QAction>(*m_form, "dBAWeighting1"),
                                        test::Find<QAction>(*m_form, "dBBWeighting1"),
                                        test::Find<QAction>(*m_form, "dBCWeighting1"),
                                        test::Find<QAction>(*m_form, "dBDWeighting1"),
                                        test::Find<QAction>(*m_form, "Results1"),
                                        test::Find<QAction>(*m_form, "SafeWorkingLevels1"),
                                        test::Find<QAction>(*m_form, "SoundTransmissionClass1"),
                                        test::Find<QAction>(*m_form, "NoiseRatingsLines1")};
    for (int tag = HighlightA; tag <= HighlightNR; ++tag) {
        QAction* item = highlights[tag - 1];
        EXPECT_EQ(item->data().toInt(), tag);
        item->trigger();
        EXPECT_EQ(model().HighlightMode, tag);
        EXPECT_EQ(checkedHighlightItems(),
                  (QList<QAction*>{item, test::Find<QAction>(*m_form, "FullOctaveBands")}));
        m_form->Actions().UpdatePopupMenu();
        m_form->Actions().UpdateNodeMenu();
        EXPECT_EQ(test::Find<QAction>(*m_form, "ApplyResults1")->isEnabled(), tag <= HighlightResults) << tag;
        EXPECT_EQ(test::Find<QAction>(*m_form, "ApplyResults2")->isEnabled(), tag <= HighlightResults) << tag;
    }
    const QList<QAction*> types = {
        test::Find<QAction>(*m_form, "DataType1"), test::Find<QAction>(*m_form, "DataType2"),
        test::Find<QAction>(*m_form, "DataType3"), test::Find<QAction>(*m_form, "DataType4")};
    for (int type = CorrectionFactors; type >= PressureLevels; --type) {
        types[type]->trigger();
        EXPECT_EQ(model().Nodes.DataType, type);
        for (QAction* item : types)
            EXPECT_EQ(item->isChecked(), item == types[type]);
    }
}

TEST_F(CommandsTest, CopyAndPrintButtons)
{
    start();
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "ClipBdButton"), Qt::LeftButton);
    ASSERT_NE(QGuiApplication::clipboard()->mimeData(), nullptr);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));

    bool asked = false;
    OnNextModal([&asked](QWidget* modal) {
        asked = modal->inherits("QPrintDialog") || modal->inherits("QAbstractPrintDialog");
        qobject_cast<QDialog*>(modal)->reject();
    });
    QTest::mouseClick(test::Find<QToolButton>(*m_form, "PrintButton"), Qt::LeftButton);
    EXPECT_TRUE(asked) << "the print dialog comes first; Cancel prints nothing";
}

TEST_F(CommandsTest, AFailedSaveHalfWayKeepsTheOldFileAndSaysSo)
{
    // The file-size limit's signal ends a process unless it is ignored, so the save runs in a child
    // process of its own (a fresh run of this test) that starts as the program's main() does.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    start("-third");
    model().Nodes.Node[4].Y = 42.5f;
    const QString path = writeFile(QStringLiteral("survey.snd"), "# an earlier spectrum\r\n");
    const auto saveUnderTheLimit = [&] {
        QString title;
        QString text;
        recordMessage(title, text);
        bool written = true;
        {
            const velmora::test::FileSizeLimit limit(100);
            if (!limit.Applied())
                std::_Exit(2);
            IgnoreFileSizeSignal(); // as main() does first thing
            written = m_form->Files().SaveDataFile(LocalPath(path));
        }
        QFile old(path);
        const bool kept = old.open(QIODevice::ReadOnly) && old.readAll() == "# an earlier spectrum\r\n" &&
                          QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden) ==
                              QStringList{QStringLiteral("survey.snd")};
        const bool told = title.startsWith(QStringLiteral("Velmora: ")) &&
                          text.contains(QStringLiteral("survey.snd")) &&
                          text.contains(QStringLiteral("File too large"));
        const bool alive =
            m_form->isVisible() && model().Nodes.Count == 27 && model().Nodes.Node[4].Y == 42.5f;
        std::fprintf(stderr, "written %d, old file kept %d, told %d (%s), window and spectrum alive %d\n",
                     written, kept, told, qPrintable(text), alive);
        m_dir.remove();
        std::_Exit(!written && kept && told && alive ? 0 : 1);
    };
    EXPECT_EXIT(saveUnderTheLimit(), ::testing::ExitedWithCode(0), "written 0");
}

TEST_F(CommandsTest, AppliedResultsShowAtOnceInBothLines)
{
    start();
    for (int k = 0; k < model().Nodes.Count; ++k)
        model().Nodes.Node[k].Y = 55.0f;
    test::Find<QAction>(*m_form, "dBAWeighting1")->trigger();
    const QString result = test::Find<QLabel>(*m_form, "ResultPanel")->text();
    test::Find<QAction>(*m_form, "ApplyResults1")->trigger();
    EXPECT_NEAR(model().Nodes.Node[0].Y, 28.8f, 0.05f);
    EXPECT_EQ(test::Find<QLabel>(*m_form, "StatusPanel")->text(), QStringLiteral(" 63Hz = 28.8dB"));
    EXPECT_NE(test::Find<QLabel>(*m_form, "ResultPanel")->text(), result);
}
