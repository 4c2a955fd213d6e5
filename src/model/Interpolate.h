#pragma once

namespace velmora {

/**
 * Straight-line interpolation through (x0, y0) and (x1, y1), extrapolating outside them;
 * the mean of y0 and y1 when x0 equals x1.
 */
double Interpolate(double x, double x0, double x1, double y0, double y1);

} // namespace velmora
