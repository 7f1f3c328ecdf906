// The trace's pages of the report: every line inside the text area, whatever
// the names, and every entry and result in the PDF's text.

#include "report/trace_pages.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "core/engine.h"
#include "core/trace_text.h"
#include "core/worked_example.h"
#include "report/gain_chart.h"
#include "report/report_painter.h"
#include "report/sensitivity_chart.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

struct TraceReportCase {
  std::string name;
  std::function<void(CalculationInputs&)> change;
};

class TracePagesTest : public testing::TestWithParam<TraceReportCase> {
 protected:
  TracePagesTest() {
    CalculationInputs in = workedExampleInputs();
    GetParam().change(in);
    const HeatLoad load = computeHeatLoad(in);
    record_ = {in, load.results, false};
    trace_ = buildTrace(in, load);
  }
  CalculationRecord record_;
  CalculationTrace trace_;
};

TEST_P(TracePagesTest, EveryLineStaysInsideTheTextArea) {
  ReportPage page = buildReportPage(record_, true);
  const std::vector<TraceSheet> sheets = layoutTraceSheets(trace_, page);
  ASSERT_GE(sheets.size(), 2u);
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    for (const TraceSheetLine& line : sheets[s].lines) {
      const QFontMetricsF metrics(line.font);
      EXPECT_GE(line.baseline.x(), kTraceLeft) << line.text.toStdString();
      EXPECT_LE(line.baseline.x() + line.width, kTraceRight + 1) << line.text.toStdString();
      EXPECT_GE(line.baseline.y() - metrics.ascent(), kTraceTop - 1) << line.text.toStdString();
      EXPECT_LE(line.baseline.y() + metrics.descent(), kTraceBottom) << line.text.toStdString();
    }
  }
}

TEST_P(TracePagesTest, PdfHasThePagesAfterTheChartWithEveryEntry) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext not installed";
  QTemporaryDir dir;
  ReportPage page = buildReportPage(record_, true);
  page.chart = buildGainChart(record_);
  page.trace = trace_;
  const int sheets = static_cast<int>(layoutTraceSheets(trace_, page).size());
  EXPECT_EQ(ReportSheets(page).count(), 2 + sheets);
  const QString file = dir.filePath("trace.pdf");
  ASSERT_TRUE(writeReportPdf(page, file));

  const auto text = [&](int first, int last) {
    QProcess process;
    process.start(pdftotext, {"-f", QString::number(first), "-l", QString::number(last), file, "-"});
    process.waitForFinished(30000);
    // A line broken on the page reads as one here.
    return QString::fromUtf8(process.readAllStandardOutput()).replace('\n', ' ');
  };
  EXPECT_FALSE(text(1, 2).contains("Ход расчёта"));
  EXPECT_FALSE(text(3, 2 + sheets).contains("Проверка расчёта"));  // not run, not said
  EXPECT_TRUE(text(3, 3).contains(QStringLiteral("Ход расчёта, лист 1 из %1").arg(sheets)));
  const QString trace = text(3, 2 + sheets);
  int number = 0;
  const auto expectEntry = [&](const TraceEntry& e) {
    const std::vector<TraceLine> lines = traceEntryLines(e, ++number);
    EXPECT_TRUE(trace.contains(QString::fromStdString(lines.front().text))) << lines.front().text;
    EXPECT_TRUE(trace.contains(QString::fromStdString(traceResultText(e)))) << traceResultText(e);
  };
  for (const TraceEntry& g : trace_.gains) expectEntry(g);
  expectEntry(trace_.sum);
  expectEntry(trace_.requiredCapacity);
  EXPECT_TRUE(trace.contains(QString::fromStdString(record_.inputs.productName).left(40)));
}

// The checks after the trace on its pages, the sensitivity's page last.
TEST(ReportSheetsTest, ChecksFollowTheTraceAndTheSensitivityIsTheLastPage) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext not installed";
  const CalculationInputs in = workedExampleInputs();
  const HeatLoad load = computeHeatLoad(in);
  ReportPage page = buildReportPage({in, load.results, false}, true);
  page.trace = buildTrace(in, load);
  page.checks = std::vector<std::string>{"Запас равен 0 %.", "Толщина термоизоляции пола равна нулю."};
  SensitivityAnalysis analysis;
  analysis.base.requiredCapacity = 1.64f;
  Variation v;
  v.input = SensitivityInput::Staff;
  v.baseText = "0";
  v.low.text = "-1";
  v.low.skipped = SkipReason::Reset;
  v.high.text = "1";
  v.high.figures = LoadFigures{};
  v.high.figures->requiredCapacity = 1.91f;
  analysis.variations = {v};
  page.sensitivity = buildSensitivityChart(analysis);
  const int traceSheets = static_cast<int>(layoutTraceSheets(*page.trace, page).size());
  ASSERT_EQ(ReportSheets(page).count(), 1 + traceSheets + 1);

  QTemporaryDir dir;
  const QString file = dir.filePath("sensitivity.pdf");
  ASSERT_TRUE(writeReportPdf(page, file));
  const auto text = [&](int sheet) {
    QProcess process;
    process.start(pdftotext, {"-f", QString::number(sheet), "-l", QString::number(sheet), file, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).replace('\n', ' ');
  };
  const QString lastTrace = text(1 + traceSheets);
  EXPECT_TRUE(lastTrace.contains("Проверка расчёта"));
  EXPECT_TRUE(lastTrace.contains("Толщина термоизоляции пола равна нулю."));
  const QString last = text(2 + traceSheets);
  EXPECT_TRUE(last.contains("Чувствительность потребной холодопроизводительности")) << last.toStdString();
  EXPECT_TRUE(last.contains("Пропущено: Число рабочих, чел, меньше (-1): значение не принято формой"))
      << last.toStdString();
  EXPECT_FALSE(text(1 + traceSheets).contains("Чувствительность"));
}

TEST_P(TracePagesTest, TheTraceAloneHasOnlyItsOwnPages) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext not installed";
  QTemporaryDir dir;
  ReportPage page = buildReportPage(record_, true);
  page.chart = buildGainChart(record_);
  page.sensitivity.emplace();
  page.trace = trace_;
  page.withResults = false;
  const int sheets = static_cast<int>(layoutTraceSheets(trace_, page).size());
  EXPECT_EQ(ReportSheets(page).count(), sheets);
  const QString file = dir.filePath("trace.pdf");
  ASSERT_TRUE(writeReportPdf(page, file));
  QProcess process;
  process.start(pdftotext, {"-f", "1", "-l", "1", file, "-"});
  process.waitForFinished(30000);
  const QString first = QString::fromUtf8(process.readAllStandardOutput());
  EXPECT_TRUE(first.contains(QStringLiteral("Ход расчёта, лист 1 из %1").arg(sheets)));
  EXPECT_FALSE(first.contains("Результаты расчета"));
}

void freezingLongName(CalculationInputs& in) {
  in.processMode = ProcessMode::Freezing;
  in.dailyMass = 1000;
  in.productInitialTemp = 20;
  in.productFinalTemp = -18;
  in.productName =
      "Баранина охлаждённая в полутушах и четвертинах высшей категории для длительного хранения, партия "
      "поставщика с особыми условиями приёмки и маркировкой по договору";
}

INSTANTIATE_TEST_SUITE_P(Cases, TracePagesTest,
                         testing::Values(TraceReportCase{"worked example", [](CalculationInputs&) {}},
                                         TraceReportCase{"freezing with a long product name", freezingLongName}),
                         RowName());

}  // namespace
}  // namespace kamerol
