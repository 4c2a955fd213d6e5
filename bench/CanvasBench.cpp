#include "BenchSupport.h"

#include "platform/ImageCanvas.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

void xorLine400(benchmark::State& state)
{
    bench::EnsureApplication();
    ImageCanvas canvas;
    canvas.SetPen(kRed, PenStyle::Solid, 1);
    canvas.SetRasterMode(RasterMode::Xor);
    for (auto _ : state) {
        canvas.MoveTo(100, 200);
        canvas.LineTo(500, 513);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(xorLine400);

void fillWholeImage(benchmark::State& state)
{
    bench::EnsureApplication();
    ImageCanvas canvas;
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    for (auto _ : state) {
        canvas.FillRect(0, 0, ImageCanvas::kWidth, ImageCanvas::kHeight);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.SetBytesProcessed(state.iterations() * ImageCanvas::kWidth * ImageCanvas::kHeight * 4);
}
BENCHMARK(fillWholeImage);

void textOut(benchmark::State& state)
{
    bench::EnsureApplication();
    ImageCanvas canvas;
    canvas.SetBrush(kButtonFace, BrushStyle::Solid);
    for (auto _ : state) {
        canvas.TextOut(40, 300, "1000");
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(textOut);

} // namespace
} // namespace velmora
