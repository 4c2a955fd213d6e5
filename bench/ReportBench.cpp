#include "BenchSupport.h"
#include "app/ReportExport.h"

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
    bench::ThirdOctaveWindow window;
    ReportExport& report = window.form.Report();
    report.SetTitleAndNote(QStringLiteral("Party wall W3"), QStringLiteral("Measured on site"));
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("report.pdf")).toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(report.WriteReport(path));
}
BENCHMARK(reportExport)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmora
