#include "app/MainForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"
#include "platform/QtSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <vector>

using namespace velmora;

namespace {

class MainFormTest : public velmora::test::MainFormFixture
{
protected:
    void storeSize(const QString& text)
    {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Velmora_Size"), text);
    }

    QString storedSize() const
    {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        return settings.value(QStringLiteral("Velmora_Size")).toString();
    }
};

struct ProgramRun {
    /** -1 when the program crashed or did not end within a minute. */
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/** Runs the built program in the given environment to its end. */
ProgramRun RunProgram(const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORA_PROGRAM), QStringList());
    const bool finished = process.waitForFinished(60000);
    ProgramRun result;
    if (finished && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

TEST_F(MainFormTest, FirstStartLaysOutTheDefaultWindow)
{
    TMainForm& form = start();
    EXPECT_EQ(form.frameGeometry().size(), QSize(456, 456));
    // Under the menu bar and the toolbar strip, the graph fills the central area down to the
    // result line, which has a row of its own above the button bar and the status line.
    const QWidget* central = form.centralWidget();
    const int w = central->width();
    const int h = central->height();
    EXPECT_EQ(w, form.width());
    EXPECT_EQ(test::Find<QWidget>(form, "GraphPanel")->geometry(), QRect(-1, 0, w + 1, h - 52));
    EXPECT_EQ(test::Find<CanvasWidget>(form, "GraphCanvas")->geometry(), QRect(1, 1, w - 2, h - 55));
    EXPECT_EQ(test::Find<QLabel>(form, "ResultPanel")->geometry(), QRect(2, h - 52, w - 4, 24));
    EXPECT_EQ(test::Find<QFrame>(form, "ButtonPanel")->geometry(), QRect(2, h - 26, 98, 24));
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->geometry(), QRect(104, h - 26, w - 106, 24));
    EXPECT_EQ(test::Find<QFrame>(form, "MainPanel")->size(), QSize(443, 86));
    EXPECT_LE(test::Find<QFrame>(form, "MainPanel")->mapTo(&form, QPoint(0, 0)).y() + 86, central->y());
    EXPECT_EQ(m_context->Surface.Width, w - 2);
    EXPECT_EQ(m_context->Surface.Height, h - 55);
    EXPECT_EQ(QApplication::focusWidget(), test::Find<CanvasWidget>(form, "GraphCanvas"))
        << "keys go to the graph";
}

TEST_F(MainFormTest, StartsWithNineOctaveNodesAndTheirRatings)
{
    TMainForm& form = start();
    EXPECT_EQ(model().Nodes.Count, 9);
    EXPECT_EQ(model().Nodes.Current, 0);
    EXPECT_TRUE(test::Find<QAction>(form, "FullOctaveBands")->isChecked());
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->text(), QStringLiteral(" 63Hz = 0.0dB"));
    EXPECT_EQ(test::Find<QLabel>(form, "ResultPanel")->text(),
              QStringLiteral(" dBA: 7.2, dBB: 7.5, dBC: 8.6, dBD: 14.2, NR: 7.6"));
}

TEST_F(MainFormTest, ThirdOctaveSwitchTakesEffectAtTheFirstLayout)
{
    TMainForm& form = start("-third");
    EXPECT_EQ(model().Nodes.Count, 27);
    EXPECT_TRUE(test::Find<QAction>(form, "ThirdOctaveBands")->isChecked());
    EXPECT_FALSE(test::Find<QAction>(form, "FullOctaveBands")->isChecked());
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->text(), QStringLiteral(" 50Hz = 0.0dB"));
    EXPECT_EQ(test::Find<QLabel>(form, "ResultPanel")->text(),
              QStringLiteral(" dBA: 11.9, dBB: 12.3, dBC: 13.3, dBD: 19.1, NR: 7.6"));
}

TEST_F(MainFormTest, GraphSwitchSetsTheLevelRangeInAnyCase)
{
    start("-GRAPH 20 100 5 -third");
    EXPECT_EQ(model().MinLevel, 20.0f);
    EXPECT_EQ(model().MaxLevel, 100.0f);
    EXPECT_EQ(model().LevelIncrement, 5.0f);
    EXPECT_EQ(m_context->Surface.WorldMin.y, 20.0f);
    EXPECT_EQ(m_context->Surface.WorldMax.y, 100.0f);
    EXPECT_EQ(model().Nodes.Count, 27);
}

