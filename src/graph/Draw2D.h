#pragma once

#include "graph/Canvas.h"
#include "graph/Point2D.h"

#include <cstdint>
#include <string>

namespace velmora {

enum ViewCode : int {
    ViewZoomIn = 10,
    ViewZoomOut = 11,
    ViewLeft = 13,
    ViewUp = 14,
    ViewRight = 15,
    ViewDown = 16,
    ViewFit = -99,
};

enum HAlign : int { AlignLeft = 0, AlignRight = 2, AlignCentre = 6 };
enum VAlign : int { AlignBelow = 0, AlignMiddle = 6, AlignAbove = 8 };

enum MarkerStyle : int { MarkerPlain = 0, MarkerSelected = 1 };

/** Half side in pixels of a node marker. */
inline constexpr int kNodeMarkerSize = 3;

/** Virtual-key codes of the keys the view and the node editor understand. */
enum VirtualKey : int {
    VkReturn = 13,
    VkPageUp = 33,
    VkPageDown = 34,
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkAdd = 107,
    VkSubtract = 109,
    VkPlusEquals = 187,
    VkMinusUnderscore = 189,
};

/** Pointer-drag states kept in DragButton. */
inline constexpr std::uint8_t kDragNode = 0;
inline constexpr std::uint8_t kDragView = 1;
inline constexpr std::uint8_t kDragNone = 255;

/**
 * The drawing surface: a canvas, the control showing it, and the linear mapping between
 * world coordinates (x abscissa, y level in dB, y up) and the drawing area's pixels
 * (y down). Also owns the view: fit, zoom, pan and key steps.
 */
class Draw2DClass
{
public:
    Draw2DClass() = default;
    virtual ~Draw2DClass() = default;
    Draw2DClass(const Draw2DClass&) = delete;
    Draw2DClass& operator=(const Draw2DClass&) = delete;

    /** Brings the picture up to date; the base clears it and repaints the control. */
    virtual void Redraw();

    /** A null canvas keeps the current one; a control sets the drawing size to its client size. */
    void SetCanvas(Canvas2D* canvas, CanvasControl* control);

    void SetSnap(float x, float y);
    void SetGridStep(float x, float y);
    void SetMargins(float left, float right, float top, float bottom);
    /** Stores the ends in order; equal ends leave the range unchanged. */
    void SetXRange(float a, float b);
    void SetYRange(float a, float b);

    /** Pixel coordinates as floats, not rounded and not clamped. */
    TPoint2D WorldToPixel(float x, float y) const;
    /** World point of a pixel, snapped to SnapStep; no clamping to the world rectangle. */
    TPoint2D PixelToWorld(int px, int py) const;
    /** Rounds each axis to the nearest multiple of its step, halves away from zero. */
    void SnapToStep(TPoint2D& point) const;

    /** Centres the world rectangle inside the margins, filling zoom of the room on each axis. */
    void Fit(float zoom, int width, int height);
    /** Scales about the centre of the drawing area; f > 0. */
    void ZoomAboutCentre(float f);
    /** Runs one of the ViewCode commands; false for any other code. */
    bool ViewCommand(int code, bool fine);
    /** Runs the view command of a key and redraws; false, and nothing done, for other keys. */
    bool ViewKey(int key, bool fine);
    /** Starts (dragging false) or continues a view drag; false when the pointer did not move. */
    bool PanTo(int px, int py, bool dragging);

    void SetPen(Colour colour, PenStyle style, int width);
    void SetBrush(Colour colour, BrushStyle style);
    RasterMode SetRasterMode(RasterMode mode);
    /** Fills the control's client area; does nothing without a control or while exporting. */
    void Clear(Colour colour);

    void Line(float x1, float y1, float x2, float y2);
    /**
     * A line between two world points. A NaN or infinite coordinate has no place on the graph, so a
     * segment touching one is left out rather than handed to the pixel conversion.
     */
    void Segment(TPoint2D from, TPoint2D to);
    /**
     * A square of half side size (3 when 0) logical pixels; the selected style also inverts its
     * inside. Its outline is as wide as the canvas's pixel scale.
     */
    void Marker(float x, float y, int style, int size);
    /** Text anchored at a world point; see HAlign and VAlign. */
    void Text(float x, float y, const std::string& text, int hAlign, int vAlign);

    /**
     * The outline of the world rectangle: solid, white on screen, grey without a control or
     * while exporting. Leaves the raster mode as it is.
     */
    void DrawFrame();
    /**
     * The plain dotted grid at GridStep across the world rectangle, coloured as DrawFrame: lines
     * from WorldMin (or the multiple of the step toward zero below it when negative) up to and
     * including WorldMax. An axis whose step is not positive or would need more than a thousand
     * lines gets no lines.
     */
    void DrawGrid();

    /** The canvas's device pixels per logical pixel; 1 without a canvas. */
    int PixelScale() const;

    /** Truncates a pixel coordinate to int, clamped so that huge or non-finite values stay safe. */
    static int PixelToInt(float value);

    int Width = 1;
    int Height = 1;
    bool ExportMode = false;
    float MarginTop = 0.0f;
    float MarginBottom = 0.0f;
    float MarginRight = 0.0f;
    float MarginLeft = 0.0f;
    TPoint2D GridStep{1000.0f, 1000.0f};
    TPoint2D WorldMax{8000.0f, 8000.0f};
    TPoint2D WorldMin{0.0f, 0.0f};
    TPoint2D Offset{0.0f, 0.0f};
    TPoint2D Scale{1.0f, 1.0f};
    float FitZoom = 0.95f;
    struct {
        int x = 0;
        int y = 0;
    } LastPointer;
    std::uint8_t DragButton = kDragNone;
    TPoint2D SnapStep{1.0f, 1.0f};
    Canvas2D* Canvas = nullptr;
    CanvasControl* Control = nullptr;
};

} // namespace velmora
