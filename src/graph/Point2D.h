#pragma once

#include <cmath>

namespace velmora {

/** A world point, a pixel point or a pair of per-axis values; zero when created. */
struct TPoint2D {
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const TPoint2D&) const = default;
};

/** True when both coordinates are finite: a point the graph can place. */
inline bool IsFinite(TPoint2D point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

} // namespace velmora
