#include "app/SpectrumDocument.h"
#include "app/FileDropFilter.h"
#include "app/MainForm.h"
#include "app/MainFormFixture.h"
#include "app/RecoveryFile.h"
#include "dialogs/NodesForm.h"
#include "edit/LevelEdit.h"
#include "io/DataFile.h"
#include "io/FileContents.h"
#include "io/RecentFiles.h"
#include "model/ModelTestSupport.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"
#include "support/FindChild.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

using namespace velmora;
using velmora::test::OnNextModal;

namespace {

class SpectrumDocumentTest : public velmora::test::MainFormFixture
{
protected:
    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(keyTarget(), code, modifiers);
    }

    /** Clicks the given button of the next message box, checking its text when one is given. */
    static void answerNext(QMessageBox::StandardButton button, const QString& text = {})
    {
        OnNextModal([button, text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            if (!text.isEmpty()) {
                EXPECT_EQ(box->text(), text);
            }
            box->button(button)->click();
        });
    }

    QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    SpectrumDocument& document() { return m_form->Document(); }
};

using test::SameData;
using test::SameModel;

TEST_F(SpectrumDocumentTest, EveryKindOfStepIsUndoneAndRedoneExactly)
{
    start();
    struct Step {
        const char* name;
        int node; // made current first, which is no step of its own
        std::function<void()> run;
        std::function<void()> prepare = [] {}; // a view change first, which is no step either
    };
    const Step steps[] = {
        {"key step", 3, [&] { key(Qt::Key_Up); }},
        {"drag", 5,
         [&] {
             const QPoint from = nodePixel(5);
             QTest::mousePress(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
             QTest::mouseMove(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), from + QPoint(0, -30));
             QTest::mouseMove(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), from + QPoint(0, -60));
             // Released far outside the window: the captured pointer still ends the drag.
             QTest::mouseRelease(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {},
                                 from + QPoint(0, -2000));
         }},
        {"typed level", 2,
         [&] {
             test::Find<TNodesForm>(*m_form, "NodesForm")->ShowNode(-1);
             test::Find<TNodesForm>(*m_form, "NodesForm")->NodeYEdit->setText(QStringLiteral("60+3.25"));
             test::Find<TNodesForm>(*m_form, "NodesForm")->ApplyLevel();
         }},
        {"data type", 0, [&] { test::Find<QAction>(*m_form, "DataType3")->trigger(); }},
        {"swap", 0, [&] { test::Find<QAction>(*m_form, "SwapSpectraB")->trigger(); }},
        {"key step on the other spectrum", 7, [&] { key(Qt::Key_Down, Qt::ShiftModifier); }},
        {"apply results", 0, [&] { test::Find<QAction>(*m_form, "ApplyResults2")->trigger(); },
         [&] { test::Find<QAction>(*m_form, "dBAWeighting1")->trigger(); }},
        {"third octaves", 0, [&] { test::Find<QAction>(*m_form, "ThirdOctaveBands")->trigger(); }},
        {"full octaves", 0, [&] { test::Find<QAction>(*m_form, "FullOctaveBands")->trigger(); }},
        {"reset to zero", 0,
         [&] {
             answerNext(QMessageBox::Ok);
             test::Find<QAction>(*m_form, "ResettoZero1")->trigger();
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const int depth = document().UndoStack().count();
        key(Qt::Key_Home);
        step.prepare();
        while (model().Nodes.Current > step.node)
            key(Qt::Key_Left);
        while (model().Nodes.Current < step.node)
            key(Qt::Key_Right);
        ASSERT_EQ(document().UndoStack().count(), depth) << "selecting and fitting are no steps";
        const TSpectrumModel before = model();
        const QImage beforePicture = freshPicture();

        step.run();
        // Offscreen, a closed message box leaves no window active for the keys.
        QApplication::setActiveWindow(m_form.get());
        ASSERT_EQ(document().UndoStack().count(), depth + 1);
        const TSpectrumModel after = model();
        const QImage afterPicture = freshPicture();
        ASSERT_FALSE(SameData(before, after));

        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(SameModel(model(), before));
        EXPECT_EQ(picture(), beforePicture);
        key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(SameModel(model(), after));
        EXPECT_EQ(picture(), afterPicture);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(picture(), afterPicture) << "nothing more to redo";
    }
    // The whole history back to the start, one step at a time.
    while (document().UndoStack().canUndo())
        key(Qt::Key_Z, Qt::ControlModifier);
    for (int k = 0; k < model().Nodes.Count; ++k)
        EXPECT_EQ(model().Nodes.Node[k].Y, 0.0f);
    EXPECT_FALSE(test::Find<QAction>(*m_form, "UndoAction")->isEnabled());
    EXPECT_FALSE(m_form->isWindowModified());
}

TEST_F(SpectrumDocumentTest, KeyStepsOnOneNodeMergeIntoOneStep)
{
    start();
    key(Qt::Key_Right, {});
    key(Qt::Key_Right);
    key(Qt::Key_Right); // 500 Hz
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Up);
    const QUndoStack& stack = document().UndoStack();
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(test::Find<QAction>(*m_form, "UndoAction")->text(), QStringLiteral("&Undo Level of 500Hz"));
    EXPECT_EQ(test::Find<QMenu>(*m_form, "PtsMenu")->actions().value(0),
              test::Find<QAction>(*m_form, "UndoAction"));

    key(Qt::Key_Right);
    key(Qt::Key_Up);
    EXPECT_EQ(stack.count(), 2) << "another node, another step";
    key(Qt::Key_Down);
    EXPECT_EQ(stack.count(), 1) << "up and down again leaves nothing to undo";
    key(Qt::Key_Left);
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_FLOAT_EQ(model().Nodes.Node[3].Y, 3.1f);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model().Nodes.Node[3].Y, 0.0f);
    EXPECT_EQ(model().Nodes.Current, 3) << "undo reselects the node";
    EXPECT_EQ(test::Find<QAction>(*m_form, "UndoAction")->text(), QStringLiteral("&Undo"));
    EXPECT_FALSE(test::Find<QAction>(*m_form, "UndoAction")->isEnabled());
    EXPECT_EQ(test::Find<QAction>(*m_form, "RedoAction")->text(), QStringLiteral("Re&do Level of 500Hz"));

    // Ctrl with the arrows still moves the view, and is no step.
    const float originX = m_context->Surface.Offset.x;
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_NE(m_context->Surface.Offset.x, originX);
    EXPECT_TRUE(stack.canRedo());
}

