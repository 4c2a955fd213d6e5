#include "app/RatingsPanel.h"
#include "support/FindChild.h"

#include "app/MainForm.h"
#include "app/MainFormFixture.h"
#include "app/RatingList.h"
#include "app/RatingsBandTable.h"
#include "dialogs/HelpWindow.h"
#include "entry/NumberText.h"
#include "io/PanelSetting.h"
#include "model/Ratings.h"
#include "platform/CanvasWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace velmora;

namespace {

using Table = RatingsBandTable;

class RatingsPanelTest : public velmora::test::MainFormFixture
{
protected:
    RatingsPanel& panel() { return *test::Find<RatingsPanel>(*m_form, "RatingsPanel"); }
    RatingList& list() { return *panel().List; }
    int row(const char* name) { return list().RowOf(name); }
    QString value(const char* name)
    {
        EXPECT_GE(row(name), 0) << name;
        return row(name) >= 0 ? list().Value(row(name))->text() : QString();
    }
    QString advice(const char* name)
    {
        QLabel* line = list().Advice(row(name));
        return line ? line->text() : QStringLiteral("(none)");
    }
    QTableWidgetItem* cell(int row, int column) { return panel().Table->item(row, column); }

    /** Sets the edited levels slot by slot and recalculates as an edit does. */
    void setLevels(const std::vector<float>& levels)
    {
        for (std::size_t k = 0; k < levels.size(); ++k)
            model().Nodes.Node[k].Y = levels[k];
        Recalculate(model());
        m_form->Document().ViewChanged();
    }
};

} // namespace

TEST_F(RatingsPanelTest, F2TheMenuAndTheCloseButtonShowAndHideItAndTheChoiceIsKept)
{
    start();
    ASSERT_TRUE(panel().isHidden());
    QTest::keyClick(keyTarget(), Qt::Key_F2);
    ASSERT_FALSE(panel().isHidden());
    EXPECT_TRUE(panel().ToggleAction()->isChecked());
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "HighlightMenu")->actions().contains(panel().ToggleAction()));
    const QString result = test::Find<QLabel>(*m_form, "ResultPanel")->text();
    EXPECT_EQ(value("NR"), result.mid(result.indexOf(QStringLiteral("NR: ")) + 4)) << "as the result line";

    stop();
    start();
    EXPECT_FALSE(panel().isHidden()) << "shown at the last close";
    panel().close();
    EXPECT_TRUE(panel().isHidden());
    EXPECT_FALSE(panel().ToggleAction()->isChecked());
    panel().ToggleAction()->trigger();
    EXPECT_FALSE(panel().isHidden());
    panel().ToggleAction()->trigger();
    stop();
    start();
    EXPECT_TRUE(panel().isHidden());
}

TEST_F(RatingsPanelTest, ShowingThePanelNeverPutsAnyPartOfTheWindowOffTheScreen)
{
    // Wherever the window stands and however wide it is, the panel docks beside a graph of at least
    // the graph's least width, widening the window when the screen has room, or floats on the screen.
    for (const QRect& placed :
         {QRect(0, 0, 456, 456), QRect(300, 40, 456, 456), QRect(0, 0, 770, 500), QRect(20, 20, 760, 500)}) {
        SCOPED_TRACE(placed.x());
        start();
        m_form->resize(placed.size());
        m_form->move(placed.topLeft());
        QApplication::processEvents();
        const QRect screen = m_form->screen()->availableGeometry();
        const int graphWidth = test::Find<CanvasWidget>(*m_form, "GraphCanvas")->width();
        panel().ToggleAction()->setChecked(true);
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(m_form->frameGeometry())) << m_form->frameGeometry().x();
        const QRect shown(panel().mapToGlobal(QPoint(0, 0)), panel().size());
        EXPECT_TRUE(screen.contains(shown));
        if (!panel().isFloating()) {
            EXPECT_GE(m_form->centralWidget()->width(), 300);
            EXPECT_LE(test::Find<QWidget>(*m_form, "GraphPanel")->mapTo(m_form.get(), QPoint(0, 0)).x() +
                          test::Find<QWidget>(*m_form, "GraphPanel")->width(),
                      panel().x() + 1);
            if (m_form->width() > placed.width()) {
                EXPECT_EQ(test::Find<CanvasWidget>(*m_form, "GraphCanvas")->width(), graphWidth)
                    << "a widened window keeps the graph's size";
            }
        }
        panel().ToggleAction()->setChecked(false);
        stop();
    }
}

