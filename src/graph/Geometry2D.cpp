#include "graph/Geometry2D.h"

#include <cmath>

namespace velmora {

bool WithinTolerance(float a, float b, float tol)
{
    return !(b + tol < a || b - tol > a);
}

float SafeDivide(float a, float b)
{
    return b == 0.0f ? 0.0f : a / b;
}

bool WithinSpanX(float px, float /*py*/, float x1, float /*y1*/, float x2, float /*y2*/, float tol)
{
    if (x1 + tol < px && x2 + tol < px)
        return false;
    if (x1 - tol > px && x2 - tol > px)
        return false;
    return true;
}

float Distance(float x1, float y1, float x2, float y2)
{
    const float d2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
    return d2 > 0.0f ? std::sqrt(d2) : 0.0f;
}

float SegmentDistance(float px, float py, float x1, float y1, float x2, float y2)
{
    if (WithinTolerance(x1, x2, 1.0f)) {
        if (py > y1 && py > y2)
            return std::fabs(py - y1);
        if (py < y1 && py < y2)
            return std::fabs(y1 - py);
        return std::fabs(x1 - px);
    }
    if (WithinTolerance(y1, y2, 1.0f)) {
        if (px > x1 && px > x2)
            return std::fabs(px - x1);
        if (px < x1 && px < x2)
            return std::fabs(x1 - px);
        return std::fabs(y1 - py);
    }
    const float m = SafeDivide(y2 - y1, x2 - x1);
    const float k = y1 - m * x1;
    return std::fabs(SafeDivide(m * px - py + k, std::sqrt(m * m + 1.0f)));
}

} // namespace velmora
