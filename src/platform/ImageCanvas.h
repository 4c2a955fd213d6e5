#pragma once

#include "graph/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QSize>
#include <QStaticText>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {

/**
 * The graph's canvas: an RGB32 image written pixel by pixel, so that exclusive-or drawing is
 * exact and undone by drawing the same thing again. Only text goes through QPainter.
 * Needs a QGuiApplication for its font. Starts white, with a black solid pen, a white solid
 * brush, copy mode and the pen at (0, 0).
 */
class ImageCanvas : public Canvas2D
{
public:
    /** The size of a canvas made without one; the window resizes its canvas to its graph panel. */
    static constexpr int kWidth = 1600;
    static constexpr int kHeight = 1200;

    /** size in pixels; an empty size gives a canvas on which every operation draws nothing. */
    explicit ImageCanvas(QSize size = QSize(kWidth, kHeight));

    /**
     * Makes the bitmap size pixels large, white; a canvas of that size already keeps its
     * pixels. Pen, brush, raster mode and font are kept.
     */
    void resize(QSize size);

    /**
     * Device pixels per logical pixel of the screen the bitmap is shown on; values below 1 or
     * not finite count as 1, values above 8 as 8. The font grows with it, and lines and
     * markers grow by PixelScale(), its nearest whole number.
     */
    void setPixelRatio(double ratio);
    double pixelRatio() const { return m_ratio; }
    int PixelScale() const override { return m_scale; }

    /**
     * The pixels drawn so far. Paint from this reference rather than keeping a copy: a shared
     * image would be duplicated on the next write.
     */
    const QImage& image() const { return m_image; }

    /**
     * The font of TextOut and TextExtent at a pixel ratio of 1, drawn antialiased; by default
     * Arial (or its metric twin Liberation Sans) at 11 px.
     */
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    static QFont defaultFont();

    /** A colour with kButtonFace resolved through the application palette, as the image stores it. */
    static QRgb toRgb(Colour colour);

    /** Lines are width times PixelScale() pixels wide (at least one). */
    void SetPen(Colour colour, PenStyle style, int width) override;
    void SetBrush(Colour colour, BrushStyle style) override;
    RasterMode SetRasterMode(RasterMode mode) override;

    void MoveTo(int x, int y) override;
    /**
     * Any int coordinates; the line is clipped to the image without walking its hidden part.
     * A line w pixels wide covers the one-pixel line and its w - 1 copies shifted by one pixel
     * after another down (for lines more wide than tall) or right (otherwise): copies that
     * never share a pixel, so that exclusive-or drawing stays exact. Dots are PixelScale() long.
     */
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void InvertRect(int left, int top, int right, int bottom) override;
    /** Text as UTF-8 in black; the cell is TextExtent(text) at (x, y). Ignores the raster mode. */
    void TextOut(int x, int y, const std::string& text) override;
    /** Advance width and line height in pixels; an empty text is 0 wide and a full line high. */
    TextSize TextExtent(const std::string& text) override;

    /**
     * The layer is a second bitmap of the image's size that keeps a list of the pixels and
     * rectangles drawn into it, so that composing it copies just those: a few curves and a legend
     * cost a small part of a full-size copy. Exclusive-or drawing inside the layer combines with the
     * layer, not with the picture under it.
     */
    bool BeginLayer() override;
    void EndLayer() override;
    bool ComposeLayer() override;

private:
    /**
     * The bitmap drawing goes to: the layer between BeginLayer and EndLayer, else the image, made
     * the canvas's own again in its own layout when a copy handed out still shares it.
     */
    QImage& target();
    /** Drops what the layer holds; the next ComposeLayer draws nothing and says so. */
    void dropLayer();
    /** Notes that [left, right) x [top, bottom), already clipped to the image, was drawn in the layer. */
    void noteLayerRect(int left, int top, int right, int bottom);
    /** Applies op to every pixel of [left, right) x [top, bottom) on the image; false when there is none. */
    template <typename Op>
    bool forEachInRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, Op op);
    bool fillWithBrush(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    QImage m_image;
    void applyFont();

    /** A text laid out once for the current font: labels repeat on every redraw. */
    struct LaidOutText {
        QStaticText text;
        int width = 0;
    };
    const LaidOutText& laidOut(const std::string& text);
    std::unordered_map<std::string, LaidOutText> m_laidOut;

    QFont m_font;
    QFont m_scaledFont;
    QFontMetrics m_metrics;
    double m_ratio = 1.0;
    int m_scale = 1;
    int m_penWidth = 1;
    QRgb m_penRgb = 0xFF000000;
    QRgb m_xorMask = 0;
    PenStyle m_penStyle = PenStyle::Solid;
    QRgb m_brushRgb = 0xFFFFFFFF;
    RasterMode m_rasterMode = RasterMode::Copy;
    int m_penX = 0;
    int m_penY = 0;

    QImage m_layer;
    bool m_inLayer = false;
    bool m_layerKept = false;
    /** Pixel indices (y * width + x) of the line pixels drawn into the layer. */
    std::vector<std::uint32_t> m_layerPixels;
    /** Rectangles filled or written into the layer, clipped to it. */
    std::vector<QRect> m_layerRects;
};

} // namespace velmora
