#include "graph/Draw2D.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

// Far beyond any drawing area, yet small enough that canvas arithmetic on it cannot overflow.
constexpr float kPixelLimit = 1 << 20;
constexpr float kSnapOff = 0.000001f;

float SnapAxis(float value, float step)
{
    if (!(step > kSnapOff) || !std::isfinite(value))
        return value;
    const double half = value >= 0.0f ? step / 2.0 : -step / 2.0;
    const double steps = std::trunc((value + half) / step);
    return static_cast<float>(steps * step);
}

// Stores the two ends in order; equal ends would make an empty range, so they change nothing.
void SetRange(float a, float b, float& low, float& high)
{
    if (b > a) {
        low = a;
        high = b;
    } else if (b < a) {
        low = b;
        high = a;
    }
}

int TruncOffset(double value)
{
    return Draw2DClass::PixelToInt(static_cast<float>(value));
}

} // namespace

int Draw2DClass::PixelToInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value > kPixelLimit)
        return static_cast<int>(kPixelLimit);
    if (value < -kPixelLimit)
        return -static_cast<int>(kPixelLimit);
    return static_cast<int>(value);
}

void Draw2DClass::Redraw()
{
    Clear(kButtonFace);
    if (Control)
        Control->RepaintNow();
}

void Draw2DClass::SetCanvas(Canvas2D* canvas, CanvasControl* control)
{
    if (canvas)
        Canvas = canvas;
    Control = control;
    if (control) {
        Height = control->ClientHeight();
        Width = control->ClientWidth();
    }
}

void Draw2DClass::SetSnap(float x, float y)
{
    SnapStep = {x, y};
}

void Draw2DClass::SetGridStep(float x, float y)
{
    GridStep = {x, y};
}

void Draw2DClass::SetMargins(float left, float right, float top, float bottom)
{
    MarginLeft = left;
    MarginRight = right;
    MarginTop = top;
    MarginBottom = bottom;
}

void Draw2DClass::SetXRange(float a, float b)
{
    SetRange(a, b, WorldMin.x, WorldMax.x);
}

void Draw2DClass::SetYRange(float a, float b)
{
    SetRange(a, b, WorldMin.y, WorldMax.y);
}

TPoint2D Draw2DClass::WorldToPixel(float x, float y) const
{
    return {(x - WorldMin.x) * Scale.x + Offset.x, Height - ((y - WorldMin.y) * Scale.y + Offset.y)};
}

TPoint2D Draw2DClass::PixelToWorld(int px, int py) const
{
    TPoint2D world{(px - Offset.x) / Scale.x + WorldMin.x, ((Height - py) - Offset.y) / Scale.y + WorldMin.y};
    SnapToStep(world);
    return world;
}

void Draw2DClass::SnapToStep(TPoint2D& point) const
{
    point.x = SnapAxis(point.x, SnapStep.x);
    point.y = SnapAxis(point.y, SnapStep.y);
}

void Draw2DClass::Fit(float zoom, int width, int height)
{
    Width = width;
    Height = height;
    const float rx = WorldMax.x - WorldMin.x;
    const float ry = WorldMax.y - WorldMin.y;
    const TextSize w = Canvas ? Canvas->TextExtent("W") : TextSize{};
    // A drawing area smaller than its margins would give a zero or negative scale, and
    // PixelToWorld divides by it: keep at least one pixel of room on each axis.
    const float availH = std::max(1.0f, std::trunc(Height - w.height * (MarginTop + MarginBottom)));
    const float availW = std::max(1.0f, std::trunc(Width - w.width * (MarginLeft + MarginRight)));
    Scale.x = rx > 0.0f ? availW / rx * zoom : 1.0f;
    Scale.y = ry > 0.0f ? availH / ry * zoom : 1.0f;
    Offset.x = static_cast<float>(TruncOffset(w.width * MarginLeft + (availW - rx * Scale.x) * 0.5));
    Offset.y = static_cast<float>(TruncOffset(w.height * MarginBottom + (availH - ry * Scale.y) * 0.5));
    FitZoom = zoom;
}

void Draw2DClass::ZoomAboutCentre(float f)
{
    Scale.x *= f;
    Scale.y *= f;
    Offset.x = static_cast<float>(TruncOffset(Width * 0.5 - f * (Width * 0.5 - Offset.x)));
    Offset.y = static_cast<float>(TruncOffset(Height * 0.5 - f * (Height * 0.5 - Offset.y)));
}

bool Draw2DClass::ViewCommand(int code, bool fine)
{
    const float s = fine ? 0.01f : 0.1f;
    const double midX = Width * 0.5;
    const double midY = Height * 0.5;
    switch (code) {
    case ViewZoomIn:
        Scale.x += s * Scale.x;
        Scale.y += s * Scale.y;
        Offset.x = static_cast<float>(TruncOffset(midX - (1 + s) * (midX - Offset.x)));
        Offset.y = static_cast<float>(TruncOffset(midY - (1 + s) * (midY - Offset.y)));
        return true;
    case ViewZoomOut:
        Scale.x -= s * Scale.x;
        Scale.y -= s * Scale.y;
        Offset.x = 2 * Offset.x - TruncOffset(midX - (1 + s) * (midX - Offset.x));
        Offset.y = 2 * Offset.y - TruncOffset(midY - (1 + s) * (midY - Offset.y));
        return true;
    case ViewLeft:
        Offset.x += s * Width;
        return true;
    case ViewUp:
        Offset.y -= s * Height;
        return true;
    case ViewRight:
        Offset.x -= s * Width;
        return true;
    case ViewDown:
        Offset.y += s * Height;
        return true;
    case ViewFit:
        Fit(FitZoom, Width, Height);
        return true;
    default:
        return false;
    }
}

