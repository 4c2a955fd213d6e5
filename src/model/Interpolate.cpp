#include "model/Interpolate.h"

namespace velmora {

double Interpolate(double x, double x0, double x1, double y0, double y1)
{
    if (x0 == x1)
        return (y0 + y1) / 2.0;
    return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

} // namespace velmora
