#include "platform/RasterImage.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace velmora {

namespace {

constexpr std::size_t kCacheLine = 64;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) / unit * unit;
}

} // namespace

QImage NewRasterImage(QSize size)
{
    if (size.isEmpty())
        return QImage(size, QImage::Format_RGB32);
    std::size_t lines = roundUp(static_cast<std::size_t>(size.width()) * 4, kCacheLine) / kCacheLine;
    lines += 1 - lines % 2;
    const std::size_t rowBytes = lines * kCacheLine;
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(size.height());
    const std::size_t alignment = bytes >= kLargePage ? kLargePage : kCacheLine;
    const std::size_t allocated = roundUp(bytes, alignment);
    void* const data = std::aligned_alloc(alignment, allocated);
    if (!data)
        return QImage(size, QImage::Format_RGB32);
#ifdef MADV_HUGEPAGE
    // Only advice: where large pages are not to be had the bitmap works as well, just slower.
    if (alignment == kLargePage)
        madvise(data, allocated, MADV_HUGEPAGE);
#endif
    return QImage(
        static_cast<uchar*>(data), size.width(), size.height(), static_cast<qsizetype>(rowBytes),
        QImage::Format_RGB32, [](void* buffer) { std::free(buffer); }, data);
}

QImage CopyRasterImage(const QImage& image)
{
    QImage copy = NewRasterImage(image.size());
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(copy.scanLine(y), image.constScanLine(y), rowBytes);
    return copy;
}

} // namespace velmora
