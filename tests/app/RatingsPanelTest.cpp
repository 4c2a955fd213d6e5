#include "app/RatingsPanel.h"

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
    RatingsPanel& panel() { return *m_form->Ratings; }
    QString number(int which) { return panel().Numbers[which]->text(); }
    QTableWidgetItem* cell(int row, int column) { return panel().Table->item(row, column); }

    /** Sets the edited levels slot by slot and recalculates as an edit does. */
    void setLevels(const std::vector<float>& levels)
    {
        for (std::size_t k = 0; k < levels.size(); ++k)
            model().Nodes.Node[k].Y = levels[k];
        Recalculate(model(), m_form.get());
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
    const int windowWidth = m_form->width();
    const int graphWidth = m_form->GraphCanvas->width();

    QTest::keyClick(m_form.get(), Qt::Key_F2);
    ASSERT_FALSE(panel().isHidden());
    EXPECT_TRUE(panel().ToggleAction()->isChecked());
    EXPECT_TRUE(m_form->HighlightMenu->actions().contains(panel().ToggleAction()));
    // The window widens by the panel's strip; the graph keeps its size beside it.
    EXPECT_EQ(m_form->width(), windowWidth + panel().width());
    EXPECT_EQ(m_form->GraphCanvas->width(), graphWidth);
    EXPECT_LE(m_form->GraphPanel->geometry().right(), panel().x());
    EXPECT_EQ(number(RatingsPanel::StcNumber), QStringLiteral("2"));

    stop();
    start();
    EXPECT_FALSE(panel().isHidden()) << "shown at the last close";
    panel().close();
    EXPECT_TRUE(panel().isHidden());
    EXPECT_FALSE(panel().ToggleAction()->isChecked());
    EXPECT_EQ(m_form->GraphCanvas->width() + 1, m_form->GraphPanel->width() - 2);
    panel().ToggleAction()->trigger();
    EXPECT_FALSE(panel().isHidden());
    panel().ToggleAction()->trigger();
    stop();
    start();
    EXPECT_TRUE(panel().isHidden());
}

TEST_F(RatingsPanelTest, FollowsADragAndExplainsEachRating)
{
    start("-third");
    panel().SetShown(true);
    // Every band 60 dB but 500 Hz at 40: STC 52, and at 53 the 500 Hz dip breaks the 8 dB rule.
    std::vector<float> levels(27, 60.0f);
    levels[10] = 40.0f;
    setLevels(levels);
    EXPECT_EQ(number(RatingsPanel::StcNumber), QStringLiteral("52"));
    EXPECT_EQ(number(RatingsPanel::DbaNumber), m_form->ResultPanel->text().mid(6, 4));
    EXPECT_TRUE(cell(10, RatingsPanel::DeficiencyColumn)->font().bold());
    EXPECT_FALSE(cell(9, RatingsPanel::DeficiencyColumn)->font().bold());
    EXPECT_EQ(panel().StcAdvice->text(), QStringLiteral("STC 53: 500 Hz must rise 1.0 dB"));
    // The top bands lie on the highest NR curve, 8 kHz first among equals; the dip sets nothing.
    EXPECT_TRUE(cell(22, RatingsPanel::NoiseColumn)->font().bold());
    EXPECT_FALSE(cell(10, RatingsPanel::NoiseColumn)->font().bold());
    EXPECT_EQ(cell(27, RatingsPanel::FrequencyColumn)->text(), QStringLiteral("Sum"));
    EXPECT_EQ(cell(28, RatingsPanel::DeficiencyColumn)->text(), QStringLiteral("<32.0"));

    // Drag 500 Hz up to the others without letting go: the panel follows at every step.
    CanvasWidget* canvas = m_form->GraphCanvas;
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
    m_form->FullOctaveBandsClick();
    setLevels({0, 36, 45, 52, 55, 56, 0, 0, 0});
    EXPECT_EQ(number(RatingsPanel::RwNumber), QStringLiteral("54 (-2; -6)"));
    EXPECT_EQ(panel().Table->rowCount(), 9 + 2);
}

TEST_F(RatingsPanelTest, RowsAndNodesSelectEachOther)
{
    start();
    panel().SetShown(true);
    const QRect row3 = panel().Table->visualRect(panel().Table->model()->index(3, 1));
    QTest::mouseClick(panel().Table->viewport(), Qt::LeftButton, {}, row3.center());
    EXPECT_EQ(model().Nodes.Current, 3);
    EXPECT_EQ(m_form->StatusPanel->text(), QStringLiteral(" 500Hz = 0.0dB"));
    QTest::keyClick(m_form.get(), Qt::Key_Right);
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
    panel().SetShown(true);
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
    form.Help->Browser->setSource(QUrl(QStringLiteral("ratingspanel.html")));
    EXPECT_TRUE(form.Help->Browser->toPlainText().contains(QStringLiteral("Rw (C; Ctr)")));
    const QVariant picture = form.Help->Browser->loadResource(QTextDocument::ImageResource,
                                                              QUrl(QStringLiteral("ratingspanel.png")));
    EXPECT_FALSE(picture.value<QImage>().isNull() && picture.value<QByteArray>().isEmpty());
}
