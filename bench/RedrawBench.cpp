#include "BenchSupport.h"

#include "graph/GraphSurface.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <tuple>

namespace velmora {
namespace {

/**
 * A full redraw, as after every command: clear the drawing area and draw the whole graph of a
 * third-octave spectrum. Arguments: panel width and height in logical pixels, highlight mode,
 * device pixels per logical pixel.
 */
void fullRedraw(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                  static_cast<int>(state.range(3)));
    [[maybe_unused]] auto& [ready, canvas, control, model, surface] = graph;
    for (int k = 0; k < kBandCount; ++k) {
        model.Nodes.Node[k].Y = static_cast<float>(55 + 25 * std::sin(k * 0.7));
        model.OtherLevels[k] = static_cast<float>(40 + 20 * std::cos(k * 0.45));
    }
    model.HighlightMode = static_cast<int>(state.range(2));
    Recalculate(model);

    for (auto _ : state) {
        surface.Clear(kButtonFace);
        DrawGraph(model, surface);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void redrawArguments(benchmark::internal::Benchmark* benchmark)
{
    for (const auto& [width, height] : {std::pair{1600, 1200}, std::pair{446, 313}})
        for (int mode = HighlightNone; mode <= HighlightNR; ++mode)
            benchmark->Args({width, height, mode, 1});
    // A maximised window on a 4K screen, at one and at two device pixels per pixel.
    for (const auto& [width, height, ratio] : {std::tuple{3840, 2160, 1}, std::tuple{1920, 1080, 2}})
        for (int mode : {int{HighlightNone}, int{HighlightA}, int{HighlightNR}})
            benchmark->Args({width, height, mode, ratio});
}

BENCHMARK(fullRedraw)
    ->Apply(redrawArguments)
    ->ArgNames({"width", "height", "mode", "ratio"})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace
} // namespace velmora
