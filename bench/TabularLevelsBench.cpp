#include "io/BandTable.h"
#include "io/TabularLevels.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace velmora;

/** The window's own copied band table of 27 bands: what a paste most often reads. Target: 20 µs. */
std::string CopiedThirdOctaveTable()
{
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    SetupSpectrum(model, true);
    for (int k = 0; k < kBandCount; ++k) {
        model.Nodes.Node[k].Y = 20.3f + 2.125f * static_cast<float>(k);
        model.OtherLevels[k] = 80.1f - 1.5f * static_cast<float>(k);
    }
    return BandTableText(model);
}

/** A spreadsheet column of 27 levels with decimal commas and CR LF, as a meter's export gives it. */
std::string SpreadsheetColumn()
{
    std::string text = "\xEF\xBB\xBF"
                       "Level dB(A)\r\n";
    for (int k = 0; k < kBandCount; ++k)
        text += std::to_string(40 + k) + "," + std::to_string(k % 10) + "\r\n";
    return text;
}

void Read(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        TabularLevels levels;
        TabularError error;
        benchmark::DoNotOptimize(ReadTabularLevels(text, levels, error));
        benchmark::DoNotOptimize(levels);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ReadCopiedBandTable(benchmark::State& state)
{
    Read(state, CopiedThirdOctaveTable());
}
BENCHMARK(BM_ReadCopiedBandTable)->Unit(benchmark::kMicrosecond);

void BM_ReadSpreadsheetColumn(benchmark::State& state)
{
    Read(state, SpreadsheetColumn());
}
BENCHMARK(BM_ReadSpreadsheetColumn)->Unit(benchmark::kMicrosecond);

void BM_WriteBandTable(benchmark::State& state)
{
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    SetupSpectrum(model, true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BandTableText(model));
        benchmark::DoNotOptimize(BandTableHtml(model));
    }
}
BENCHMARK(BM_WriteBandTable)->Unit(benchmark::kMicrosecond);

} // namespace
