#include "edit/DataFileReading.h"
#include "edit/GraphSetup.h"
#include "graph/Draw2D.h"
#include "io/DataFile.h"
#include "model/SpectrumModel.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

using namespace velmora;
namespace fs = std::filesystem;

/** A third-octave model with distinct levels in a folder of its own, removed afterwards. */
struct ThirdOctaveFile {
    ThirdOctaveFile()
    {
        std::random_device seed;
        folder = fs::temp_directory_path() / ("velmora-bench-" + std::to_string(seed()));
        fs::create_directories(folder);
        path = (folder / "third.snd").string();
        InitModel(model);
        model.BandStart = kThirdBandStart;
        model.BandStep = kThirdBandStep;
        SetupGraph(model, surface, true);
        for (int k = 0; k < kBandCount; ++k) {
            model.Nodes.Node[k].Y = 20.0f + 2.125f * k;
            model.OtherLevels[k] = 80.0f - 1.5f * k;
        }
        WriteDataFile(model, path);
    }
    ~ThirdOctaveFile()
    {
        std::error_code error;
        fs::remove_all(folder, error);
    }

    fs::path folder;
    std::string path;
    Draw2DClass surface;
    TSpectrumModel model;
};

void ReadDataFile27Bands(benchmark::State& state)
{
    ThirdOctaveFile file;
    for (auto _ : state) {
        const bool read = ReadDataFile(file.model, file.surface, file.path);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(ReadDataFile27Bands)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);

void WriteDataFile27Bands(benchmark::State& state)
{
    ThirdOctaveFile file;
    for (auto _ : state) {
        const bool written = WriteDataFile(file.model, file.path);
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(WriteDataFile27Bands)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);

} // namespace
