#include "app/MainForm.h"
#include "edit/GraphSetup.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"

#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

#include <cmath>

using namespace velmora;

namespace {

class GraphInteractionTest : public velmora::test::MainFormFixture
{
protected:
    QPoint otherPixel(int k, float level)
    {
        const TPoint2D p = m_context->Surface.WorldToPixel(model().Nodes.Node[k].X, level);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }

    void drag(QPoint from, QPoint to, int steps)
    {
        CanvasWidget* canvas = test::Find<CanvasWidget>(*m_form, "GraphCanvas");
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(canvas, from + (to - from) * i / steps);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }

    QString resultText() const { return test::Find<QLabel>(*m_form, "ResultPanel")->text(); }
};

} // namespace

TEST_F(GraphInteractionTest, DraggingANodeChangesItsLevelAndTheRatings)
{
    start();
    const QString before = resultText();
    const QPoint from = nodePixel(4); // 1 kHz at 0 dB
    const QPoint to = from - QPoint(7, 60);
    drag(from, to, 6);

    const TPoint2D expected = m_context->Surface.PixelToWorld(to.x(), to.y());
    EXPECT_EQ(model().Nodes.Current, 4);
    EXPECT_FLOAT_EQ(model().Nodes.Node[4].Y, expected.y);
    EXPECT_GT(model().Nodes.Node[4].Y, 20.0f);
    EXPECT_EQ(m_context->Surface.DragButton, kDragNone);
    EXPECT_NE(resultText(), before);
    EXPECT_TRUE(test::Find<QLabel>(*m_form, "StatusPanel")->text().startsWith(QStringLiteral(" 1000Hz = ")));
}

TEST_F(GraphInteractionTest, AfterADragOrKeyStepsThePictureEqualsAFullRepaintInEveryMode)
{
    start("-third");
    for (int mode = HighlightNone; mode <= HighlightNR; ++mode) {
        model().HighlightMode = mode;
        m_form->Redraw();
        drag(nodePixel(13), nodePixel(13) - QPoint(0, 50), 5);
        QTest::keyClick(keyTarget(), Qt::Key_Right);
        QTest::keyClick(keyTarget(), Qt::Key_Up);
        QTest::keyClick(keyTarget(), Qt::Key_Up, Qt::ShiftModifier);
        const QImage edited = picture();
        EXPECT_TRUE(edited == freshPicture()) << "highlight mode " << mode;
        SetupGraph(model(), m_context->Surface, true);
    }
}

