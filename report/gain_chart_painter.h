#pragma once

// Draws the load-breakdown chart with QPainter: the same picture in the chart
// window, on the report's second page and in the command line's SVG and PNG.
// The chart is laid out on a canvas of its own (gainChartSize) and scaled
// uniformly into the target, so every device shows the same proportions.
//
// Needs a QGuiApplication for the fonts; the offscreen platform will do.

#include <QImage>
#include <QRectF>
#include <QSizeF>

#include "report/gain_chart.h"

class QPainter;

namespace kamerol {

// The canvas the chart is laid out on, in its own units (about pixels at 96 dpi).
QSizeF gainChartSize();

// Paints `chart` on a white background, scaled uniformly into `target` and
// centred where the aspect ratios differ.
void paintGainChart(QPainter& painter, const GainChart& chart, const QRectF& target);

// The chart as an image of `size` pixels.
QImage gainChartImage(const GainChart& chart, const QSize& size);

}  // namespace kamerol
