#include "entry/ExpressionParser.h"

#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

using namespace velmora;
using velmora::test::Near;

namespace {

/** Results of a few double operations on short literals. */
constexpr double kTolerance = 1e-12;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();

struct Case {
    std::string text;
    double expected;
    int code;
};

void ExpectCases(std::initializer_list<Case> cases)
{
    ExpressionParser parser;
    for (const Case& c : cases) {
        const double result = parser.Evaluate(c.text);
        EXPECT_EQ(parser.GetError(), c.code) << '"' << c.text << '"';
        if (std::isinf(c.expected) || c.code != ExpressionParser::NoError)
            EXPECT_EQ(result, c.expected) << '"' << c.text << '"';
        else
            EXPECT_TRUE(Near(result, c.expected, kTolerance)) << '"' << c.text << '"';
    }
}

/** text wrapped in pairs of parentheses. */
std::string Nested(const std::string& text, int pairs)
{
    return std::string(pairs, '(') + text + std::string(pairs, ')');
}

/** 2^2^...^2^1 with the given number of carets. */
std::string PowerChain(int carets)
{
    std::string text;
    for (int i = 0; i < carets; ++i)
        text += "2^";
    return text + "1";
}

} // namespace

TEST(ExpressionParser, GrammarPrecedenceAndAssociativity)
{
    ExpectCases({
        {"5", 5, 0},
        {" 2 * ( 3 + 4 ) ", 14, 0},
        {"2+3*4", 14, 0},
        {"(2+3)*4", 20, 0},
        {"-2^2", 4, 0},
        {"2^3^2", 512, 0},
        {"2^-2", 0.25, 0},
        {"3*-2", -6, 0},
        {"3--2", 5, 0},
        {"10-2-3", 5, 0},
        {"100/10/2", 5, 0},
        {"X", 0, 0},
        {"2*A", 0, 0},
        {"1/0", kInfinity, 0},
        {"-1/0", kInfinity, 0},
        {"0/0", kInfinity, 0},
    });
}

TEST(ExpressionParser, ErrorCodesFollowWhereTheParserStops)
{
    ExpectCases({
        // An operand was expected.
        {"", 0, 1},
        {"   ", 0, 1},
        {"--2", 0, 1},
        {"+2", 0, 1},
        {"\t5", 0, 1},
        {".", 0, 1},
        {"SINX(1)", 0, 1},
        {"LOG 2", 0, 1},
        {"FOO(1)", 0, 1},
        {"2*", 0, 1},
        // A complete operand followed by something that cannot follow it.
        {"5 x", 0, 2},
        {"5)", 0, 2},
        {"(5", 0, 2},
        {"2(3)", 0, 2},
        {"1:2", 0, 2},
        {"1\t2", 0, 2},
        {"PIX", 0, 2},
        {"1E0005", 0, 2},
        {"1.2.3", 0, 2},
        {"LOG(2", 0, 2},
        {"5\xB5", 0, 2},
        {std::string("5\0", 2), 0, 2},
    });
}

TEST(ExpressionParser, NumberLiterals)
{
    ExpectCases({
        {"1e3", 1000, 0},
        {"1E+3", 1000, 0},
        {"1.5E-2", 0.015, 0},
        {".5", 0.5, 0},
        {"5.", 5, 0},
        {"1E", 1, 0},
        {"1E+", 1, 0},
        {"1E308", 1e308, 0},
        // Beyond the double range either way: a bad token.
        {"1E999", 0, 1},
        {"1E-400", 0, 1},
    });
}

TEST(ExpressionParser, ACommaBetweenDigitsIsADecimalComma)
{
    ExpectCases({
        {"64,5", 64.5, 0},
        {"-64,5", -64.5, 0},
        {"0,25", 0.25, 0},
        {"1,5e3", 1500, 0},
        {"2,5E-1", 0.25, 0},
        {"64,5+0,5", 65, 0},
        {"10*LOG(1,5)", 10 * std::log10(1.5), 0},
        {"ROUND(2,5)", 3, 0},
        {"(64,5)*2", 129, 0},
        // Any other comma is refused as before, and so is digit grouping, rather than misread.
        {",5", 0, 1},
        {"LOG(,5)", 0, 1},
        {"5,", 0, 2},
        {"64, 5", 0, 2},
        {"64 ,5", 0, 2},
        {"1,5,5", 0, 2},
        {"1.5,5", 0, 2},
        {"1,5.5", 0, 2},
        {"1.000,5", 0, 2},
        {"1 000,5", 0, 2},
        {"1E3,5", 0, 2},
        {"PI,5", 0, 2},
        {"POW10,5", 0, 1},
    });
}

