#pragma once

#include <cstdint>
#include <string>

namespace velmora {

/** A 24-bit colour in 0x00BBGGRR order, or kButtonFace for the system's button-face colour. */
using Colour = std::uint32_t;

inline constexpr Colour kButtonFace = 0x8000000F;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kCyan = 0xFFFF00;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kDarkGreen = 0x008000;
inline constexpr Colour kBlack = 0x000000;

/**
 * Line patterns; the values are the classic pen-style codes. Dot is one pixel on, one off; Dash six
 * on, three off; DashDot a dash, then a dot, three off on each side; DashDotDot a dash and two dots
 * two off apart. Each pattern starts afresh at the start of a line, and counts logical pixels.
 */
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };
enum class BrushStyle { Solid = 0 };
/** How a pen combines with the pixels below it; the values are the classic ROP2 codes. */
enum class RasterMode { Xor = 7, Copy = 13 };

struct TextSize {
    int width = 0;
    int height = 0;
};

/**
 * The 2-D canvas the graph is drawn on. Pixel coordinates: x right, y down.
 * Lines cover the same pixels whichever end they are drawn from: the segment
 * from the lexically smaller end (by x, then y) up to but excluding the larger end.
 */
class Canvas2D
{
public:
    virtual ~Canvas2D() = default;

    virtual void SetPen(Colour colour, PenStyle style, int width) = 0;
    virtual void SetBrush(Colour colour, BrushStyle style) = 0;
    /** Sets the mix mode of lines and returns the previous one. */
    virtual RasterMode SetRasterMode(RasterMode mode) = 0;

    virtual void MoveTo(int x, int y) = 0;
    /** Draws from the pen position to (x, y) with the current pen and raster mode; the pen moves there. */
    virtual void LineTo(int x, int y) = 0;
    /** Fills [left, right) x [top, bottom) with the brush colour, whatever the raster mode. */
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    /** Inverts every colour bit of [left, right) x [top, bottom). */
    virtual void InvertRect(int left, int top, int right, int bottom) = 0;
    /** Writes text with its cell's top-left corner at (x, y); the cell is filled with the brush colour. */
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual TextSize TextExtent(const std::string& text) = 0;
    /**
     * Device pixels per logical pixel, a whole number of at least 1: line widths, node markers
     * and pick distances are multiplied by it so that the graph looks the same on any screen.
     */
    virtual int PixelScale() const { return 1; }

    /**
     * A layer: a picture kept apart so that later redraws can put it back without drawing it again.
     * BeginLayer empties the layer and sends everything drawn after it there, until EndLayer;
     * ComposeLayer copies what was drawn into the layer onto the picture (the pixels drawn, and
     * nothing else). A change of the canvas's size or pixel scale empties the layer. A canvas that
     * keeps no layer (a vector picture) returns false from BeginLayer and ComposeLayer: its caller
     * then draws onto the picture itself. Layers are drawn in copy mode.
     */
    virtual bool BeginLayer() { return false; }
    virtual void EndLayer() {}
    /** False, and nothing drawn, when the canvas keeps no layer or its layer was emptied. */
    virtual bool ComposeLayer() { return false; }
};

/** The on-screen control that shows a canvas. */
class CanvasControl
{
public:
    virtual ~CanvasControl() = default;

    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    /** Repaints the control at once, not at the next turn of the event loop. */
    virtual void RepaintNow() = 0;
};

} // namespace velmora
