#pragma once

// Draws the sensitivity's tornado chart with QPainter, and its table below it
// where asked: the same picture in the sensitivity window, on the report's
// page and in the command line's SVG and PNG. Laid out on a canvas of its own
// (sensitivityChartSize) and scaled uniformly into the target, as the load
// chart is. Needs a QGuiApplication for the fonts; the offscreen platform will do.

#include <QImage>
#include <QRectF>
#include <QSizeF>

#include "report/sensitivity_chart.h"

class QPainter;

namespace kamerol {

// The canvas, in chart units (about pixels at 96 dpi): its height follows the
// number of rows, and the table's and its notes' where `withTable`.
QSizeF sensitivityChartSize(const SensitivityChart& chart, bool withTable);

// Paints `chart` on a white background, scaled uniformly into `target` and
// centred where the aspect ratios differ.
void paintSensitivityChart(QPainter& painter, const SensitivityChart& chart, const QRectF& target, bool withTable);

// The chart with its table as an image `scale` times its canvas.
QImage sensitivityChartImage(const SensitivityChart& chart, qreal scale);

}  // namespace kamerol
