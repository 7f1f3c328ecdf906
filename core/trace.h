#pragma once

// The calculation trace: for every heat gain, its sum and the required
// capacity, the formula, the inputs with their values, units and sources,
// the intermediate values and the result. It is read off one run of the
// engine, never computed a second time, so that what the engineer checks is
// what the engine did.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine.h"
#include "core/gains.h"
#include "core/record.h"

namespace kamerol {

// Where an input comes from.
enum class TraceSourceKind {
  Form,    // typed or picked on the form
  Table,   // a row of a reference table
  Method,  // a constant of the method
  Result,  // the result of an earlier entry
};

struct TraceInput {
  std::string symbol;
  std::string name;
  double value = 0;
  std::string unit;
  TraceSourceKind kind = TraceSourceKind::Form;
  std::string source;  // which field, table row or result
};

struct TraceStep {
  std::string symbol;
  std::string name;
  double value = 0;
  std::string unit;
};

struct TraceEntry {
  std::string key;      // "walls" … "fans", "sum", "requiredCapacity"
  std::string caption;  // as the results panel shows it
  std::string symbol;
  std::string unit;                  // of the value and of what the panel shows
  std::vector<std::string> formula;  // the main formula first, then its parts
  std::vector<TraceInput> inputs;
  std::vector<TraceStep> steps;
  double value = 0;  // the engine's value before the panel rounds it
  float shown = 0;   // what the panel shows
  bool included = true;
  std::string note;  // why the panel shows 0, or how the value came about

  // The input or step with this symbol; null when there is none.
  const TraceInput* input(std::string_view symbol) const;
  const TraceStep* step(std::string_view symbol) const;
};

struct CalculationTrace {
  std::array<TraceEntry, kGainCount> gains;  // in the order of the results panel
  TraceEntry sum;
  TraceEntry requiredCapacity;
};

// Notation used by every formula of the trace.
inline constexpr std::string_view kTraceTitle = "Ход расчёта";
inline constexpr std::string_view kTraceRoundingNote =
    "R2(x) — x, округлённое до 0.01 (ровно половина — к чётному); "
    "√ — квадратный корень; · — умножение.";

// The JSON key of each gain, in the order of the results panel.
std::string_view traceKey(Gain gain);

// The trace of the engine's run `load` over `inputs`.
CalculationTrace buildTrace(const CalculationInputs& inputs, const HeatLoad& load);

}  // namespace kamerol
