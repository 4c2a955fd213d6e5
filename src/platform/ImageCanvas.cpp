#include "platform/ImageCanvas.h"

#include "platform/DashPattern.h"
#include "platform/LineRaster.h"
#include "platform/RasterImage.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>
#include <span>
#include <utility>

namespace velmora {

namespace {

/** The colour bits of an RGB32 pixel; exclusive-or must leave the unused top byte alone. */
constexpr QRgb kRgbMask = 0x00FFFFFF;

/** A line pattern: pixel i of a line is drawn when bit (i / scale) % period of on is set. */
struct LinePattern {
    int period;
    std::uint32_t on;
};

constexpr LinePattern PatternOf(PenStyle style)
{
    if (style == PenStyle::Dot)
        return {2, 0b1};
    LinePattern pattern{0, 0};
    const std::span<const int> dashes = DashPattern(style);
    for (std::size_t i = 0; i < dashes.size(); ++i) {
        if (i % 2 == 0)
            pattern.on |= ((1u << dashes[i]) - 1) << pattern.period;
        pattern.period += dashes[i];
    }
    return dashes.empty() ? LinePattern{1, 0b1} : pattern;
}

/** Each style's pattern, worked out once: a line asks for its own on every LineTo. */
constexpr LinePattern kPatterns[] = {PatternOf(PenStyle::Solid), PatternOf(PenStyle::Dash),
                                     PatternOf(PenStyle::Dot), PatternOf(PenStyle::DashDot),
                                     PatternOf(PenStyle::DashDotDot)};

/**
 * Writes `width` copies of a solid span, `across` bytes apart, into an RGB32 bitmap: each pixel
 * exclusive-ored with `value` (Xor) or set to it. The same pixels walkLine visits, walked by address,
 * which keeps the loop in registers: on long steep lines it is most of a drag step.
 */
template <bool Xor>
void paintSpan(uchar* bits, qsizetype stride, const LineSpan& span, int width, qsizetype across, QRgb value)
{
    constexpr auto pixelBytes = qsizetype{sizeof(QRgb)};
    const qsizetype major = span.majorDy * stride + span.majorDx * pixelBytes;
    const qsizetype minor = span.minorDy * stride + span.minorDx * pixelBytes;
    uchar* at = bits + span.y * stride + span.x * pixelBytes;
    std::int64_t error = span.error;
    for (std::int64_t i = 0; i < span.count; ++i) {
        uchar* copy = at;
        for (int c = 0; c < width; ++c, copy += across) {
            QRgb& pixel = *reinterpret_cast<QRgb*>(copy);
            pixel = Xor ? pixel ^ value : value;
        }
        at += major;
        error += span.twiceMinor;
        if (error >= span.twiceMajor) {
            error -= span.twiceMajor;
            at += minor;
        }
    }
}

} // namespace

ImageCanvas::ImageCanvas(QSize size) : m_image(NewRasterImage(size)), m_metrics(m_font, &m_image)
{
    m_image.fill(m_brushRgb);
    setFont(defaultFont());
}

QFont ImageCanvas::defaultFont()
{
    QFont font;
    // Liberation Sans has Arial's metrics, so text measures the same where Arial is missing.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    // 8 pt at 96 dpi, fixed in pixels so that the graph's layout does not follow the screen's dpi.
    font.setPixelSize(11);
    return font;
}

void ImageCanvas::setFont(const QFont& font)
{
    m_font = font;
    applyFont();
}

void ImageCanvas::applyFont()
{
    m_scaledFont = m_font;
    // Antialiased text: the cell is filled with the brush first, so the grey edges blend into
    // a known colour, and text is never drawn in exclusive-or mode.
    m_scaledFont.setStyleStrategy(QFont::PreferAntialias);
    if (m_font.pixelSize() > 0)
        m_scaledFont.setPixelSize(std::max(1, static_cast<int>(std::lround(m_font.pixelSize() * m_ratio))));
    else
        m_scaledFont.setPointSizeF(m_font.pointSizeF() * m_ratio);
    m_metrics = QFontMetrics(m_scaledFont, &m_image);
    m_laidOut.clear();
}

void ImageCanvas::resize(QSize size)
{
    if (size == m_image.size())
        return;
    dropLayer();
    m_image = NewRasterImage(size);
    m_image.fill(0xFFFFFFFF);
    m_metrics = QFontMetrics(m_scaledFont, &m_image);
    m_laidOut.clear();
}

void ImageCanvas::setPixelRatio(double ratio)
{
    const double clamped = std::isfinite(ratio) ? std::clamp(ratio, 1.0, 8.0) : 1.0;
    if (clamped == m_ratio)
        return;
    m_ratio = clamped;
    m_scale = std::max(1, static_cast<int>(std::lround(clamped)));
    dropLayer();
    applyFont();
}

QRgb ImageCanvas::toRgb(Colour colour)
{
    if (colour == kButtonFace)
        return QApplication::palette().color(QPalette::Button).rgb();
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

void ImageCanvas::SetPen(Colour colour, PenStyle style, int width)
{
    m_penStyle = style;
    m_penWidth = std::clamp(width, 1, 64);
    m_penRgb = toRgb(colour);
    // Exclusive-or with the pen relative to the graph's background: on the background an
    // exclusive-or figure shows in its own colour (a plain pen ^ screen would turn cyan on light
    // grey into red, the other spectrum's colour), and drawing it again still restores every pixel.
    m_xorMask = (m_penRgb ^ toRgb(kButtonFace)) & kRgbMask;
}

void ImageCanvas::SetBrush(Colour colour, BrushStyle /*style*/)
{
    m_brushRgb = toRgb(colour);
}

RasterMode ImageCanvas::SetRasterMode(RasterMode mode)
{
    return std::exchange(m_rasterMode, mode);
}

QImage& ImageCanvas::target()
{
    if (m_inLayer)
        return m_layer;
    // A plain detach would copy into Qt's own layout, which the layer's pixel indices do not fit.
    if (!m_image.isDetached())
        m_image = CopyRasterImage(m_image);
    return m_image;
}

void ImageCanvas::MoveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void ImageCanvas::LineTo(int x, int y)
{
    const int fromX = std::exchange(m_penX, x);
    const int fromY = std::exchange(m_penY, y);
    QImage& image = target();
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb pen = m_penRgb;
    const QRgb xorMask = m_xorMask;
    const bool exclusiveOr = m_rasterMode == RasterMode::Xor;
    const auto style = static_cast<std::size_t>(m_penStyle);
    const LinePattern pattern = style < std::size(kPatterns) ? kPatterns[style] : kPatterns[0];
    const bool patterned = pattern.period > 1;
    const int dash = m_scale;
    std::vector<std::uint32_t>* const noted = m_inLayer ? &m_layerPixels : nullptr;
    const std::int64_t dx = std::int64_t{x} - fromX;
    const std::int64_t dy = std::int64_t{y} - fromY;
    const bool shiftDown = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int width = m_penWidth * m_scale;
    const auto copySpan = [&](int copy) {
        // Shifted copies of one line along its minor axis cover disjoint pixel sets.
        const auto shift = [copy](int v) { return v > INT_MAX - copy ? INT_MAX : v + copy; };
        return shiftDown ? clipLine(fromX, shift(fromY), x, shift(y), image.width(), image.height())
                         : clipLine(shift(fromX), fromY, shift(x), y, image.width(), image.height());
    };
    // A solid line on the bitmap itself, as every node and segment of a drag is, takes the short
    // way: no pattern to test and no layer to note each pixel in. When its first and last copies are
    // clipped alike, every copy is, and one walk writes all of them side by side, which on a steep
    // line of a high-density screen is one cache line a row instead of one a row for each copy.
    if (!patterned && !noted) {
        const LineSpan first = copySpan(0);
        const LineSpan last = width > 1 ? copySpan(width - 1) : first;
        const bool alike = first.count == last.count && first.firstIndex == last.firstIndex &&
                           (shiftDown ? last.x == first.x && last.y == first.y + width - 1
                                      : last.y == first.y && last.x == first.x + width - 1);
        if (alike) {
            const qsizetype across = shiftDown ? stride : qsizetype{sizeof(QRgb)};
            if (exclusiveOr)
                paintSpan<true>(bits, stride, first, width, across, xorMask);
            else
                paintSpan<false>(bits, stride, first, width, across, pen);
            return;
        }
    }
    for (int copy = 0; copy < width; ++copy) {
        walkLine(copySpan(copy), [=](int px, int py, std::int64_t index) {
            if (patterned && ((pattern.on >> ((index / dash) % pattern.period)) & 1u) == 0)
                return;
            QRgb& pixel = reinterpret_cast<QRgb*>(bits + py * stride)[px];
            pixel = exclusiveOr ? pixel ^ xorMask : pen;
            if (noted)
                noted->push_back(static_cast<std::uint32_t>(py) * static_cast<std::uint32_t>(stride / 4) +
                                 static_cast<std::uint32_t>(px));
        });
    }
}

template <typename Op>
bool ImageCanvas::forEachInRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                                Op op)
{
    QImage& image = target();
    const auto x0 = static_cast<int>(std::max<std::int64_t>(left, 0));
    const auto x1 = static_cast<int>(std::min<std::int64_t>(right, image.width()));
    const auto y0 = static_cast<int>(std::max<std::int64_t>(top, 0));
    const auto y1 = static_cast<int>(std::min<std::int64_t>(bottom, image.height()));
    if (x0 >= x1 || y0 >= y1)
        return false;
    for (int y = y0; y < y1; ++y) {
        QRgb* const row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::for_each(row + x0, row + x1, op);
    }
    if (m_inLayer)
        noteLayerRect(x0, y0, x1, y1);
    return true;
}

bool ImageCanvas::fillWithBrush(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    const QRgb brush = m_brushRgb;
    return forEachInRect(left, top, right, bottom, [brush](QRgb& pixel) { pixel = brush; });
}

void ImageCanvas::FillRect(int left, int top, int right, int bottom)
{
    fillWithBrush(left, top, right, bottom);
}

void ImageCanvas::InvertRect(int left, int top, int right, int bottom)
{
    forEachInRect(left, top, right, bottom, [](QRgb& pixel) { pixel ^= kRgbMask; });
}

void ImageCanvas::TextOut(int x, int y, const std::string& text)
{
    const TextSize size = TextExtent(text);
    // The cell may reach past INT_MAX when x or y is near it, hence the wide arithmetic.
    const std::int64_t right = std::int64_t{x} + size.width;
    const std::int64_t bottom = std::int64_t{y} + size.height;
    // Off-image text is skipped so that QPainter never sees coordinates it might overflow on.
    if (!fillWithBrush(x, y, right, bottom))
        return;
    QPainter painter(&target());
    painter.setFont(m_scaledFont);
    painter.setPen(Qt::black);
    painter.drawStaticText(QPointF(x, y), laidOut(text).text);
}

TextSize ImageCanvas::TextExtent(const std::string& text)
{
    return {laidOut(text).width, m_metrics.height()};
}

const ImageCanvas::LaidOutText& ImageCanvas::laidOut(const std::string& text)
{
    // The labels of a graph are a few dozen; texts that change with the extents are bounded here.
    constexpr std::size_t kMostTexts = 512;
    if (const auto found = m_laidOut.find(text); found != m_laidOut.end())
        return found->second;
    if (m_laidOut.size() >= kMostTexts)
        m_laidOut.clear();
    const QString string = QString::fromStdString(text);
    LaidOutText entry{QStaticText(string), m_metrics.horizontalAdvance(string)};
    entry.text.setTextFormat(Qt::PlainText);
    entry.text.prepare(QTransform(), m_scaledFont);
    return m_laidOut.emplace(text, std::move(entry)).first->second;
}

bool ImageCanvas::BeginLayer()
{
    if (m_image.isNull())
        return false;
    if (m_layer.size() != m_image.size()) {
        m_layer = NewRasterImage(m_image.size());
        // Only what is drawn is ever composed; the fill just keeps every pixel a defined one.
        m_layer.fill(0xFFFFFFFF);
    }
    m_layerPixels.clear();
    m_layerRects.clear();
    m_inLayer = true;
    m_layerKept = false;
    return true;
}

void ImageCanvas::EndLayer()
{
    m_layerKept = m_inLayer;
    m_inLayer = false;
}

bool ImageCanvas::ComposeLayer()
{
    if (!m_layerKept || m_layer.size() != m_image.size())
        return false;
    QImage& image = target();
    for (const QRect& rect : m_layerRects) {
        const auto bytes = static_cast<std::size_t>(rect.width()) * sizeof(QRgb);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            std::memcpy(image.scanLine(y) + rect.left() * 4, m_layer.constScanLine(y) + rect.left() * 4,
                        bytes);
    }
    // Both bitmaps are made alike, so a pixel's index means the same place in each.
    QRgb* const to = reinterpret_cast<QRgb*>(image.bits());
    const QRgb* const from = reinterpret_cast<const QRgb*>(m_layer.constBits());
    for (const std::uint32_t index : m_layerPixels)
        to[index] = from[index];
    return true;
}

void ImageCanvas::dropLayer()
{
    m_inLayer = false;
    m_layerKept = false;
    m_layer = QImage();
    m_layerPixels.clear();
    m_layerRects.clear();
}

void ImageCanvas::noteLayerRect(int left, int top, int right, int bottom)
{
    const QRect rect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    // Text written inside a filled box is copied with the box.
    for (const QRect& noted : m_layerRects)
        if (noted.contains(rect))
            return;
    m_layerRects.push_back(rect);
}

} // namespace velmora
