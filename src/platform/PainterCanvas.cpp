#include "platform/PainterCanvas.h"

#include "platform/ImageCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <utility>

namespace velmora {

PainterCanvas::PainterCanvas(QPainter& painter) : m_painter(painter)
{
    m_pen.setCosmetic(true);
    m_pen.setWidth(1);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::SetPen(Colour colour, PenStyle style, int width)
{
    m_pen.setStyle(style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    m_pen.setColor(QColor::fromRgb(ImageCanvas::toRgb(colour)));
    m_pen.setWidth(width);
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
    m_painter.drawLine(m_penX, m_penY, x, y);
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
