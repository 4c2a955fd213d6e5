#include "model/AstmTransmissionClass.h"
#include "model/Bands.h"
#include "model/EnlargedAdaptationTerms.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/NoiseCriterion.h"
#include "model/NoiseRating.h"
#include "model/SoundReduction.h"
#include "model/TransmissionClass.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace velmora {
namespace {

using Spectrum = std::array<float, kBandCount>;

/** A mass-law wall: 6 dB per octave through 45 dB at 500 Hz, with a coincidence dip at 2500 Hz. */
Spectrum Wall()
{
    Spectrum levels{};
    for (int band = 0; band < kBandCount; ++band) {
        const double octaves = std::log2(BandFrequency[band] / 500.0);
        levels[band] =
            static_cast<float>(std::round(10.0 * (45.0 + 6.0 * octaves - (band == 17 ? 8.0 : 0.0))) / 10.0);
    }
    return levels;
}

/** Every rating of one third-octave spectrum, the existing NR, STC and Rw among them. */
void BM_AllRatingsOfOneThirdOctaveSpectrum(benchmark::State& state)
{
    const Spectrum levels = Wall();
    for (auto _ : state) {
        const SoundReductionRating reduction = RateSoundReduction(levels, 0, 1);
        benchmark::DoNotOptimize(reduction);
        benchmark::DoNotOptimize(RateNoise(levels, 0, 1));
        benchmark::DoNotOptimize(RateTransmissionClass(levels, 0, 1));
        benchmark::DoNotOptimize(RateAstmTransmissionClass(levels, 0, 1));
        benchmark::DoNotOptimize(RateImpactInsulationClass(levels, 0, 1));
        benchmark::DoNotOptimize(RateImpactSound(levels, 0, 1));
        benchmark::DoNotOptimize(RateEnlargedAdaptationTerms(levels, 0, 1, reduction.Rw));
        benchmark::DoNotOptimize(RateNoiseCriterion(levels, 0, 1));
        benchmark::ClobberMemory();
    }
}

/** The new ratings alone, each on the same spectrum. */
template <typename Rate> void RunOne(benchmark::State& state, Rate rate)
{
    const Spectrum levels = Wall();
    for (auto _ : state)
        benchmark::DoNotOptimize(rate(levels));
}

void BM_AstmTransmissionClass(benchmark::State& state)
{
    RunOne(state, [](const Spectrum& l) { return RateAstmTransmissionClass(l, 0, 1); });
}
void BM_ImpactInsulationClass(benchmark::State& state)
{
    RunOne(state, [](const Spectrum& l) { return RateImpactInsulationClass(l, 0, 1); });
}
void BM_ImpactSound(benchmark::State& state)
{
    RunOne(state, [](const Spectrum& l) { return RateImpactSound(l, 0, 1); });
}
void BM_EnlargedAdaptationTerms(benchmark::State& state)
{
    RunOne(state, [](const Spectrum& l) { return RateEnlargedAdaptationTerms(l, 0, 1, 45.0); });
}
void BM_NoiseCriterion(benchmark::State& state)
{
    RunOne(state, [](const Spectrum& l) { return RateNoiseCriterion(l, 0, 1); });
}

BENCHMARK(BM_AllRatingsOfOneThirdOctaveSpectrum)->Repetitions(10);
BENCHMARK(BM_AstmTransmissionClass)->Repetitions(5);
BENCHMARK(BM_ImpactInsulationClass)->Repetitions(5);
BENCHMARK(BM_ImpactSound)->Repetitions(5);
BENCHMARK(BM_EnlargedAdaptationTerms)->Repetitions(5);
BENCHMARK(BM_NoiseCriterion)->Repetitions(5);

} // namespace
} // namespace velmora
