#include "BenchSupport.h"

#include "app/SpectrumDocument.h"
#include "app/UndoStep.h"
#include "edit/LevelEdit.h"
#include "edit/SpectrumEdits.h"
#include "io/TabularLevels.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ProcessMemory.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace velmora {
namespace {

/**
 * Undo and redo of a change of all 27 third-octave levels, each with the recalculation and the
 * full redraw at 1600 x 1200 that it brings; one iteration is one undo or one redo.
 */
void undoRedoFullSpectrum(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(1600, 1200);
    [[maybe_unused]] auto& [ready, canvas, control, model, surface] = graph;
    model.HighlightMode = HighlightA;
    for (int k = 0; k < kBandCount; ++k)
        model.OtherLevels[k] = static_cast<float>(40 + 20 * std::cos(k * 0.45));
    Recalculate(model);
    SpectrumDocument document(model, surface);
    // The window's answer to each step: the full redraw.
    QObject::connect(&document, &SpectrumDocument::Changed, [&surface] { surface.Redraw(); });
    std::string column;
    for (int k = 0; k < kBandCount; ++k)
        column += std::to_string(55 + 25 * std::sin(k * 0.7)) + "\n";
    TabularLevels levels;
    TabularError error;
    ReadTabularLevels(column, levels, error);
    document.Perform(MakeLevelsEdit(model, levels, "Paste Levels"));
    QUndoStack& stack = document.UndoStack();
    for (auto _ : state) {
        if (stack.canUndo())
            stack.undo();
        else
            stack.redo();
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

BENCHMARK(undoRedoFullSpectrum)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

/**
 * Memory of one undo step: a full history of level steps (the most it keeps), measured as the
 * growth of the resident memory, and the size of the step object with its edit.
 */
void undoStepMemory(benchmark::State& state)
{
    bench::ThirdOctaveGraph graph(446, 313);
    TSpectrumModel& model = graph.model;
    for (auto _ : state) {
        SpectrumDocument document(model, graph.surface);
        const long before = ResidentKilobytes();
        for (int i = 0; i < SpectrumDocument::kUndoLimit; ++i) {
            model.Nodes.Current = i % kBandCount;
            document.Perform(
                MakeLevelEdit(model, model.Nodes.Node[i % kBandCount].Y + 1.0f, LevelEditKind::Typed));
        }
        const long after = ResidentKilobytes();
        state.counters["bytes_per_step"] =
            1024.0 * static_cast<double>(after - before) / SpectrumDocument::kUndoLimit;
    }
    state.counters["command_object_bytes"] = static_cast<double>(sizeof(UndoStep) + sizeof(LevelEdit));
}

BENCHMARK(undoStepMemory)->Iterations(1);

} // namespace
} // namespace velmora
