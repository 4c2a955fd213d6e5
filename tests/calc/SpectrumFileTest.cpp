#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "app/RatingList.h"
#include "app/RatingsPanel.h"

#include "entry/NumberText.h"
#include "model/SpectrumModel.h"

#include <QDir>
#include <QLabel>

#include <cmath>

#include <sys/stat.h>

using namespace velmora;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::Ramp;

namespace {

/** A level as the window's result line prints it. */
QString Shown(double value)
{
    return std::isfinite(value) ? QString::fromStdString(FixedText(value, 1)) : QStringLiteral("-");
}

/** Every word the data-file reader knows, misused, with binary junk and more entries than fit. */
QByteArray HostileText()
{
    QByteArray text(1, '\0');
    text += "\x01\xff\xfe junk Bands: 0 1 Bands: 5 7 Bands: 1 Spectrum: 9 -4 2147483648 ";
    text += "Graph: nan 1e39 -5 Graph: 20 100 0.000001 Levels: 0x10 60 Levels: 50 inf Levels: 1e999\r\n";
    for (int k = 0; k < 40; ++k)
        text += "Levels: 100 " + QByteArray::number(40 + k) + "\r\n";
    text += "Spectra: 2147483647";
    for (int k = 0; k < 100; ++k)
        text += " 55";
    text += "\r\nSpectra: -5 1 2\r\nSpectrum: 2\r\n";
    text += QByteArray(200000, 'A');
    text += "\r\nLevels:";
    return text;
}

/** The row of the file in rate's text output; empty when it has none. */
QStringList RowOf(const std::vector<QStringList>& rows, const QString& file)
{
    for (const QStringList& row : rows)
        if (!row.isEmpty() && row.front() == file)
            return row;
    return {};
}

} // namespace

TEST_F(CalcToolTest, RatesEachFileAsTheWindowShowsIt)
{
    struct Case {
        const char* name;
        QByteArray text;
    };
    const Case cases[] = {
        {"octave_pressure.snd",
         DataText(false, PressureLevels, PressureLevels, Ramp(9, 70, -3), Ramp(9, 50, 1))},
        {"third_power.snd",
         DataText(true, PowerLevels, AttenuationLevels, Ramp(27, 40, 1.25), Ramp(27, 20, 0.5))},
        {"third_attenuation.snd", DataText(true, AttenuationLevels, PressureLevels, Ramp(27, 18, 1.5), {})},
        {"octave_correction.snd",
         DataText(false, CorrectionFactors, PowerLevels, Ramp(9, -6, 1), Ramp(9, 80, 0))},
        {"hostile.snd", HostileText()},
        // Levels at the top of the single-precision range give a Noise Rating beyond it.
        {"huge_levels.snd",
         DataText(false, PressureLevels, PressureLevels, std::vector<double>(9, 3.4028234e38), {})},
    };
    QStringList arguments = {QStringLiteral("rate")};
    for (const Case& c : cases)
        arguments << QString::fromLatin1(c.name);
    for (const Case& c : cases)
        write(QString::fromLatin1(c.name), c.text);

    const velmora::test::CalcRun result = run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const std::vector<QStringList> rows = velmora::test::ParseTextTable(result.out);
    ASSERT_EQ(rows.size(), std::size(cases) + 1);
    EXPECT_EQ(rows.front().join(u' '), QStringLiteral("file bands type dBA dBB dBC dBD NR STC Rw C Ctr"));

    const char* const typeNames[] = {"pressure", "power", "attenuation", "correction"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList row = RowOf(rows, QString::fromLatin1(c.name));
        ASSERT_EQ(row.size(), 12);
        TMainForm& window = openWindow(path(QString::fromLatin1(c.name)));
        const TSpectrumModel& model = windowModel();

        EXPECT_EQ(row[1],
                  model.BandStart == kThirdBandStart ? QStringLiteral("third") : QStringLiteral("octave"));
        EXPECT_EQ(row[2], QString::fromLatin1(typeNames[model.Nodes.DataType]));
        // The tool prints the window's one ratings value.
        const double ratings[] = {model.Ratings.weighted[0], model.Ratings.weighted[1],
                                  model.Ratings.weighted[2], model.Ratings.weighted[3],
                                  model.Ratings.noise.NR,    model.Ratings.transmission.STC};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(row[3 + i], Shown(ratings[i])) << "column " << i + 3;

        // The window's own result line, rebuilt from the tool's row.
        QString line;
        if (model.Nodes.DataType <= PowerLevels)
            line = QStringLiteral(" dBA: %1, dBB: %2, dBC: %3, dBD: %4, NR: %5")
                       .arg(row[3], row[4], row[5], row[6], row[7]);
        else if (model.Nodes.DataType == AttenuationLevels)
            line = QStringLiteral(" Sound Transmission Class (STC): %1").arg(row[8]);
        else
            line = QStringLiteral(" Correction Factor Graph");
        EXPECT_EQ(test::Find<QLabel>(window, "ResultPanel")->text(), line);

        // The ratings panel shows the numbers of the data type as the tool prints them: the weighted
        // levels and NR of levels, STC and Rw (C; Ctr) in whole dB of attenuations.
        RatingsPanel& panel = *test::Find<RatingsPanel>(window, "RatingsPanel");
        panel.ToggleAction()->setChecked(true);
        const auto shown = [&panel](const char* name) {
            const int at = panel.List->RowOf(name);
            return at >= 0 ? panel.List->Value(at)->text() : QStringLiteral("(not listed)");
        };
        const auto whole = [](const QString& cell) { return cell.endsWith(u".0") ? cell.chopped(2) : cell; };
        if (model.Nodes.DataType == AttenuationLevels) {
            EXPECT_EQ(shown("STC"), whole(row[8]));
            const QString rw =
                row[9] == u"-"
                    ? row[9]
                    : QStringLiteral("%1 (%2; %3)").arg(whole(row[9]), whole(row[10]), whole(row[11]));
            EXPECT_EQ(shown("Rw (C; Ctr)"), rw);
        } else if (model.Nodes.DataType <= PowerLevels) {
            const char* const names[] = {"dBA", "dBB", "dBC", "dBD", "NR"};
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(shown(names[i]), row[3 + i]) << names[i];
        } else {
            EXPECT_FALSE(panel.List->NotRated()->isHidden());
        }
    }
}

