#include "app/RatingsPanel.h"
#include "support/FindChild.h"

#include "app/MainForm.h"
#include "app/MainFormFixture.h"
#include "dialogs/HelpWindow.h"
#include "io/PanelSetting.h"
#include "model/Ratings.h"
#include "platform/CanvasWidget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <limits>

using namespace velmora;

namespace {

class RatingsPanelTest : public velmora::test::MainFormFixture
{
protected:
    RatingsPanel& panel() { return *test::Find<RatingsPanel>(*m_form, "RatingsPanel"); }
    QString number(int which) { return panel().Numbers[which]->text(); }
    QTableWidgetItem* cell(int row, int column) { return panel().Table->item(row, column); }

    /** Sets the edited levels slot by slot and recalculates as an edit does. */
    void setLevels(const std::vector<float>& levels)
    {
        for (std::size_t k = 0; k < levels.size(); ++k)
            model().Nodes.Node[k].Y = levels[k];
        Recalculate(model());
        m_form->Document().ViewChanged();
    }

    QPoint nodePixel(int k)
    {
        const TNode node = model().Nodes.Node[k];
        const TPoint2D p = m_context->Surface.WorldToPixel(node.X, node.Y);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
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
    EXPECT_EQ(number(RatingsPanel::StcNumber), QStringLiteral("2"));

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

TEST_F(RatingsPanelTest, FollowsADragAndExplainsEachRating)
{
    start("-third");
    panel().ToggleAction()->setChecked(true);
    // Every band 60 dB but 500 Hz at 40: STC 52, and at 53 the 500 Hz dip breaks the 8 dB rule.
    std::vector<float> levels(27, 60.0f);
    levels[10] = 40.0f;
    setLevels(levels);
    EXPECT_EQ(number(RatingsPanel::StcNumber), QStringLiteral("52"));
    EXPECT_EQ(number(RatingsPanel::DbaNumber), test::Find<QLabel>(*m_form, "ResultPanel")->text().mid(6, 4));
    EXPECT_TRUE(cell(10, RatingsPanel::DeficiencyColumn)->font().bold());
    EXPECT_FALSE(cell(9, RatingsPanel::DeficiencyColumn)->font().bold());
    EXPECT_EQ(panel().StcAdvice->text(), QStringLiteral("STC 53: 500 Hz must rise 1.0 dB"));
    // The top bands lie on the highest NR curve, 8 kHz first among equals; the dip sets nothing.
    EXPECT_TRUE(cell(22, RatingsPanel::NoiseColumn)->font().bold());
    EXPECT_FALSE(cell(10, RatingsPanel::NoiseColumn)->font().bold());
    EXPECT_EQ(cell(27, RatingsPanel::FrequencyColumn)->text(), QStringLiteral("Sum"));
    EXPECT_EQ(cell(28, RatingsPanel::DeficiencyColumn)->text(), QStringLiteral("<32.0"));

    // Drag 500 Hz up to the others without letting go: the panel follows at every step.
    CanvasWidget* canvas = test::Find<CanvasWidget>(*m_form, "GraphCanvas");
    const QPoint from = nodePixel(10);
    const TPoint2D up = m_context->Surface.WorldToPixel(model().Nodes.Node[10].X, 60.0f);
    const QPoint to(from.x(), static_cast<int>(up.y));
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    EXPECT_EQ(panel().Table->currentRow(), 10);
    QTest::mouseMove(canvas, to);
    const QString level = QString::number(model().Nodes.Node[10].Y, 'f', 1);
    EXPECT_EQ(cell(10, RatingsPanel::LevelColumn)->text(), level);
    EXPECT_FALSE(cell(10, RatingsPanel::DeficiencyColumn)->font().bold());
    EXPECT_EQ(number(RatingsPanel::StcNumber), QString::number(model().STC));
    EXPECT_NE(number(RatingsPanel::StcNumber), QStringLiteral("52"));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);

    // The reference curve rates Rw 54 (C -2; Ctr -6) in either band set.
    const std::vector<float> curve = {33, 36, 39, 42, 45, 48, 51, 52, 53, 54, 55, 56, 56, 56, 56, 56};
    levels.assign(27, 0.0f);
    std::copy(curve.begin(), curve.end(), levels.begin() + 3);
    setLevels(levels);
    EXPECT_EQ(number(RatingsPanel::RwNumber), QStringLiteral("54 (-2; -6)"));
    EXPECT_EQ(cell(27, RatingsPanel::DeviationColumn)->text(), QStringLiteral("32.0"));
    m_form->Actions().FullOctaveBandsClick();
    setLevels({0, 36, 45, 52, 55, 56, 0, 0, 0});
    EXPECT_EQ(number(RatingsPanel::RwNumber), QStringLiteral("54 (-2; -6)"));
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

TEST_F(RatingsPanelTest, ValuesThatAreNotFiniteShowADash)
{
    start();
    panel().ToggleAction()->setChecked(true);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    setLevels({0, nan, 0, inf, 0, -inf, 0, 0, 0});
    EXPECT_EQ(cell(1, RatingsPanel::LevelColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(1, RatingsPanel::AColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(1, RatingsPanel::DeficiencyColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(3, RatingsPanel::NoiseColumn)->text(), QStringLiteral("-"));
    EXPECT_EQ(number(RatingsPanel::DbaNumber), QStringLiteral("-"));
    EXPECT_EQ(number(RatingsPanel::RwNumber), QStringLiteral("-"));
    EXPECT_EQ(panel().RwAdvice->text(), QStringLiteral("-"));
    EXPECT_EQ(cell(9, RatingsPanel::DeviationColumn)->text(), QString());
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
