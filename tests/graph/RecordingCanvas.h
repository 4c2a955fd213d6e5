#pragma once

#include "graph/Canvas.h"

#include <string>
#include <vector>

namespace velmora::test {

/**
 * A canvas that records what is drawn on it, with a fixed text cell of 11 x 14 pixels per character.
 * With keepsLayer it keeps a layer as a bitmap canvas does, counting how often one is begun and composed.
 */
class RecordingCanvas : public Canvas2D
{
public:
    struct Segment {
        int x1, y1, x2, y2;
    };
    struct Rect {
        int left, top, right, bottom;
    };
    struct TextCall {
        int x, y;
        std::string text;
    };
    /** The pen and raster mode a line was drawn with. */
    struct Pen {
        Colour colour;
        PenStyle style;
        RasterMode mode;
    };

    void SetPen(Colour colour, PenStyle style, int) override { pen = {colour, style, mode}; }
    void SetBrush(Colour colour, BrushStyle) override { brush = colour; }
    RasterMode SetRasterMode(RasterMode next) override
    {
        const RasterMode previous = mode;
        mode = next;
        return previous;
    }
    void MoveTo(int x, int y) override { penX = x, penY = y; }
    void LineTo(int x, int y) override
    {
        lines.push_back({penX, penY, x, y});
        linePens.push_back({pen.colour, pen.style, mode});
        MoveTo(x, y);
    }
    void FillRect(int l, int t, int r, int b) override { fills.push_back({l, t, r, b}); }
    void InvertRect(int l, int t, int r, int b) override { inversions.push_back({l, t, r, b}); }
    void TextOut(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }
    TextSize TextExtent(const std::string& text) override { return {11 * static_cast<int>(text.size()), 14}; }
    bool BeginLayer() override
    {
        layerKept = false;
        layersBegun += keepsLayer ? 1 : 0;
        return keepsLayer;
    }
    void EndLayer() override { layerKept = true; }
    bool ComposeLayer() override
    {
        layersComposed += layerKept ? 1 : 0;
        return layerKept;
    }

    Colour brush = 0;
    RasterMode mode = RasterMode::Copy;
    int penX = 0, penY = 0;
    Pen pen{kBlack, PenStyle::Solid, RasterMode::Copy};
    std::vector<Segment> lines;
    /** One entry per entry of lines. */
    std::vector<Pen> linePens;
    std::vector<Rect> fills;
    std::vector<Rect> inversions;
    std::vector<TextCall> texts;
    bool keepsLayer = false;
    bool layerKept = false;
    int layersBegun = 0;
    int layersComposed = 0;
};

class FixedControl : public CanvasControl
{
public:
    FixedControl(int w, int h) : width(w), height(h) {}
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void RepaintNow() override { ++repaints; }

    int width, height;
    int repaints = 0;
};

} // namespace velmora::test
