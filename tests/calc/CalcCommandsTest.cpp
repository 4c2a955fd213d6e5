#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "entry/ExpressionParser.h"
#include "io/DataFile.h"
#include "model/SpectrumModel.h"

#include <QAction>
#include <QDir>

#include <clocale>
#include <cstdio>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::Ramp;
using velmora::test::Words;

namespace {

/** printf's "%.10g" in the "C" locale. */
QString PrintfGeneral(double value)
{
    std::setlocale(LC_NUMERIC, "C");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return QString::fromLatin1(buffer);
}

} // namespace

TEST_F(CalcToolTest, BadArgumentsPrintTheUsageAndDoNothing)
{
    write(QStringLiteral("a.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    struct Case {
        const char* arguments;
        const char* usage;
    };
    const Case cases[] = {
        {"", "usage: velmora-calc rate|bands"},
        {"frobnicate a.snd", "usage: velmora-calc rate|bands"},
        {"rate", "usage: velmora-calc rate ["},
        {"rate --format xml a.snd", "usage: velmora-calc rate ["},
        {"rate --bogus a.snd", "usage: velmora-calc rate ["},
        {"rate a.snd --format", "usage: velmora-calc rate ["},
        {"bands", "usage: velmora-calc bands ["},
        {"bands a.snd a.snd", "usage: velmora-calc bands ["},
        {"render a.snd", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.gif", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --overlay loud", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --size 0x10", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --size 640", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --size 5000x100", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --graph 0,100", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --graph 0,100,x", "usage: velmora-calc render FILE"},
        {"render a.snd -o out.svg --graph 0,nan,10", "usage: velmora-calc render FILE"},
        {"convert a.snd -o out.snd", "usage: velmora-calc convert FILE"},
        {"convert a.snd --third --octave -o out.snd", "usage: velmora-calc convert FILE"},
        {"convert a.snd --third -o out.txt", "usage: velmora-calc convert FILE"},
        {"convert a.snd --third=yes -o out.snd", "usage: velmora-calc convert FILE"},
        {"eval", "usage: velmora-calc eval EXPR"},
        {"explain", "usage: velmora-calc explain ["},
        {"explain --format xml a.snd", "usage: velmora-calc explain ["},
        {"explain --decimals 2 a.snd", "usage: velmora-calc explain ["},
    };
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CalcRun result = run(Words(c.arguments));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.startsWith("velmora-calc: ")) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QByteArray("\n") + c.usage)) << result.err.toStdString();
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), before);
}

TEST_F(CalcToolTest, HelpForTheToolAndEachCommand)
{
    const CalcRun tool = run({QStringLiteral("--help")});
    EXPECT_EQ(tool.exitCode, 0);
    for (const char* command : {"rate", "bands", "explain", "render", "convert", "eval"}) {
        SCOPED_TRACE(command);
        EXPECT_TRUE(tool.out.contains(QByteArray("\n  ") + command + " ")) << tool.out.toStdString();
        const CalcRun help = run({QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QByteArray("usage: velmora-calc ") + command + " "))
            << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    }
    const CalcRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QString::fromUtf8(version.out)
                    .contains(QRegularExpression(QStringLiteral("^velmora-calc \\d+\\.\\d+\\.\\d+\n$"))))
        << version.out.toStdString();
}

TEST_F(CalcToolTest, EvalPrintsEachValueAsPrintfGeneralOrTheEvaluatorsError)
{
    const char* const good[] = {"20*LOG(2)+60",
                                "1/3",
                                "-3",
                                "PI*1E9",
                                "PI*1E10",
                                "0.0001",
                                "0.00001234",
                                "123456789012",
                                "100000",
                                "2.5E-300*1E-10",
                                "10^400",
                                "(1+2)*3",
                                "0",
                                "-64,5"};
    const char* const bad[] = {
        "1+", "FOO(1)", "(((((((((((((((((((((((((((((((((((((((((((1",
        "1234567890123456789012345678901234567890123456789012345678901234567890123456789+1"};
    QStringList arguments = {QStringLiteral("eval")};
    QStringList expected;
    ExpressionParser parser;
    for (const char* expression : good) {
        arguments << QString::fromLatin1(expression);
        const double value = parser.Evaluate(expression);
        ASSERT_EQ(parser.GetError(), 0) << expression;
        expected << PrintfGeneral(value);
    }
    for (const char* expression : bad) {
        arguments << QString::fromLatin1(expression);
        parser.Evaluate(expression);
        ASSERT_NE(parser.GetError(), 0) << expression;
        expected << QString::fromStdString(parser.GetErrorText());
    }
    arguments << QStringLiteral("2+2");
    expected << QStringLiteral("4");

    const CalcRun result = run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(result.out).split(u'\n', Qt::SkipEmptyParts), expected);
    // Fixed notation up to 10 digits before the point and from 1e-4 up, trailing zeros dropped.
    EXPECT_EQ(expected[3].toStdString(), "3141592654");
    EXPECT_EQ(expected[4].toStdString(), "3.141592654e+10");
    EXPECT_EQ(expected[5].toStdString(), "0.0001");
    EXPECT_EQ(expected[6].toStdString(), "1.234e-05");
    EXPECT_EQ(expected[8].toStdString(), "100000");
    EXPECT_EQ(expected[13].toStdString(), "-64.5") << "a decimal comma reads, the output keeps the point";

    const CalcRun fine = run({QStringLiteral("eval"), QStringLiteral("--"), QStringLiteral("-2*-2")});
    EXPECT_EQ(fine.exitCode, 0);
    EXPECT_EQ(fine.out, "4\n");
}