bool Draw2DClass::ViewKey(int key, bool fine)
{
    int code = 0;
    switch (key) {
    case VkHome:
        code = ViewFit;
        break;
    case VkLeft:
        code = ViewLeft;
        break;
    case VkUp:
        code = ViewUp;
        break;
    case VkRight:
        code = ViewRight;
        break;
    case VkDown:
        code = ViewDown;
        break;
    case VkAdd:
    case VkPlusEquals:
        code = ViewZoomIn;
        fine = false; // zoom keys always step by 10 %
        break;
    case VkSubtract:
    case VkMinusUnderscore:
        code = ViewZoomOut;
        fine = false;
        break;
    default:
        return false;
    }
    ViewCommand(code, fine);
    Redraw();
    return true;
}

bool Draw2DClass::PanTo(int px, int py, bool dragging)
{
    if (!dragging) {
        LastPointer = {px, py};
        return true;
    }
    if (px == LastPointer.x && py == LastPointer.y)
        return false;
    Offset.x += px - LastPointer.x;
    Offset.y -= py - LastPointer.y;
    LastPointer = {px, py};
    return true;
}

void Draw2DClass::SetPen(Colour colour, PenStyle style, int width)
{
    if (Canvas)
        Canvas->SetPen(colour, style, width);
}

void Draw2DClass::SetBrush(Colour colour, BrushStyle style)
{
    if (Canvas)
        Canvas->SetBrush(colour, style);
}

RasterMode Draw2DClass::SetRasterMode(RasterMode mode)
{
    return Canvas ? Canvas->SetRasterMode(mode) : RasterMode::Copy;
}

void Draw2DClass::Clear(Colour colour)
{
    if (!Control || ExportMode || !Canvas)
        return;
    SetBrush(colour, BrushStyle::Solid);
    Canvas->FillRect(0, 0, Control->ClientWidth(), Control->ClientHeight());
}

void Draw2DClass::Line(float x1, float y1, float x2, float y2)
{
    if (!Canvas)
        return;
    const TPoint2D a = WorldToPixel(x1, y1);
    const TPoint2D b = WorldToPixel(x2, y2);
    Canvas->MoveTo(PixelToInt(a.x), PixelToInt(a.y));
    Canvas->LineTo(PixelToInt(b.x), PixelToInt(b.y));
}

void Draw2DClass::Segment(TPoint2D from, TPoint2D to)
{
    if (IsFinite(from) && IsFinite(to))
        Line(from.x, from.y, to.x, to.y);
}

void Draw2DClass::Marker(float x, float y, int style, int size)
{
    if (!Canvas)
        return;
    const int w = PixelScale();
    const float s = (size != 0 ? static_cast<float>(std::abs(size)) : 3.0f) * static_cast<float>(w);
    const TPoint2D p = WorldToPixel(x, y);
    const int left = PixelToInt(p.x - s);
    const int top = PixelToInt(p.y - s);
    const int right = PixelToInt(p.x + s);
    const int bottom = PixelToInt(p.y + s);
    if (style == MarkerSelected)
        Canvas->InvertRect(left + w, top + w, right, bottom);
    // A line w pixels wide covers [v, v + w) across its length, and the canvas covers a line's
    // lower end and leaves out its upper end whichever way it is drawn; so each side is laid
    // out to cover its own stretch of the outline and every pixel of it is drawn exactly once,
    // as exclusive-or drawing needs.
    Canvas->MoveTo(left, top);
    Canvas->LineTo(right + w, top);
    Canvas->MoveTo(right, top + w);
    Canvas->LineTo(right, bottom + w);
    Canvas->MoveTo(left, bottom);
    Canvas->LineTo(right, bottom);
    Canvas->MoveTo(left, top + w);
    Canvas->LineTo(left, bottom);
}

int Draw2DClass::PixelScale() const
{
    return Canvas ? std::max(1, Canvas->PixelScale()) : 1;
}

void Draw2DClass::Text(float x, float y, const std::string& text, int hAlign, int vAlign)
{
    if (!Canvas)
        return;
    const TextSize size = Canvas->TextExtent(text);
    TPoint2D p = WorldToPixel(x, y);
    if (hAlign == AlignRight)
        p.x -= size.width;
    else if (hAlign == AlignCentre)
        p.x -= size.width * 0.5f;
    if (vAlign == AlignBelow)
        p.y += size.height * 0.25f;
    else if (vAlign == AlignMiddle)
        p.y -= size.height * 0.5f;
    else if (vAlign == AlignAbove)
        p.y -= size.height;
    Canvas->TextOut(PixelToInt(p.x), PixelToInt(p.y), text);
}

} // namespace velmora
