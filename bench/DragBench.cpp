#include "BenchSupport.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/** One pointer move of a node drag on the third-octave graph (RunDragSteps). */
void dragStep(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                  static_cast<int>(state.range(2)));
    bench::RunDragSteps(state, graph.model, graph.surface, graph.canvas);
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
