#include "entry/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velmora;

TEST(NumberText, ReadsTheLeadingNumberLikeScanf)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"20", 20}, {"-5.5", -5.5}, {"+7", 7}, {"  12.5", 12.5}, {"1e2", 100}, {"12abc", 12}, {".5", 0.5},
        {"abc", 0}, {"", 0},        {"-", 0},  {"+-3", 0},       {"1e999", 0}, {"3,5", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberOrZero(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, ReportsWhetherANumberWasThere)
{
    double value = 42;
    EXPECT_FALSE(ReadLeadingNumber("x1", value));
    EXPECT_EQ(value, 42) << "left alone when there is no number";
    EXPECT_TRUE(ReadLeadingNumber("nan", value));
    EXPECT_TRUE(std::isnan(value));
    EXPECT_TRUE(ReadLeadingNumber("-inf", value));
    EXPECT_TRUE(std::isinf(value));
}

TEST(NumberText, WritesFixedPointInTheCLocaleAsPrintfDoes)
{
    EXPECT_EQ(FixedText(57.5, 2), "57.50");
    EXPECT_EQ(FixedText(999.6, 0), "1000");
    EXPECT_EQ(FixedText(0.125, 2), "0.12") << "ties go to even, as printf does on the exact binary value";
    EXPECT_EQ(FixedText(-0.04, 1), "-0.0");
    EXPECT_EQ(FormatFloat("%0.0f Hz", 999.6), "1000 Hz");
    EXPECT_EQ(FormatFloat("%0.2f", 57.5), "57.50");
    EXPECT_EQ(FormatFloat("100%% at %.1f", 3.14159), "100% at 3.1");
    EXPECT_EQ(FormatFloat("%0.2f", 1e300).size(), 79u) << "cut to the fixed buffer";
}