TEST_F(SpectrumDocumentTest, TheHistoryStaysBounded)
{
    start();
    SpectrumDocument& doc = document();
    constexpr int kSteps = SpectrumDocument::kUndoLimit + 700;
    for (int i = 0; i < kSteps; ++i) {
        model().Nodes.Current = i % 9;
        doc.Perform(MakeLevelEdit(model(), model().Nodes.Node[i % 9].Y + 1.0f, LevelEditKind::Typed));
    }
    EXPECT_EQ(doc.UndoStack().count(), SpectrumDocument::kUndoLimit);
    while (doc.UndoStack().canUndo())
        doc.UndoStack().undo();
    const int oldestKept = kSteps - SpectrumDocument::kUndoLimit;
    EXPECT_EQ(model().Nodes.Node[0].Y, static_cast<float>((oldestKept + 8) / 9));
    EXPECT_TRUE(m_form->isWindowModified()) << "the saved state was dropped from the history";
}

TEST_F(SpectrumDocumentTest, CaptionCleanStateAndSavingToTheSameFile)
{
    start();
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Velmora[*]"));
    EXPECT_FALSE(m_form->isWindowModified());
    key(Qt::Key_Up);
    EXPECT_TRUE(m_form->isWindowModified());

    const QString path = m_dir.filePath(QStringLiteral("survey.snd"));
    ASSERT_TRUE(m_form->Files().SaveDataFile(LocalPath(path)));
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("survey.snd[*] - Velmora"));
    EXPECT_FALSE(m_form->isWindowModified());
    key(Qt::Key_Right);
    key(Qt::Key_Up);
    EXPECT_TRUE(m_form->isWindowModified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(m_form->isWindowModified()) << "undone back to the saved state";

    // Ctrl+S writes to the file without a dialog.
    key(Qt::Key_Up);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(m_form->isWindowModified());
    EXPECT_EQ(readFile(path), QByteArray::fromStdString(DataFileText(model())));

    // A failed save says so, keeps the marker and the earlier file.
    const QByteArray saved = readFile(path);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/in-the-way")));
    key(Qt::Key_Up);
    QString title;
    OnNextModal([&title](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(title, QStringLiteral("Velmora: Save Failed"));
    EXPECT_TRUE(m_form->isWindowModified());

    // Opening a file clears the history and names the window after it.
    const QString other = writeFile(QStringLiteral("other.snd"), saved);
    answerNext(QMessageBox::Discard, QStringLiteral("Save changes to survey.snd?"));
    m_form->Files().OpenFileAsked(LocalPath(other));
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("other.snd[*] - Velmora"));
    EXPECT_FALSE(document().UndoStack().canUndo());
    EXPECT_FALSE(m_form->isWindowModified());

    // Both files are in the recent list, newest first; one that vanished is shown disabled.
    test::Find<QMenu>(*m_form, "RecentMenu")->aboutToShow();
    ASSERT_GE(test::Find<QMenu>(*m_form, "RecentMenu")->actions().size(), 2);
    EXPECT_TRUE(
        test::Find<QMenu>(*m_form, "RecentMenu")->actions()[0]->text().endsWith(QStringLiteral("other.snd")));
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "RecentMenu")->actions()[0]->isEnabled());
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "RecentMenu")
                    ->actions()[1]
                    ->text()
                    .endsWith(QStringLiteral("survey.snd")));
    EXPECT_FALSE(test::Find<QMenu>(*m_form, "RecentMenu")->actions()[1]->isEnabled());
}

