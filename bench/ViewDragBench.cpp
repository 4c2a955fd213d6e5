#include "BenchSupport.h"

#include "graph/GraphSurface.h"
#include "graph/SpectrumPlot.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/** One pointer move of a view drag: pan, then the quick picture of grid, other spectrum and nodes. */
void viewDragFrame(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    [[maybe_unused]] auto& [ready, canvas, control, model, surface] = graph;
    for (int k = 0; k < model.Nodes.Count; ++k) {
        model.Nodes.Node[k].Y = 40.0f + (k % 5) * 10.0f;
        model.OtherLevels[k] = 70.0f - (k % 4) * 10.0f;
    }

    surface.PanTo(200, 150, false);
    int step = 0;
    for (auto _ : state) {
        const int dx = (step++ & 1) ? 3 : -3;
        surface.PanTo(200 + dx, 150 + dx, true);
        surface.Clear(kButtonFace);
        surface.DrawGrid();
        DrawOtherSpectrum(model, surface);
        DrawNodes(model.Nodes, surface);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(viewDragFrame)->Args({446, 313})->Args({1600, 1200})->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
