// Time to lay out the report page and to write it as a PDF: what the user
// waits for between "Печать" and the report window, and per saved PDF; and
// one redraw of the load chart, and of the sensitivity window.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <QImage>
#include <QPainter>

#include "analysis/sensitivity.h"
#include "document/startup.h"
#include "report/gain_chart.h"
#include "report/gain_chart_painter.h"
#include "report/report_page.h"
#include "report/report_painter.h"
#include "report/report_sample.h"
#include "report/sensitivity_chart.h"
#include "report/sensitivity_chart_painter.h"

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

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

// What the sensitivity window does once per burst of edits: the ten
// variations on copies of the form, the chart built and painted at the
// window's usual size. Typing waits for at most one of these.
void BM_SensitivityWindowRefresh(benchmark::State& state) {
  NoMessages messages;
  CalculationForm form(messages, NumberLocale::point());
  startCalculation(form, std::nullopt, messages);
  for (const auto& [c, text] : {std::pair{Control::roomLengthField, "500"},
                                {Control::roomWidthField, "400"},
                                {Control::roomHeightField, "300"}})
    form.setText(c, text);
  QImage image(720, 330, QImage::Format_RGB32);
  for (auto _ : state) {
    const SensitivityChart chart = buildSensitivityChart(analyseSensitivity(form));
    QPainter painter(&image);
    paintSensitivityChart(painter, chart, QRectF(image.rect()), false);
  }
}
BENCHMARK(BM_SensitivityWindowRefresh)->Unit(benchmark::kMicrosecond);

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
