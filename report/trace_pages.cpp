#include "report/trace_pages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "analysis/checks.h"
#include "core/trace_text.h"
#include "report/report_painter.h"

namespace kamerol {
namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kIndent = 360;         // twips per depth
constexpr int kHangingIndent = 240;  // of a wrapped line's continuation
constexpr int kKeepWithHeading = 4;  // lines an entry's heading needs below it on its sheet

QFont traceFont(const ReportPage& page, TraceLine::Kind kind) {
  using enum TraceLine::Kind;
  QFont font(QString::fromStdString(page.fontFamily));
  const qreal points = kind == Title ? 12 : kind == Heading ? 10.5 : 9;
  font.setPixelSize(static_cast<int>(std::lround(points * kTwipsPerPoint)));
  font.setBold(kind == Title || kind == Heading || kind == Result);
  font.setItalic(kind == Note);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// One line of the trace broken at word boundaries into lines `width` wide.
std::vector<QString> wrap(const QString& text, const QFont& font, qreal firstWidth, qreal restWidth) {
  std::vector<QString> out;
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(out.empty() ? firstWidth : restWidth);
    out.push_back(text.mid(line.textStart(), line.textLength()).trimmed());
  }
  layout.endLayout();
  return out;
}

struct SetLine {
  TraceLine::Kind kind;
  QString text;
  QFont font;
  qreal left;
};

}  // namespace

std::vector<TraceSheet> layoutTraceSheets(const CalculationTrace& trace, const ReportPage& page) {
  // Every line of the trace, wrapped to the text area.
  std::vector<SetLine> set;
  std::vector<TraceLine> lines = traceLines(trace);
  if (page.checks) {
    lines.push_back({TraceLine::Kind::Heading, 0, kChecksTitle});
    if (page.checks->empty()) lines.push_back({TraceLine::Kind::Note, 1, kNoChecksText});
    for (const std::string& check : *page.checks) lines.push_back({TraceLine::Kind::Item, 1, check});
  }
  for (const TraceLine& line : lines) {
    if (line.kind == TraceLine::Kind::Title) continue;  // each sheet has its own
    const QFont font = traceFont(page, line.kind);
    const qreal left = kTraceLeft + line.depth * kIndent;
    const qreal width = kTraceRight - left;
    bool first = true;
    for (const QString& part : wrap(QString::fromStdString(line.text), font, width, width - kHangingIndent)) {
      set.push_back({first ? line.kind : TraceLine::Kind::Item, part, font, first ? left : left + kHangingIndent});
      first = false;
    }
  }

  const QFont titleFont = traceFont(page, TraceLine::Kind::Title);
  std::vector<TraceSheet> sheets;
  qreal y = kTraceBottom;  // no sheet yet
  for (std::size_t i = 0; i < set.size(); ++i) {
    const QFontMetricsF metrics(set[i].font);
    const qreal gap = set[i].kind == TraceLine::Kind::Heading ? metrics.lineSpacing() * 0.6 : 0;
    const qreal needed = gap + metrics.lineSpacing() * (set[i].kind == TraceLine::Kind::Heading ? kKeepWithHeading : 1);
    if (y + needed > kTraceBottom) {
      sheets.emplace_back();
      y = kTraceTop + QFontMetricsF(titleFont).lineSpacing() * 1.5;
    } else {
      y += gap;
    }
    sheets.back().lines.push_back(
        {set[i].text, set[i].font, QPointF(set[i].left, y + metrics.ascent()), metrics.horizontalAdvance(set[i].text)});
    y += metrics.lineSpacing();
  }

  const QFontMetricsF title(titleFont);
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const QString text =
        QStringLiteral("%1, лист %2 из %3").arg(QString::fromUtf8(kTraceTitle)).arg(s + 1).arg(sheets.size());
    sheets[s].lines.insert(sheets[s].lines.begin(), {text, titleFont, QPointF(kTraceLeft, kTraceTop + title.ascent()),
                                                     title.horizontalAdvance(text)});
  }
  return sheets;
}

ReportSheets::ReportSheets(const ReportPage& page) : page_(page) {
  if (page.trace) trace_ = layoutTraceSheets(*page.trace, page);
}

void ReportSheets::paint(QPainter& painter, int index, const QRectF& target) const {
  const ReportPage& page = page_;
  if (page.withResults && index == 0) return paintReportPage(painter, page, target);
  if (page.withResults && page.chart && index == 1) return paintChartPage(painter, page, target);
  if (sensitivitySheet() && index == count() - 1) return paintSensitivityPage(painter, page, target);
  if (page.width <= 0 || page.height <= 0 || target.isEmpty() || index < resultSheets()) return;
  const auto sheet = static_cast<std::size_t>(index - resultSheets());
  if (sheet >= trace_.size()) return;
  const std::vector<TraceSheet>& sheets = trace_;

  const qreal scale = std::min(target.width() / page.width, target.height() / page.height);
  painter.save();
  painter.translate(target.left() + (target.width() - page.width * scale) / 2,
                    target.top() + (target.height() - page.height * scale) / 2);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(0, 0, page.width, page.height), Qt::white);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(Qt::black);
  for (const TraceSheetLine& line : sheets[sheet].lines) {
    painter.setFont(line.font);
    painter.drawText(line.baseline, line.text);
  }
  painter.restore();
}

}  // namespace kamerol
