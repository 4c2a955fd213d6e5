#include "platform/PainterCanvas.h"

#include "platform/DashPattern.h"
#include "platform/ImageCanvas.h"

#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <utility>

namespace velmora {

PainterCanvas::PainterCanvas(QPainter& painter, int scale) : m_painter(painter), m_scale(std::max(1, scale))
{
    m_pen.setCosmetic(true);
    m_pen.setWidth(m_scale);
    m_pen.setCapStyle(Qt::FlatCap);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (m_scale > 1) {
        QFont font = m_painter.font();
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() * m_scale);
        else
            font.setPointSizeF(font.pointSizeF() * m_scale);
        m_painter.setFont(font);
    }
}

void PainterCanvas::SetPen(Colour colour, PenStyle style, int width)
{
    // The bitmap's dashes in pen widths, which are the logical pixels the bitmap counts in.
    const std::span<const int> dashes = DashPattern(style);
    if (!dashes.empty())
        m_pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    else
        m_pen.setStyle(style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    m_pen.setColor(QColor::fromRgb(ImageCanvas::toRgb(colour)));
    m_pen.setWidth(std::max(1, width) * m_scale);
}

void PainterCanvas::SetBrush(Colour colour, BrushStyle /*style*/)
{
    m_brush = QColor::fromRgb(ImageCanvas::toRgb(colour));
}

RasterMode PainterCanvas::SetRasterMode(RasterMode mode)
{
    return std::exchange(m_rasterMode, mode);
}

void PainterCanvas::MoveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void PainterCanvas::LineTo(int x, int y)
{
    m_painter.setPen(m_pen);
    // A bitmap line from pixel v covers [v, v + width) across its length: its centre line lies
    // half the width further on, which is where a renderer draws it without smearing it.
    const double half = m_pen.widthF() * 0.5;
    const bool shiftDown = std::llabs(std::int64_t{x} - m_penX) >= std::llabs(std::int64_t{y} - m_penY);
    const QPointF shift = shiftDown ? QPointF(0.0, half) : QPointF(half, 0.0);
    m_painter.drawLine(QPointF(m_penX, m_penY) + shift, QPointF(x, y) + shift);
    MoveTo(x, y);
}

void PainterCanvas::FillRect(int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        m_painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), m_brush);
}

void PainterCanvas::InvertRect(int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        m_painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), m_pen.color());
}

void PainterCanvas::TextOut(int x, int y, const std::string& text)
{
    const QString string = QString::fromStdString(text);
    const TextSize size = TextExtent(text);
    m_painter.fillRect(x, y, size.width, size.height, m_brush);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics = m_painter.fontMetrics();
    m_painter.drawText(x, y + metrics.ascent(), string);
}

TextSize PainterCanvas::TextExtent(const std::string& text)
{
    const QFontMetrics metrics = m_painter.fontMetrics();
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

} // namespace velmora
