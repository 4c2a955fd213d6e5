#include "app/RatingCurveActions.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "app/RatingList.h"
#include "app/RatingsPanel.h"
#include "graph/Canvas.h"
#include "model/Ratings.h"
#include "platform/CanvasWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class RatingCurveTest : public velmora::test::MainFormFixture
{
protected:
    RatingsPanel& panel() { return *test::Find<RatingsPanel>(*m_form, "RatingsPanel"); }
    QAbstractButton* toggle(const char* name) { return panel().List->CurveToggle(panel().List->RowOf(name)); }
    RatingCurveActions& curves() { return m_form->Actions().Curves(); }

    /** A third-octave spectrum falling from 75 dB with a bump at 250 Hz: every rating rates it. */
    void setSpectrum()
    {
        for (int k = 0; k < model().Nodes.Count; ++k)
            model().Nodes.Node[k].Y = 75.0f - 2.0f * static_cast<float>(k) + (k == 7 ? 6.0f : 0.0f);
        Recalculate(model());
        m_form->Document().ViewChanged();
    }

    /** Pixels of the curve's own colour: where it runs over the background. */
    static int CurvePixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == ImageCanvas::toRgb(kDarkGreen);
        return count;
    }
};

} // namespace

TEST_F(RatingCurveTest, F3StepsThroughTheCurvesOfTheDataTypeAndTheMarksFollow)
{
    start("-third");
    panel().ToggleAction()->setChecked(true);
    setSpectrum();
    EXPECT_EQ(CurvePixels(picture()), 0);
    const struct {
        int type;
        std::vector<RatingCurve> steps;
    } cases[] = {
        {PressureLevels,
         {RatingCurve::NR, RatingCurve::NC, RatingCurve::Lnw, RatingCurve::IIC, RatingCurve::None}},
        {AttenuationLevels, {RatingCurve::STC, RatingCurve::AstmSTC, RatingCurve::Rw, RatingCurve::None}},
    };
    const std::pair<RatingCurve, const char*> toggles[] = {
        {RatingCurve::NR, "NR"},         {RatingCurve::NC, "NC"},   {RatingCurve::Lnw, "Ln,w (CI)"},
        {RatingCurve::IIC, "IIC"},       {RatingCurve::STC, "STC"}, {RatingCurve::AstmSTC, "STC (E413)"},
        {RatingCurve::Rw, "Rw (C; Ctr)"}};
    for (const auto& c : cases) {
        setType(c.type);
        for (RatingCurve expected : c.steps) {
            SCOPED_TRACE(testing::Message() << "type " << c.type << " curve " << static_cast<int>(expected));
            QTest::keyClick(keyTarget(), Qt::Key_F3);
            ASSERT_EQ(model().ShownCurve, expected);
            EXPECT_TRUE(curves().Item(expected)->isChecked());
            for (const auto& [curve, name] : toggles)
                if (QAbstractButton* button = toggle(name)) {
                    EXPECT_EQ(button->isChecked(), curve == expected) << name;
                }
            // Shown at once: the graph was drawn afresh with the curve on it.
            EXPECT_EQ(CurvePixels(picture()) > 50, expected != RatingCurve::None);
            EXPECT_TRUE(picture() == freshPicture());
        }
    }
    // No step of the undo history: the one step is the change to attenuations.
    EXPECT_EQ(m_form->Document().UndoStack().count(), 1);
}

