#pragma once

// The engine's worked example as a complete record: a 500 × 400 × 300 cm room
// at 0 °C with the defaults otherwise. The preview tool, the tests and the
// benchmark print it.

#include "core/defaults.h"
#include "core/engine.h"
#include "core/record.h"

namespace kamerol {

inline CalculationRecord workedExampleRecord() {
  CalculationRecord record;
  record.inputs = defaultInputs();
  record.inputs.roomLength = 5;
  record.inputs.roomWidth = 4;
  record.inputs.roomHeight = 3;
  record.results = computeHeatLoad(record.inputs, {}, {"500", "400", "300"}).results;
  return record;
}

}  // namespace kamerol
