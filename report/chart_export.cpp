#include "report/chart_export.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <optional>
#include <string_view>

#include "report/gain_chart.h"
#include "report/gain_chart_painter.h"

namespace kamerol {
namespace {

// Twice the canvas: sharp on a high-density screen and in a document.
constexpr qreal kPngScale = 2;

std::optional<QByteArray> svgBytes(const GainChart& chart) {
  QByteArray svg;
  QBuffer buffer(&svg);
  const QSize size = gainChartSize().toSize();
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QString::fromUtf8(kGainChartTitle));
  generator.setDescription(QString::fromStdString(chart.description()));
  QPainter painter;
  if (!painter.begin(&generator)) return std::nullopt;
  paintGainChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)));
  if (!painter.end()) return std::nullopt;
  return svg;
}

std::optional<QByteArray> pngBytes(const GainChart& chart) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !gainChartImage(chart, (gainChartSize() * kPngScale).toSize()).save(&buffer, "PNG"))
    return std::nullopt;
  return png;
}

}  // namespace

WriteResult exportGainChart(const CalculationRecord& record, const std::filesystem::path& path) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return {};
  const QString extension = QString::fromStdString(path.extension().string()).toLower();
  const GainChart chart = buildGainChart(record);
  std::optional<QByteArray> bytes;
  if (extension == QLatin1String(".svg"))
    bytes = svgBytes(chart);
  else if (extension == QLatin1String(".png"))
    bytes = pngBytes(chart);
  if (!bytes) return {};
  return writeWholeFile(path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
}

}  // namespace kamerol
