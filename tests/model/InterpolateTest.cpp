#include "model/Interpolate.h"

#include "support/Tolerance.h"

namespace velmora {
namespace {

TEST(InterpolateTest, InterpolatesExtrapolatesAndAveragesACollapsedSpan)
{
    // x, x0, x1, y0, y1, result
    const double cases[][6] = {{2, 1, 3, 10, 20, 15},
                               {5, 1, 3, 10, 20, 30},
                               {0, 1, 3, 10, 20, 5},
                               {2, 3, 1, 10, 20, 15},
                               {7, 4, 4, 10, 20, 15}};
    for (const auto& c : cases)
        EXPECT_TRUE(test::Near(Interpolate(c[0], c[1], c[2], c[3], c[4]), c[5], 1e-12)) << "x = " << c[0];
}

} // namespace
} // namespace velmora
