#include "BenchSupport.h"

#include "edit/NodeEditing.h"
#include "graph/Draw2D.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"
#include "platform/VectorState.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/**
 * One pointer move of a node drag on the third-octave graph, as the window runs it: clear the vector
 * registers' upper halves (its event filter does so before every event), move the node, recalculate.
 */
void dragStep(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                  static_cast<int>(state.range(2)));
    [[maybe_unused]] auto& [ready, canvas, control, model, surface] = graph;
    SelectNode(model, surface, 13); // 1 kHz, in the middle of the graph

    // Two pointer rows well inside the graph, so every step moves the node and its segments.
    const int px = static_cast<int>(surface.WorldToPixel(model.Nodes.Node[13].X, 0.0f).x);
    const int rows[] = {60 * surface.PixelScale(), 240 * surface.PixelScale()};
    int step = 0;
    for (auto _ : state) {
        ClearUpperVectorState();
        DragCurrentNode(model, surface, px, rows[step++ & 1]);
        Recalculate(model);
        benchmark::DoNotOptimize(model.WeightedLevel.data());
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(dragStep)
    ->ArgNames({"width", "height", "ratio"})
    ->Args({446, 313, 1})
    ->Args({1600, 1200, 1})
    ->Args({3840, 2160, 1})
    ->Args({1920, 1080, 2})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
