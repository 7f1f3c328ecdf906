#include "report/report_painter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

#include "core/version.h"
#include "report/gain_chart_painter.h"
#include "report/sensitivity_chart_painter.h"
#include "report/trace_pages.h"

namespace kamerol {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPoint = 20;

// The chart on its page, in twips: within the first page's frame.
constexpr int kChartPageLeft = 840;
constexpr int kChartPageRight = 11220;
constexpr int kChartPageTop = 600;

// Fonts, printing and PDF output all need the GUI application's font database;
// without one Qt would abort, and a report command must fail softly instead.
bool haveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

qreal advanceOf(const QFontMetricsF& metrics, const QString& text) {
  // Trailing blanks of a wrapped line take no room on the page.
  qsizetype end = text.size();
  while (end > 0 && text.at(end - 1).isSpace()) --end;
  return metrics.horizontalAdvance(text.left(end));
}

void layoutWrapped(const ReportText& t, const QString& text, const QFontMetricsF& metrics, ReportTextLayout& out) {
  QTextLayout layout(text, out.font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);

  const qreal boxHeight = t.height > 0 ? t.height : std::numeric_limits<qreal>::infinity();
  qreal y = 0;
  qsizetype lastStart = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(t.width);
    // The first line is always drawn, even in a box too low for it.
    if (!out.lines.empty() && y + line.height() > boxHeight) {
      out.elided = true;
      break;
    }
    const QString lineText = text.mid(line.textStart(), line.textLength());
    out.lines.push_back({lineText, QPointF(t.left, t.top + y + line.ascent()), advanceOf(metrics, lineText)});
    lastStart = line.textStart();
    y += line.height();
  }
  layout.endLayout();

  if (out.elided) {
    ReportTextLine& last = out.lines.back();
    last.text = metrics.elidedText(text.mid(lastStart), Qt::ElideRight, t.width);
    last.width = advanceOf(metrics, last.text);
  }
}

}  // namespace

QFont reportFont(const ReportPage& page, const ReportText& text) {
  QFont font(QString::fromStdString(page.fontFamily));
  // Sized in twips, the unit the painter is scaled to: the sizes of the page
  // are whole twips (9.75 pt is 195), and the layout is the same on every device.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.pointSize * kTwipsPerPoint))));
  font.setBold(text.bold);
  // Unhinted advances scale linearly, so a line breaks at the same word on
  // screen and on paper.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

ReportTextLayout layoutReportText(const ReportPage& page, const ReportText& t) {
  ReportTextLayout out;
  out.font = reportFont(page, t);
  const QFontMetricsF metrics(out.font);
  const QString text = QString::fromStdString(t.text);

  if (t.wrap && t.width > 0) {
    layoutWrapped(t, text, metrics, out);
  } else if (!text.isEmpty()) {
    const qreal width = advanceOf(metrics, text);
    const qreal left = t.alignRight && t.width > 0 ? t.left + t.width - width : t.left;
    out.lines.push_back({text, QPointF(left, t.top + metrics.ascent()), width});
  }

  out.bounds = QRectF(t.left, t.top, 0, 0);
  for (const ReportTextLine& line : out.lines) {
    const QRectF lineRect(line.baseline.x(), line.baseline.y() - metrics.ascent(), line.width, metrics.height());
    out.bounds = out.bounds.isEmpty() ? lineRect : out.bounds.united(lineRect);
  }
  return out;
}

void paintReportPage(QPainter& painter, const ReportPage& page, const QRectF& target) {
  if (page.width <= 0 || page.height <= 0 || target.isEmpty()) return;
  const qreal scale = std::min(target.width() / page.width, target.height() / page.height);
  const QPointF origin(target.left() + (target.width() - page.width * scale) / 2,
                       target.top() + (target.height() - page.height * scale) / 2);

  painter.save();
  painter.translate(origin);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(0, 0, page.width, page.height), Qt::white);

  // Rules stay crisp without antialiasing; text keeps it.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QPen(Qt::black, kReportRuleWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  for (const ReportLine& l : page.lines) painter.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
  for (const ReportRect& r : page.rects) painter.drawRect(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)));

  for (const ReportText& t : page.texts) {
    const ReportTextLayout layout = layoutReportText(page, t);
    painter.setFont(layout.font);
    for (const ReportTextLine& line : layout.lines) painter.drawText(line.baseline, line.text);
  }
  painter.restore();
}

