#pragma once

// The engine's worked example as a complete record, for the preview tool, the
// tests and the benchmark.

#include "core/engine.h"
#include "core/record.h"
#include "core/worked_example.h"

namespace kamerol {

inline CalculationRecord workedExampleRecord() {
  CalculationRecord record;
  record.inputs = workedExampleInputs();
  record.results = computeHeatLoad(record.inputs).results;
  return record;
}

}  // namespace kamerol
