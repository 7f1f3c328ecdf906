#include "report/gain_chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "report/chart_text.h"

namespace kamerol {
namespace {

using chart_text::drawLine;

// The canvas, in chart units.
constexpr qreal kWidth = 800;
constexpr qreal kHeight = 520;
constexpr qreal kMargin = 16;
constexpr qreal kCaptionRight = 140;  // the gains' captions end here
constexpr qreal kSymbolLeft = 146;    // and their symbols stand after them
constexpr qreal kPlotLeft = 200;
constexpr qreal kPlotRight = 640;  // room for the value and share of the longest bar
constexpr qreal kRowsTop = 64;
constexpr qreal kRowHeight = 36;
constexpr qreal kBarHeight = 22;
constexpr qreal kTextSize = 14;

const QColor kBarColour(52, 101, 164);
const QColor kNegativeColour(78, 154, 6);  // a gain that cools the room
const QColor kExcludedColour(150, 150, 150);
const QColor kGridColour(215, 215, 215);

QString q(const std::string& text) { return QString::fromStdString(text); }

QString barLabel(const GainBar& bar) {
  QString label = q(bar.valueText) + QLatin1Char(' ') + QString::fromUtf8(kGainChartUnit);
  if (bar.excluded)
    label += QStringLiteral("  (не учитывается)");
  else if (!bar.shareText.empty())
    label += QStringLiteral("   ") + q(bar.shareText);
  return label;
}

}  // namespace

QSizeF gainChartSize() { return {kWidth, kHeight}; }

void paintGainChart(QPainter& painter, const GainChart& chart, const QRectF& target) {
  if (target.isEmpty()) return;
  const qreal scale = std::min(target.width() / kWidth, target.height() / kHeight);
  painter.save();
  painter.translate(target.left() + (target.width() - kWidth * scale) / 2,
                    target.top() + (target.height() - kHeight * scale) / 2);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(0, 0, kWidth, kHeight), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  const qreal plotWidth = kPlotRight - kPlotLeft;
  const qreal rowsBottom = kRowsTop + kRowHeight * static_cast<qreal>(chart.bars.size());
  const auto x = [&](double position) { return kPlotLeft + position * plotWidth; };

  painter.setPen(Qt::black);
  const QFont title = chart_text::font(18, true);
  painter.setFont(title);
  drawLine(painter, QFontMetricsF(title), kMargin, kMargin + 15,
           QString::fromUtf8(kGainChartTitle) + QStringLiteral(", ") + QString::fromUtf8(kGainChartUnit));

  // Grid and tick labels.
  const QFont small = chart_text::font(12);
  const QFontMetricsF smallMetrics(small);
  painter.setFont(small);
  for (const ChartTick& tick : chart.ticks) {
    painter.setPen(QPen(kGridColour, 1));
    painter.drawLine(QLineF(x(tick.position), kRowsTop - 6, x(tick.position), rowsBottom + 4));
    painter.setPen(Qt::black);
    drawLine(painter, smallMetrics, x(tick.position), rowsBottom + 15, q(tick.label), Qt::AlignHCenter);
  }

  // The bars, each with its caption and symbol on the left and its value and share at its end.
  const QFont text = chart_text::font(kTextSize);
  const QFontMetricsF metrics(text);
  painter.setFont(text);
  for (std::size_t i = 0; i < chart.bars.size(); ++i) {
    const GainBar& bar = chart.bars[i];
    const qreal top = kRowsTop + kRowHeight * static_cast<qreal>(i);
    const qreal middle = top + kRowHeight / 2;
    const QColor ink = bar.excluded ? kExcludedColour : QColor(Qt::black);
    painter.setPen(ink);
    drawLine(painter, metrics, kCaptionRight, middle, q(bar.caption), Qt::AlignRight);
    painter.setFont(small);
    drawLine(painter, smallMetrics, kSymbolLeft, middle, q(bar.symbol));
    painter.setFont(text);
    const QRectF barRect(QPointF(x(bar.from), middle - kBarHeight / 2), QPointF(x(bar.to), middle + kBarHeight / 2));
    if (barRect.width() > 0)
      painter.fillRect(barRect, bar.excluded ? kExcludedColour : bar.value < 0 ? kNegativeColour : kBarColour);
    drawLine(painter, metrics, std::max(barRect.right(), x(chart.zero)) + 6, middle, barLabel(bar));
  }

  // The zero line over the bars' ends.
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(QLineF(x(chart.zero), kRowsTop - 6, x(chart.zero), rowsBottom + 4));

  // The sum and the required capacity.
  painter.setPen(Qt::black);
  const QFont total = chart_text::font(kTextSize + 1);
  painter.setFont(total);
  drawLine(painter, QFontMetricsF(total), kMargin, kHeight - 61,
           q(chart.totalCaption) + QStringLiteral(": ") + q(chart.totalText));
  const QFont capacity = chart_text::font(kTextSize + 2, true);
  painter.setFont(capacity);
  drawLine(painter, QFontMetricsF(capacity), kMargin, kHeight - 32,
           q(chart.capacityCaption) + QStringLiteral(": ") + q(chart.capacityText));
  painter.restore();
}

QImage gainChartImage(const GainChart& chart, const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintGainChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  return image;
}

}  // namespace kamerol
