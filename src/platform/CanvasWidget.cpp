#include "platform/CanvasWidget.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace velmora {

CanvasWidget::CanvasWidget(const QImage& image, QWidget* parent) : QWidget(parent), m_image(image)
{
    // The bitmap covers every pixel it owns; nothing else needs painting underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(image.size());
}

int CanvasWidget::ClientWidth() const
{
    return width();
}

int CanvasWidget::ClientHeight() const
{
    return height();
}

void CanvasWidget::RepaintNow()
{
    repaint();
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirtyRect = event->rect();
    // A client area larger than the bitmap shows plain background beyond it.
    if (!m_image.rect().contains(dirtyRect))
        painter.fillRect(dirtyRect, palette().button());
    painter.drawImage(dirtyRect, m_image, dirtyRect);
}

} // namespace velmora
