#pragma once

// The heat-load engine (OSNOVNAY) with its results-panel fill (aa1), as a pure
// function: the inputs and the previous results go in, the new results and the
// texts of every box the run writes come out. The form applies them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/gains.h"
#include "core/record.h"

namespace kamerol {

// The three dimension texts the panel rules compare: only the exact text "0"
// counts as zero, and an empty text counts as a missing dimension.
struct DimensionTexts {
  std::string_view length;  // roomLengthField
  std::string_view width;   // roomWidthField
  std::string_view height;  // roomHeightField
};

// The texts a run writes into the boxes of the form.
struct PanelTexts {
  std::string floorArea;          // floorAreaBox
  std::string roomVolume;         // roomVolumeBox
  std::string airChangeRate;      // airChangeRateBox
  std::string freezingPoint;      // freezingPointBox
  std::string gains[kGainCount];  // wallsGainBox .. fansGainBox
  std::string total;              // totalGainBox
  // requiredCapacityBox. Empty when the equipment hours are 0: the box keeps its text.
  std::optional<std::string> requiredCapacity;
  bool requiredCapacityBlack = false;  // the box's background: black, or the read-only grey
};

struct EngineOutput {
  CalculationResults results;
  // The lighting power the run used: the recommended 5 W/m² when that is on.
  float lightingPower = 0;
  // The run writes it back into the lighting-power box; where that changes the
  // box's text, the box's own change handling follows.
  std::string lightingPowerText;
  PanelTexts panel;
};

// One run. `previous` supplies what survives a run: the air-change rate of a
// room without volume and the required capacity without equipment hours.
// `roomChanged` is called at the start of the run, where the room sketch
// redraws itself.
//
// Every value a run stores is finite: a step that overflows or has no real
// result (a door in a room warmer than about 28.7 °C, a 16-bit temperature
// difference out of range) counts as 0, and its box shows "0".
EngineOutput computeHeatLoad(const CalculationInputs& inputs, const CalculationResults& previous,
                             const DimensionTexts& texts, const std::function<void()>& roomChanged = {});

}  // namespace kamerol
