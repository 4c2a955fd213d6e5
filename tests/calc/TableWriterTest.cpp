#include "calc/CalcToolFixture.h"
#include "model/Weighting.h"

#include "entry/NumberText.h"
#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::Ramp;

namespace {

const QStringList kRateColumns = {QStringLiteral("file"), QStringLiteral("bands"), QStringLiteral("type"),
                                  QStringLiteral("dBA"),  QStringLiteral("dBB"),   QStringLiteral("dBC"),
                                  QStringLiteral("dBD"),  QStringLiteral("NR"),    QStringLiteral("STC"),
                                  QStringLiteral("Rw"),   QStringLiteral("C"),     QStringLiteral("Ctr")};
const QStringList kBandColumns = {
    QStringLiteral("frequency"),  QStringLiteral("edited"),   QStringLiteral("other"),
    QStringLiteral("A"),          QStringLiteral("B"),        QStringLiteral("C"),
    QStringLiteral("D"),          QStringLiteral("result"),   QStringLiteral("NR"),
    QStringLiteral("deficiency"), QStringLiteral("deviation")};

/** One decimal, or "-" where the value is not finite. */
QString Printed(double value)
{
    return std::isfinite(value) ? QString::fromStdString(FixedText(value, 1)) : QStringLiteral("-");
}

/** A JSON value as the text and CSV formats print it: one decimal, or "-" for null. */
QString PrintedAs(const QJsonValue& value, int decimals)
{
    if (value.isNull())
        return QStringLiteral("-");
    if (value.isString())
        return value.toString();
    return QString::fromStdString(FixedText(value.toDouble(), decimals));
}

QJsonArray ParseJsonArray(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << bytes.toStdString();
    EXPECT_TRUE(document.isArray());
    return document.array();
}

/** The JSON objects as rows of printed values in the columns' order, the keys checked on the way. */
std::vector<QStringList> JsonRows(const QJsonArray& array, const QStringList& columns, int decimals)
{
    std::vector<QStringList> rows;
    for (const QJsonValue& item : array) {
        const QJsonObject object = item.toObject();
        EXPECT_EQ(object.keys().size(), columns.size());
        QStringList row;
        for (const QString& column : columns) {
            EXPECT_TRUE(object.contains(column)) << column.toStdString();
            row << PrintedAs(object.value(column), column == QStringLiteral("frequency") ? 0 : decimals);
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST_F(CalcToolTest, RateFormatsCarryTheSameValuesAndAwkwardNames)
{
    const QByteArray octave = DataText(false, PressureLevels, PressureLevels, Ramp(9, 62, 2), {});
    const QStringList names = {QStringLiteral("plain.snd"),     QStringLiteral("comma,name.snd"),
                               QStringLiteral("quote\"d.snd"),  QStringLiteral("back\\slash.snd"),
                               QStringLiteral("new\nline.snd"), QStringLiteral("tab\tbell\a.snd"),
                               QStringLiteral("caf\u00e9.snd"), QStringLiteral("huge.snd")};
    for (const QString& name : names)
        write(name, octave);
    write(QStringLiteral("huge.snd"),
          DataText(false, PressureLevels, PressureLevels, std::vector<double>(9, 3.4028234e38), {}));

    const auto runFormat = [&](const char* format) {
        const CalcRun result =
            run(QStringList{QStringLiteral("rate"), QStringLiteral("--format"), QString::fromLatin1(format)} +
                names);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return result.out;
    };
    const QByteArray text = runFormat("text");
    const QByteArray csv = runFormat("csv");
    const QByteArray json = runFormat("json");

    // CSV: the header, then the names back exactly as given, whatever they hold.
    const std::vector<QStringList> csvRows = velmora::test::ParseCsv(csv);
    ASSERT_EQ(csvRows.size(), static_cast<std::size_t>(names.size()) + 1);
    EXPECT_EQ(csvRows.front(), kRateColumns);
    EXPECT_TRUE(csv.contains("\"comma,name.snd\"") && csv.contains("\"quote\"\"d.snd\"") &&
                csv.contains("\"new\nline.snd\""));

    // JSON: valid whatever the names hold; null where CSV and text print "-".
    const QJsonArray array = ParseJsonArray(json);
    const std::vector<QStringList> jsonRows = JsonRows(array, kRateColumns, 1);
    ASSERT_EQ(jsonRows.size(), static_cast<std::size_t>(names.size()));
    EXPECT_TRUE(array.last().toObject().value(QStringLiteral("STC")).isDouble());
    EXPECT_TRUE(array.first().toObject().value(QStringLiteral("dBA")).isDouble());
    // Raw control characters are not allowed in JSON strings, though lenient parsers take them.
    EXPECT_TRUE(std::all_of(json.begin(), json.end(),
                            [](char c) { return c == '\n' || static_cast<unsigned char>(c) >= 0x20; }));
    EXPECT_TRUE(json.contains("\"tab\\tbell\\u0007.snd\""));

    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(csvRows[static_cast<std::size_t>(i) + 1].front(), names[i]);
        EXPECT_EQ(jsonRows[static_cast<std::size_t>(i)], csvRows[static_cast<std::size_t>(i) + 1]);
    }

    // Text: one line per file, control characters shown as escapes, every line as wide as the header.
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    ASSERT_EQ(lines.size(), names.size() + 1);
    EXPECT_TRUE(lines[5].startsWith("new\\nline.snd "));
    EXPECT_TRUE(lines[6].startsWith("tab\\tbell\\x07.snd "));
    for (const QByteArray& line : lines)
        EXPECT_EQ(QString::fromUtf8(line).size(), QString::fromUtf8(lines.front()).size())
            << line.toStdString();
    const QStringList plain = velmora::test::ParseTextTable(lines[1]).front();
    EXPECT_EQ(plain, csvRows[1]);
}

TEST_F(CalcToolTest, JsonStaysValidForNamesThatAreNotUtf8)
{
    write(QStringLiteral("good.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    const CalcRun result = runShell(QStringLiteral("name=$(printf 'bad\\377\\300\\200.snd'); cp good.snd "
                                                   "\"$name\" && \"$0\" rate --format json \"$name\"; "
                                                   "status=$?; rm -f \"$name\"; exit $status"));
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray array = ParseJsonArray(result.out);
    ASSERT_EQ(array.size(), 1);
    EXPECT_EQ(array.first().toObject().value(QStringLiteral("file")).toString(),
              QStringLiteral("bad\ufffd\ufffd\ufffd.snd"));
}

TEST_F(CalcToolTest, BandsListEveryBandWithItsWeightedLevelsAndResult)
{
    struct Case {
        const char* name;
        bool third;
        int editedType;
        int otherType;
    };
    const Case cases[] = {
        {"third_pressure_attenuation.snd", true, PressureLevels, AttenuationLevels},
        {"octave_power_pressure.snd", false, PowerLevels, PressureLevels},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int count = c.third ? 27 : 9;
        write(QString::fromLatin1(c.name),
              DataText(c.third, c.editedType, c.otherType, Ramp(count, 35.25, 1.5), Ramp(count, 70, -0.75)));
        const auto runFormat = [&](const char* format) {
            const CalcRun result = run({QStringLiteral("bands"), QStringLiteral("--format"),
                                        QString::fromLatin1(format), QString::fromLatin1(c.name)});
            EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
            return result.out;
        };
        const std::vector<QStringList> textRows = velmora::test::ParseTextTable(runFormat("text"));
        const std::vector<QStringList> csvRows = velmora::test::ParseCsv(runFormat("csv"));
        const std::vector<QStringList> jsonRows =
            JsonRows(ParseJsonArray(runFormat("json")), kBandColumns, 1);
        ASSERT_EQ(textRows.size(), static_cast<std::size_t>(count) + 1);
        EXPECT_EQ(textRows.front(), kBandColumns);
        EXPECT_EQ(csvRows, textRows);
        ASSERT_EQ(jsonRows.size(), static_cast<std::size_t>(count));

        openWindow(path(QString::fromLatin1(c.name)));
        TSpectrumModel& model = windowModel();
        CalcResults(model);
        const SpectrumRatings ratings = RateSpectrum(EditedLevels(model), model.BandStart, model.BandStep);
        int stcBands = 0;
        int rwBands = 0;
        for (int k = 0; k < count; ++k) {
            const int band = BandIndexOfSlot(model, k);
            const float level = model.Nodes.Node[k].Y;
            QStringList expected = {QString::number(BandFrequency[band]),
                                    QString::fromStdString(FixedText(level, 1)),
                                    QString::fromStdString(FixedText(model.OtherLevels[k], 1))};
            const BandBreakdown& rated = ratings.bands[k];
            for (int w = WeightA; w <= WeightD; ++w)
                expected << QString::fromStdString(FixedText(rated.weighted[w], 1));
            expected << QString::fromStdString(FixedText(model.Results[k], 1));
            expected << Printed(rated.noiseRating) << Printed(rated.stcDeficiency)
                     << Printed(rated.rwDeviation);
            stcBands += expected[9] != QStringLiteral("-");
            rwBands += expected[10] != QStringLiteral("-");
            EXPECT_EQ(textRows[static_cast<std::size_t>(k) + 1], expected) << "band " << k;
            EXPECT_EQ(jsonRows[static_cast<std::size_t>(k)], expected) << "band " << k;
        }
        EXPECT_EQ(textRows[1][0], c.third ? QStringLiteral("50") : QStringLiteral("63"));
        // STC rates 125 Hz to 5000 Hz (to 4000 Hz in octaves), Rw 100 Hz to 3150 Hz (125 Hz to 2000 Hz).
        EXPECT_EQ(stcBands, c.third ? 17 : 6);
        EXPECT_EQ(rwBands, c.third ? 16 : 5);
    }
}
