#include "report/report_painter.h"
#include "report/report_print.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/materials.h"
#include "core/products.h"
#include "core/version.h"
#include "report/gain_chart.h"
#include "report/report_export.h"
#include "report/report_page.h"
#include "report/report_sample.h"
#ifndef _WIN32
#include "tests/platform/file_size_limit.h"
#endif

namespace kamerol {
namespace {

using F = ReportField;

// The name whose text is widest in the report's regular value font.
std::string widestName(const std::vector<std::string_view>& names) {
  const ReportPage page;
  ReportText probe{F::WallMaterial, TextRole::Value, "", 0, 0};
  std::string widest;
  qreal widestWidth = -1;
  for (const std::string_view name : names) {
    probe.text = std::string(name);
    const qreal width = layoutReportText(page, probe).bounds.width();
    if (width > widestWidth) {
      widestWidth = width;
      widest = probe.text;
    }
  }
  return widest;
}

std::vector<std::string_view> namesOf(MaterialList list) {
  std::vector<std::string_view> names;
  for (const Material& m : materials(list)) names.push_back(m.name);
  return names;
}

// The widest texts the form lets through: the widest catalogue names and
// numbers with as many digits as their limits allow.
CalculationRecord widestRecord() {
  CalculationRecord record = workedExampleRecord();
  CalculationInputs& in = record.inputs;
  in.wallMaterial = in.ceilingMaterial = in.floorMaterial = widestName(namesOf(MaterialList::Building));
  in.wallInsulation = in.ceilingInsulation = in.floorInsulation = widestName(namesOf(MaterialList::Insulation));
  std::vector<std::string_view> products;
  for (const Product& p : allProducts()) products.push_back(p.name);
  in.productName = widestName(products);
  in.curtainName = "Воздушная";
  in.roomLength = in.roomWidth = 99.99f;
  in.roomHeight = 19.99f;
  in.roomTemp = in.productInitialTemp = in.productFinalTemp = -40;
  in.equipHours = 23.5f;
  in.reserveFactor = 2.995f;
  for (float* mm : {&in.wallMaterialThickness, &in.ceilingMaterialThickness, &in.floorMaterialThickness,
                    &in.wallInsulationThickness, &in.ceilingInsulationThickness, &in.floorInsulationThickness})
    *mm = 1999.5f;
  in.outsideTempWalls = in.outsideTempCeiling = in.outsideTempFloor = -49.5f;
  in.doorHeight = in.doorWidth = 9.99f;
  in.doorOpenMinutes = 999.99f;
  in.storedMass = in.dailyMass = 99999.5f;
  in.clientInfo = "ООО \"Северный холод\", г. Мурманск, ул. Полярные Зори, 12, тел. 8 (8152) 00-00-00";

  CalculationResults& r = record.results;
  r.roomVolume = 199860.02f;
  r.airChangeRate = 0.16f;
  for (float* kw :
       {&r.qWallPart, &r.qCeiling, &r.qFloor, &r.shownWalls, &r.shownVentilation, &r.shownDoor, &r.shownProduct,
        &r.shownRespiration, &r.shownLighting, &r.shownStaff, &r.shownVehicles, &r.shownFans})
    *kw = -123.45f;
  r.qTotal = 1234.56f;
  r.requiredCapacity = 9876.54f;
  return record;
}

bool overlaps(const QRectF& a, const QRectF& b) { return a.intersects(b); }

// A rule's ink as a rectangle.
QRectF inkOf(const ReportLine& l) {
  const qreal half = kReportRuleWidth / 2.0;
  return QRectF(QPointF(std::min(l.x1, l.x2) - half, std::min(l.y1, l.y2) - half),
                QPointF(std::max(l.x1, l.x2) + half, std::max(l.y1, l.y2) + half));
}

std::vector<QRectF> inkOf(const ReportRect& r) {
  return {inkOf(ReportLine{r.role, r.left, r.top, r.right, r.top}),
          inkOf(ReportLine{r.role, r.left, r.bottom, r.right, r.bottom}),
          inkOf(ReportLine{r.role, r.left, r.top, r.left, r.bottom}),
          inkOf(ReportLine{r.role, r.right, r.top, r.right, r.bottom})};
}

TEST(ReportPainterTest, ArialIsAvailableOrMetricCompatible) {
  const ReportPage page;
  const ReportText text{F::Title, TextRole::Caption, "x", 0, 0};
  const QString family = QFontInfo(reportFont(page, text)).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
}

// No two texts touch, no text crosses a rule, and everything stays inside the
// frame: for the worked example and for the widest texts the inputs allow.
TEST(ReportPainterTest, TextsNeitherOverlapNorCrossRules) {
  const std::vector<std::pair<const char*, CalculationRecord>> records = {{"worked example", workedExampleRecord()},
                                                                          {"widest", widestRecord()}};
  for (const auto& [name, record] : records) {
    SCOPED_TRACE(name);
    const ReportPage page = buildReportPage(record, true);
    std::vector<QRectF> bounds;
    for (const ReportText& t : page.texts) bounds.push_back(layoutReportText(page, t).bounds);

    std::vector<QRectF> rules;
    for (const ReportLine& l : page.lines) rules.push_back(inkOf(l));
    for (const ReportRect& r : page.rects) {
      for (const QRectF& side : inkOf(r)) rules.push_back(side);
    }
    const QRectF inside = QRectF(QPointF(840, 300), QPointF(11220, 15825)).adjusted(15, 15, -15, -15);

    for (std::size_t i = 0; i < bounds.size(); ++i) {
      const std::string what = page.texts[i].text;
      if (!bounds[i].isEmpty()) {
        EXPECT_TRUE(inside.contains(bounds[i])) << what;
      }
      for (std::size_t j = i + 1; j < bounds.size(); ++j) {
        EXPECT_FALSE(overlaps(bounds[i], bounds[j])) << what << " / " << page.texts[j].text;
      }
      for (const QRectF& rule : rules) EXPECT_FALSE(overlaps(bounds[i], rule)) << what;
    }
  }
}

TEST(ReportPainterTest, BoxedTextsBreakAtTheirBlanks) {
  CalculationRecord record = workedExampleRecord();
  record.inputs.clientInfo = "ООО \"Север\"";
  const ReportPage page = buildReportPage(record, false);
  struct Case {
    ReportField field;
    TextRole role;
    std::vector<QString> lines;
  };
  const std::vector<Case> cases = {
      {F::Title, TextRole::Caption, {"Результаты расчета теплового баланса", "холодильной камеры"}},
      {F::MaterialThicknessHeading, TextRole::Caption, {"Толщ.", "мм"}},
      {F::InsulationThicknessHeading, TextRole::Caption, {"Толщ.", "мм"}},
      {F::OutsideTempHeading, TextRole::Caption, {"Темп-ра", "снаружи, С"}},
      {F::GainHeading, TextRole::Caption, {"Теплоприток,", "кВт"}},
      {F::ClientInfo, TextRole::Value, {"ООО \"Север\""}},
  };
  for (const Case& c : cases) {
    const ReportText* text = page.find(c.field, c.role);
    ASSERT_NE(text, nullptr);
    const ReportTextLayout layout = layoutReportText(page, *text);
    std::vector<QString> lines;
    for (const ReportTextLine& line : layout.lines) {
      lines.push_back(line.text.trimmed());
      EXPECT_LE(line.width, text->width) << line.text.toStdString();
    }
    EXPECT_EQ(lines, c.lines) << text->text;
  }
}

TEST(ReportPainterTest, LongClientTextIsCutAtTheFrame) {
  CalculationRecord record = workedExampleRecord();
  record.inputs.clientInfo = std::string(400, 'W');
  const ReportPage page = buildReportPage(record, false);
  const ReportTextLayout layout = layoutReportText(page, *page.find(F::ClientInfo));
  ASSERT_EQ(layout.lines.size(), 1u);
  EXPECT_TRUE(layout.elided);
  EXPECT_TRUE(layout.lines.front().text.endsWith(QChar(0x2026)));
  EXPECT_LE(layout.bounds.right(), 1950 + 9150);
  EXPECT_LE(layout.bounds.bottom(), 15825);
}

bool isDark(QRgb pixel) { return qGray(pixel) < 128; }

bool darkNear(const QImage& image, int x, int y) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (isDark(image.pixel(x + dx, y + dy))) return true;
    }
  }
  return false;
}

