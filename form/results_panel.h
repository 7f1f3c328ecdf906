#pragma once

// The results panel (aa1 and the boxes around it): the texts one engine run
// writes into the form's boxes. Its zero tests compare texts, not numbers:
// only the exact text "0" counts as zero, and an empty dimension field counts
// as missing, which takes the walls and the ventilation out of the sum.

#include <optional>
#include <string>
#include <string_view>

#include "core/engine.h"
#include "core/gains.h"

namespace kamerol {

// The texts of the three dimension fields.
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
  std::string lightingPower;           // written back into lightingPowerField
};

// The panel of the run `load`, whose counted values (and with them the sum)
// follow the panel's text rules. `previous` is what the run started from.
PanelTexts fillResultsPanel(HeatLoad& load, const CalculationInputs& inputs, const CalculationResults& previous,
                            const DimensionTexts& texts);

}  // namespace kamerol
