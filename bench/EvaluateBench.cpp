#include "entry/ExpressionParser.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/** A typical level entry: a logarithm and a power of ten, as a field would be typed. */
void BM_EvaluateLevelExpression(benchmark::State& state)
{
    ExpressionParser parser;
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Evaluate("20*LOG(2)+POW10(9.5/10)"));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_EvaluateLevelExpression)->Repetitions(10);

} // namespace
} // namespace velmora
