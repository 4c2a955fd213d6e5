#include "app/MainFormFixture.h"
#include "support/FindChild.h"

#include "app/RatingsPanel.h"
#include "model/ResultTexts.h"
#include "platform/CanvasWidget.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class KeyboardTest : public velmora::test::MainFormFixture
{
};

TEST_F(KeyboardTest, TheMenuBarTheNodeMenuAndTheButtonsAreReachedFromTheKeyboard)
{
    TMainForm& form = start();
    ASSERT_EQ(QApplication::focusWidget(), test::Find<CanvasWidget>(form, "GraphCanvas"));

    // F10 puts the menu bar's first menu under the keyboard; the arrows then move in the menus.
    QTest::keyClick(keyTarget(), Qt::Key_F10);
    EXPECT_EQ(form.menuBar()->activeAction(), form.menuBar()->actions().value(0));
    QTest::keyClick(form.menuBar(), Qt::Key_Escape);
    QApplication::setActiveWindow(&form);
    test::Find<CanvasWidget>(form, "GraphCanvas")->setFocus();

    // Shift+F10 and the Menu key open the node menu at the current node.
    QMenu* nodeMenu = test::Find<QMenu>(form, "PtsMenu");
    QTest::keyClick(keyTarget(), Qt::Key_Right);
    QTest::keyClick(keyTarget(), Qt::Key_Right);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
        QTest::keyClick(keyTarget(), key, modifiers);
        ASSERT_TRUE(nodeMenu->isVisible()) << key;
        const TNode node = model().Nodes.Node[2];
        const TPoint2D at = m_context->Surface.WorldToPixel(node.X, node.Y);
        const QPoint expected =
            test::Find<CanvasWidget>(form, "GraphCanvas")
                ->mapToGlobal(test::Find<CanvasWidget>(form, "GraphCanvas")
                                  ->fromBitmap(QPoint(static_cast<int>(at.x), static_cast<int>(at.y))));
        EXPECT_EQ(nodeMenu->pos(), expected) << key;
        nodeMenu->hide();
        QApplication::setActiveWindow(&form);
    }
    EXPECT_EQ(model().Nodes.Node[2].Y, 0.0f) << "opening the menu changed nothing";

    // Tab goes from the graph to the toolbar's buttons; a button with the focus is pressed with Space.
    test::Find<CanvasWidget>(form, "GraphCanvas")->setFocus();
    bool reachedFit = false;
    for (int tab = 0; tab < 20 && !reachedFit; ++tab) {
        QTest::keyClick(keyTarget(), Qt::Key_Tab);
        reachedFit = QApplication::focusWidget() == test::Find<QToolButton>(form, "FitButton");
    }
    ASSERT_TRUE(reachedFit) << "Tab reaches the small buttons";
    m_context->Surface.ZoomAboutCentre(2.0f);
    const float zoomed = m_context->Surface.Scale.x;
    QTest::keyClick(keyTarget(), Qt::Key_Space);
    EXPECT_NE(m_context->Surface.Scale.x, zoomed) << "Space on the Fit button fits the view";
    // The node keys still act on the graph while a button has the focus, and the focus stays.
    QTest::keyClick(keyTarget(), Qt::Key_Up);
    EXPECT_EQ(model().Nodes.Node[model().Nodes.Current].Y, 1.0f);
    EXPECT_EQ(QApplication::focusWidget(), test::Find<QToolButton>(form, "FitButton"));
}

TEST_F(KeyboardTest, AKeyStepChangesTheSpectrumOnceAndEveryViewFollows)
{
    TMainForm& form = start("-third");
    test::Find<RatingsPanel>(form, "RatingsPanel")->ToggleAction()->setChecked(true);
    QSignalSpy changed(&form.Document(), &SpectrumDocument::Changed);
    QTest::keyClick(keyTarget(), Qt::Key_Up);
    EXPECT_EQ(changed.count(), 1) << "one announcement per step";
    EXPECT_EQ(test::Find<QLabel>(form, "StatusPanel")->text(), QStringLiteral(" 50Hz = 1.0dB"));
    EXPECT_EQ(test::Find<QLabel>(form, "ResultPanel")->text().toStdString(), ResultText(model()));
    EXPECT_EQ(picture(), freshPicture()) << "the graph shows the new level";
}

} // namespace