TEST_F(MainFormTest, GraphSwitchWithMissingNumbersKeepsAUsableIncrement)
{
    start("-graph 10");
    EXPECT_EQ(model().MinLevel, 10.0f);
    EXPECT_EQ(model().MaxLevel, 0.0f);
    EXPECT_EQ(model().LevelIncrement, 10.0f) << "an increment of 0 is refused";
    EXPECT_EQ(m_context->Surface.WorldMin.y, 0.0f);
    EXPECT_EQ(m_context->Surface.WorldMax.y, 10.0f);
}

TEST_F(MainFormTest, OtherWordsAreDataFilesAndMissingOnesAreSkipped)
{
    const QString path = writeFile(QStringLiteral("third.snd"),
                                   "Bands: 0  1\r\nGraph: 10.00  90.00  20.00\r\nLevels: 50.0  42.500\r\n");

    TMainForm& form = start("-8va missing.snd " + path.toStdString() + " ab");
    EXPECT_EQ(model().Nodes.Count, 27) << "the file's band set overrides the earlier switch";
    EXPECT_TRUE(test::Find<QAction>(form, "ThirdOctaveBands")->isChecked());
    EXPECT_EQ(model().Nodes.Node[0].Y, 42.5f);
    EXPECT_EQ(model().MaxLevel, 90.0f);
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->text(), QStringLiteral(" 50Hz = 42.5dB"));
}

TEST_F(MainFormTest, AnArgumentNamingAFileMayHoldSpaces)
{
    const QString path = writeFile(QStringLiteral("my data.snd"), "Levels: 63.0  17.500\r\n");

    m_context = std::make_unique<AppContext>(std::make_unique<QtSettingsStore>(settingsFile()));
    m_form = std::make_unique<TMainForm>(*m_context);
    m_form->ProcessArguments({"-graph 0 100 20", path.toStdString()});
    EXPECT_EQ(model().Nodes.Node[0].Y, 17.5f);
    EXPECT_EQ(model().MaxLevel, 100.0f) << "other arguments are still split at spaces";
    EXPECT_EQ(model().LevelIncrement, 20.0f);
}

TEST_F(MainFormTest, SizePersistsAcrossRuns)
{
    TMainForm& form = start();
    const QSize frame = form.frameGeometry().size() - form.size();
    form.resize(QSize(600, 400) - frame);
    QApplication::processEvents();
    EXPECT_EQ(test::Find<QLabel>(form, "ResultPanel")->width(), form.width() - 4);
    stop();
    EXPECT_EQ(storedSize(), QStringLiteral("600 400"));

    TMainForm& again = start();
    EXPECT_EQ(again.frameGeometry().size(), QSize(600, 400));
}

TEST_F(MainFormTest, UnusableStoredSizesFallBackToTheDefault)
{
    for (const char* text : {"garbage", "600", "20 20", "99999 99999", "-5 400"}) {
        storeSize(QString::fromLatin1(text));
        TMainForm& form = start();
        EXPECT_EQ(form.frameGeometry().size(), QSize(456, 456)) << text;
        stop();
    }
    storeSize(QString(80, QLatin1Char('5')));
    EXPECT_EQ(start().frameGeometry().size(), QSize(456, 456)) << "80 characters do not fit the buffer";
}