void paintChartPage(QPainter& painter, const ReportPage& page, const QRectF& target) {
  if (!page.chart || page.width <= 0 || page.height <= 0 || target.isEmpty()) return;
  const qreal scale = std::min(target.width() / page.width, target.height() / page.height);
  const QRectF sheet(target.left() + (target.width() - page.width * scale) / 2,
                     target.top() + (target.height() - page.height * scale) / 2, page.width * scale,
                     page.height * scale);
  painter.fillRect(sheet, Qt::white);
  // Across the first page's frame, from its top: the chart keeps its own proportions.
  const QSizeF chart = gainChartSize();
  const qreal width = (kChartPageRight - kChartPageLeft) * scale;
  paintGainChart(painter, *page.chart,
                 QRectF(sheet.left() + kChartPageLeft * scale, sheet.top() + kChartPageTop * scale, width,
                        width * chart.height() / chart.width()));
}

void paintSensitivityPage(QPainter& painter, const ReportPage& page, const QRectF& target) {
  if (!page.sensitivity || page.width <= 0 || page.height <= 0 || target.isEmpty()) return;
  const qreal scale = std::min(target.width() / page.width, target.height() / page.height);
  const QRectF sheet(target.left() + (target.width() - page.width * scale) / 2,
                     target.top() + (target.height() - page.height * scale) / 2, page.width * scale,
                     page.height * scale);
  painter.fillRect(sheet, Qt::white);
  // As the load chart's page: across the frame from its top, in the chart's own proportions.
  const QSizeF chart = sensitivityChartSize(*page.sensitivity, true);
  const qreal width = (kChartPageRight - kChartPageLeft) * scale;
  paintSensitivityChart(painter, *page.sensitivity,
                        QRectF(sheet.left() + kChartPageLeft * scale, sheet.top() + kChartPageTop * scale, width,
                               width * chart.height() / chart.width()),
                        true);
}

namespace {

// Where the page goes on a sheet of `sheet` twips, at full scale: its frame
// (the whole page where it has none) in the sheet's middle.
QRectF centredOnSheet(const ReportPage& page, QSizeF sheet) {
  QRectF frame(0, 0, page.width, page.height);
  for (const ReportRect& r : page.rects)
    if (r.role == RuleRole::PageFrame) frame = QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
  const QPointF offset((sheet.width() - frame.width()) / 2 - frame.left(),
                       (sheet.height() - frame.height()) / 2 - frame.top());
  return QRectF(offset, QSizeF(page.width, page.height));
}

// The PDF of `pages`, each with its own sheets, drawn into memory: the file
// is then written as every file is (writeWholeFile), never left half-written.
// A page wider than high goes on a landscape sheet.
std::optional<QByteArray> reportPdfBytes(std::span<const ReportPage> pages) {
  if (!haveGuiApplication() || pages.empty()) return std::nullopt;
  for (const ReportPage& page : pages)
    if (page.width <= 0 || page.height <= 0) return std::nullopt;
  const auto layoutOf = [](const ReportPage& page) {
    return QPageLayout(QPageSize(QPageSize::A4),
                       page.width > page.height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
  };
  QByteArray pdf;
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("%1 %2").arg(QLatin1String(kProgramName), QLatin1String(kVersion)));
    // One device unit per twip: the page is drawn at exactly its own size, on
    // an A4 sheet with its frame in the middle, well inside any printer's margins.
    writer.setResolution(kTwipsPerInch);
    if (!writer.setPageLayout(layoutOf(pages.front()))) return std::nullopt;
    QPainter painter;
    if (!painter.begin(&writer)) return std::nullopt;
    bool first = true;
    for (const ReportPage& page : pages) {
      const ReportSheets sheets(page);
      for (int i = 0; i < sheets.count(); ++i) {
        if (!first) {
          // The new layout takes effect on the sheet newPage() starts.
          if (!writer.setPageLayout(layoutOf(page)) || !writer.newPage()) return std::nullopt;
        }
        first = false;
        const QRectF target = centredOnSheet(page, writer.pageLayout().fullRectPoints().size() * kTwipsPerPoint);
        sheets.paint(painter, i, target);
      }
    }
    if (!painter.end()) return std::nullopt;
  }
  return pdf;
}

}  // namespace

WriteResult writeReportPdf(std::span<const ReportPage> pages, const std::filesystem::path& path) {
  const std::optional<QByteArray> pdf = reportPdfBytes(pages);
  if (!pdf) return {};
  return writeWholeFile(path, std::string_view(pdf->constData(), static_cast<std::size_t>(pdf->size())));
}

WriteResult writeReportPdf(std::span<const ReportPage> pages, const QString& path) {
  return writeReportPdf(pages, QFileInfo(path).filesystemFilePath());
}

WriteResult writeReportPdf(const ReportPage& page, const std::filesystem::path& path) {
  return writeReportPdf(std::span(&page, 1), path);
}

WriteResult writeReportPdf(const ReportPage& page, const QString& path) {
  return writeReportPdf(page, QFileInfo(path).filesystemFilePath());
}

}  // namespace kamerol
