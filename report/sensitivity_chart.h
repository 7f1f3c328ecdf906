#pragma once

// The sensitivity's tornado chart as plain data: one row per varied input,
// largest swing first, with two bars from the base capacity to the required
// capacity at the input's low and at its high value (left or right of the
// base, as the capacity falls or rises), and the table beside it: the values
// typed, the capacities, the swing and the sides the form refused. Positions
// along the scale are fractions of the plot's width as in gain_chart.h;
// sensitivity_chart_painter.h draws it with Qt.

#include <optional>
#include <string>
#include <vector>

#include "analysis/sensitivity.h"
#include "report/gain_chart.h"

namespace kamerol {

struct TornadoSide {
  std::string valueText;     // the input as typed ("-25 / -25 / -25")
  std::string capacityText;  // the required capacity, kW, or "—" when skipped
  // Where the capacity stands along the scale; empty when the side was skipped.
  std::optional<double> position;
  std::string skippedText;  // Russian, why the form refused the side; empty otherwise
};

struct TornadoRow {
  SensitivityInput input{};
  std::string caption;  // "Температура в камере, °C"
  std::string baseText;
  TornadoSide low;
  TornadoSide high;
  std::string swingText;
};

struct SensitivityChart {
  std::vector<TornadoRow> rows;  // by swing, largest first
  double scaleMin = 0;           // kW at the plot's left edge
  double scaleMax = 1;           // kW at its right edge
  double base = 0;               // the base capacity's position
  std::vector<ChartTick> ticks;
  std::string baseText;  // the base capacity, kW

  double position(double kW) const { return (kW - scaleMin) / (scaleMax - scaleMin); }

  // The base capacity, then each input with its values and capacities and
  // the sides left out: what a screen reader says for the chart.
  std::string description() const;
};

inline constexpr char kSensitivityTitle[] = "Чувствительность";
inline constexpr char kSensitivityChartTitle[] = "Чувствительность потребной холодопроизводительности, кВт";
inline constexpr char kSensitivityLowLegend[] = "Значение уменьшено";
inline constexpr char kSensitivityHighLegend[] = "Значение увеличено";
// The table's column headings, in the order of TornadoRow's texts.
inline constexpr const char* kSensitivityColumns[] = {"Параметр",    "Сейчас",      "Меньше",     "Больше",
                                                      "кВт: меньше", "кВт: больше", "Размах, кВт"};
// The note under the table for a refused side ("Пропущено: Запас, %, больше (40): поле
// заблокировано"); empty where the side was calculated.
std::string skippedNote(const TornadoRow& row, bool high);

SensitivityChart buildSensitivityChart(const SensitivityAnalysis& analysis);

}  // namespace kamerol