TEST_F(RatingsPanelTest, EachDataTypeListsItsOwnRatingsAndColumns)
{
    const QStringList levels = {"dBA", "dBB", "dBC",       "dBD",        "NR",
                                "NC",  "SIL", "Ln,w (CI)", "CI,50-2500", "IIC"};
    const QStringList attenuations = {"STC",       "STC (E413)", "Rw (C; Ctr)", "C50-3150",   "C50-5000",
                                      "C100-5000", "Ctr50-3150", "Ctr50-5000",  "Ctr100-5000"};
    const std::vector<int> levelColumns = {
        Table::FrequencyColumn, Table::LevelColumn, Table::AColumn,  Table::BColumn,      Table::CColumn,
        Table::DColumn,         Table::NoiseColumn, Table::NcColumn, Table::ImpactColumn, Table::IicColumn};
    const std::vector<int> attenuationColumns = {
        Table::FrequencyColumn, Table::LevelColumn,     Table::ContourColumn,  Table::DeficiencyColumn,
        Table::AstmColumn,      Table::ReferenceColumn, Table::DeviationColumn};
    const struct {
        int type;
        bool third;
        QStringList names;
        QStringList curves;
        QStringList unrated;
        QStringList classes;
        std::vector<int> columns;
    } cases[] = {
        {PressureLevels,
         true,
         levels,
         {"NR", "NC", "Ln,w (CI)", "IIC"},
         {},
         {"Ln,w (CI)", "IIC"},
         levelColumns},
        // The ASTM ratings do not rate octaves: their curve cannot be chosen.
        {PowerLevels,
         false,
         levels,
         {"NR", "NC", "Ln,w (CI)", "IIC"},
         {"IIC"},
         {"Ln,w (CI)", "IIC"},
         levelColumns},
        {AttenuationLevels,
         true,
         attenuations,
         {"STC", "STC (E413)", "Rw (C; Ctr)"},
         {},
         {"STC", "STC (E413)", "Rw (C; Ctr)"},
         attenuationColumns},
        {AttenuationLevels,
         false,
         attenuations,
         {"STC", "STC (E413)", "Rw (C; Ctr)"},
         {"STC (E413)"},
         {"STC", "STC (E413)", "Rw (C; Ctr)"},
         attenuationColumns},
        {CorrectionFactors, true, {}, {}, {}, {}, {Table::FrequencyColumn, Table::LevelColumn}},
    };
    start();
    panel().ToggleAction()->setChecked(true);
    setLevels(std::vector<float>(9, 50.0f));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << (c.third ? " third octaves" : " octaves"));
        if (c.third)
            m_form->Actions().ThirdOctaveBandsClick();
        else
            m_form->Actions().FullOctaveBandsClick();
        setType(c.type);
        for (const QString& name : levels + attenuations) {
            const int at = list().RowOf(name.toStdString());
            ASSERT_EQ(at, c.names.indexOf(name))
                << name.toStdString() << ": listed in this order or not at all";
            if (at < 0)
                continue;
            QAbstractButton* toggle = list().CurveToggle(at);
            EXPECT_EQ(toggle != nullptr, c.curves.contains(name)) << name.toStdString();
            if (toggle) {
                EXPECT_EQ(toggle->isEnabled(), !c.unrated.contains(name)) << name.toStdString();
            }
            EXPECT_EQ(list().Advice(at) != nullptr, c.classes.contains(name)) << name.toStdString();
            EXPECT_FALSE(list().Value(at)->text().isEmpty());
        }
        EXPECT_EQ(list().ImpactHeader() != nullptr, c.names.contains("IIC"));
        EXPECT_EQ(list().NotRated()->isHidden(), !c.names.isEmpty());
        for (int column = 0; column < Table::ColumnCount; ++column) {
            const bool shown = std::find(c.columns.begin(), c.columns.end(), column) != c.columns.end();
            EXPECT_EQ(panel().Table->isColumnHidden(column), !shown) << "column " << column;
        }
        EXPECT_EQ(panel().Table->rowCount(), (c.third ? 27 : 9) + 2);
    }
}

