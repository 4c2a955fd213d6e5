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
        {"20", 20},       {"-5.5", -5.5}, {"+7", 7},       {"  12.5", 12.5}, {"1e2", 100},
        {"12abc", 12},    {".5", 0.5},    {"abc", 0},      {"", 0},          {"-", 0},
        {"+-3", 0},       {"1e999", 0},   {"3,5", 3},
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
