#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "report/project_report.h"
#include "report/report_painter.h"
#include "report/report_print.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

// The widest figures a room shows, in a project whose sums grow to match.
struct Widest {
  Project project;
  std::vector<CalculationRecord> records;
};

Widest widestProject() {
  Widest w;
  w.project.details = {"Объект", "Заказчик", "Автор", "31.12.2026"};
  const std::size_t system = w.project.addSystem({"Система", -40, 0.75});
  CalculationRecord record = workedExampleRecord();
  record.inputs.roomLength = record.inputs.roomWidth = 99.99f;
  record.inputs.roomHeight = 19.99f;
  record.inputs.roomTemp = -40;
  record.inputs.processMode = ProcessMode::Freezing;
  for (float* kw : {&record.results.shownWalls, &record.results.shownVentilation, &record.results.shownDoor,
                    &record.results.shownProduct, &record.results.shownRespiration, &record.results.shownLighting,
                    &record.results.shownStaff, &record.results.shownVehicles, &record.results.shownFans})
    *kw = -9999.99f;
  record.results.qTotal = record.results.requiredCapacity = 99999.99f;
  for (int i = 0; i < 200; ++i) {
    w.project.addRoom({"Камера " + std::to_string(i + 1), system, {}});
    w.records.push_back(record);
  }
  return w;
}

// Every heading and figure of the summary stays whole inside its cell, and
// no two texts touch: no cut column, no overlapping text.
TEST(ProjectSummaryPainting, TextsStayInsideTheirCells) {
  const Widest w = widestProject();
  const std::vector<ReportPage> pages = layoutProjectSummary(buildProjectSummary(w.project, w.records));
  ASSERT_GT(pages.size(), 1u);
  for (const ReportPage& page : pages) {
    std::vector<QRectF> bounds;
    for (const ReportText& t : page.texts) {
      const ReportTextLayout layout = layoutReportText(page, t);
      bounds.push_back(layout.bounds);
      EXPECT_FALSE(layout.elided) << t.text;
      if (t.width > 0) {
        EXPECT_GE(layout.bounds.left(), t.left - 0.5) << t.text;
        EXPECT_LE(layout.bounds.right(), t.left + t.width + 0.5) << t.text;
      }
      if (t.height > 0) {
        EXPECT_LE(layout.bounds.bottom(), t.top + t.height + 0.5) << t.text;
      }
      // A heading breaks between words, never inside one.
      for (std::size_t l = 0; l + 1 < layout.lines.size(); ++l)
        EXPECT_TRUE(layout.lines[l].text.endsWith(' ')) << layout.lines[l].text.toStdString();
    }
    for (std::size_t i = 0; i < bounds.size(); ++i)
      for (std::size_t j = i + 1; j < bounds.size(); ++j)
        EXPECT_FALSE(bounds[i].intersects(bounds[j])) << page.texts[i].text << " / " << page.texts[j].text;
  }
}

QString pdfInfo(const QString& file) {
  const QString tool = QStandardPaths::findExecutable("pdfinfo");
  if (tool.isEmpty()) return {};
  QProcess process;
  process.start(tool, {"-f", "1", "-l", "2", file});
  process.waitForFinished();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The summary on a landscape sheet and the rooms' pages on portrait ones, in
// one file and in one print job.
TEST(ProjectReportPainting, OnePdfAndOnePrintJob) {
  Widest w = widestProject();
  w.project = Project{};
  w.project.addRoom({"Камера 1", std::nullopt, {}});
  w.project.addRoom({"Камера 2", std::nullopt, {}});
  w.records = {workedExampleRecord(), workedExampleRecord()};
  const std::vector<ReportPage> pages = buildProjectReport(w.project, w.records, {true, true, false});
  ASSERT_EQ(pages.size(), 3u);
  QTemporaryDir dir;
  ASSERT_TRUE(writeReportPdf(std::span(pages), dir.filePath("report.pdf")));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    ASSERT_TRUE(printReportPages(pages, printer));
  }
  for (const char* file : {"report.pdf", "printed.pdf"}) {
    const QString info = pdfInfo(dir.filePath(file));
    if (info.isEmpty()) GTEST_SKIP() << "pdfinfo not installed";
    // The summary, then each room's page and its chart.
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+5\\n"))) << file << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+1 size:\\s+84[12][.0-9]* x 595"))) << file;
    EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+2 size:\\s+595[.0-9]* x 84[12]"))) << file;
  }
}

}  // namespace
}  // namespace kamerol
