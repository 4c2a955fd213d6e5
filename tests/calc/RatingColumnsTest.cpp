#include "calc/CalcToolFixture.h"

#include "model/SpectrumModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::CsvRecords;
using velmora::test::DataText;
using velmora::test::Ramp;
using velmora::test::TestDataFile;
using velmora::test::Words;

namespace {

const char* const kRatingNames = "STC_E413 IIC Ln_w CI CI_50_2500 C_50_3150 C_50_5000 C_100_5000 Ctr_50_3150 "
                                 "Ctr_50_5000 Ctr_100_5000 NC NC_band SIL";

/** rate's table before --ratings, for a.snd to d.snd as PlainRateIsUnchanged writes them. */
constexpr char kPlainTable[] =
    "file   bands   type          dBA   dBB   dBC   dBD    NR   STC    Rw     C   Ctr\n"
    "a.snd  octave  pressure     78.1  76.4  76.3  85.5  85.5  61.0  59.0  -1.0  -4.0\n"
    "b.snd  third   attenuation  60.9  59.2  59.1  68.3  65.0  43.0  39.0  -1.0  -4.0\n"
    "c.snd  third   power        70.7  81.3  88.1  80.3  61.6  48.0  51.0  -1.0   2.0\n"
    "d.snd  octave  correction   11.5  10.3  10.3  19.2  17.3   3.0   1.0  -1.0  -3.0\n";

} // namespace

TEST_F(CalcToolTest, RateRatingsAllGivesTheWorkedExamplesOfEveryRating)
{
    struct Case {
        const char* file;
        /** "column=value ..." */
        const char* expected;
    };
    const Case cases[] = {
        {"airborne_example_wall.snd", "Rw=30.0 C=-2.0 Ctr=-3.0 C_50_5000=-2.0 Ctr_50_5000=-4.0"},
        {"impact_example_bare_floor.snd", "Ln_w=79.0 CI=-11.0"},
        {"impact_example_covered_floor.snd", "Ln_w=64.0 CI=-3.0"},
        // 2 dB short of the contour in each of its 16 bands is the 32 dB the rating allows.
        {"wall_on_the_stc_e413_contour_at_50.snd", "STC_E413=52.0"},
        // The same shape is Ln,w's reference curve: 2 dB above it in 16 bands puts Ln,w 2 dB below 60.
        {"floor_on_the_iic_contour_at_60.snd", "IIC=52.0 Ln_w=58.0"},
        // A fifth of the way from NC-45 (49 dB) to NC-50 (54 dB); SIL the mean of 50, 0, 0 and 0 dB.
        // Octaves define none of the third-octave ratings.
        {"room_50_db_at_500_hz.snd",
         "NC=46.0 NC_band=500 SIL=12.5 STC_E413=- IIC=- CI_50_2500=- C_50_3150=- Ctr_100_5000=-"},
        {"room_thirds_making_50_db_at_500_hz.snd", "NC=46.0 NC_band=500"},
        {"room_above_nc_70_at_63_hz.snd", "NC=>NC-70 NC_band=63"},
        {"quiet_room.snd", "NC=<NC-15 NC_band=-"},
    };
    QStringList files;
    for (const Case& c : cases)
        files << TestDataFile(c.file);
    const CalcRun csv = run(Words("rate --format csv --ratings all") + files);
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList columns =
        Words("file bands type dBA dBB dBC dBD NR STC Rw C Ctr") + Words(kRatingNames);
    EXPECT_EQ(test::ParseCsv(csv.out).front(), columns);
    const auto records = CsvRecords(csv.out);
    ASSERT_EQ(records.size(), std::size(cases));
    for (std::size_t i = 0; i < records.size(); ++i)
        for (const QString& expected : Words(cases[i].expected))
            EXPECT_EQ(records[i].at(expected.section(u'=', 0, 0)), expected.section(u'=', 1))
                << cases[i].file << " " << expected.toStdString();

    // The same columns in text; in JSON a rating not defined is null and a rating word a string.
    EXPECT_EQ(test::ParseTextTable(run(Words("rate --ratings all") + files).out).front(), columns);
    const QJsonArray json =
        QJsonDocument::fromJson(run(Words("rate --format json --ratings all") + files).out).array();
    ASSERT_EQ(json.size(), static_cast<qsizetype>(std::size(cases)));
    EXPECT_EQ(json[5].toObject()[u"NC"].toDouble(), 46.0);
    EXPECT_EQ(json[5].toObject()[u"NC_band"].toDouble(), 500.0);
    EXPECT_TRUE(json[5].toObject()[u"STC_E413"].isNull());
    EXPECT_EQ(json[7].toObject()[u"NC"].toString(), QStringLiteral(">NC-70"));

    const QByteArray help = run(Words("rate --help")).out;
    for (const QString& name : Words(kRatingNames))
        EXPECT_TRUE(help.contains(name.toUtf8())) << name.toStdString();
}