TEST_F(RatingsPanelTest, TheGoverningBandShowsTheNumberOfTheHeadline)
{
    // NR and NC are the value of their governing band: the band's cell reads exactly as the
    // headline, and it is the one marked in its column.
    start();
    panel().ToggleAction()->setChecked(true);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> tenths(-250, 250);
    std::uniform_int_distribution<int> bases(0, 100);
    const struct {
        const char* name;
        RatingCurve curve;
        int column;
    } ratings[] = {{"NR", RatingCurve::NR, Table::NoiseColumn}, {"NC", RatingCurve::NC, Table::NcColumn}};
    for (bool third : {true, false}) {
        if (third)
            m_form->Actions().ThirdOctaveBandsClick();
        else
            m_form->Actions().FullOctaveBandsClick();
        const int bands = model().Nodes.Count;
        for (int trial = 0; trial < 150; ++trial) {
            std::vector<float> levels(bands);
            const int base = bases(random);
            for (int k = 0; k < bands; ++k)
                levels[k] = static_cast<float>(base * 10 + tenths(random) - 4 * k * model().BandStep) / 10.0f;
            setLevels(levels);
            for (const auto& rating : ratings) {
                SCOPED_TRACE(testing::Message() << rating.name << " trial " << trial << " base " << base);
                const int band = GoverningBand(model().Ratings, rating.curve);
                EXPECT_EQ(list().Band(row(rating.name))->text(),
                          band < 0 ? QString() : QString::fromStdString(BandName(band)));
                int marked = 0;
                for (int k = 0; k < bands; ++k)
                    marked += cell(k, rating.column) && cell(k, rating.column)->font().bold();
                EXPECT_EQ(marked, band < 0 ? 0 : 1);
                if (band < 0)
                    continue;
                const int slot = (band - model().BandStart) / model().BandStep;
                const QString headline = value(rating.name);
                // Outside the NC curves both say on which side: ">NC-70" and ">70".
                EXPECT_EQ(cell(slot, rating.column)->text(), QString(headline).remove(QStringLiteral("NC-")));
                EXPECT_TRUE(cell(slot, rating.column)->font().bold());
            }
        }
    }
}

