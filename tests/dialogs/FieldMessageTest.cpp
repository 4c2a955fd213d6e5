#include "dialogs/FieldMessage.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "dialogs/GraphForm.h"
#include "dialogs/NodesForm.h"
#include "entry/ExpressionParser.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class FieldMessageTest : public test::MainFormFixture
{
};

} // namespace

TEST(FieldProblemTest, SaysWhatBecomesOfTheText)
{
    struct Case {
        const char* text;
        std::string (*refuse)(double);
        const char* problem;
    };
    const Case cases[] = {
        {"85-3", nullptr, ""},
        {"6O", nullptr, nullptr},
        {"6+", nullptr, nullptr},
        {"(1", &IncrementProblem, nullptr},
        {"10", &IncrementProblem, ""},
        {"0.01", &IncrementProblem, ""},
        {"0", &IncrementProblem, "Below 0.01 dB; the current increment is kept."},
        {"-5", &IncrementProblem, "Below 0.01 dB; the current increment is kept."},
        {"1/0", &IncrementProblem, "Not a finite increment; the current one is kept."},
        {"1E39", &IncrementProblem, "Not a finite increment; the current one is kept."},
        {"-1E39", &LevelProblem, "Not a finite level; the current one is kept."},
        {"120", &LevelProblem, ""},
    };
    ExpressionParser parser;
    for (const Case& c : cases) {
        std::function<std::string(double)> refuse;
        if (c.refuse)
            refuse = c.refuse;
        const std::string problem = FieldProblem(parser, c.text, refuse);
        if (c.problem) {
            EXPECT_EQ(problem, c.problem) << c.text;
        } else {
            // Text that does not evaluate: the evaluator's own message, and what the field then gives.
            parser.Evaluate(c.text);
            EXPECT_EQ(problem, parser.GetErrorText() + " Counts as 0.") << c.text;
            EXPECT_NE(parser.GetError(), ExpressionParser::NoError) << c.text;
        }
    }
}

TEST_F(FieldMessageTest, DialogsSayBesideTheFieldsWhatTheirTextGives)
{
    start();
    TGraphForm& extents = *test::Find<TGraphForm>(*m_form, "GraphForm");
    extents.LoadExtents();
    EXPECT_TRUE(extents.FieldMessage->text().isEmpty());
    extents.IncLevelEdit->setText(QStringLiteral("0"));
    EXPECT_EQ(extents.FieldMessage->text(),
              QStringLiteral("Increments: Below 0.01 dB; the current increment is kept."));
    extents.MaxLevelEdit->setText(QStringLiteral("12O"));
    EXPECT_TRUE(extents.FieldMessage->text().startsWith(QStringLiteral("Maximum level: ")));
    extents.LoadExtents();
    EXPECT_TRUE(extents.FieldMessage->text().isEmpty());

    TNodesForm& node = *test::Find<TNodesForm>(*m_form, "NodesForm");
    node.ShowNode(-1);
    EXPECT_TRUE(node.LevelMessage->isHidden());
    node.NodeYEdit->setText(QStringLiteral("6O"));
    EXPECT_FALSE(node.LevelMessage->isHidden());
    EXPECT_TRUE(node.LevelMessage->text().endsWith(QStringLiteral(" Counts as 0.")));
    node.NodeYEdit->setText(QStringLiteral("60"));
    EXPECT_TRUE(node.LevelMessage->isHidden());
}
