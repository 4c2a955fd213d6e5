#pragma once

#include "graph/Canvas.h"

#include <QWidget>

namespace velmora {

class ImageCanvas;

/**
 * The control that shows the graph's bitmap: it paints the part of the image under its
 * client area, one bitmap pixel to one device pixel, and reports that area in device pixels
 * (its logical size times the canvas's pixel ratio) as the drawing size.
 */
class CanvasWidget : public QWidget, public CanvasControl
{
public:
    CanvasWidget(const ImageCanvas& canvas, QWidget* parent);

    int ClientWidth() const override;
    int ClientHeight() const override;
    void RepaintNow() override;

    /** The device pixel of the bitmap under a point in this widget's logical coordinates. */
    QPoint toBitmap(QPointF logical) const;
    /** The logical point in this widget of a bitmap pixel. */
    QPoint fromBitmap(QPoint pixel) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ImageCanvas& m_canvas;
};

} // namespace velmora