TEST_F(CalcToolTest, ReadsEveryFileIntoAFreshModel)
{
    write(QStringLiteral("third.snd"),
          DataText(true, PowerLevels, PressureLevels, Ramp(27, 60, 0), {}) + "Graph: 20 60 5\r\n");
    // Nothing but levels: the band set, data type and level range are the start-up ones.
    write(QStringLiteral("levels_only.snd"), "Levels: 0 80\r\nLevels: 0 70\r\nLevels: 0 60\r\n");

    const velmora::test::CalcRun result =
        run({QStringLiteral("rate"), QStringLiteral("third.snd"), QStringLiteral("levels_only.snd")});
    ASSERT_EQ(result.exitCode, 0);
    const QStringList row =
        RowOf(velmora::test::ParseTextTable(result.out), QStringLiteral("levels_only.snd"));
    ASSERT_EQ(row.size(), 12);
    EXPECT_EQ(row[1], QStringLiteral("octave"));
    EXPECT_EQ(row[2], QStringLiteral("pressure"));

    openWindow(path(QStringLiteral("levels_only.snd")));
    EXPECT_EQ(row[3], Shown(windowModel().Ratings.weighted[0]));
    EXPECT_EQ(row[7], Shown(windowModel().NR));
}

TEST_F(CalcToolTest, ReportsUnreadableFilesAndGoesOn)
{
    write(QStringLiteral("first.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    write(QStringLiteral("last.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 70, 0), {}));
    QByteArray oversized(16 * 1024 * 1024 + 1, ' ');
    oversized.prepend(DataText(false, PressureLevels, PressureLevels, Ramp(9, 50, 0), {}));
    write(QStringLiteral("oversized.snd"), oversized);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.snd")));

    for (const char* format : {"text", "csv", "json"}) {
        SCOPED_TRACE(format);
        const velmora::test::CalcRun result =
            run({QStringLiteral("rate"), QStringLiteral("--format"), QString::fromLatin1(format),
                 QStringLiteral("first.snd"), QStringLiteral("missing.snd"), QStringLiteral("folder.snd"),
                 QStringLiteral("oversized.snd"), QStringLiteral("last.snd")});
        EXPECT_EQ(result.exitCode, 1);
        const QString err = QString::fromUtf8(result.err);
        EXPECT_TRUE(err.contains(QStringLiteral("'missing.snd': No such file or directory")))
            << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("'folder.snd': it is a directory"))) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("'oversized.snd': it is larger than 16 MiB")))
            << err.toStdString();
        EXPECT_EQ(err.count(u'\n'), 3);
        EXPECT_TRUE(result.out.contains("first.snd"));
        EXPECT_TRUE(result.out.contains("last.snd"));
        EXPECT_FALSE(result.out.contains("missing.snd"));
        EXPECT_FALSE(result.out.contains("oversized.snd"));
    }
}

TEST_F(CalcToolTest, ABatchReadOnTwoThreadsKeepsTheOrderOfTheFilesAndTheirReasons)
{
    // Enough files for rate to read them on two threads; every seventh one is missing.
    QStringList arguments{QStringLiteral("rate"), QStringLiteral("--format"), QStringLiteral("csv")};
    QStringList expectedRows;
    QStringList expectedErrors;
    for (int i = 0; i < 100; ++i) {
        const QString name = QStringLiteral("f%1.snd").arg(i);
        arguments << name;
        if (i % 7 == 3) {
            expectedErrors
                << QStringLiteral("velmora-calc: cannot read '%1': No such file or directory").arg(name);
            continue;
        }
        write(name, DataText(false, PressureLevels, PressureLevels, Ramp(9, 20 + i, 0), {}));
        expectedRows << name;
    }
    const velmora::test::CalcRun result = run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(result.err).split(u'\n', Qt::SkipEmptyParts), expectedErrors);
    QStringList rows;
    for (const QString& line :
         QString::fromUtf8(result.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(1))
        rows << line.section(u',', 0, 0);
    EXPECT_EQ(rows, expectedRows);
}

TEST_F(CalcToolTest, PipesAndDevicesAreRefusedAtOnceForWhatTheyAre)
{
    write(QStringLiteral("good.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    ASSERT_EQ(mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("fifo"), path(QStringLiteral("link.snd"))));
    struct Case {
        const char* file;
        const char* reason;
    };
    const Case cases[] = {
        {"fifo", "it is not a regular file"},
        {"link.snd", "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
        // A regular file by its name whose first bytes cannot be read.
        {"/proc/self/mem", "Input/output error"},
    };
    QStringList arguments = {QStringLiteral("rate")};
    for (const Case& c : cases)
        arguments << QString::fromLatin1(c.file);
    const velmora::test::CalcRun rate = run(arguments << QStringLiteral("good.snd"));
    EXPECT_EQ(rate.exitCode, 1);
    for (const Case& c : cases)
        EXPECT_TRUE(rate.err.contains(QByteArray("'") + c.file + "': " + c.reason + "\n"))
            << rate.err.toStdString();
    EXPECT_EQ(RowOf(velmora::test::ParseTextTable(rate.out), QStringLiteral("good.snd")).size(), 12);
}
