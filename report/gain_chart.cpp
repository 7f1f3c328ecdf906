#include "report/gain_chart.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/number_text.h"
#include "core/rounding.h"

namespace kamerol {
namespace {

// About five steps of 1, 2, 2.5 or 5 times a power of ten over the span, the
// scale widened to whole steps.
double niceStep(double span) {
  const double raw = span / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 2.5, 5.0})
    if (raw <= m * magnitude) return m * magnitude;
  return 10 * magnitude;
}

// One decimal, each share rounded on its own: the shown shares may add up to
// 99.9 or 100.1, but none of them is off.
std::string percentText(double share) {
  // Bounded: a tiny sum of large gains of both signs must not overflow the rounding.
  const long long tenths = std::llround(std::clamp(share, -1e12, 1e12) * 10);
  const long long magnitude = tenths < 0 ? -tenths : tenths;
  return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10) + " %";
}

}  // namespace

double niceScaleStep(double span) { return niceStep(span); }

GainChart buildGainChart(const CalculationRecord& record) {
  GainChart chart;
  std::vector<double> values;
  for (const GainRow& row : kGains) {
    GainBar bar;
    bar.gain = row.gain;
    bar.caption = row.caption;
    bar.symbol = row.symbol;
    bar.excluded = !(record.inputs.*row.include);
    const float shown = record.results.*row.shown;
    bar.value = bar.excluded || !std::isfinite(shown) ? 0.0f : shown;
    bar.valueText = formatNumber(bar.value);
    values.push_back(bar.value);
    chart.bars.push_back(std::move(bar));
  }

  const double low = std::min(0.0, *std::min_element(values.begin(), values.end()));
  const double high = std::max(0.0, *std::max_element(values.begin(), values.end()));
  const double step = high > low ? niceStep(high - low) : 1.0;
  chart.scaleMin = std::floor(low / step) * step;
  chart.scaleMax = std::max(chart.scaleMin + step, std::ceil(high / step) * step);
  chart.zero = chart.position(0);
  for (double k = std::round(chart.scaleMin / step); k * step <= chart.scaleMax + step / 2; ++k)
    chart.ticks.push_back({chart.position(k * step), formatNumber(static_cast<float>(k * step))});

  const double sum = std::accumulate(values.begin(), values.end(), 0.0);
  for (std::size_t i = 0; i < chart.bars.size(); ++i) {
    GainBar& bar = chart.bars[i];
    const double at = chart.position(bar.value);
    bar.from = std::min(at, chart.zero);
    bar.to = std::max(at, chart.zero);
    if (sum > 0) {
      bar.share = bar.value / sum * 100;
      bar.shareText = percentText(bar.share);
    }
  }

  chart.totalCaption = reportCaption(kTotal, false);
  chart.totalText = formatNumber(r2(record.results.qTotal));
  chart.capacityCaption = reportCaption(kRequiredCapacity, false);
  chart.capacityText = formatNumber(r2(record.results.requiredCapacity));
  return chart;
}

std::string GainChart::description() const {
  std::string text;
  for (const GainBar& bar : bars) {
    text += bar.caption + ": " + bar.valueText + " " + kGainChartUnit;
    if (bar.excluded)
      text += ", не учитывается";
    else if (!bar.shareText.empty())
      text += ", " + bar.shareText;
    text += ";\n";
  }
  return text + totalCaption + ": " + totalText + ";\n" + capacityCaption + ": " + capacityText + ".";
}

}  // namespace kamerol
