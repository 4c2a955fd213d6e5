#pragma once

#include <cstdint>

namespace velmora {

/**
 * The part of a one-pixel line that falls inside a width x height raster, ready to be walked.
 *
 * The line's pixel set is fixed by its canonical start, the lexically smaller end (by x, then
 * y): pixel i, for 0 <= i < L (L the length along the major axis), lies i steps along the
 * major axis and round(i * M / L) steps along the minor one (M the minor length), halves
 * rounded away from the start. The larger end itself is excluded and a zero-length line is
 * empty. Clipping only chooses which indices i are visited, so a clipped line covers exactly
 * the visible pixels of the unclipped one.
 */
struct LineSpan {
    /** First visible pixel; meaningful only when count > 0. */
    int x = 0;
    int y = 0;
    /** Number of visible pixels, 0 when none is. */
    std::int64_t count = 0;
    /** Index of the first visible pixel counted from the canonical start; its parity phases dotted pens. */
    std::int64_t firstIndex = 0;
    /** Step along the major axis taken after every pixel: one of dx, dy is 0, the other +1 or -1. */
    int majorDx = 0;
    int majorDy = 0;
    /** Extra step along the minor axis, taken whenever the error term wraps. */
    int minorDx = 0;
    int minorDy = 0;
    /** Error term in [0, twiceMajor): add twiceMinor after each pixel and step the minor axis when it wraps.
     */
    std::int64_t error = 0;
    std::int64_t twiceMinor = 0;
    std::int64_t twiceMajor = 0;
};

/**
 * Clips the line from (xa, ya) to (xb, yb) to [0, width) x [0, height). Any int coordinates
 * are accepted; the cost does not depend on how far the ends lie outside the raster.
 * The result is the same with the ends swapped.
 */
LineSpan clipLine(int xa, int ya, int xb, int yb, int width, int height);

/** Calls visit(x, y, index) for every pixel of the span in order; index counts from the canonical start. */
template <typename Visit> void walkLine(const LineSpan& span, Visit&& visit)
{
    int x = span.x;
    int y = span.y;
    std::int64_t error = span.error;
    for (std::int64_t i = 0; i < span.count; ++i) {
        visit(x, y, span.firstIndex + i);
        x += span.majorDx;
        y += span.majorDy;
        error += span.twiceMinor;
        if (error >= span.twiceMajor) {
            error -= span.twiceMajor;
            x += span.minorDx;
            y += span.minorDy;
        }
    }
}

} // namespace velmora
