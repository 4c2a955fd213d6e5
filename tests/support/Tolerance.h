#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::test {

/** Values printed with "%0.1f" must agree to within half a unit in the last printed place. */
inline constexpr double kPrintedTenth = 0.05;
/** Single-precision results computed in a different but equivalent order. */
inline constexpr double kFloatTolerance = 1e-4;

inline ::testing::AssertionResult Near(double actual, double expected, double tolerance)
{
    if (std::fabs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}

} // namespace velmora::test
