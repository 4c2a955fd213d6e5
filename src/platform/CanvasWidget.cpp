#include "platform/CanvasWidget.h"

#include "platform/ImageCanvas.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace velmora {

CanvasWidget::CanvasWidget(const ImageCanvas& canvas, QWidget* parent) : QWidget(parent), m_canvas(canvas)
{
    // The bitmap covers every pixel it owns; nothing else needs painting underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int CanvasWidget::ClientWidth() const
{
    return static_cast<int>(std::lround(width() * m_canvas.pixelRatio()));
}

int CanvasWidget::ClientHeight() const
{
    return static_cast<int>(std::lround(height() * m_canvas.pixelRatio()));
}

void CanvasWidget::RepaintNow()
{
    repaint();
}

QPoint CanvasWidget::toBitmap(QPointF logical) const
{
    const double ratio = m_canvas.pixelRatio();
    return {static_cast<int>(std::floor(logical.x() * ratio)),
            static_cast<int>(std::floor(logical.y() * ratio))};
}

QPoint CanvasWidget::fromBitmap(QPoint pixel) const
{
    const double ratio = m_canvas.pixelRatio();
    return {static_cast<int>(std::lround(pixel.x() / ratio)),
            static_cast<int>(std::lround(pixel.y() / ratio))};
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirtyRect = event->rect();
    const QImage& image = m_canvas.image();
    const double ratio = m_canvas.pixelRatio();
    const QRectF source(dirtyRect.x() * ratio, dirtyRect.y() * ratio, dirtyRect.width() * ratio,
                        dirtyRect.height() * ratio);
    // A bitmap not yet grown to the client area shows plain background beyond it.
    if (!QRectF(image.rect()).contains(source))
        painter.fillRect(dirtyRect, palette().button());
    painter.drawImage(QRectF(dirtyRect), image, source);
}

} // namespace velmora
