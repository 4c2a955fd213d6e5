#include "dialogs/GraphForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "dialogs/NumericFields.h"
#include "edit/NodeEditing.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class GraphFormTest : public velmora::test::MainFormFixture
{
protected:
    TGraphForm& open()
    {
        TGraphForm& dialog = *test::Find<TGraphForm>(*m_form, "GraphForm");
        dialog.LoadExtents();
        showActive(dialog);
        return dialog;
    }

    /** Types the three fields and presses Enter, which the OK button takes. */
    void enter(TGraphForm& dialog, const char* maxText, const char* minText, const char* incText)
    {
        const std::pair<QLineEdit*, const char*> fields[] = {
            {dialog.MaxLevelEdit, maxText}, {dialog.MinLevelEdit, minText}, {dialog.IncLevelEdit, incText}};
        for (const auto& [edit, text] : fields) {
            edit->clear();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        QTest::keyClick(dialog.IncLevelEdit, Qt::Key_Return);
    }

    QStringList fields(TGraphForm& dialog) const
    {
        return {dialog.MaxLevelEdit->text(), dialog.MinLevelEdit->text(), dialog.IncLevelEdit->text()};
    }
};

} // namespace

TEST_F(GraphFormTest, OpensWithTheModelsExtentsAndAppliesTypedOnes)
{
    start();
    m_form->Document().Select(4);
    TGraphForm& dialog = open();
    EXPECT_EQ(fields(dialog), (QStringList{"120.00", "0.00", "10.00"}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Velmora: Graph Extents"));

    enter(dialog, "100", "20", "5");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model().MinLevel, 20.0f);
    EXPECT_EQ(model().MaxLevel, 100.0f);
    EXPECT_EQ(model().LevelIncrement, 5.0f);
    EXPECT_EQ(model().Nodes.Current, 0);
    EXPECT_EQ(m_context->Surface.WorldMin.y, 20.0f) << "the graph behind follows";

    enter(open(), "120-10", "100", "5");
    EXPECT_EQ(fields(open()), (QStringList{"110.00", "100.00", "5.00"})) << "stored as typed, unordered";
}

TEST_F(GraphFormTest, RefusedValuesKeepTheirExtentAndEscChangesNothing)
{
    start();
    enter(open(), "1/0", "10", "abc");
    EXPECT_FALSE(test::Find<TGraphForm>(*m_form, "GraphForm")->isVisible()) << "OK still closes";
    EXPECT_EQ(model().MaxLevel, 120.0f);
    EXPECT_EQ(model().MinLevel, 10.0f);
    EXPECT_EQ(model().LevelIncrement, 10.0f);
    EXPECT_EQ(fields(open()), (QStringList{"120.00", "10.00", "10.00"}));

    TGraphForm& dialog = *test::Find<TGraphForm>(*m_form, "GraphForm");
    dialog.MaxLevelEdit->setText(QStringLiteral("50"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model().MaxLevel, 120.0f);
}

TEST(NumericFields, CenterControlCentresTheFrameOnTheOuterOne)
{
    QWidget parent;
    QWidget outer(&parent);
    QWidget inner(&parent);
    outer.setGeometry(100, 50, 400, 300);
    inner.resize(287, 112);
    CenterControl(&outer, &inner);
    EXPECT_EQ(inner.pos(), QPoint(156, 144));
    inner.resize(500, 400);
    CenterControl(&outer, &inner);
    EXPECT_EQ(inner.pos(), QPoint(50, 0)) << "a larger window overhangs on both sides";
}
