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
    bench::ThirdOctaveWindow window;
    for (auto _ : state) {
        window.form.Export().ClipBdButtonClick();
        benchmark::DoNotOptimize(QGuiApplication::clipboard()->mimeData());
    }
}
BENCHMARK(clipboardCopy)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