TEST_F(SpectrumDocumentTest, TheCloseQuestionHasThreeAnswers)
{
    const QString path = writeFile(QStringLiteral("site.snd"), QByteArray());
    struct Case {
        QMessageBox::StandardButton answer;
        bool closes;
        bool written;
    };
    for (const Case& c : {Case{QMessageBox::Cancel, false, false}, Case{QMessageBox::Discard, true, false},
                          Case{QMessageBox::Save, true, true}}) {
        SCOPED_TRACE(c.answer);
        ASSERT_TRUE(QFile::resize(path, 0));
        start();
        ASSERT_TRUE(m_form->Files().SaveDataFile(LocalPath(path)));
        const QByteArray saved = readFile(path);
        key(Qt::Key_Up);
        const TSpectrumModel edited = model();
        answerNext(c.answer, QStringLiteral("Save changes to site.snd?"));
        m_form->resize(520, 480);
        EXPECT_EQ(m_form->close(), c.closes);
        EXPECT_EQ(m_form->isVisible(), !c.closes);
        EXPECT_EQ(readFile(path) != saved, c.written);
        if (!c.closes) {
            EXPECT_TRUE(SameModel(model(), edited));
            EXPECT_TRUE(m_form->isWindowModified());
            stop();
        } else {
            const QSettings settings(settingsFile(), QSettings::IniFormat);
            EXPECT_TRUE(settings.contains(QStringLiteral("Velmora_Size"))) << "closing still keeps the size";
            QFile::remove(settingsFile());
        }
    }

    // Without a file, Save goes through the Save dialog; cancelling it keeps the window.
    start();
    key(Qt::Key_Up);
    OnNextModal([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Save)->click();
        OnNextModal([](QWidget* dialog) {
            EXPECT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
            qobject_cast<QDialog*>(dialog)->reject();
        });
    });
    EXPECT_FALSE(m_form->close());
    EXPECT_TRUE(m_form->isWindowModified());
}

