#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "app/RatingList.h"
#include "app/RatingsPanel.h"
#include "model/SpectrumModel.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::CsvRecords;
using velmora::test::DataText;
using velmora::test::Ramp;
using velmora::test::TestDataFile;

namespace {

/** Every band 60 dB but 500 Hz at 40: STC 52, and the next class is kept out by the 500 Hz dip. */
QByteArray DippedWall()
{
    std::vector<double> levels(27, 60.0);
    levels[10] = 40.0;
    return DataText(true, AttenuationLevels, PressureLevels, levels, {});
}

} // namespace

TEST_F(CalcToolTest, ExplainWordsEachRatingAsTheRatingsPanelDoes)
{
    const QString files[] = {
        write(QStringLiteral("dipped.snd"), DippedWall()),
        write(QStringLiteral("octave.snd"),
              DataText(false, PressureLevels, PressureLevels, Ramp(9, 70, -4.5), Ramp(9, 30, 0))),
        TestDataFile("airborne_example_wall.snd"),
        TestDataFile("impact_example_bare_floor.snd"),
    };
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        TMainForm& window = openWindow(file);
        RatingsPanel& panel = *test::Find<RatingsPanel>(window, "RatingsPanel");
        panel.ToggleAction()->setChecked(true);
        const CalcRun csv =
            run({QStringLiteral("explain"), QStringLiteral("--format"), QStringLiteral("csv"), file});
        ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
        const auto records = CsvRecords(csv.out);
        ASSERT_EQ(records.size(), 19u) << "both families whole";
        std::map<QString, std::map<QString, QString>> rating;
        for (const auto& record : records)
            rating[record.at(QStringLiteral("rating"))] = record;

        // Every rating the panel lists reads as explain words it: value and next-class line.
        int listed = 0;
        for (const auto& [name, record] : rating) {
            const int row = panel.List->RowOf(name.toStdString());
            if (row < 0)
                continue;
            ++listed;
            EXPECT_EQ(record.at(QStringLiteral("value")), panel.List->Value(row)->text())
                << name.toStdString();
            if (const QLabel* advice = panel.List->Advice(row)) {
                EXPECT_EQ(record.at(QStringLiteral("next_class")), advice->text()) << name.toStdString();
            }
        }
        EXPECT_GE(listed, 7) << "the panel lists the family of the data type";
        // The family that fits the data type comes first, and says so.
        const bool attenuation = windowModel().Nodes.DataType == AttenuationLevels;
        EXPECT_EQ(records.front().at(QStringLiteral("rating")), attenuation ? u"STC" : u"dBA");
        EXPECT_EQ(records.front().at(QStringLiteral("fits")), u"yes");
        EXPECT_EQ(records.back().at(QStringLiteral("fits")), u"no");
        const QString text = QString::fromUtf8(run({QStringLiteral("explain"), file}).out);
        const std::string lineName = attenuation ? "Rw (C; Ctr)" : "Ln,w (CI)";
        if (const QLabel* advice = panel.List->Advice(panel.List->RowOf(lineName))) {
            EXPECT_TRUE(text.contains(advice->text() + u'\n')) << text.toStdString();
        }
        EXPECT_TRUE(text.contains(attenuation ? u"Ratings of attenuation, which fit the data type:"
                                              : u"Ratings of levels, which fit the data type:"));
    }
}

TEST_F(CalcToolTest, ExplainReportsAnUnreadableFileAndExplainsTheOthers)
{
    write(QStringLiteral("a.snd"), DippedWall());
    write(QStringLiteral("b.snd"), DataText(false, PressureLevels, PressureLevels, Ramp(9, 60, 0), {}));
    for (const char* format : {"text", "csv", "json"}) {
        SCOPED_TRACE(format);
        const CalcRun result =
            run({QStringLiteral("explain"), QStringLiteral("--format"), QString::fromLatin1(format),
                 QStringLiteral("a.snd"), QStringLiteral("missing.snd"), QStringLiteral("b.snd")});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains("'missing.snd'")) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains("a.snd") && result.out.contains("b.snd"));
        EXPECT_FALSE(result.out.contains("missing"));
    }
}