TEST_F(RatingCurveTest, TheChoiceWaitsWhileTheDataTypeIsNotRatedByIt)
{
    start("-third");
    panel().ToggleAction()->setChecked(true);
    setSpectrum();
    setType(AttenuationLevels);
    toggle("Rw (C; Ctr)")->click();
    EXPECT_EQ(model().ShownCurve, RatingCurve::Rw);
    EXPECT_GT(CurvePixels(picture()), 50);

    // Levels are not rated by Rw: no curve shows and none is checked, but the choice is kept.
    setType(PressureLevels);
    EXPECT_EQ(CurvePixels(picture()), 0);
    EXPECT_TRUE(curves().Item(RatingCurve::None)->isChecked());
    EXPECT_FALSE(curves().Item(RatingCurve::Rw)->isEnabled());
    EXPECT_TRUE(curves().Item(RatingCurve::IIC)->isEnabled());
    m_form->Document().UndoStack().undo();
    EXPECT_EQ(model().Nodes.DataType, AttenuationLevels);
    EXPECT_TRUE(curves().Item(RatingCurve::Rw)->isChecked());
    EXPECT_GT(CurvePixels(picture()), 50);

    // Correction factors rate nothing: no curve can be chosen, and the panel says so.
    setType(CorrectionFactors);
    EXPECT_FALSE(test::Find<QAction>(*m_form, "NextRatingCurve")->isEnabled());
    for (RatingCurve curve : kRatingCurves)
        EXPECT_FALSE(curves().Item(curve)->isEnabled());
    EXPECT_FALSE(panel().List->NotRated()->isHidden());
    EXPECT_EQ(CurvePixels(picture()), 0);

    // A second click on the shown curve's toggle takes the curve off.
    setType(AttenuationLevels);
    toggle("Rw (C; Ctr)")->click();
    EXPECT_EQ(model().ShownCurve, RatingCurve::None);
    EXPECT_EQ(CurvePixels(picture()), 0);
}

TEST_F(RatingCurveTest, TheRatingsMenuChoosesACurveByItsAccessKey)
{
    start("-third");
    setSpectrum();
    setType(AttenuationLevels);
    QMenu* ratings = nullptr;
    for (QAction* menu : m_form->menuBar()->actions())
        if (menu->text() == QStringLiteral("&Ratings"))
            ratings = menu->menu();
    ASSERT_NE(ratings, nullptr);
    EXPECT_TRUE(ratings->actions().contains(curves().Item(RatingCurve::AstmSTC)));
    EXPECT_TRUE(ratings->actions().contains(test::Find<QAction>(*m_form, "NextRatingCurve")));
    ratings->popup(QPoint(0, 0));
    QTest::keyClick(ratings, Qt::Key_E);
    EXPECT_EQ(model().ShownCurve, RatingCurve::AstmSTC) << "STC (&E413) Contour";
}

TEST_F(RatingCurveTest, ADragTakesTheCurveOffAndTheReleasePutsItBackWhereTheLevelsPutIt)
{
    start("-third");
    setSpectrum();
    setType(AttenuationLevels);
    QTest::keyClick(keyTarget(), Qt::Key_F3);
    QTest::keyClick(keyTarget(), Qt::Key_F3);
    ASSERT_EQ(model().ShownCurve, RatingCurve::AstmSTC);
    const int shown = CurvePixels(picture());
    ASSERT_GT(shown, 50);

    CanvasWidget* canvas = test::Find<CanvasWidget>(*m_form, "GraphCanvas");
    const TNode node = model().Nodes.Node[10];
    const TPoint2D from = m_context->Surface.WorldToPixel(node.X, node.Y);
    const TPoint2D to = m_context->Surface.WorldToPixel(node.X, node.Y - 15.0f);
    QTest::mousePress(canvas, Qt::LeftButton, {}, canvas->fromBitmap(QPoint(from.x, from.y)));
    EXPECT_EQ(CurvePixels(picture()), 0) << "taken off at the press";
    QTest::mouseMove(canvas, canvas->fromBitmap(QPoint(to.x, to.y)));
    EXPECT_EQ(CurvePixels(picture()), 0) << "and off while the node moves";
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, canvas->fromBitmap(QPoint(to.x, to.y)));
    EXPECT_GT(CurvePixels(picture()), 50);
    EXPECT_TRUE(picture() == freshPicture()) << "back, for the new levels";
    EXPECT_LT(model().Ratings.astm.STC, 60.0);
}