TEST_F(SpectrumDocumentTest, DroppedFilesOpenTheFirstDataFile)
{
    start();
    const QString good =
        writeFile(QStringLiteral("dropped.snd"), "Bands: 0 1\r\n" + QByteArray::fromStdString([] {
                                                     std::string levels;
                                                     for (int k = 0; k < 27; ++k)
                                                         levels += "Levels: 0 42\r\n";
                                                     return levels;
                                                 }()));
    const QString missing = m_dir.filePath(QStringLiteral("gone.snd"));
    struct Case {
        QList<QUrl> urls;
        QString first;
    };
    const Case cases[] = {
        {{QUrl::fromLocalFile(m_dir.path())}, {}},
        {{QUrl(QStringLiteral("https://example.org/a.snd"))}, {}},
        {{QUrl::fromLocalFile(m_dir.path()), QUrl(QStringLiteral("https://example.org/a.snd")),
          QUrl::fromLocalFile(good), QUrl::fromLocalFile(missing)},
         good},
        {{QUrl::fromLocalFile(missing)}, missing},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        EXPECT_EQ(FirstDroppedFile(&data), LocalPath(c.first));
    }

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_dir.path()), QUrl::fromLocalFile(good)});
    QDragEnterEvent enter(QPoint(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();
    EXPECT_EQ(model().Nodes.Count, 27);
    EXPECT_EQ(model().Nodes.Node[26].Y, 42.0f);
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("dropped.snd[*] - Velmora"));

    QString text;
    OnNextModal([&text](QWidget* modal) {
        text = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    QMimeData gone;
    gone.setUrls({QUrl::fromLocalFile(missing)});
    QDragEnterEvent enterGone(QPoint(100, 200), Qt::CopyAction, &gone, Qt::LeftButton, {});
    QApplication::sendEvent(m_form.get(), &enterGone);
    QDropEvent dropGone(QPointF(100, 200), Qt::CopyAction, &gone, Qt::LeftButton, {});
    QApplication::sendEvent(m_form.get(), &dropGone);
    QApplication::processEvents();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Could not read"))) << text.toStdString();
    EXPECT_EQ(model().Nodes.Node[26].Y, 42.0f);
}

TEST_F(SpectrumDocumentTest, UnsavedWorkIsRecoveredByTheNextInstance)
{
    start();
    key(Qt::Key_Up);
    key(Qt::Key_Right);
    key(Qt::Key_Up, Qt::ShiftModifier);
    const TSpectrumModel edited = model();
    const QString file = m_form->Recovery().FilePath();
    ASSERT_TRUE(m_form->Recovery().WriteNow());
    EXPECT_EQ(readFile(file), QByteArray::fromStdString(DataFileText(model())));
    // The program is killed: no close, nothing cleaned up.
    m_form.reset();
    ASSERT_TRUE(QFile::exists(file));

    start();
    OnNextModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Restore"))
                button->click();
    });
    m_form->OfferRecovery();
    // Which node is current is the view's, not the work's.
    TSpectrumModel restored = model();
    restored.Nodes.Current = edited.Nodes.Current;
    EXPECT_TRUE(SameData(restored, edited));
    EXPECT_TRUE(m_form->isWindowModified());
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Velmora[*]"));
    stop();
    EXPECT_FALSE(QFile::exists(file)) << "a clean exit removes it";

    // A recovery file that does not read is set aside and the program starts as usual.
    writeFile(QStringLiteral("recovery/recovery.snd"), "not a spectrum");
    start();
    m_form->OfferRecovery();
    EXPECT_FALSE(QFile::exists(file));
    const QStringList aside = QDir(recoveryFolder()).entryList({QStringLiteral("recovery-damaged-*.snd")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(readFile(QDir(recoveryFolder()).filePath(aside[0])), QByteArray("not a spectrum"));
    stop();

    // A folder that cannot be made turns recovery off, said once; editing goes on.
    writeFile(QStringLiteral("blocked"), "a file where the folder should be");
    m_context = std::make_unique<AppContext>(std::make_unique<QtSettingsStore>(settingsFile()));
    m_form = std::make_unique<TMainForm>(*m_context);
    m_form->Recovery().SetFolder(m_dir.filePath(QStringLiteral("blocked/recovery")));
    QSignalSpy said(&m_form->Recovery(), &RecoveryFile::Unavailable);
    key(Qt::Key_Up);
    EXPECT_FALSE(m_form->Recovery().WriteNow());
    EXPECT_FALSE(m_form->Recovery().WriteNow());
    EXPECT_EQ(said.count(), 1);
    EXPECT_TRUE(m_form->Recovery().IsOff());
}

} // namespace

TEST_F(SpectrumDocumentTest, ANameThatIsNotUtf8IsSavedUnderItsOwnBytes)
{
    // As a shell hands it over: "café.snd" in Latin-1, which is no UTF-8.
    const std::string folder = LocalPath(m_dir.path());
    const std::string name = folder + "/caf\xe9.snd";
    {
        std::FILE* file = std::fopen(name.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("Bands: 1 3\r\nLevels: 0 40\r\n", file);
        std::fclose(file);
    }
    start();
    m_form->ProcessArguments({name});
    EXPECT_EQ(document().FilePath(), name);
    key(Qt::Key_Up);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(m_form->isWindowModified());

    std::string text;
    ASSERT_TRUE(ReadFileContents(name, 4096, text));
    EXPECT_EQ(text, DataFileText(model())) << "the file named on the command line holds the edit";
    int spectra = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        spectra += entry.path().extension() == ".snd";
    EXPECT_EQ(spectra, 1) << "no second file under another name";
    const std::vector<std::string> recent = ReadRecentFiles(*m_context->Settings);
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent.front(), name) << "the recent list keeps the bytes";
    stop();
    start();
    test::Find<QMenu>(*m_form, "RecentMenu")->aboutToShow();
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "RecentMenu")->actions().value(0)->isEnabled());
    test::Find<QMenu>(*m_form, "RecentMenu")->actions().value(0)->trigger();
    EXPECT_EQ(document().FilePath(), name) << "and opens the file from it";

    // A drop carries the name percent-encoded; it too comes out as the name's bytes.
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(name).toPercentEncoding("/"))});
    EXPECT_EQ(FirstDroppedFile(&data), name);
}