TEST_F(RatingsPanelTest, FollowsADragAndExplainsEachRating)
{
    start("-third");
    panel().ToggleAction()->setChecked(true);
    setType(AttenuationLevels);
    // Every band 60 dB but 500 Hz at 40: STC 52, and at 53 the 500 Hz dip breaks the 8 dB rule.
    std::vector<float> levels(27, 60.0f);
    levels[10] = 40.0f;
    setLevels(levels);
    EXPECT_EQ(value("STC"), QStringLiteral("52"));
    EXPECT_TRUE(cell(10, Table::DeficiencyColumn)->font().bold());
    EXPECT_FALSE(cell(9, Table::DeficiencyColumn)->font().bold());
    EXPECT_EQ(advice("STC"), QStringLiteral("STC 53: 500 Hz must rise 1.0 dB"));
    // No band may lie more than 8 dB under the E413 contour: the dip at 40 dB holds it at 48.
    EXPECT_EQ(value("STC (E413)"), QStringLiteral("48"));
    EXPECT_EQ(list().Band(row("STC (E413)"))->text(), QStringLiteral("500 Hz"));
    EXPECT_EQ(cell(10, Table::AstmColumn)->text(), QStringLiteral("8"));
    EXPECT_TRUE(cell(10, Table::AstmColumn)->font().bold());
    EXPECT_EQ(cell(27, Table::FrequencyColumn)->text(), QStringLiteral("Sum"));
    EXPECT_EQ(cell(28, Table::DeficiencyColumn)->text(), QStringLiteral("<32.0"));
    EXPECT_EQ(cell(28, Table::AstmColumn)->text(), QStringLiteral("32"));

    // Drag 500 Hz up to the others without letting go: the panel follows at every step.
    CanvasWidget* canvas = test::Find<CanvasWidget>(*m_form, "GraphCanvas");
    const QPoint from = nodePixel(10);
    const TPoint2D up = m_context->Surface.WorldToPixel(model().Nodes.Node[10].X, 60.0f);
    const QPoint to(from.x(), static_cast<int>(up.y));
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    EXPECT_EQ(panel().Table->currentRow(), 10);
    QTest::mouseMove(canvas, to);
    const QString level = QString::number(model().Nodes.Node[10].Y, 'f', 1);
    EXPECT_EQ(cell(10, Table::LevelColumn)->text(), level);
    EXPECT_FALSE(cell(10, Table::DeficiencyColumn)->font().bold());
    EXPECT_EQ(value("STC"), QString::number(model().STC));
    EXPECT_NE(value("STC"), QStringLiteral("52"));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);

    // The reference curve rates Rw 54 (C -2; Ctr -6) in either band set.
    const std::vector<float> curve = {33, 36, 39, 42, 45, 48, 51, 52, 53, 54, 55, 56, 56, 56, 56, 56};
    levels.assign(27, 0.0f);
    std::copy(curve.begin(), curve.end(), levels.begin() + 3);
    setLevels(levels);
    EXPECT_EQ(value("Rw (C; Ctr)"), QStringLiteral("54 (-2; -6)"));
    EXPECT_EQ(cell(27, Table::DeviationColumn)->text(), QStringLiteral("32.0"));
    m_form->Actions().FullOctaveBandsClick();
    setLevels({0, 36, 45, 52, 55, 56, 0, 0, 0});
    EXPECT_EQ(value("Rw (C; Ctr)"), QStringLiteral("54 (-2; -6)"));
    EXPECT_EQ(panel().Table->rowCount(), 9 + 2);
}

TEST_F(RatingsPanelTest, RowsAndNodesSelectEachOther)
{
    start();
    panel().ToggleAction()->setChecked(true);
    const QRect row3 = panel().Table->visualRect(panel().Table->model()->index(3, 1));
    QTest::mouseClick(panel().Table->viewport(), Qt::LeftButton, {}, row3.center());
    EXPECT_EQ(model().Nodes.Current, 3);
    EXPECT_EQ(test::Find<QLabel>(*m_form, "StatusPanel")->text(), QStringLiteral(" 500Hz = 0.0dB"));
    QTest::keyClick(keyTarget(), Qt::Key_Right);
    EXPECT_EQ(model().Nodes.Current, 4);
    EXPECT_EQ(panel().Table->currentRow(), 4);
    // The sum row is no band: choosing it leaves the current node alone.
    const QRect sum = panel().Table->visualRect(panel().Table->model()->index(9, 0));
    QTest::mouseClick(panel().Table->viewport(), Qt::LeftButton, {}, sum.center());
    EXPECT_EQ(model().Nodes.Current, 4);
}

