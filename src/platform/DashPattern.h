#pragma once

#include "graph/Canvas.h"

#include <span>

namespace velmora {

inline constexpr int kDashLengths[] = {6, 3};
inline constexpr int kDashDotLengths[] = {6, 3, 1, 3};
inline constexpr int kDashDotDotLengths[] = {6, 2, 1, 2, 1, 2};

/**
 * The dashes of a pen style in pen widths: lengths drawn and skipped in turn, the first drawn.
 * Empty for Solid and Dot, which each canvas draws in a way of its own. The bitmap and the vector
 * picture both take their dashes from here, so that a curve's style reads the same in each.
 */
constexpr std::span<const int> DashPattern(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash:
        return kDashLengths;
    case PenStyle::DashDot:
        return kDashDotLengths;
    case PenStyle::DashDotDot:
        return kDashDotDotLengths;
    default:
        return {};
    }
}

} // namespace velmora
