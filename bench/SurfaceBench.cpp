#include "graph/Draw2D.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

// Measures text as an 11 x 14 pixel "W" does, without a window system.
class FixedTextCanvas : public Canvas2D
{
public:
    void SetPen(Colour, PenStyle, int) override {}
    void SetBrush(Colour, BrushStyle) override {}
    RasterMode SetRasterMode(RasterMode mode) override { return mode; }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(int, int, int, int) override {}
    void InvertRect(int, int, int, int) override {}
    void TextOut(int, int, const std::string&) override {}
    TextSize TextExtent(const std::string&) override { return {11, 14}; }
};

struct GraphSurface {
    GraphSurface()
    {
        surface.SetCanvas(&canvas, nullptr);
        surface.SetMargins(3, 0.1f, 0.1f, 1.1f);
        surface.SetSnap(0.1f, 0.1f);
        surface.SetXRange(135.918f, 344.082f);
        surface.SetYRange(0, 120);
        surface.Fit(0.95f, 446, 313);
    }
    FixedTextCanvas canvas;
    Draw2DClass surface;
};

void BM_Fit(benchmark::State& state)
{
    GraphSurface graph;
    for (auto _ : state) {
        graph.surface.Fit(0.95f, 446, 313);
        benchmark::DoNotOptimize(graph.surface.Scale);
    }
}
BENCHMARK(BM_Fit);

void BM_WorldToPixel(benchmark::State& state)
{
    GraphSurface graph;
    float level = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(graph.surface.WorldToPixel(240.0f, level));
        level += 0.1f;
    }
}
BENCHMARK(BM_WorldToPixel);

void BM_PixelToWorld(benchmark::State& state)
{
    GraphSurface graph;
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(graph.surface.PixelToWorld(200, y));
        y = (y + 1) % 313;
    }
}
BENCHMARK(BM_PixelToWorld);

} // namespace
