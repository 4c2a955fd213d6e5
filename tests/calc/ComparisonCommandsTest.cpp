#include "app/ComparisonFiles.h"
#include "calc/CalcToolFixture.h"
#include "support/FindChild.h"

#include "io/ComparedFiles.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <QAction>
#include <QImage>
#include <QTableWidget>

#include <random>

using namespace velmora;
using velmora::test::CalcRun;
using velmora::test::CalcToolTest;
using velmora::test::DataText;
using velmora::test::ParseCsv;

namespace {

class ComparisonCommandsTest : public CalcToolTest
{
protected:
    /** Five measured positions in octaves (levels to a tenth, as a meter gives them) and a third-octave
     * target. */
    void SetUp() override
    {
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> tenths(-45, 45);
        for (int i = 1; i <= 5; ++i) {
            std::vector<double> levels;
            for (int k = 0; k < 9; ++k)
                levels.push_back(64.0 - 2.5 * k + tenths(random) / 10.0);
            const QString name = QStringLiteral("pos%1.snd").arg(i);
            write(name, DataText(false, PressureLevels, PressureLevels, levels, std::vector<double>(9, 0.0)));
            m_positions << name;
        }
        write(QStringLiteral("target.snd"),
              DataText(true, PressureLevels, PressureLevels, test::Ramp(27, 62, -0.9), {}));
    }

    QString commandLine() const
    {
        QStringList words{QStringLiteral("-compare")};
        for (const QString& name : m_positions)
            words << path(name);
        return words.join(u' ');
    }

    BandLevels LevelsOf(const QString& name) const
    {
        ComparedFile file;
        std::string reason;
        EXPECT_TRUE(ReadComparedFile(path(name).toStdString(), file, reason)) << reason;
        return file.levels;
    }

    QStringList m_positions;
};

} // namespace

TEST_F(ComparisonCommandsTest, AverageAndCompareGiveTheNumbersOfTheWindowsAverageAndCompareView)
{
    for (const bool arithmetic : {false, true}) {
        SCOPED_TRACE(arithmetic ? "arithmetic" : "energetic");
        QStringList arguments{QStringLiteral("average")};
        arguments << m_positions << QStringLiteral("-o") << QStringLiteral("mean.snd");
        if (arithmetic)
            arguments << QStringLiteral("--arithmetic");
        const CalcRun average = run(arguments);
        ASSERT_EQ(average.exitCode, 0) << average.err.toStdString();

        TMainForm& window = openWindow(commandLine());
        test::Find<QAction>(window, arithmetic ? "AverageArithmetic" : "AverageEnergetic")->trigger();
        const BandLevels mean = LevelsOf(QStringLiteral("mean.snd"));
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(windowModel().Nodes.Node[k].Y, mean[k]) << "band " << k;
    }

    // The average against the target and the positions, band by band and rating by rating.
    m_form->Comparison().AddFiles({path(QStringLiteral("target.snd")).toStdString()}, true);
    test::Find<QAction>(*m_form, "CompareViewAction")->trigger();
    QStringList arguments{QStringLiteral("compare"), QStringLiteral("--format"), QStringLiteral("csv"),
                          QStringLiteral("mean.snd")};
    arguments << m_positions << QStringLiteral("target.snd");
    const CalcRun compare = run(arguments);
    ASSERT_EQ(compare.exitCode, 0) << compare.err.toStdString();
    const std::vector<QStringList> records = ParseCsv(compare.out);
    auto* table = test::Find<QTableWidget>(*m_form, "CompareTable");
    ASSERT_EQ(static_cast<int>(records.size()), 1 + table->rowCount() - 1) << "the view has a heading row";
    ASSERT_EQ(records[0].size(), table->columnCount());
    EXPECT_EQ(records[0][2], QStringLiteral("pos1.snd"));
    EXPECT_EQ(records[0][3], QStringLiteral("diff pos1.snd"));
    EXPECT_EQ(records[0].back(), QStringLiteral("diff target.snd"));
    for (int row = 0, record = 1; row < table->rowCount(); ++row) {
        if (row == 9)
            continue; // the view's "Ratings" heading
        for (int column = 0; column < table->columnCount(); ++column)
            EXPECT_EQ(records[static_cast<std::size_t>(record)][column], table->item(row, column)->text())
                << "row " << row << " column " << column;
        ++record;
    }
}

TEST_F(ComparisonCommandsTest, AverageRefusesMixedBandSetsAndFilesItCannotRead)
{
    const struct {
        QStringList arguments;
        int status;
        const char* said;
    } cases[] = {
        {{"average", "pos1.snd", "target.snd", "pos2.snd", "-o", "out.snd"},
         1,
         "'target.snd' has third octaves"},
        {{"average", "pos1.snd", "missing.snd", "-o", "out.snd"}, 1, "cannot read 'missing.snd'"},
        {{"average", "pos1.snd"}, 2, "-o OUT.snd is needed"},
        {{"average", "pos1.snd", "-o", "out.txt"}, 2, "must end in .snd"},
        {{"average", "-o", "out.snd"}, 2, "no data file named"},
        {{"average", "pos1.snd", "--octave", "-o", "out.snd"}, 2, "--octave"},
        {{"compare", "pos1.snd"}, 2, "at least one file"},
        {{"compare", "--format", "xml", "pos1.snd", "pos2.snd"}, 2, "--format"},
        {{"compare", "missing.snd", "pos2.snd"}, 1, "cannot read 'missing.snd'"},
    };
    for (const auto& c : cases) {
        const CalcRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.said)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.snd"))));
        if (c.arguments.front() == QStringLiteral("compare")) {
            EXPECT_TRUE(result.out.isEmpty());
        }
    }

    // A later file that cannot be read is left out of the table, and the status says so.
    const CalcRun partial =
        run({QStringLiteral("compare"), QStringLiteral("--format"), QStringLiteral("json"),
             QStringLiteral("pos1.snd"), QStringLiteral("gone.snd"), QStringLiteral("pos2.snd")});
    EXPECT_EQ(partial.exitCode, 1);
    EXPECT_TRUE(partial.err.contains("gone.snd"));
    EXPECT_TRUE(partial.out.contains("\"diff pos2.snd\": "));
    EXPECT_FALSE(partial.out.contains("gone"));
}

TEST_F(ComparisonCommandsTest, RenderDrawsFurtherFilesAsTheWindowDrawsItsSet)
{
    QStringList arguments{QStringLiteral("render"), QStringLiteral("target.snd")};
    arguments << m_positions << QStringLiteral("-o") << QStringLiteral("set.png");
    const CalcRun result = run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage png(path(QStringLiteral("set.png")), "PNG");

    openWindow(path(QStringLiteral("target.snd")) + u' ' + commandLine());
    ASSERT_EQ(m_context->Comparison.Size(), 5u);
    EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) ==
                m_form->GraphImage().image().copy(0, 0, m_context->Surface.Width, m_context->Surface.Height));

    const CalcRun missing =
        run({QStringLiteral("render"), QStringLiteral("target.snd"), QStringLiteral("gone.snd"),
             QStringLiteral("-o"), QStringLiteral("gone.png")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("gone.png"))));
}
