#pragma once

// The load-breakdown chart as plain data: one horizontal bar per heat gain in
// the results panel's order, the kW scale with its ticks, each bar's value and
// share of the sum, the sum and the required capacity. Positions along the
// scale are fractions of the plot's width (0 at its left edge, 1 at its
// right), so any painter lays the chart out at any size; gain_chart_painter.h
// draws it with Qt.

#include <string>
#include <vector>

#include "core/gains.h"
#include "core/record.h"

namespace kamerol {

struct GainBar {
  Gain gain = Gain::Walls;
  std::string caption;    // as the results panel captions the gain
  std::string symbol;     // as the report and the trace write it
  float value = 0;        // kW as the panel shows it: rounded, 0 where excluded
  std::string valueText;  // "0.63"
  bool excluded = false;  // its check box is off: drawn greyed
  double share = 0;       // % of the sum; 0 when the sum is not positive
  std::string shareText;  // "53.8 %"; empty when the sum is not positive
  // The bar's extent along the scale, from <= to; a negative gain ends at the
  // zero line from the left.
  double from = 0;
  double to = 0;
};

struct ChartTick {
  double position = 0;  // along the scale
  std::string label;    // the tick's value in kW
};

struct GainChart {
  std::vector<GainBar> bars;  // the nine gains in the panel's order
  double scaleMin = 0;        // kW at the plot's left edge
  double scaleMax = 1;        // kW at its right edge
  double zero = 0;            // the zero line's position
  std::vector<ChartTick> ticks;
  std::string totalCaption;
  std::string totalText;
  std::string capacityCaption;
  std::string capacityText;

  // Where `kW` stands along the scale.
  double position(double kW) const { return (kW - scaleMin) / (scaleMax - scaleMin); }

  // Each gain with its value and share, then the sum and the required
  // capacity: what a screen reader says for the chart.
  std::string description() const;
};

inline constexpr char kGainChartTitle[] = "Диаграмма теплопритоков";
inline constexpr char kGainChartUnit[] = "кВт";

// About five steps of 1, 2, 2.5 or 5 times a power of ten over `span` kW: the
// tick step of a chart's scale.
double niceScaleStep(double span);

// The chart of the results as the engine and the results panel last left
// them in `record`.
GainChart buildGainChart(const CalculationRecord& record);

}  // namespace kamerol
