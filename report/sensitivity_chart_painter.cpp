#include "report/sensitivity_chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>

#include "report/chart_text.h"

namespace kamerol {
namespace {

using chart_text::drawLine;

// The canvas, in chart units.
constexpr qreal kWidth = 800;
constexpr qreal kMargin = 16;
constexpr qreal kCaptionRight = 262;  // the inputs' captions end here
constexpr qreal kPlotLeft = 272;
constexpr qreal kPlotRight = 700;  // room for the value at the end of the longest bar
constexpr qreal kRowsTop = 84;
constexpr qreal kRowHeight = 32;
constexpr qreal kBarHeight = 11;
constexpr qreal kAxisHeight = 30;
constexpr qreal kTableGap = 18;
constexpr qreal kTableRow = 20;
constexpr qreal kNoteRow = 18;

// The table's columns: their left edges; the first is left-aligned, the rest right-aligned at the next edge.
constexpr std::array<qreal, 8> kColumns = {kMargin, 250, 345, 440, 535, 620, 705, kWidth - kMargin};

const QColor kLowColour(52, 101, 164);
const QColor kHighColour(206, 92, 0);
const QColor kGridColour(215, 215, 215);
const QColor kNoteColour(110, 110, 110);

QString q(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::string> notesOf(const SensitivityChart& chart) {
  std::vector<std::string> notes;
  for (const TornadoRow& row : chart.rows)
    for (const bool high : {false, true})
      if (std::string note = skippedNote(row, high); !note.empty()) notes.push_back(std::move(note));
  return notes;
}

qreal rowsBottom(const SensitivityChart& chart) {
  return kRowsTop + kRowHeight * static_cast<qreal>(std::max<std::size_t>(chart.rows.size(), 1));
}

void paintTable(QPainter& painter, const SensitivityChart& chart, qreal top) {
  const QFont heading = chart_text::font(11, true);
  const QFont body = chart_text::font(11);
  const QFontMetricsF headingMetrics(heading);
  const QFontMetricsF metrics(body);
  const auto cell = [&](const QFontMetricsF& m, std::size_t column, qreal middle, const QString& text) {
    if (column == 0)
      drawLine(painter, m, kColumns[0], middle, m.elidedText(text, Qt::ElideRight, kColumns[1] - kColumns[0] - 6));
    else
      drawLine(painter, m, kColumns[column + 1], middle, text, Qt::AlignRight);
  };
  painter.setPen(Qt::black);
  painter.setFont(heading);
  for (std::size_t c = 0; c < std::size(kSensitivityColumns); ++c)
    cell(headingMetrics, c, top + kTableRow / 2, QString::fromUtf8(kSensitivityColumns[c]));
  painter.setFont(body);
  qreal y = top + kTableRow;
  for (const TornadoRow& row : chart.rows) {
    painter.setPen(QPen(kGridColour, 1));
    painter.drawLine(QLineF(kMargin, y, kWidth - kMargin, y));
    painter.setPen(Qt::black);
    const std::array<const std::string*, 7> texts = {&row.caption,        &row.baseText,         &row.low.valueText,
                                                     &row.high.valueText, &row.low.capacityText, &row.high.capacityText,
                                                     &row.swingText};
    for (std::size_t c = 0; c < texts.size(); ++c) cell(metrics, c, y + kTableRow / 2, q(*texts[c]));
    y += kTableRow;
  }
  painter.setPen(kNoteColour);
  for (const std::string& note : notesOf(chart)) {
    drawLine(painter, metrics, kMargin, y + kNoteRow / 2, q(note));
    y += kNoteRow;
  }
}

}  // namespace

QSizeF sensitivityChartSize(const SensitivityChart& chart, bool withTable) {
  qreal height = rowsBottom(chart) + kAxisHeight;
  if (withTable)
    height += kTableGap + kTableRow * static_cast<qreal>(chart.rows.size() + 1) +
              kNoteRow * static_cast<qreal>(notesOf(chart).size());
  return {kWidth, height + kMargin};
}

void paintSensitivityChart(QPainter& painter, const SensitivityChart& chart, const QRectF& target, bool withTable) {
  const QSizeF canvas = sensitivityChartSize(chart, withTable);
  if (target.isEmpty()) return;
  const qreal scale = std::min(target.width() / canvas.width(), target.height() / canvas.height());
  painter.save();
  painter.translate(target.left() + (target.width() - canvas.width() * scale) / 2,
                    target.top() + (target.height() - canvas.height() * scale) / 2);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(QPointF(0, 0), canvas), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  const qreal plotWidth = kPlotRight - kPlotLeft;
  const qreal bottom = rowsBottom(chart);
  const auto x = [&](double position) { return kPlotLeft + position * plotWidth; };

  painter.setPen(Qt::black);
  const QFont title = chart_text::font(18, true);
  painter.setFont(title);
  drawLine(painter, QFontMetricsF(title), kMargin, kMargin + 15, QString::fromUtf8(kSensitivityChartTitle));

  // The legend: which colour is which side, and the base.
  const QFont small = chart_text::font(12);
  const QFontMetricsF smallMetrics(small);
  painter.setFont(small);
  qreal legendX = kMargin;
  for (const auto& [colour, text] :
       {std::pair{kLowColour, kSensitivityLowLegend}, {kHighColour, kSensitivityHighLegend}}) {
    painter.fillRect(QRectF(legendX, 52, 14, kBarHeight), colour);
    const QString label = QString::fromUtf8(text);
    drawLine(painter, smallMetrics, legendX + 20, 52 + kBarHeight / 2, label);
    legendX += 20 + smallMetrics.horizontalAdvance(label) + 24;
  }
  drawLine(painter, smallMetrics, legendX, 52 + kBarHeight / 2,
           QStringLiteral("Сейчас: ") + q(chart.baseText) + QStringLiteral(" кВт"));

  // Grid and tick labels.
  for (const ChartTick& tick : chart.ticks) {
    painter.setPen(QPen(kGridColour, 1));
    painter.drawLine(QLineF(x(tick.position), kRowsTop - 6, x(tick.position), bottom + 4));
    painter.setPen(Qt::black);
    drawLine(painter, smallMetrics, x(tick.position), bottom + 15, q(tick.label), Qt::AlignHCenter);
  }

  // Each input: its caption, the low side's bar above the high side's, each
  // from the base to the capacity, with the value typed at its end.
  const QFont text = chart_text::font(13);
  const QFontMetricsF metrics(text);
  const QFont value = chart_text::font(11);
  const QFontMetricsF valueMetrics(value);
  for (std::size_t i = 0; i < chart.rows.size(); ++i) {
    const TornadoRow& row = chart.rows[i];
    const qreal middle = kRowsTop + kRowHeight * static_cast<qreal>(i) + kRowHeight / 2;
    painter.setFont(text);
    painter.setPen(Qt::black);
    drawLine(painter, metrics, kCaptionRight, middle,
             metrics.elidedText(q(row.caption), Qt::ElideRight, kCaptionRight - kMargin), Qt::AlignRight);
    painter.setFont(value);
    for (const bool high : {false, true}) {
      const TornadoSide& side = high ? row.high : row.low;
      const qreal barMiddle = middle + (high ? 1 : -1) * (kBarHeight / 2 + 0.5);
      if (!side.position) {
        painter.setPen(kNoteColour);
        drawLine(painter, valueMetrics, x(chart.base) + 6, barMiddle, QStringLiteral("пропущено"));
        continue;
      }
      const qreal end = x(*side.position);
      const QRectF bar(QPointF(std::min(end, x(chart.base)), barMiddle - kBarHeight / 2),
                       QPointF(std::max(end, x(chart.base)), barMiddle + kBarHeight / 2));
      if (bar.width() > 0) painter.fillRect(bar, high ? kHighColour : kLowColour);
      painter.setPen(Qt::black);
      const bool left = end < x(chart.base);
      drawLine(painter, valueMetrics, left ? bar.left() - 4 : bar.right() + 4, barMiddle, q(side.valueText),
               left ? Qt::AlignRight : Qt::AlignLeft);
    }
  }

  // The base line over the bars' starts.
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(QLineF(x(chart.base), kRowsTop - 6, x(chart.base), bottom + 4));

  if (withTable) paintTable(painter, chart, bottom + kAxisHeight + kTableGap);
  painter.restore();
}

QImage sensitivityChartImage(const SensitivityChart& chart, qreal scale) {
  const QSize size = (sensitivityChartSize(chart, true) * scale).toSize();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintSensitivityChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)), true);
  painter.end();
  return image;
}

}  // namespace kamerol
