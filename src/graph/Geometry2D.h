#pragma once

namespace velmora {

/** True when a lies in b ± tol, ends included. */
bool WithinTolerance(float a, float b, float tol);

/** a / b, or 0 when b is exactly 0. */
float SafeDivide(float a, float b);

/**
 * False when px lies more than tol left of both x1 and x2, or more than tol right of both;
 * the y values are not looked at.
 */
bool WithinSpanX(float px, float py, float x1, float y1, float x2, float y2, float tol);

/** Euclidean distance; 0 for coincident points. */
float Distance(float x1, float y1, float x2, float y2);

/**
 * Distance used to hit a segment of a curve: along the axis for segments within 1 unit of
 * vertical or horizontal (measured from the first point beyond the ends), otherwise the
 * perpendicular distance to the infinite line through the two points.
 */
float SegmentDistance(float px, float py, float x1, float y1, float x2, float y2);

} // namespace velmora