// Draws the page at 0.1 px per twip into the right half of a double-width
// image, so that both the scale and the target's origin count.
TEST(ReportPainterTest, PaintsRulesAndTextWhereThePageHasThem) {
  const ReportPage page = buildReportPage(workedExampleRecord(), false);
  const int width = page.width / 10;
  const int height = page.height / 10;
  QImage image(2 * width, height, QImage::Format_RGB32);
  image.fill(Qt::red);
  {
    QPainter painter(&image);
    paintReportPage(painter, page, QRectF(width, 0, width, height));
  }
  EXPECT_EQ(image.pixel(width / 2, height / 2), QColor(Qt::red).rgb());  // left half untouched
  EXPECT_EQ(image.pixel(width + 20, 10), QColor(Qt::white).rgb());       // margin outside the frame

  struct Point {
    int x, y;  // twips
  };
  for (const Point p : {Point{840, 8000}, Point{11220, 8000}, Point{5000, 300}, Point{5000, 15825},  // frame
                        Point{7200, 2400}, Point{1950, 4600}, Point{6000, 14310}}) {
    EXPECT_TRUE(darkNear(image, width + p.x / 10, p.y / 10)) << p.x << "," << p.y;
  }
  // Just above the room block's rule, below the room temperature's caption (whose letters are a pixel away
  // from 1400, where antialiased edges differ between font engines).
  EXPECT_FALSE(darkNear(image, width + 7200 / 10, 1600 / 10));

  int inkInTitle = 0;
  for (int y = 60; y < 110; ++y) {
    for (int x = 450; x < 950; ++x) inkInTitle += isDark(image.pixel(width + x, y));
  }
  EXPECT_GT(inkInTitle, 200);
}