TEST_F(GraphInteractionTest, LevelDependentOverlaysHideDuringADrag)
{
    start();
    const QPoint from = nodePixel(4);
    // Make the node current first, so that the references show its selected marker.
    QTest::mouseClick(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
    model().HighlightMode = HighlightA;
    m_form->Redraw();
    const QImage withOverlay = picture();
    model().HighlightMode = HighlightNone;
    const QImage withoutOverlay = freshPicture();
    model().HighlightMode = HighlightA;
    m_form->Redraw();

    QTest::mousePress(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
    EXPECT_EQ(m_context->Surface.DragButton, kDragNode);
    EXPECT_TRUE(picture() == withoutOverlay) << "the dBA overlay is off while the node moves";
    QTest::mouseRelease(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
    EXPECT_TRUE(picture() == withOverlay);

    model().HighlightMode = HighlightNR;
    const QImage nr = freshPicture();
    QTest::mousePress(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
    EXPECT_TRUE(picture() == nr) << "the NR curves do not depend on the levels and stay";
    QTest::mouseRelease(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, from);
}

TEST_F(GraphInteractionTest, PressOnTheOtherSpectrumMakesItTheEditedOne)
{
    start();
    for (int k = 0; k < 9; ++k)
        model().OtherLevels[k] = 60.0f;
    model().OtherDataType = PowerLevels;
    m_form->Redraw();
    const QPoint between = (otherPixel(3, 60) + otherPixel(4, 60)) / 2;
    QTest::mouseClick(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::LeftButton, {}, between);
    EXPECT_EQ(model().Nodes.Node[3].Y, 60.0f);
    EXPECT_EQ(model().OtherLevels[3], 0.0f);
    EXPECT_EQ(model().Nodes.DataType, PowerLevels);
    EXPECT_EQ(m_context->Surface.DragButton, kDragNone) << "no drag begins";
}

TEST_F(GraphInteractionTest, RightPressOnTheSpectrumOpensTheNodeMenu)
{
    start();
    QTest::mousePress(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::RightButton, {}, nodePixel(2));
    EXPECT_EQ(model().Nodes.Current, 2);
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "PtsMenu")->isVisible());
    EXPECT_EQ(m_context->Surface.DragButton, kDragNone);
    test::Find<QMenu>(*m_form, "PtsMenu")->hide();

    // The line between two nodes opens it too, without changing the current node.
    const QPoint between = (nodePixel(5) + nodePixel(6)) / 2;
    QTest::mousePress(test::Find<CanvasWidget>(*m_form, "GraphCanvas"), Qt::RightButton, {}, between);
    EXPECT_EQ(model().Nodes.Current, 2);
    EXPECT_TRUE(test::Find<QMenu>(*m_form, "PtsMenu")->isVisible());
    test::Find<QMenu>(*m_form, "PtsMenu")->hide();
}

TEST_F(GraphInteractionTest, RightDragElsewhereMovesTheView)
{
    start();
    const QImage before = picture();
    const TPoint2D offset = m_context->Surface.Offset;
    CanvasWidget* canvas = test::Find<CanvasWidget>(*m_form, "GraphCanvas");
    const QPoint from = nodePixel(4) - QPoint(0, 100);
    QTest::mousePress(canvas, Qt::RightButton, {}, from);
    EXPECT_EQ(m_context->Surface.DragButton, kDragView);
    QTest::mouseMove(canvas, from + QPoint(15, 10));
    EXPECT_EQ(m_context->Surface.Offset.x, offset.x + 15);
    EXPECT_EQ(m_context->Surface.Offset.y, offset.y - 10);
    EXPECT_FALSE(picture() == before);
    QTest::mouseRelease(canvas, Qt::RightButton, {}, from + QPoint(15, 10));
    EXPECT_EQ(m_context->Surface.DragButton, kDragNone);
    EXPECT_TRUE(picture() == freshPicture()) << "the release draws the full graph";
}

TEST_F(GraphInteractionTest, KeysStepNodesAndLevelsOrMoveTheViewWithCtrl)
{
    TMainForm& form = start();
    QTest::keyClick(keyTarget(), Qt::Key_Right);
    QTest::keyClick(keyTarget(), Qt::Key_Right);
    EXPECT_EQ(model().Nodes.Current, 2);
    QTest::keyClick(keyTarget(), Qt::Key_Up);
    QTest::keyClick(keyTarget(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(model().Nodes.Node[2].Y, 1.1f);
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->text(), QStringLiteral(" 250Hz = 1.1dB"));
    QTest::keyClick(keyTarget(), Qt::Key_Down);
    EXPECT_FLOAT_EQ(model().Nodes.Node[2].Y, 0.1f);

    const TPoint2D offset = m_context->Surface.Offset;
    QTest::keyClick(keyTarget(), Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(keyTarget(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(model().Nodes.Current, 2) << "Ctrl keeps the node";
    EXPECT_FLOAT_EQ(model().Nodes.Node[2].Y, 0.1f);
    EXPECT_NE(m_context->Surface.Offset.x, offset.x);
    EXPECT_NE(m_context->Surface.Offset.y, offset.y);

    const float scale = m_context->Surface.Scale.x;
    QTest::keyClick(keyTarget(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FLOAT_EQ(m_context->Surface.Scale.x, scale * 1.1f);
    QTest::keyClick(keyTarget(), Qt::Key_Home);
    EXPECT_FLOAT_EQ(m_context->Surface.Scale.x, scale);

    model().OtherLevels[2] = 40.0f;
    QTest::keyClick(keyTarget(), Qt::Key_PageDown);
    EXPECT_EQ(model().Nodes.Node[2].Y, 40.0f) << "Page Down edits the other spectrum";
}

TEST_F(GraphInteractionTest, NodeMenuFollowsTheDataTypeAndOverlay)
{
    start();
    test::Find<QAction>(*m_form, "DataType3")->trigger();
    EXPECT_EQ(model().Nodes.DataType, AttenuationLevels);
    EXPECT_TRUE(resultText().startsWith(QStringLiteral(" Sound Transmission Class (STC): ")));
    m_form->Actions().UpdateNodeMenu();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "DataType3")->isChecked());
    EXPECT_FALSE(test::Find<QAction>(*m_form, "ApplyResults2")->isEnabled());
    model().HighlightMode = HighlightResults;
    m_form->Actions().UpdateNodeMenu();
    EXPECT_TRUE(test::Find<QAction>(*m_form, "ApplyResults2")->isEnabled());
}