TEST(ExpressionParser, FunctionsAndTheirSpecialCases)
{
    const double pi = std::numbers::pi;
    ExpectCases({
        {"sin(pi/2)", 1, 0},
        {"deg(pi)", 180, 0},
        {"rad(180)", pi, 0},
        {"pow10(2)", 100, 0},
        {"sqr(3)", 9, 0},
        {"SQRT(16)", 4, 0},
        {"log(1000)", 3, 0},
        {"SQRT(-4)", -4, 0},
        {"LOG(0)", 0, 0},
        {"LN(-1)", -1, 0},
        {"LN(EXP(2))", 2, 0},
        {"ABS(-3)", 3, 0},
        {"ACOS(1)", 0, 0},
        {"ASIN(1)", pi / 2, 0},
        {"ATAN(1)", pi / 4, 0},
        {"COSH(1)", std::cosh(1), 0},
        {"SINH(1)", std::sinh(1), 0},
        {"TANH(1)", std::tanh(1), 0},
        {"COS(PI)", -1, 0},
        {"TAN(PI/4)", 1, 0},
        // The closed band 1.570796632..1.570796633 passes unchanged; just outside it is a tangent.
        {"TAN(1.570796632)", 1.570796632, 0},
        {"TAN(-1.570796633)", -1.570796633, 0},
        {"TAN(1.570796634)", std::tan(1.570796634), 0},
        {"TRUNC(-2.7)", -2, 0},
        {"ROUND(-2.5)", -2, 0},
        {"ROUND(2.5)", 3, 0},
        {"ROUND(-2.7)", -2, 0},
    });
}

TEST(ExpressionParser, IgnoresTheCaseOfLetters)
{
    ExpectCases({
        {"Sqrt(16)+pI-Pi", 4, 0},
        {"sIn(0)+1e1", 10, 0},
    });
}

TEST(ExpressionParser, RoundAndTruncSaturateOutsideTheInt32Range)
{
    ExpectCases({
        {"TRUNC(1E10)", kInt32Max, 0},
        {"TRUNC(-1E10)", kInt32Min, 0},
        {"ROUND(2147483647)", kInt32Max, 0},
        {"ROUND(-3E9)", kInt32Min, 0},
        {"TRUNC(EXP(1000))", kInt32Max, 0},
        {"TRUNC(-1/0)", kInt32Max, 0},
        {"TRUNC(-EXP(1000))", kInt32Min, 0},
    });
    ExpressionParser parser;
    EXPECT_FALSE(std::signbit(parser.Evaluate("TRUNC(-0.5)"))) << "an integer 0 has no sign";
}

TEST(ExpressionParser, NaNFailsButOverflowPassesOn)
{
    ExpectCases({
        {"ACOS(2)", 0, 4},
        {"ASIN(-3)", 0, 4},
        {"(-8)^0.5", 0, 4},
        {"0*(1/0)", 0, 4},
        {"1/0-1/0", 0, 4},
        {"SIN(1/0)", 0, 4},
        {"EXP(1000)", kInfinity, 0},
        {"-EXP(1000)", -kInfinity, 0},
        {"0^-1", kInfinity, 0},
        {"1E308*10", kInfinity, 0},
    });
}

TEST(ExpressionParser, TextLongerThan79CharactersFails)
{
    const std::string longest = std::string(ExpressionParser::kMaxTextLength - 1, ' ') + "7";
    ExpectCases({
        {longest, 7, 0},
        {longest + " ", 0, 4},
        {std::string(200, '1'), 0, 4},
    });
}

TEST(ExpressionParser, FortyStackEntries)
{
    ExpectCases({
        {Nested("5", 37), 5, 0},
        {Nested("5", 38), 0, 3},
        {PowerChain(19), kInfinity, 0},
        {PowerChain(20), 0, 3},
        {"1^" + PowerChain(18), 1, 0},
    });
}

TEST(ExpressionParser, AFailureLeavesNothingBehind)
{
    ExpressionParser parser;
    for (const std::string& failing :
         {Nested("5", 38), std::string("((((2"), std::string("ACOS(2)"), std::string(100, '(')}) {
        EXPECT_EQ(parser.Evaluate(failing), 0);
        EXPECT_NE(parser.GetError(), 0) << failing;
        EXPECT_EQ(parser.Evaluate(Nested("5", 37)), 5) << "after " << failing;
        EXPECT_EQ(parser.GetError(), 0);
    }
}

TEST(ExpressionParser, ErrorTexts)
{
    ExpressionParser parser;
    const std::pair<std::string, const char*> cases[] = {
        {"1", "Parser error."},           {"+", "Unresolved token."},
        {"1 2", "Unresolved operation."}, {Nested("1", 38), "Stack overflow."},
        {"ACOS(2)", "Parser error."},
    };
    for (const auto& [text, message] : cases) {
        parser.Evaluate(text);
        EXPECT_EQ(parser.GetErrorText(), message) << text;
    }
}
