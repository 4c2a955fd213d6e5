#pragma once

namespace velmora {

/** A world point, a pixel point or a pair of per-axis values; zero when created. */
struct TPoint2D {
    float x = 0.0f;
    float y = 0.0f;
};

} // namespace velmora
