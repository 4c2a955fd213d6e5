#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <benchmark/benchmark.h>

#include <string>

namespace velmora {
namespace {

/** Third-octave spectrum, node 0 current, combined results recomputed on every call. */
TSpectrumModel ThirdOctave(float (*levelOfBand)(int band))
{
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    model.Nodes.Count = BandCount(model.BandStart, model.BandStep);
    model.Nodes.Current = 0;
    model.HighlightMode = HighlightResults;
    for (int k = 0; k < model.Nodes.Count; ++k) {
        model.Nodes.Node[k] = {BandAbscissa(BandFrequency[k]), levelOfBand(k)};
        model.OtherLevels[k] = 60.0f;
    }
    return model;
}

void RunRecalculate(benchmark::State& state, TSpectrumModel model)
{
    for (auto _ : state) {
        Recalculate(model);
        benchmark::DoNotOptimize(model);
        benchmark::ClobberMemory();
    }
}

/** 120 dB everywhere but a 0 dB hole at 2000 Hz: the search starts 130 dB above the hole. */
void BM_RecalculateDeepDip(benchmark::State& state)
{
    RunRecalculate(state, ThirdOctave([](int band) { return band == 16 ? 0.0f : 120.0f; }));
}

/** Levels rising from -50 to 150 dB across the bands. */
void BM_RecalculateRamp(benchmark::State& state)
{
    RunRecalculate(state, ThirdOctave([](int band) { return -50.0f + band * (200.0f / 26.0f); }));
}

/** Levels alternating between 150 and -50 dB. */
void BM_RecalculateAlternating(benchmark::State& state)
{
    RunRecalculate(state, ThirdOctave([](int band) { return band % 2 ? -50.0f : 150.0f; }));
}

/** A flat 50 dB spectrum, which the search rates in a few passes near its start. */
void BM_RecalculateFlat(benchmark::State& state)
{
    RunRecalculate(state, ThirdOctave([](int) { return 50.0f; }));
}

BENCHMARK(BM_RecalculateDeepDip)->Repetitions(10);
BENCHMARK(BM_RecalculateRamp)->Repetitions(10);
BENCHMARK(BM_RecalculateAlternating)->Repetitions(10);
BENCHMARK(BM_RecalculateFlat)->Repetitions(10);

} // namespace
} // namespace velmora