TEST_F(CalcToolTest, PlainRateIsUnchangedAndRatingsOnlyAddColumns)
{
    write(QStringLiteral("a.snd"),
          DataText(false, PressureLevels, PressureLevels, Ramp(9, 40, 5), Ramp(9, 30, 0)));
    write(QStringLiteral("b.snd"), DataText(true, AttenuationLevels, PressureLevels, Ramp(27, 20, 1.5), {}));
    write(QStringLiteral("c.snd"),
          DataText(true, PowerLevels, AttenuationLevels, Ramp(27, 85, -2.25), Ramp(27, 10, 1)));
    write(QStringLiteral("d.snd"), DataText(false, CorrectionFactors, PressureLevels, Ramp(9, -10, 2.5), {}));
    const QStringList files = Words("a.snd b.snd c.snd d.snd");
    EXPECT_EQ(run(QStringList{QStringLiteral("rate")} + files).out, kPlainTable);

    for (const char* format : {"text", "csv"}) {
        SCOPED_TRACE(format);
        const QStringList rate = {QStringLiteral("rate"), QStringLiteral("--format"),
                                  QString::fromLatin1(format)};
        const QByteArray plain = run(rate + files).out;
        const QByteArray rated = run(rate + Words("--ratings all") + files).out;
        const QList<QByteArray> plainLines = plain.split('\n');
        const QList<QByteArray> ratedLines = rated.split('\n');
        ASSERT_EQ(ratedLines.size(), plainLines.size());
        for (qsizetype i = 0; i < plainLines.size(); ++i)
            EXPECT_TRUE(ratedLines[i].startsWith(plainLines[i].chopped(plainLines[i].endsWith('\r'))))
                << ratedLines[i].toStdString();
    }
}

TEST_F(CalcToolTest, RatingsNamesOutsideTheCatalogueAreUsageErrorsNamingThem)
{
    write(QStringLiteral("a.snd"), DataText(true, PressureLevels, PressureLevels, Ramp(27, 60, 0), {}));
    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"rate --ratings bogus a.snd", "'bogus'"},
        {"rate --ratings NC,Ln_w,SILL a.snd", "'SILL'"},
        {"rate --ratings NC,,SIL a.snd", "empty name"},
        {"rate --ratings= a.snd", "empty name"},
        {"rate --ratings all,NC a.snd", "'all'"},
        // The panel's names are not the columns'.
        {"rate --ratings Ln,w a.snd", "'Ln'"},
        // Only four ratings have a part in each band; bands takes the ratings' names, not the columns'.
        {"bands --ratings CI a.snd", "'CI'"},
        {"bands --ratings lnw_deviation a.snd", "'lnw_deviation'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CalcRun result = run(Words(c.arguments));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("\nusage: velmora-calc " + QByteArray(c.arguments).left(4)));
    }
    // Names in any case, in the order given, each once.
    const QStringList header =
        test::ParseCsv(run(Words("rate --format csv --ratings nc,NC_BAND,Nc a.snd")).out)[0];
    EXPECT_EQ(header.mid(12), Words("NC NC_band"));
}

TEST_F(CalcToolTest, BandsRatingsAddEachBandsPartSummingToWhatTheRatingAllows)
{
    struct Case {
        const char* file;
        const char* column;
        double sum;
    };
    const Case cases[] = {
        {"airborne_example_wall.snd", "deviation", 31.8},
        {"impact_example_bare_floor.snd", "lnw_deviation", 28.0},
        {"impact_example_covered_floor.snd", "lnw_deviation", 30.0},
        {"wall_on_the_stc_e413_contour_at_50.snd", "e413_deficiency", 32.0},
        {"floor_on_the_iic_contour_at_60.snd", "iic_deficiency", 32.0},
        {"floor_on_the_iic_contour_at_60.snd", "lnw_deviation", 32.0},
        // Only the 500 Hz octave lies within the NC curves.
        {"room_50_db_at_500_hz.snd", "nc", 46.0},
    };
    // Each band's part as bands and explain --bands print it, summed over the bands.
    const auto sum = [](const QByteArray& csv, const QString& column) {
        double total = 0.0;
        for (const auto& record : CsvRecords(csv))
            total += record.at(column) == u"-" ? 0.0 : record.at(column).toDouble();
        return total;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.column);
        const CalcRun bands = run(Words("bands --format csv --ratings all") << TestDataFile(c.file));
        ASSERT_EQ(bands.exitCode, 0) << bands.err.toStdString();
        EXPECT_EQ(test::ParseCsv(bands.out).front().mid(11),
                  Words("e413_deficiency iic_deficiency lnw_deviation nc"));
        EXPECT_NEAR(sum(bands.out, QString::fromLatin1(c.column)), c.sum, 0.001);
        const CalcRun explain = run(Words("explain --format csv --bands") << TestDataFile(c.file));
        EXPECT_NEAR(sum(explain.out, QString::fromLatin1(c.column)), c.sum, 0.001);
    }
}
