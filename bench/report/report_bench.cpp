// Time to lay out the report page and to write it as a PDF: what the user
// waits for between "Печать" and the report window, and per saved PDF; and
// one redraw of the load chart.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <QImage>
#include <QPainter>

#include "report/gain_chart.h"
#include "report/gain_chart_painter.h"
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

// The load chart as the chart window redraws it after a keystroke: the model
// built anew and painted at the window's usual size.
void BM_BuildAndPaintGainChart(benchmark::State& state) {
  const CalculationRecord record = workedExampleRecord();
  QImage image(720, 468, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    paintGainChart(painter, buildGainChart(record), QRectF(image.rect()));
  }
}
BENCHMARK(BM_BuildAndPaintGainChart)->Unit(benchmark::kMicrosecond);

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
