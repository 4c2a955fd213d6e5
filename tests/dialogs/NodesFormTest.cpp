#include "dialogs/NodesForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "edit/NodeEditing.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>

using namespace velmora;

namespace {

class NodesFormTest : public velmora::test::MainFormFixture
{
protected:
    /** Shows the dialog without its modal loop, as HandleEditNodes fills it. */
    TNodesForm& open()
    {
        TNodesForm& dialog = *test::Find<TNodesForm>(*m_form, "NodesForm");
        dialog.ShowNode(-1);
        showActive(dialog);
        dialog.NodeYEdit->setFocus();
        return dialog;
    }

    void type(TNodesForm& dialog, const QString& text)
    {
        dialog.NodeYEdit->clear();
        QTest::keyClicks(dialog.NodeYEdit, text);
    }

    QString caption(TNodesForm& dialog) const { return dialog.MainGroupBox->title(); }
};

} // namespace

TEST_F(NodesFormTest, EnterInTheMainWindowOpensItCentredAtTheCurrentNode)
{
    TMainForm& form = start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        TNodesForm& dialog = *test::Find<TNodesForm>(form, "NodesForm");
        seen = dialog.isVisible();
        EXPECT_EQ(caption(dialog), QStringLiteral(" Data Point 1 of 9 "));
        EXPECT_EQ(dialog.NodeXEdit->text(), QStringLiteral("63 Hz"));
        EXPECT_EQ(dialog.NodeYEdit->text(), QStringLiteral("0.00"));
        EXPECT_FALSE(dialog.PrevButton->isEnabled());
        EXPECT_TRUE(dialog.NextButton->isEnabled());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Velmora: Edit Node"));
        // Centred to within the window frame, which is known only once the dialog shows.
        EXPECT_NEAR(dialog.frameGeometry().center().x(), form.frameGeometry().center().x(), 3);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QTest::keyClick(keyTarget(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(test::Find<TNodesForm>(form, "NodesForm")->isVisible());
}

TEST_F(NodesFormTest, EnterAppliesATypedExpressionAndDoneCloses)
{
    start();
    TNodesForm& dialog = open();
    type(dialog, QStringLiteral("60+3"));
    QTest::keyClick(dialog.NodeYEdit, Qt::Key_Return);
    EXPECT_EQ(model().Nodes.Node[0].Y, 63.0f);
    EXPECT_EQ(dialog.NodeYEdit->text(), QStringLiteral("63.00"));
    EXPECT_TRUE(dialog.isVisible()) << "Enter in the field keeps the dialog open";
    EXPECT_TRUE(test::Find<QLabel>(*m_form, "ResultPanel")->text().contains(QStringLiteral("dBA: ")));
    EXPECT_EQ(test::Find<QLabel>(*m_form, "StatusPanel")->text(), QStringLiteral(" 63Hz = 63.0dB"));

    type(dialog, QStringLiteral("64,5"));
    QTest::keyClick(dialog.NodeYEdit, Qt::Key_Return);
    EXPECT_EQ(model().Nodes.Node[0].Y, 64.5f) << "a typed decimal comma is a decimal point";
    EXPECT_EQ(dialog.NodeYEdit->text(), QStringLiteral("64.50"));

    QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(NodesFormTest, NextAndPrevApplyAndStepEscKeepsWhatWasApplied)
{
    start();
    TNodesForm& dialog = open();
    type(dialog, QStringLiteral("abc"));
    QTest::mouseClick(dialog.NextButton, Qt::LeftButton);
    type(dialog, QStringLiteral("20*LOG(2)+60"));
    QTest::mouseClick(dialog.NextButton, Qt::LeftButton);
    EXPECT_EQ(model().Nodes.Node[0].Y, 0.0f) << "text that does not evaluate stores 0";
    EXPECT_NEAR(model().Nodes.Node[1].Y, 66.02, 0.005);
    EXPECT_EQ(model().Nodes.Current, 2);
    EXPECT_EQ(caption(dialog), QStringLiteral(" Data Point 3 of 9 "));

    type(dialog, QStringLiteral("99"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model().Nodes.Node[2].Y, 0.0f) << "Esc drops the text typed in the third node";
    EXPECT_NEAR(model().Nodes.Node[1].Y, 66.02, 0.005);
}

TEST_F(NodesFormTest, ButtonsFollowTheEndsOfTheList)
{
    start("-third");
    m_form->Document().Select(26);
    TNodesForm& dialog = open();
    EXPECT_FALSE(dialog.NextButton->isEnabled());
    EXPECT_TRUE(dialog.PrevButton->isEnabled());
    dialog.ShowNode(13);
    EXPECT_EQ(dialog.NodeXEdit->text(), QStringLiteral("1000 Hz"));
    EXPECT_EQ(model().Nodes.Current, 13);
    EXPECT_EQ(test::Find<QLabel>(*m_form, "StatusPanel")->text(), QStringLiteral(" 1000Hz = 0.0dB"));
}

TEST_F(NodesFormTest, TypeChangesAtOnceAndLevelsThatAreNotFiniteAreRefused)
{
    start();
    TNodesForm& dialog = open();
    dialog.TypeCombo->setCurrentIndex(3);
    emit dialog.TypeCombo->activated(3);
    EXPECT_EQ(model().Nodes.DataType, CorrectionFactors);
    EXPECT_EQ(test::Find<QLabel>(*m_form, "ResultPanel")->text(), QStringLiteral(" Correction Factor Graph"));

    model().Nodes.Node[0].Y = 12.5f;
    for (const char* text : {"1/0", "1E39", "-1/0*2"}) {
        type(dialog, QString::fromLatin1(text));
        QTest::keyClick(dialog.NodeYEdit, Qt::Key_Return);
        EXPECT_EQ(model().Nodes.Node[0].Y, 12.5f) << text;
        EXPECT_EQ(dialog.NodeYEdit->text(), QStringLiteral("12.50")) << text;
    }
    // Just above the largest float, but nearer to it than to infinity: the largest float.
    type(dialog, QStringLiteral("-3.4028235E38"));
    QTest::keyClick(dialog.NodeYEdit, Qt::Key_Return);
    EXPECT_EQ(model().Nodes.Node[0].Y, -std::numeric_limits<float>::max());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(model().Nodes.DataType, CorrectionFactors) << "Esc does not take the type back";
}
