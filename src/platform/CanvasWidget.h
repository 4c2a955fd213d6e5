#pragma once

#include "graph/Canvas.h"

#include <QWidget>

class QImage;

namespace velmora {

/**
 * The control that shows the graph's bitmap: it paints the part of the image under its
 * client area and reports that area as the drawing size.
 */
class CanvasWidget : public QWidget, public CanvasControl
{
public:
    CanvasWidget(const QImage& image, QWidget* parent);

    int ClientWidth() const override;
    int ClientHeight() const override;
    void RepaintNow() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& m_image;
};

} // namespace velmora
