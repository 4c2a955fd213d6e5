#include "BenchSupport.h"

#include "app/MainForm.h"
#include "app/RatingsPanel.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "io/Settings.h"
#include "model/Ratings.h"
#include "model/SoundReduction.h"
#include "model/SpectrumModel.h"
#include "platform/VectorState.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace velmora {
namespace {

/** The window of a third-octave spectrum of the data type, the panel showing, in the middle of a node drag.
 */
struct DraggingWindow {
    explicit DraggingWindow(int dataType)
    {
        window.ProcessCommandLine("-third");
        window.resize(900, 600);
        window.findChild<RatingsPanel*>(QStringLiteral("RatingsPanel"))->ToggleAction()->setChecked(true);
        context.Model.Nodes.DataType = dataType;
        // Mid-drag: the node moves in the bitmap, so the announcement redraws nothing.
        context.Surface.DragButton = kDragNode;
    }

    bool ready = (bench::EnsureApplication(), true);
    AppContext context{std::make_unique<MemorySettingsStore>()};
    TMainForm window{context};
};

/**
 * The panel brought up to date after one drag step on the third-octave graph: the dragged band's
 * level changes, the model recalculates and the document announces it: the window rewrites its two
 * lines and the panel reads the ratings value into its list and table, rewriting what changed.
 * Argument: the data type (0 levels, 2 attenuations).
 */
void panelAfterDragStep(benchmark::State& state)
{
    DraggingWindow dragging(static_cast<int>(state.range(0)));
    TSpectrumModel& model = dragging.context.Model;
    const float levels[] = {40.0f, 62.5f};
    int step = 0;
    for (auto _ : state) {
        // As the window's event filter does before every event.
        ClearUpperVectorState();
        model.Nodes.Node[13].Y = levels[step++ & 1];
        Recalculate(model);
        dragging.window.Document().ViewChanged();
        benchmark::DoNotOptimize(model.STC);
    }
}
BENCHMARK(panelAfterDragStep)->ArgName("type")->Arg(0)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);

/**
 * The same step without the recalculation: the two spectra's ratings are worked out beforehand,
 * so that only the window's lines and the panel are timed.
 */
void panelRefreshOnly(benchmark::State& state)
{
    DraggingWindow dragging(static_cast<int>(state.range(0)));
    TSpectrumModel& model = dragging.context.Model;
    const float levels[] = {40.0f, 62.5f};
    std::array<SpectrumRatings, 2> ratings;
    for (int i = 0; i < 2; ++i) {
        model.Nodes.Node[13].Y = levels[i];
        Recalculate(model);
        ratings[i] = model.Ratings;
    }
    int step = 0;
    for (auto _ : state) {
        model.Nodes.Node[13].Y = levels[step & 1];
        model.Ratings = ratings[step++ & 1];
        dragging.window.Document().ViewChanged();
        benchmark::DoNotOptimize(model.Ratings);
    }
}
BENCHMARK(panelRefreshOnly)->ArgName("type")->Arg(0)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);

/** Rw with C and Ctr of a varied third-octave and octave spectrum. */
void rateSoundReduction(benchmark::State& state)
{
    const bool third = state.range(0) != 0;
    std::array<float, kBandSlots> levels{};
    for (int k = 0; k < kBandSlots; ++k)
        levels[k] = 30.0f + 1.7f * static_cast<float>(k) + ((k % 3) == 1 ? -6.3f : 0.0f);
    for (auto _ : state) {
        const SoundReductionRating rating =
            third ? RateSoundReduction(levels, kThirdBandStart, kThirdBandStep)
                  : RateSoundReduction(levels, kOctaveBandStart, kOctaveBandStep);
        benchmark::DoNotOptimize(rating.Rw);
        benchmark::DoNotOptimize(levels.data());
    }
}
BENCHMARK(rateSoundReduction)->Arg(1)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