TEST_F(MainFormTest, ASettingsFileThatIsNotARegularFileIsLeftAlone)
{
    // The program's own settings file a named pipe: the window still comes up (and, told to,
    // ends at its first paint).
    const QString config = m_dir.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/Pellinor")));
    const QString pipe = config + QStringLiteral("/Pellinor/Brevalis.conf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("VELMORA_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    const ProgramRun run = RunProgram(environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("first paint")) << run.out.toStdString();
    EXPECT_TRUE(std::filesystem::is_fifo(QFile::encodeName(pipe).toStdString()));

    // The default size, and a new size is not written over the pipe.
    ASSERT_EQ(mkfifo(QFile::encodeName(settingsFile()).constData(), 0600), 0);
    TMainForm& form = start();
    EXPECT_EQ(form.frameGeometry().size(), QSize(456, 456));
    form.resize(600, 400);
    stop();
    EXPECT_TRUE(std::filesystem::is_fifo(QFile::encodeName(settingsFile()).toStdString()));
}

TEST(MainProgramTest, ADisplayThatCannotBeOpenedIsOneLineAndExitStatusOne)
{
    if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X99")))
        GTEST_SKIP() << "a display server may listen on :99";
    // No display at all, and one that is set where no server listens.
    for (const char* display : {"", ":99"}) {
        SCOPED_TRACE(display);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        if (*display)
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        const ProgramRun run = RunProgram(environment);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith("velmora: ") && run.err.endsWith('\n') && run.err.count('\n') == 1)
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(display)) << run.err.toStdString();
    }
}

TEST(MainProgramTest, APlatformLayerThatFailsOtherwiseIsReportedInItsOwnWords)
{
    // A platform that does not exist has nothing to do with a display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    const ProgramRun run = RunProgram(environment);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.contains("cannot open the display")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("\"no-such-platform\"")) << "what the platform layer said";
    EXPECT_TRUE(run.err.contains("velmora: ")) << run.err.toStdString();
}

TEST_F(MainFormTest, TinyWindowsKeepTheGraphUsable)
{
    TMainForm& form = start();
    form.resize(40, 30);
    QApplication::processEvents();
    EXPECT_GE(form.width(), TMainForm::kMinimumClientSize.width());
    EXPECT_GE(form.height(), TMainForm::kMinimumClientSize.height());
    EXPECT_GT(m_context->Surface.Scale.x, 0.0f);
    EXPECT_GT(m_context->Surface.Scale.y, 0.0f);
    EXPECT_GT(test::Find<QLabel>(form, "ResultPanel")->width(), 0);
}

TEST_F(MainFormTest, ButtonsCarryTheirHints)
{
    TMainForm& form = start();
    EXPECT_EQ(test::Find<QToolButton>(form, "OpenButton")->statusTip(),
              QStringLiteral("Open Velmora data file."));
    EXPECT_EQ(test::Find<QToolButton>(form, "OpenButton")->toolTip(),
              QStringLiteral("Open Velmora data file."));
    EXPECT_EQ(test::Find<QToolButton>(form, "LogoButton")->statusTip(), QStringLiteral("About..."));
    EXPECT_EQ(test::Find<QToolButton>(form, "ZoomInButton")->toolTip(), QStringLiteral("Zoom in"));
    EXPECT_EQ(test::Find<QToolButton>(form, "FitButton")->toolTip(), QStringLiteral("Zoom to fit"));
    EXPECT_EQ(test::Find<QToolButton>(form, "ZoomOutButton")->toolTip(), QStringLiteral("Zoom out"));
    EXPECT_EQ(test::Find<QToolButton>(form, "SetupButton")->toolTip(), QStringLiteral("Edit graph settings"));
    EXPECT_EQ(form.windowTitle().left(7), QStringLiteral("Velmora"));
}

TEST_F(MainFormTest, RedrawClearsTheDrawingAreaOnly)
{
    TMainForm& form = start();
    ImageCanvas& canvas = form.GraphImage();
    canvas.SetBrush(kRed, BrushStyle::Solid);
    canvas.FillRect(0, 0, m_context->Surface.Width, m_context->Surface.Height);
    form.resize(form.width() + 10, form.height() + 10);
    QApplication::processEvents();

    // The bitmap is the drawing area, and all of it is drawn afresh.
    const QImage& image = canvas.image();
    const int w = m_context->Surface.Width;
    const int h = m_context->Surface.Height;
    EXPECT_EQ(image.size(), QSize(w, h));
    EXPECT_EQ(image.pixel(0, 0), ImageCanvas::toRgb(kButtonFace));
    EXPECT_EQ(image.pixel(w - 1, h - 1), ImageCanvas::toRgb(kButtonFace));
}
