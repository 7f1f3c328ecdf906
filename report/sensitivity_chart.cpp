#include "report/sensitivity_chart.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/rounding.h"

namespace kamerol {
namespace {

std::string kW(float value) { return formatNumber(r2(value)); }

TornadoSide sideOf(const VariationSide& side) {
  TornadoSide out;
  out.valueText = side.text;
  out.capacityText = side.figures ? kW(side.figures->requiredCapacity) : "—";
  if (side.skipped) out.skippedText = std::string(captionOf(*side.skipped));
  return out;
}

}  // namespace

std::string skippedNote(const TornadoRow& row, bool high) {
  const TornadoSide& side = high ? row.high : row.low;
  if (side.skippedText.empty()) return {};
  return "Пропущено: " + row.caption + ", " + (high ? "больше" : "меньше") +
         (side.valueText.empty() ? "" : " (" + side.valueText + ")") + ": " + side.skippedText;
}

SensitivityChart buildSensitivityChart(const SensitivityAnalysis& analysis) {
  SensitivityChart chart;
  const double base = analysis.base.requiredCapacity;
  double low = base;
  double high = base;
  for (const Variation& v : analysis.variations) {
    for (const VariationSide* side : {&v.low, &v.high})
      if (side->figures && std::isfinite(side->figures->requiredCapacity)) {
        low = std::min<double>(low, side->figures->requiredCapacity);
        high = std::max<double>(high, side->figures->requiredCapacity);
      }
  }
  // Nothing moves the capacity: a scale a tenth of it wide either side.
  if (!(high > low)) {
    const double half = std::max(std::abs(base) / 10, 0.1);
    low = base - half;
    high = base + half;
  }
  const double step = niceScaleStep(high - low);
  chart.scaleMin = std::floor(low / step) * step;
  chart.scaleMax = std::max(chart.scaleMin + step, std::ceil(high / step) * step);
  chart.base = chart.position(base);
  chart.baseText = kW(analysis.base.requiredCapacity);
  for (double k = std::round(chart.scaleMin / step); k * step <= chart.scaleMax + step / 2; ++k)
    chart.ticks.push_back({chart.position(k * step), formatNumber(static_cast<float>(k * step))});

  for (const Variation& v : analysis.variations) {
    const SensitivityInputInfo& info = sensitivityInput(v.input);
    TornadoRow row;
    row.input = v.input;
    row.caption = std::string(info.caption) + ", " + std::string(info.unit);
    row.baseText = v.baseText;
    row.low = sideOf(v.low);
    row.high = sideOf(v.high);
    if (v.low.figures) row.low.position = chart.position(v.low.figures->requiredCapacity);
    if (v.high.figures) row.high.position = chart.position(v.high.figures->requiredCapacity);
    row.swingText = kW(v.swing);
    chart.rows.push_back(std::move(row));
  }
  return chart;
}

std::string SensitivityChart::description() const {
  std::string text = "Потребная холодопроизводительность сейчас: " + baseText + " " + kGainChartUnit + ";\n";
  for (const TornadoRow& row : rows) {
    text += row.caption + ": " + row.baseText + "; меньше " + row.low.valueText + ": " + row.low.capacityText +
            "; больше " + row.high.valueText + ": " + row.high.capacityText + "; размах " + row.swingText + " " +
            kGainChartUnit;
    for (const bool high : {false, true})
      if (const TornadoSide& side = high ? row.high : row.low; !side.skippedText.empty())
        text += std::string("; ") + (high ? "больше" : "меньше") + " пропущено: " + side.skippedText;
    text += ";\n";
  }
  if (!text.empty()) text.back() = '.';
  if (text.size() >= 2 && text[text.size() - 2] == ';') text.erase(text.size() - 2, 1);
  return text;
}

}  // namespace kamerol
