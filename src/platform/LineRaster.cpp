#include "platform/LineRaster.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

struct MinorOffset {
    std::uint64_t steps = 0;
    /** (2 * i * minor + major) mod (2 * major): the walk's error term at pixel i. */
    std::uint64_t remainder = 0;
};

/**
 * floor((2 * i * minor + major) / (2 * major)), the rounded minor offset of pixel i.
 * Int coordinates make i, minor and major less than 2^32, so i * minor fits 64 bits unsigned
 * while 2 * i * minor might not; the division is therefore split.
 */
MinorOffset minorOffsetAt(std::uint64_t i, std::uint64_t minor, std::uint64_t major)
{
    const std::uint64_t product = i * minor;
    const std::uint64_t rest = 2 * (product % major) + major;
    return {product / major + rest / (2 * major), rest % (2 * major)};
}

/** The first index in [lo, hi) whose minor offset exceeds limit, or hi; offsets never decrease with i. */
std::int64_t firstIndexAbove(std::int64_t lo, std::int64_t hi, std::int64_t limit, std::uint64_t minor,
                             std::uint64_t major)
{
    if (limit < 0)
        return lo;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (minorOffsetAt(static_cast<std::uint64_t>(mid), minor, major).steps >
            static_cast<std::uint64_t>(limit))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

} // namespace

LineSpan clipLine(int xa, int ya, int xb, int yb, int width, int height)
{
    LineSpan span;
    if (width <= 0 || height <= 0)
        return span;
    if (xb < xa || (xb == xa && yb < ya)) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    const std::int64_t dx = std::int64_t{xb} - xa;
    const std::int64_t dy = std::int64_t{yb} - ya;
    const std::int64_t absDy = dy < 0 ? -dy : dy;
    const int stepY = dy < 0 ? -1 : 1;
    const bool xMajor = dx >= absDy;
    const std::int64_t major = xMajor ? dx : absDy;
    const std::int64_t minor = xMajor ? absDy : dx;
    if (major == 0)
        return span;

    const std::int64_t majorStart = xMajor ? xa : ya;
    const int majorStep = xMajor ? 1 : stepY;
    const std::int64_t majorSize = xMajor ? width : height;
    const std::int64_t minorStart = xMajor ? ya : xa;
    const int minorStep = xMajor ? stepY : 1;
    const std::int64_t minorSize = xMajor ? height : width;

    // Indices whose major coordinate falls inside the raster: a plain interval.
    std::int64_t lo = 0;
    std::int64_t hi = major;
    if (majorStep > 0) {
        lo = std::max(lo, -majorStart);
        hi = std::min(hi, majorSize - majorStart);
    } else {
        lo = std::max(lo, majorStart - majorSize + 1);
        hi = std::min(hi, majorStart + 1);
    }
    if (lo >= hi)
        return span;

    // The minor offset grows monotonically with the index, so the indices whose minor coordinate
    // falls inside are an interval too, found by bisection on the exact offsets.
    const std::int64_t lowestOffset = minorStep > 0 ? -minorStart : minorStart - (minorSize - 1);
    const std::int64_t highestOffset = minorStep > 0 ? minorSize - 1 - minorStart : minorStart;
    const auto uMinor = static_cast<std::uint64_t>(minor);
    const auto uMajor = static_cast<std::uint64_t>(major);
    const std::int64_t first = firstIndexAbove(lo, hi, lowestOffset - 1, uMinor, uMajor);
    const std::int64_t end = firstIndexAbove(first, hi, highestOffset, uMinor, uMajor);
    if (first >= end)
        return span;

    const MinorOffset offset = minorOffsetAt(static_cast<std::uint64_t>(first), uMinor, uMajor);
    const auto majorAt = static_cast<int>(majorStart + majorStep * first);
    const auto minorAt = static_cast<int>(minorStart + minorStep * static_cast<std::int64_t>(offset.steps));
    span.x = xMajor ? majorAt : minorAt;
    span.y = xMajor ? minorAt : majorAt;
    span.count = end - first;
    span.firstIndex = first;
    span.majorDx = xMajor ? majorStep : 0;
    span.majorDy = xMajor ? 0 : majorStep;
    span.minorDx = xMajor ? 0 : minorStep;
    span.minorDy = xMajor ? minorStep : 0;
    span.error = static_cast<std::int64_t>(offset.remainder);
    span.twiceMinor = 2 * minor;
    span.twiceMajor = 2 * major;
    return span;
}

} // namespace velmora