TEST_F(RatingsPanelTest, BehindTheCompareTabItCatchesUpAsItComesBack)
{
    start();
    panel().ToggleAction()->setChecked(true);
    test::Find<QAction>(*m_form, "CompareViewAction")->trigger();
    auto* pages = test::Find<QTabWidget>(*m_form, "RatingsPages");
    ASSERT_NE(pages->currentIndex(), 0);
    setLevels({40, 50, 60, 70, 60, 50, 40, 30, 20});
    m_form->Document().Select(5);
    pages->setCurrentIndex(0);
    const QString result = test::Find<QLabel>(*m_form, "ResultPanel")->text();
    EXPECT_EQ(value("NR"), result.mid(result.indexOf(QStringLiteral("NR: ")) + 4));
    EXPECT_EQ(cell(2, Table::LevelColumn)->text(), QStringLiteral("60.0"));
    EXPECT_EQ(panel().Table->currentRow(), 5);
}

TEST_F(RatingsPanelTest, ValuesThatAreNotFiniteShowADash)
{
    start();
    panel().ToggleAction()->setChecked(true);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    setLevels({0, nan, 0, inf, 0, -inf, 0, 0, 0});
    EXPECT_EQ(cell(1, Table::LevelColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(1, Table::AColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(3, Table::NoiseColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(value("dBA"), QStringLiteral("-"));
    EXPECT_EQ(value("NC"), QStringLiteral("-"));
    EXPECT_EQ(cell(1, Table::NcColumn)->text(), QString()) << "NC not rated: no octave has a value";
    EXPECT_FALSE(list().CurveToggle(row("NC"))->isEnabled());
    setType(AttenuationLevels);
    EXPECT_EQ(cell(1, Table::DeficiencyColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(value("Rw (C; Ctr)"), QStringLiteral("-"));
    EXPECT_EQ(advice("Rw (C; Ctr)"), QStringLiteral("-"));
    EXPECT_EQ(cell(9, Table::DeviationColumn)->text(), QString());
}

TEST_F(RatingsPanelTest, TheImpactRatingsFoldAwayWithTheirColumnsAndStaySo)
{
    start("-third");
    panel().ToggleAction()->setChecked(true);
    ASSERT_NE(list().ImpactHeader(), nullptr);
    EXPECT_FALSE(list().Value(row("IIC"))->isHidden());
    QTest::mouseClick(list().ImpactHeader(), Qt::LeftButton);
    for (const char* name : {"Ln,w (CI)", "CI,50-2500", "IIC"})
        EXPECT_TRUE(list().Value(row(name))->isHidden()) << name;
    EXPECT_TRUE(list().Advice(row("IIC"))->isHidden());
    EXPECT_TRUE(panel().Table->isColumnHidden(Table::ImpactColumn));
    EXPECT_TRUE(panel().Table->isColumnHidden(Table::IicColumn));
    EXPECT_FALSE(list().Value(row("NC"))->isHidden());

    stop();
    start("-third");
    EXPECT_TRUE(list().ImpactFolded()) << "kept in the settings";
    EXPECT_TRUE(panel().Table->isColumnHidden(Table::IicColumn));
    QTest::mouseClick(list().ImpactHeader(), Qt::LeftButton);
    EXPECT_FALSE(panel().Table->isColumnHidden(Table::IicColumn));
    // Unfolded, the columns show what the ratings say now, not what they said when folded.
    setLevels(std::vector<float>(27, 70.0f));
    EXPECT_EQ(cell(10, Table::ImpactColumn)->text(),
              QString::fromStdString(FixedText(model().Ratings.bands[10].impactDeviation, 1)));
}

TEST_F(RatingsPanelTest, HelpPageShowsThePanelsPicture)
{
    TMainForm& form = start();
    form.HelpButtonClick();
    test::Find<HelpWindow>(form, "Help")->Browser->setSource(QUrl(QStringLiteral("ratingspanel.html")));
    EXPECT_TRUE(
        test::Find<HelpWindow>(form, "Help")->Browser->toPlainText().contains(QStringLiteral("Rw (C; Ctr)")));
    const QVariant picture =
        test::Find<HelpWindow>(form, "Help")
            ->Browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("ratingspanel.png")));
    EXPECT_FALSE(picture.value<QImage>().isNull() && picture.value<QByteArray>().isEmpty());
}
