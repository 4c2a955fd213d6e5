#include "model/Bands.h"

#include "support/Tolerance.h"

namespace velmora {
namespace {

using test::Near;

TEST(BandsTest, AbscissaOfFrequenciesAndBack)
{
    const double cases[][2] = {{50, 135.918},    {63, 143.947}, {16000, 336.330},
                               {20000, 344.082}, {0, 0},        {-63, 0}};
    for (const auto& [hz, abscissa] : cases)
        EXPECT_TRUE(Near(BandAbscissa(hz), abscissa, 5e-4)) << hz << " Hz";
    // The status line and the data file print a node's frequency from its abscissa.
    EXPECT_TRUE(Near(AbscissaFrequency(BandAbscissa(1000)), 1000.0, 1e-3));
}

TEST(BandsTest, BandCountOfValidAndDamagedBandSets)
{
    const int cases[][3] = {{kOctaveBandStart, kOctaveBandStep, 9},
                            {kThirdBandStart, kThirdBandStep, 27},
                            {26, 1, 1},
                            {0, 26, 2},
                            {27, 1, 0},
                            {-1, 1, 0},
                            {0, 0, 0},
                            {1, -3, 0}};
    for (const auto& [start, step, count] : cases)
        EXPECT_EQ(BandCount(start, step), count) << start << ", " << step;
}

} // namespace
} // namespace velmora
