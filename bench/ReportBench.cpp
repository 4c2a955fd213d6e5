#include "BenchSupport.h"
#include "app/ReportExport.h"

#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "io/Settings.h"
#include "model/Ratings.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

/**
 * Export Report of a third-octave spectrum with the NR curves shown, as the window writes it after
 * its dialogs: the page drawn into a PDF on A4 or Letter and the file replaced, synced.
 */
void reportExport(benchmark::State& state)
{
    bench::EnsureApplication();
    AppContext context(std::make_unique<MemorySettingsStore>());
    TMainForm form(context);
    form.ProcessCommandLine("-third");
    form.show();
    QApplication::processEvents();
    for (int k = 0; k < context.Model.Nodes.Count; ++k)
        context.Model.Nodes.Node[k].Y = 40.0f + (k % 7) * 5.0f;
    Recalculate(context.Model);
    ShowHighlight(context.Model, context.Surface, HighlightNR);
    form.Report().SetTitleAndNote(QStringLiteral("Party wall W3"), QStringLiteral("Measured on site"));
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("report.pdf")).toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(form.Report().WriteReport(path));
}
BENCHMARK(reportExport)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