TEST_F(CalcToolTest, ConvertWritesTheWindowsBandConversion)
{
    struct Case {
        const char* input;
        bool third;
        const char* option;
        const char* command;
    };
    const Case cases[] = {
        {"octave.snd", false, "--third", "ThirdOctaveBands"},
        {"third.snd", true, "--octave", "FullOctaveBands"},
        {"octave.snd", false, "--octave", "FullOctaveBands"},
    };
    write(QStringLiteral("octave.snd"),
          DataText(false, PowerLevels, AttenuationLevels, Ramp(9, 50, 4), Ramp(9, 10, 1)) +
              "Graph: 10 90 5\r\n");
    write(QStringLiteral("third.snd"),
          DataText(true, PressureLevels, PressureLevels, Ramp(27, 40, 0.5), Ramp(27, 30, 1)));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.option);
        const CalcRun result =
            run({QStringLiteral("convert"), QString::fromLatin1(c.input), QString::fromLatin1(c.option),
                 QStringLiteral("-o"), QStringLiteral("converted.snd")});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

        TMainForm& window = openWindow(path(QString::fromLatin1(c.input)));
        test::Find<QAction>(window, c.command)->trigger();
        EXPECT_EQ(read(path(QStringLiteral("converted.snd"))),
                  QByteArray::fromStdString(DataFileText(windowModel())));
    }

    const CalcRun failed =
        run({QStringLiteral("convert"), QStringLiteral("octave.snd"), QStringLiteral("--third"),
             QStringLiteral("-o"), QStringLiteral("/nonexistent-dir/x.snd")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains("'/nonexistent-dir/x.snd'")) << failed.err.toStdString();
}

TEST_F(CalcToolTest, OutputThatCannotBeWrittenIsAnError)
{
    write(QStringLiteral("a.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    const CalcRun result = run({QStringLiteral("rate"), QStringLiteral("a.snd")},
                               QProcessEnvironment::systemEnvironment(), QStringLiteral("/dev/full"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("standard output")) << result.err.toStdString();
}

TEST_F(CalcToolTest, RunsWithoutADisplay)
{
    write(QStringLiteral("a.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    const CalcRun rate = run({QStringLiteral("rate"), QStringLiteral("a.snd")}, environment);
    EXPECT_EQ(rate.exitCode, 0) << rate.err.toStdString();
    EXPECT_TRUE(rate.err.isEmpty()) << rate.err.toStdString();
}

TEST_F(CalcToolTest, NumbersIgnoreALocaleWithADecimalComma)
{
    // Build a German locale into the folder; without the locale sources there is nothing to test.
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), path(QStringLiteral("de_DE.UTF-8"))});
    if (!localedef.waitForFinished(120000) || localedef.exitStatus() != QProcess::NormalExit ||
        localedef.exitCode() != 0)
        GTEST_SKIP() << "no de_DE locale could be built";

    write(QStringLiteral("a.snd"),
          DataText(true, PressureLevels, PressureLevels, Ramp(27, 60.25, 0.5), Ramp(27, 40, 0)) +
              "Graph: 10.5 90.5 2.5\r\n");
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    german.insert(QStringLiteral("LOCPATH"), m_dir.path());
    german.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    plain.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));

    // The locale is in force: the system's printf writes a decimal comma in it.
    QProcess systemPrintf;
    systemPrintf.setProcessEnvironment(german);
    systemPrintf.start(QStringLiteral("/usr/bin/printf"), {QStringLiteral("%.1f"), QStringLiteral("2,5")});
    ASSERT_TRUE(systemPrintf.waitForFinished(10000));
    ASSERT_EQ(systemPrintf.readAllStandardOutput(), "2,5");

    for (const char* arguments :
         {"rate --format csv a.snd", "bands --format json a.snd", "eval 1/3 2.5*1E20"}) {
        SCOPED_TRACE(arguments);
        const CalcRun inGerman = run(Words(arguments), german);
        const CalcRun inC = run(Words(arguments), plain);
        EXPECT_EQ(inGerman.exitCode, 0) << inGerman.err.toStdString();
        EXPECT_FALSE(inGerman.out.isEmpty());
        EXPECT_EQ(inGerman.out, inC.out);
    }
}
