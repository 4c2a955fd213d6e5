#include "BenchSupport.h"

#include "model/ComparisonSet.h"
#include "model/Ratings.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace velmora {
namespace {

/**
 * The third-octave graph of a spectrum and twenty measured positions around it, all shown, drawn
 * once so that the set is in the canvas's layer.
 */
struct ComparedGraph : bench::ThirdOctaveGraph {
    ComparedGraph(int width, int height) : ThirdOctaveGraph(width, height)
    {
        for (int k = 0; k < kBandCount; ++k) {
            model.Nodes.Node[k].Y = static_cast<float>(55 + 25 * std::sin(k * 0.7));
            model.OtherLevels[k] = static_cast<float>(40 + 20 * std::cos(k * 0.45));
        }
        Recalculate(model);
        set.FollowBands(BandSet::Third);
        for (int i = 0; i < 20; ++i) {
            BandLevels levels{};
            for (int k = 0; k < kBandCount; ++k)
                levels[k] = static_cast<float>(70 - 0.9 * k + 4 * std::sin(0.8 * k + i));
            set.Add("pos" + std::to_string(i + 1) + ".snd", levels, BandSet::Third, PressureLevels);
        }
        surface.SetComparison(&set);
        surface.Redraw();
    }

    ComparisonSet set;
};

/**
 * A full redraw, as after every command, with twenty spectra in the set: clear the area and draw
 * the whole graph, the set composed from its layer. With "fresh" 1 the set changes before every
 * redraw (a spectrum hidden or shown), so that it is drawn into its layer anew each time.
 */
void fullRedrawWithSet(benchmark::State& state)
{
    ComparedGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ImageCanvas& canvas = graph.canvas;
    GraphSurface& surface = graph.surface;
    ComparisonSet& set = graph.set;
    const bool fresh = state.range(2) != 0;
    bool shown = true;
    for (auto _ : state) {
        if (fresh) {
            shown = !shown;
            set.SetShown(19, shown);
        }
        surface.Redraw();
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(fullRedrawWithSet)
    ->ArgNames({"width", "height", "fresh"})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Args({1600, 1200, 0})
    ->Args({1600, 1200, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

/** One pointer move of a node drag (RunDragSteps) with twenty spectra shown, the set kept in its layer. */
void dragStepWithSet(benchmark::State& state)
{
    ComparedGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bench::RunDragSteps(state, graph.model, graph.surface, graph.canvas);
    if (graph.surface.Layer().Renders() != 1)
        state.SkipWithError("the drag drew the set again");
}
BENCHMARK(dragStepWithSet)
    ->ArgNames({"width", "height"})
    ->Args({1600, 1200})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
