#include "app/GraphExport.h"
#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::Ramp;

namespace {

class GraphRenderTest : public CalcToolTest
{
protected:
    void SetUp() override
    {
        m_data = write(QStringLiteral("wall.snd"),
                       DataText(true, PressureLevels, PressureLevels, Ramp(27, 30, 2), Ramp(27, 75, -1)));
    }

    /** The window's graph bitmap, as much of it as the graph covers. */
    QImage windowGraph() const
    {
        return m_form->GraphImage().image().copy(0, 0, m_context->Surface.Width, m_context->Surface.Height);
    }

    QString m_data;
};

/** The files in a folder, hidden ones included. */
QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST_F(GraphRenderTest, PngIsTheWindowsOwnGraph)
{
    struct Case {
        const char* overlay;
        const char* item;
    };
    const Case cases[] = {
        {"none", nullptr},
        {"dba", "dBAWeighting1"},
        {"dbd", "dBDWeighting1"},
        {"results", "Results1"},
        {"safe", "SafeWorkingLevels1"},
        {"stc", "SoundTransmissionClass1"},
        {"nr", "NoiseRatingsLines1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.overlay);
        const CalcRun result =
            run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("-o"),
                 QStringLiteral("wall.png"), QStringLiteral("--overlay"), QString::fromLatin1(c.overlay)});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QImage png(path(QStringLiteral("wall.png")), "PNG");
        ASSERT_EQ(png.size(), QSize(446, 287));

        TMainForm& window = openWindow(m_data);
        if (c.item)
            test::Find<QAction>(window, c.item)->trigger();
        ASSERT_EQ(m_context->Surface.Width, 446);
        EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) == windowGraph());
    }
}

TEST_F(GraphRenderTest, SizeAndLevelRangeAreTheWindowsAtThatSize)
{
    const CalcRun result =
        run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--size"),
             QStringLiteral("600x200"), QStringLiteral("--graph"), QStringLiteral("20,100,5"),
             QStringLiteral("-o"), QStringLiteral("small.PNG")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage png(path(QStringLiteral("small.PNG")), "PNG");
    ASSERT_EQ(png.size(), QSize(600, 200));

    openWindow(m_data + QStringLiteral(" -graph 20 100 5"), 600, 200);
    EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) == windowGraph());

    // On a screen of twice the density the same graph has twice the pixels, not a blown-up copy.
    const CalcRun scaled =
        run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--scale"),
             QStringLiteral("2"), QStringLiteral("-o"), QStringLiteral("fine.png")});
    ASSERT_EQ(scaled.exitCode, 0) << scaled.err.toStdString();
    const QImage fine(path(QStringLiteral("fine.png")), "PNG");
    ASSERT_EQ(fine.size(), QSize(892, 574));
    ASSERT_EQ(run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("-o"),
                   QStringLiteral("plain.png")})
                  .exitCode,
              0);
    const QImage blownUp = QImage(path(QStringLiteral("plain.png")), "PNG").scaled(fine.size());
    EXPECT_FALSE(fine.convertToFormat(QImage::Format_RGB32) == blownUp.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--scale"),
                   QStringLiteral("5"), QStringLiteral("-o"), QStringLiteral("x.png")})
                  .exitCode,
              2);
}

TEST_F(GraphRenderTest, LevelRangeInTheFormatDataFilesWrite)
{
    // As long as a data file's "Graph:" values, and longer than a string keeps inside itself.
    for (const char* extents : {"-20.5,120.25,10.5", "0.00,120.00,10.00"}) {
        SCOPED_TRACE(extents);
        const CalcRun result =
            run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--graph"),
                 QString::fromLatin1(extents), QStringLiteral("-o"), QStringLiteral("range.png")});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QImage png(path(QStringLiteral("range.png")), "PNG");

        const QStringList values = QString::fromLatin1(extents).split(u',');
        openWindow(m_data + QStringLiteral(" -graph ") + values.join(u' '));
        ASSERT_EQ(windowModel().MinLevel, values[0].toFloat());
        EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) == windowGraph());
    }
}

TEST_F(GraphRenderTest, SvgIsTheWindowsClipboardPicture)
{
    const CalcRun result =
        run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--overlay"),
             QStringLiteral("nr"), QStringLiteral("-o"), QStringLiteral("wall.svg")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray svg = read(path(QStringLiteral("wall.svg")));

    TMainForm& window = openWindow(m_data);
    test::Find<QAction>(window, "NoiseRatingsLines1")->trigger();
    window.Export().ClipBdButtonClick();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(svg, clipboard->data(QStringLiteral("image/svg+xml")));

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 446, 287));
    EXPECT_TRUE(svg.contains(">NR:50<"));
}

TEST_F(GraphRenderTest, PdfIsOnePageOfTheGraphsSize)
{
    const CalcRun result =
        run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("--size"),
             QStringLiteral("480x360"), QStringLiteral("-o"), QStringLiteral("wall.pdf")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray pdf = read(path(QStringLiteral("wall.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    // 480 x 360 pixels at 96 per inch are 360 x 270 points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 360.000000 270.000000]")) << pdf.left(2000).toStdString();
    EXPECT_TRUE(pdf.contains("/Title"));
}

TEST_F(GraphRenderTest, AnOutputThatCannotBeWrittenLeavesWhatWasThere)
{
    const QByteArray earlier("an earlier picture");
    write(QStringLiteral("kept.png"), earlier);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.svg")));
    const QStringList before = FilesIn(m_dir.path());

    struct Case {
        QString output;
        const char* reason;
    };
    const Case cases[] = {
        {QStringLiteral("/nonexistent-dir/x.svg"), "No such file or directory"},
        {QStringLiteral("folder.svg"), "it is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output.toStdString());
        const CalcRun result =
            run({QStringLiteral("render"), QStringLiteral("wall.snd"), QStringLiteral("-o"), c.output});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(c.output.toUtf8())) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.reason)) << result.err.toStdString();
    }

    // A write that fails part-way: the file size limit stops the new picture after 100 bytes. The
    // signal such a write raises is left at its default, which ends a program that does not ignore it.
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(VELMORA_CALC_PROGRAM), {QStringLiteral("render"), QStringLiteral("wall.snd"),
                                                         QStringLiteral("-o"), QStringLiteral("kept.png")});
    const CalcRun limited = finish(process);
    EXPECT_EQ(limited.exitCode, 1);
    EXPECT_TRUE(limited.err.contains("'kept.png': File too large")) << limited.err.toStdString();

    // An unreadable input writes nothing either.
    EXPECT_EQ(run({QStringLiteral("render"), QStringLiteral("missing.snd"), QStringLiteral("-o"),
                   QStringLiteral("kept.png")})
                  .exitCode,
              1);

    EXPECT_EQ(read(path(QStringLiteral("kept.png"))), earlier);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder.svg"))).isDir());
    EXPECT_EQ(FilesIn(m_dir.path()), before) << "no temporary file is left behind";
}
