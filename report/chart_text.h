#pragma once

// The text of the charts the report draws (the load chart, the sensitivity's tornado): one font family and one
// way of setting a line, on screen, paper and SVG alike.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace kamerol::chart_text {

// Unhinted advances scale linearly: the same picture on screen, paper and SVG.
inline QFont font(qreal size, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(static_cast<int>(size));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// One line of text, its box's vertical centre at `middle`: drawn at a point,
// which spares the painter the line layout a text box would cost on every redraw.
inline void drawLine(QPainter& painter, const QFontMetricsF& metrics, qreal x, qreal middle, const QString& text,
                     Qt::Alignment alignment = Qt::AlignLeft) {
  if (alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
    const qreal width = metrics.horizontalAdvance(text);
    x -= alignment & Qt::AlignRight ? width : width / 2;
  }
  painter.drawText(QPointF(x, middle + (metrics.ascent() - metrics.descent()) / 2), text);
}

}  // namespace kamerol::chart_text
