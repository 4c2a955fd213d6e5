#include "BenchSupport.h"
#include "app/GraphExport.h"

#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "io/Settings.h"

#include <QClipboard>

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/** A copy of the third-octave graph with the NR curves to the clipboard: SVG picture and PNG. */
void clipboardCopy(benchmark::State& state)
{
    bench::EnsureApplication();
    AppContext context(std::make_unique<MemorySettingsStore>());
    TMainForm form(context);
    form.ProcessCommandLine("-third");
    form.show();
    QApplication::processEvents();
    for (int k = 0; k < context.Model.Nodes.Count; ++k)
        context.Model.Nodes.Node[k].Y = 40.0f + (k % 7) * 5.0f;
    context.Model.HighlightMode = HighlightNR;
    form.Redraw();
    for (auto _ : state) {
        form.Export().ClipBdButtonClick();
        benchmark::DoNotOptimize(QGuiApplication::clipboard()->mimeData());
    }
}
BENCHMARK(clipboardCopy)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
