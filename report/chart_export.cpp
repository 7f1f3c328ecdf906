#include "report/chart_export.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <optional>
#include <string_view>

#include "report/gain_chart.h"
#include "report/gain_chart_painter.h"
#include "report/sensitivity_chart_painter.h"

namespace kamerol {
namespace {

// Twice the canvas: sharp on a high-density screen and in a document.
constexpr qreal kPngScale = 2;

// `paint` draws on a canvas of `size` units.
template <typename Paint>
std::optional<QByteArray> svgBytes(const QSize& size, const QString& title, const QString& description, Paint paint) {
  QByteArray svg;
  QBuffer buffer(&svg);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  generator.setDescription(description);
  QPainter painter;
  if (!painter.begin(&generator)) return std::nullopt;
  paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  if (!painter.end()) return std::nullopt;
  return svg;
}

std::optional<QByteArray> svgBytes(const GainChart& chart) {
  return svgBytes(gainChartSize().toSize(), QString::fromUtf8(kGainChartTitle),
                  QString::fromStdString(chart.description()),
                  [&](QPainter& painter, const QRectF& target) { paintGainChart(painter, chart, target); });
}

std::optional<QByteArray> pngBytes(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
  return png;
}

// The format from the file's extension, .svg or .png in any case.
template <typename Svg, typename Png>
WriteResult writeChartFile(const std::filesystem::path& path, Svg svg, Png png) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return {};
  const QString extension = QString::fromStdString(path.extension().string()).toLower();
  std::optional<QByteArray> bytes;
  if (extension == QLatin1String(".svg"))
    bytes = svg();
  else if (extension == QLatin1String(".png"))
    bytes = png();
  if (!bytes) return {};
  return writeWholeFile(path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
}

}  // namespace

WriteResult exportGainChart(const CalculationRecord& record, const std::filesystem::path& path) {
  const GainChart chart = buildGainChart(record);
  return writeChartFile(
      path, [&] { return svgBytes(chart); },
      [&] { return pngBytes(gainChartImage(chart, (gainChartSize() * kPngScale).toSize())); });
}

WriteResult exportSensitivityChart(const SensitivityAnalysis& analysis, const std::filesystem::path& path) {
  const SensitivityChart chart = buildSensitivityChart(analysis);
  return writeChartFile(
      path,
      [&] {
        return svgBytes(sensitivityChartSize(chart, true).toSize(), QString::fromUtf8(kSensitivityChartTitle),
                        QString::fromStdString(chart.description()), [&](QPainter& painter, const QRectF& target) {
                          paintSensitivityChart(painter, chart, target, true);
                        });
      },
      [&] { return pngBytes(sensitivityChartImage(chart, kPngScale)); });
}

}  // namespace kamerol
