#include "app/DocumentFiles.h"
#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "io/DataFile.h"
#include "io/TabularLevels.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace velmora;
using namespace velmora::test;

TEST_F(CalcToolTest, ImportWritesWhatTheWindowsPasteMakesOfTheSameText)
{
    struct Case {
        const char* name;
        QByteArray text;
        QStringList options;
        const char* bandCommand; // the window's command the option stands for, if any
    };
    const Case cases[] = {
        {"column.csv", "Level\r\n60\r\n61\r\n62,5\r\n63\r\n64\r\n65\r\n66\r\n67\r\n68\r\n", {}, nullptr},
        {"row.txt",
         "\xEF\xBB\xBF"
         "40 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65 66\n",
         {},
         nullptr},
        {"pairs.csv", "Frequency;Level;Unit\n1 kHz;45,5;dB\n63;30;dB\n", {}, nullptr},
        {"third.csv", "1k25,50\n1000,61\n", {}, nullptr},
        {"row-over-row.csv",
         "Hz;63;125;250;500;1000;2000;4000;8000;16000\ndB;80;75;70;65;60;55;50;45;40\n",
         {},
         nullptr},
        {"to-third.csv", "63\t40\n125\t50\n", {QStringLiteral("--third")}, "ThirdOctaveBands"},
        {"to-octave.csv", "1k25,50\n1000,61\n", {QStringLiteral("--octave")}, "FullOctaveBands"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(QString::fromLatin1(c.name), c.text);
        const CalcRun result = run(QStringList{QStringLiteral("import"), QString::fromLatin1(c.name)} +
                                   c.options + QStringList{QStringLiteral("-o"), QStringLiteral("out.snd")});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty());

        TMainForm& window = openWindow(QString());
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.text));
        window.Files().PasteLevelsClick();
        if (c.bandCommand)
            test::Find<QAction>(window, c.bandCommand)->trigger();
        EXPECT_EQ(read(path(QStringLiteral("out.snd"))),
                  QByteArray::fromStdString(DataFileText(windowModel())));
    }

    // Standard input reads as a file does.
    const CalcRun piped = runShell(QStringLiteral("printf '1000\\t70\\n' | \"$0\" import - -o piped.snd"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_TRUE(read(path(QStringLiteral("piped.snd"))).contains("Levels: 1000.0  70.000"));
}

TEST_F(CalcToolTest, ImportRefusesBadTablesWithTheLineAndWritesNothing)
{
    struct Case {
        QByteArray text;
        const char* words; // stderr must hold them
    };
    const Case cases[] = {
        {"63;40\n31.5;45\n", "Line 2: 31.5 Hz"},
        {"63;40\n1000;inf\n", "Line 2:"},
        {QByteArray("6\0"
                    "0",
                    3),
         "NUL"},
        {QByteArray(kMaxTabularBytes + 1, '\n'), "larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        write(QStringLiteral("bad.csv"), c.text);
        const CalcRun result = run({QStringLiteral("import"), QStringLiteral("bad.csv"), QStringLiteral("-o"),
                                    QStringLiteral("bad.snd")});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(c.words)) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("'bad.csv'")) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("bad.snd"))));
    }

    // An endless stream is cut at the limit, not read for ever; whatever the size beyond the
    // limit, file or stream, the reason is the same.
    const CalcRun endless = runShell(QStringLiteral("yes 60 | \"$0\" import - -o endless.snd"));
    EXPECT_EQ(endless.exitCode, 1);
    const auto reason = [](const CalcRun& result) { return result.err.mid(result.err.indexOf("': ")); };
    EXPECT_EQ(reason(endless), QStringLiteral("': it is larger than 1 MiB\n"));
    for (const qsizetype size : {kMaxTabularBytes + 1, 3 * kMaxTabularBytes}) {
        write(QStringLiteral("large.csv"), QByteArray(size, '\n'));
        const CalcRun large = run({QStringLiteral("import"), QStringLiteral("large.csv"),
                                   QStringLiteral("-o"), QStringLiteral("l.snd")});
        EXPECT_EQ(reason(large), reason(endless)) << size;
    }

    const CalcRun missing = run({QStringLiteral("import"), QStringLiteral("none.csv"), QStringLiteral("-o"),
                                 QStringLiteral("x.snd")});
    EXPECT_EQ(missing.exitCode, 1);
    const CalcRun both = run({QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--third"),
                              QStringLiteral("--octave"), QStringLiteral("-o"), QStringLiteral("a.snd")});
    EXPECT_EQ(both.exitCode, 2);
}

TEST_F(CalcToolTest, DecimalsGiveRateAndBandsTheStoredPrecision)
{
    write(QStringLiteral("a.snd"),
          DataText(false, PressureLevels, PressureLevels, Ramp(9, 60.123, 1.5), Ramp(9, 30, 0)));
    const auto csv = [this](const QString& command, const QString& decimals) {
        QStringList arguments{command, QStringLiteral("a.snd"), QStringLiteral("--format"),
                              QStringLiteral("csv")};
        if (!decimals.isNull())
            arguments << QStringLiteral("--decimals") << decimals;
        return run(arguments);
    };
    for (const QString& command : {QStringLiteral("rate"), QStringLiteral("bands")}) {
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(csv(command, QString()).out, csv(command, QStringLiteral("1")).out)
            << "one decimal by default";
        for (int decimals : {0, 3, 6}) {
            const auto records = ParseCsv(csv(command, QString::number(decimals)).out);
            ASSERT_GE(records.size(), 2u);
            // A level column every row fills: later columns may be "-" where a rating skips a band.
            const qsizetype column = records[0].indexOf(
                command == QStringLiteral("rate") ? QStringLiteral("dBA") : QStringLiteral("edited"));
            ASSERT_GE(column, 0);
            const QString level = records[1][column];
            EXPECT_EQ(level.contains(u'.') ? level.size() - level.indexOf(u'.') - 1 : 0, decimals)
                << level.toStdString();
        }
        for (const char* bad : {"-1", "7", "x", ""})
            EXPECT_EQ(csv(command, QString::fromLatin1(bad)).exitCode, 2) << bad;
    }
    EXPECT_EQ(ParseCsv(csv(QStringLiteral("bands"), QStringLiteral("3")).out)[1][1],
              QStringLiteral("60.123"));
}
