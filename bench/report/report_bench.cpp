// Time to lay out the report page and to write it as a PDF: what the user
// waits for between "Печать" and the report window, and per saved PDF.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "report/report_page.h"
#include "report/report_painter.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

void BM_BuildPage(benchmark::State& state) {
  const CalculationRecord record = workedExampleRecord();
  for (auto _ : state) {
    ReportPage page = buildReportPage(record, true);
    benchmark::DoNotOptimize(page);
  }
}
BENCHMARK(BM_BuildPage);

void BM_BuildPageAndWritePdf(benchmark::State& state) {
  const CalculationRecord record = workedExampleRecord();
  QTemporaryDir dir;
  const QString path = dir.filePath("report.pdf");
  for (auto _ : state) {
    if (!writeReportPdf(buildReportPage(record, true), path)) {
      state.SkipWithError("cannot write the PDF");
      break;
    }
  }
}
BENCHMARK(BM_BuildPageAndWritePdf);

}  // namespace
}  // namespace kamerol

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
