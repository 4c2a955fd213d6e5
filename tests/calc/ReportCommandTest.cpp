#include "calc/CalcToolFixture.h"

#include "model/RatingLines.h"
#include "model/ResultTexts.h"
#include "support/PdfTools.h"

#include <QDir>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::Ramp;

namespace {

/** The environment with the locale, which decides the paper, set to name. */
QProcessEnvironment WithLocale(const QString& name)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), name);
    return environment;
}

} // namespace

TEST_F(CalcToolTest, ReportWritesAPagePerFileAsTheWindowShowsItAndSkipsWhatCannotBeRead)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"octave_pressure.snd",
         DataText(false, PressureLevels, PressureLevels, Ramp(9, 70, -3), Ramp(9, 50, 1))},
        {"third_attenuation.snd", DataText(true, AttenuationLevels, PressureLevels, Ramp(27, 18, 1.5), {})},
        {"third_power.snd",
         DataText(true, PowerLevels, AttenuationLevels, Ramp(27, 40, 1.25), Ramp(27, 20, 0.5))},
    };
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.snd"));
    QStringList arguments = {QStringLiteral("report"), QStringLiteral("missing.snd")};
    for (const auto& [name, text] : files)
        arguments << write(QString::fromLatin1(name), text);
    arguments << QStringLiteral("folder.snd") << QStringLiteral("-o") << QStringLiteral("out.pdf");

    // The system's reasons stay in the tool's own words whatever the locale.
    const CalcRun result = run(arguments, WithLocale(QStringLiteral("de_DE.UTF-8")));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "velmora-calc: cannot read 'missing.snd': No such file or directory\n"
                          "velmora-calc: cannot read 'folder.snd': it is a directory\n");
    const QString pdf = path(QStringLiteral("out.pdf"));
    EXPECT_EQ(test::ReadPdfInfo(pdf).pages, 3);
    EXPECT_EQ(test::PdfImageCount(pdf), 0) << "the graph is vector art";
    for (int page = 1; page <= 3; ++page) {
        const QString file = path(QString::fromLatin1(files[page - 1].first));
        SCOPED_TRACE(file.toStdString());
        openWindow(file);
        const TSpectrumModel& model = windowModel();
        const QString words = test::PdfWords(pdf, page);
        // Without a title the file's name heads the page; the fingerprint is sha256sum's.
        EXPECT_TRUE(words.startsWith(QStringLiteral("%1 File: %2 Data: %3, %4")
                                         .arg(QString::fromLatin1(files[page - 1].first), file,
                                              QString::fromStdString(DataTypeCaption(model.Nodes.DataType)),
                                              QString::fromStdString(BandSetCaption(model)))))
            << words.toStdString();
        EXPECT_TRUE(words.contains(QStringLiteral("SHA-256: %1 dB").arg(test::Sha256Sum(file))));
        // The numbers of the window's ratings panel.
        for (const RatingLine& line : RatingLines(model.Ratings, FamilyOf(model.Nodes.DataType))) {
            const QString shown = QString::fromStdString(line.name + " " + line.value + " " +
                                                         BandName(line.governingBand) + " " + line.advice)
                                      .simplified();
            EXPECT_TRUE(words.contains(shown)) << shown.toStdString();
        }
    }
}

TEST_F(CalcToolTest, ReportPaperFollowsTheLocaleAndATitleHeadsEveryPage)
{
    const QString data =
        write(QStringLiteral("a.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 1), {}));
    const std::pair<const char*, double> locales[] = {{"en_US.UTF-8", 792}, {"de_DE.UTF-8", 842}, {"C", 842}};
    for (const auto& [locale, height] : locales) {
        SCOPED_TRACE(locale);
        const CalcRun result =
            run({QStringLiteral("report"), data, data, QStringLiteral("-o"), QStringLiteral("r.pdf"),
                 QStringLiteral("--title"), QStringLiteral("Plant room")},
                WithLocale(QString::fromLatin1(locale)));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        const test::PdfInfo info = test::ReadPdfInfo(path(QStringLiteral("r.pdf")));
        EXPECT_EQ(info.pages, 2);
        EXPECT_NEAR(info.pageSize.height(), height, 1);
        EXPECT_EQ(test::PdfWords(path(QStringLiteral("r.pdf"))).count(QStringLiteral("Plant room File: ")),
                  2);
    }
}

TEST_F(CalcToolTest, ReportWithNothingToDrawOrBadArgumentsWritesNothing)
{
    write(QStringLiteral("a.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    const QByteArray earlier = "an earlier report";
    write(QStringLiteral("out.pdf"), earlier);
    const std::pair<const char*, int> cases[] = {
        {"report missing.snd -o out.pdf", 1},
        {"report missing.snd other.snd -o out.pdf", 1},
        {"report a.snd", 2},
        {"report -o out.pdf", 2},
        {"report a.snd -o out.svg", 2},
        {"report a.snd -o out.pdf --overlay nr", 2},
        {"report a.snd -o out.pdf --title", 2},
    };
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    for (const auto& [arguments, status] : cases) {
        SCOPED_TRACE(arguments);
        const CalcRun result = run(QString::fromLatin1(arguments).split(u' '));
        EXPECT_EQ(result.exitCode, status);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(status == 2
                                            ? "usage: velmora-calc report FILE... -o OUT.pdf"
                                            : "velmora-calc: nothing written: no data file could be read\n"))
            << result.err.toStdString();
        EXPECT_EQ(read(path(QStringLiteral("out.pdf"))), earlier);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), before);
}