QString run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(30000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

class ReportPdfTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString path(const QString& name) const { return dir_.filePath(name); }

  // The text of a PDF, or a skip when poppler's tools are missing.
  static QString pdfText(const QString& file) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) return {};
    return run(tool, {"-layout", file, "-"});
  }
  static QString pdfInfo(const QString& file) {
    const QString tool = QStandardPaths::findExecutable("pdfinfo");
    return tool.isEmpty() ? QString() : run(tool, {file});
  }

 private:
  QTemporaryDir dir_;
};

#define SKIP_WITHOUT_POPPLER()                                                                            \
  do {                                                                                                    \
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext not installed"; \
  } while (0)

TEST_F(ReportPdfTest, WorkedExampleReadsBack) {
  SKIP_WITHOUT_POPPLER();
  const QString file = path("report.pdf");
  ASSERT_TRUE(writeReportPdf(buildReportPage(workedExampleRecord(), false), file));

  const QString text = pdfText(file);
  for (const char* expected :
       {"Результаты расчета теплового баланса", "холодильной камеры", "Суммарный теплоприток через стены Qстен, кВт",
        "Потребная холодопроизводительность, кВт", "Теплоприток от \"дыхания\" продукта Qдых, кВт", "Железобетон",
        "0.63", "1.17", "1.64", "9.04"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
  }
  EXPECT_FALSE(text.contains("Kamerol"));

  const QString info = pdfInfo(file);
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();

  // Everything drawn, the page frame included, lies more than 10 mm inside
  // the sheet's edges: within any printer's printable area.
  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdftoppm.isEmpty()) return;
  run(pdftoppm, {"-r", "72", "-png", "-singlefile", file, path("sheet")});
  const QImage sheet(path("sheet.png"));
  ASSERT_FALSE(sheet.isNull());
  QRect ink;
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x)
      if (qGray(sheet.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  const int tenMillimetres = 29;  // at 72 pixels per inch
  EXPECT_GE(ink.left(), tenMillimetres);
  EXPECT_GE(ink.top(), tenMillimetres);
  EXPECT_LT(ink.right(), sheet.width() - tenMillimetres);
  EXPECT_LT(ink.bottom(), sheet.height() - tenMillimetres);
  EXPECT_NEAR(ink.left(), sheet.width() - 1 - ink.right(), 2);  // the frame in the middle
}

TEST_F(ReportPdfTest, ExportCarriesTheHeaderBlockWithTheLogo) {
  SKIP_WITHOUT_POPPLER();
  CalculationRecord record = workedExampleRecord();
  record.inputs.clientInfo = "Иванов И. И.";
  ASSERT_TRUE(exportReportPdf(record, true, path("logo.pdf").toStdString()));
  const QString text = pdfText(path("logo.pdf"));
  EXPECT_TRUE(text.contains(QLatin1String(kProgramName)));
  EXPECT_TRUE(text.contains(QStringLiteral("Версия ") + QLatin1String(kVersion)));
  EXPECT_TRUE(text.contains(QString::fromUtf8("Иванов И. И.")));
}

TEST_F(ReportPdfTest, UnwritablePathFails) {
  const ReportPage page = buildReportPage(workedExampleRecord(), false);
  EXPECT_FALSE(writeReportPdf(page, path("missing-folder/report.pdf")));
  EXPECT_FALSE(exportReportPdf(workedExampleRecord(), false, path("missing-folder/report.pdf").toStdString()));

#ifndef _WIN32
  // A full disk (a file size limit, which Windows lacks): the old PDF stays as it was.
  ASSERT_TRUE(writeReportPdf(page, path("old.pdf")));
  QFile old(path("old.pdf"));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  const QByteArray before = old.readAll();
  old.close();
  const WriteResult full =
      testing_support::withFileSizeLimit(1024, [&] { return writeReportPdf(page, path("old.pdf")); });
  EXPECT_EQ(full.error, std::errc::file_too_large);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), before);
  EXPECT_EQ(QDir(QFileInfo(old).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1);
#endif
}

TEST_F(ReportPdfTest, PrintsOnePageThroughAPrinter) {
  const ReportPage page = buildReportPage(workedExampleRecord(), false);
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    EXPECT_TRUE(printReportPage(page, printer));
  }
  QFile printed(path("printed.pdf"));
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(printed.read(5).startsWith("%PDF"));
  if (const QString info = pdfInfo(path("printed.pdf")); !info.isEmpty()) {
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  }
  if (const QString text = pdfText(path("printed.pdf")); !text.isEmpty()) {
    EXPECT_TRUE(text.contains("1.64"));
  }

  QPrinter broken(QPrinter::HighResolution);
  broken.setOutputFormat(QPrinter::PdfFormat);
  broken.setOutputFileName(path("missing-folder/printed.pdf"));
  EXPECT_FALSE(printReportPage(page, broken));
}

TEST_F(ReportPdfTest, ChartIsTheSecondPageOnPaperAndInThePdf) {
  ReportPage page = buildReportPage(workedExampleRecord(), false);
  page.chart = buildGainChart(workedExampleRecord());
  ASSERT_TRUE(writeReportPdf(page, path("chart.pdf")));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    ASSERT_TRUE(printReportPage(page, printer));
  }
  for (const char* file : {"chart.pdf", "printed.pdf"}) {
    if (const QString info = pdfInfo(path(file)); !info.isEmpty()) {
      EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << file << info.toStdString();
    }
    if (const QString text = pdfText(path(file)); !text.isEmpty()) {
      EXPECT_TRUE(text.contains(QString::fromUtf8("Диаграмма теплопритоков"))) << file;
    }
  }
}

}  // namespace
}  // namespace kamerol
