#pragma once

#include <QImage>
#include <QSize>

namespace velmora {

/**
 * A new RGB32 bitmap of `size` pixels (empty for an empty size), every pixel undefined, laid out
 * for lines that run down the rows: each row is padded to an odd number of 64-byte cache lines, so
 * one pixel from each of a thousand rows spreads over every cache set instead of a few, and a
 * bitmap of 2 MiB or more asks the system for large pages, so such a walk does not need a page
 * table entry for every row. Pixels are addressed as in any QImage (scanLine, bytesPerLine); two
 * bitmaps of one size made here have the same layout.
 */
QImage NewRasterImage(QSize size);

/** A copy of an RGB32 bitmap, pixel for pixel, in the layout NewRasterImage gives. */
QImage CopyRasterImage(const QImage& image);

} // namespace velmora
