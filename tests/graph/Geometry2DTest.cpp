#include "graph/Geometry2D.h"

#include "support/Tolerance.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::Near;

TEST(Geometry2D, ToleranceIncludesItsEnds)
{
    EXPECT_TRUE(WithinTolerance(11, 10, 1));
    EXPECT_TRUE(WithinTolerance(9, 10, 1));
    EXPECT_FALSE(WithinTolerance(11.5f, 10, 1));
    EXPECT_FALSE(WithinTolerance(8.5f, 10, 1));
}

TEST(Geometry2D, SafeDivideAndDistanceTurnZeroIntoZero)
{
    EXPECT_EQ(SafeDivide(5, 0), 0.0f);
    EXPECT_EQ(SafeDivide(5, 2), 2.5f);
    EXPECT_EQ(Distance(3, 4, 3, 4), 0.0f);
    EXPECT_EQ(Distance(0, 0, 3, 4), 5.0f);
}

TEST(Geometry2D, SpanTestLooksAtXOnly)
{
    EXPECT_TRUE(WithinSpanX(15, 1000, 10, 0, 20, 0, 0));
    EXPECT_TRUE(WithinSpanX(25, 0, 10, 0, 20, 0, 5)) << "tolerance reaches past the right end";
    EXPECT_FALSE(WithinSpanX(25.5f, 0, 10, 0, 20, 0, 5));
    EXPECT_FALSE(WithinSpanX(4.5f, 0, 20, 0, 10, 0, 5)) << "either order of ends";
}

TEST(Geometry2D, SegmentDistanceByShapeOfSegment)
{
    struct Case {
        float px, py, x1, y1, x2, y2, expected;
    };
    const Case cases[] = {
        {0, 5, 0, 0, 0.5f, 10, 0},   // near-vertical, beside the segment
        {3, 5, 0, 0, 0.5f, 10, 3},   // near-vertical: horizontal distance
        {0, 15, 0, 0, 0.5f, 10, 15}, // beyond the ends: from the first point's level
        {0, -4, 0, 0, 0.5f, 10, 4},         {5, 3, 0, 0, 10, 0.5f, 3}, // near-horizontal, above the segment
        {14, 0, 0, 0, 10, 0.5f, 14},        // beyond the ends: from the first point's position
        {20, 5, 0, 0, 10, 10, 10.6066017f}, // perpendicular to the infinite line
        {-10, -10, 0, 0, 10, 10, 0},        // on the line's extension
    };
    for (const Case& c : cases)
        EXPECT_TRUE(Near(SegmentDistance(c.px, c.py, c.x1, c.y1, c.x2, c.y2), c.expected, 1e-4))
            << c.px << "," << c.py;
}
