#include "report/gain_chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace kamerol {
namespace {

// The canvas, in chart units.
constexpr qreal kWidth = 800;
constexpr qreal kHeight = 520;
constexpr qreal kMargin = 16;
constexpr qreal kCaptionRight = 190;  // the gains' captions end here
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

QFont chartFont(qreal size, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(static_cast<int>(size));
  font.setBold(bold);
  // Unhinted advances scale linearly: the same picture on screen, paper and SVG.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

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
  painter.setFont(chartFont(18, true));
  painter.drawText(QRectF(kMargin, kMargin, kWidth - 2 * kMargin, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(kGainChartTitle) + QStringLiteral(", ") + QString::fromUtf8(kGainChartUnit));

  // Grid and tick labels.
  painter.setFont(chartFont(12));
  for (const ChartTick& tick : chart.ticks) {
    painter.setPen(QPen(kGridColour, 1));
    painter.drawLine(QLineF(x(tick.position), kRowsTop - 6, x(tick.position), rowsBottom + 4));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x(tick.position) - 40, rowsBottom + 6, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                     q(tick.label));
  }

  // The bars, each with its caption on the left and its value and share at its end.
  const QFont text = chartFont(kTextSize);
  const QFontMetricsF metrics(text);
  painter.setFont(text);
  for (std::size_t i = 0; i < chart.bars.size(); ++i) {
    const GainBar& bar = chart.bars[i];
    const qreal top = kRowsTop + kRowHeight * static_cast<qreal>(i);
    const QRectF row(0, top, kWidth, kRowHeight);
    const QColor ink = bar.excluded ? kExcludedColour : QColor(Qt::black);
    painter.setPen(ink);
    painter.drawText(QRectF(kMargin, row.top(), kCaptionRight - kMargin, row.height()),
                     Qt::AlignRight | Qt::AlignVCenter,
                     metrics.elidedText(q(bar.caption), Qt::ElideRight, kCaptionRight - kMargin));
    const QRectF barRect(QPointF(x(bar.from), top + (kRowHeight - kBarHeight) / 2),
                         QPointF(x(bar.to), top + (kRowHeight + kBarHeight) / 2));
    if (barRect.width() > 0)
      painter.fillRect(barRect, bar.excluded ? kExcludedColour : bar.value < 0 ? kNegativeColour : kBarColour);
    painter.setPen(ink);
    painter.drawText(QRectF(std::max(barRect.right(), x(chart.zero)) + 6, row.top(), kWidth, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, barLabel(bar));
  }

  // The zero line over the bars' ends.
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(QLineF(x(chart.zero), kRowsTop - 6, x(chart.zero), rowsBottom + 4));

  // The sum and the required capacity.
  painter.setPen(Qt::black);
  painter.setFont(chartFont(kTextSize + 1));
  painter.drawText(QRectF(kMargin, kHeight - 74, kWidth - 2 * kMargin, 26), Qt::AlignLeft | Qt::AlignVCenter,
                   q(chart.totalCaption) + QStringLiteral(": ") + q(chart.totalText));
  painter.setFont(chartFont(kTextSize + 2, true));
  painter.drawText(QRectF(kMargin, kHeight - 46, kWidth - 2 * kMargin, 28), Qt::AlignLeft | Qt::AlignVCenter,
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
