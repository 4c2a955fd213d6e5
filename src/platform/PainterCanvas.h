#pragma once

#include "graph/Canvas.h"

#include <QFont>
#include <QPen>

class QPainter;

namespace velmora {

/**
 * A canvas over any QPainter, for pictures that keep lines and text as drawing commands (the
 * clipboard's vector picture). There is no screen to combine with, so exclusive-or lines are
 * drawn as ordinary lines and an inverted rectangle as a filled square in the pen's colour.
 * Text uses the painter device's default font, grown by the pixel scale, and fills its cell
 * with the brush (white at first, as on a new page). Lines lie on the centres of the pixels
 * a bitmap would give them, so that a rendering of the picture at its own size is crisp.
 */
class PainterCanvas : public Canvas2D
{
public:
    /** scale: device pixels per logical pixel of the mapping drawn with; below 1 counts as 1. */
    explicit PainterCanvas(QPainter& painter, int scale = 1);

    void SetPen(Colour colour, PenStyle style, int width) override;
    void SetBrush(Colour colour, BrushStyle style) override;
    RasterMode SetRasterMode(RasterMode mode) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void InvertRect(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const std::string& text) override;
    TextSize TextExtent(const std::string& text) override;
    int PixelScale() const override { return m_scale; }

private:
    QPainter& m_painter;
    int m_scale = 1;
    QPen m_pen;
    QColor m_brush{Qt::white};
    RasterMode m_rasterMode = RasterMode::Copy;
    int m_penX = 0;
    int m_penY = 0;
};

} // namespace velmora
