#pragma once

// The controls of the calculation form. The code names each by what it is:
// ...Field an input text box, ...Box a read-only box, ...List a drop-down
// list, ...Check a check box, ...Option an option button, ...Spinner the
// up/down arrows of a field. The form's own names (Text1, Combo9, UpDown24)
// are data: the command line, the JSON output and the file's line table use
// them (nameOf, controlNamed).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/gains.h"

namespace kamerol {

enum class Control : std::uint8_t {
  roomLengthField,
  roomWidthField,
  clientInfoField,
  roomHeightField,
  roomVolumeBox,
  roomTempBox,
  airHumidityBox,
  equipHoursField,
  reservePercentField,
  wallMaterialThicknessField,
  ceilingMaterialThicknessField,
  floorMaterialThicknessField,
  wallInsulationThicknessField,
  ceilingInsulationThicknessField,
  floorInsulationThicknessField,
  outsideTempWallsField,
  outsideTempCeilingField,
  outsideTempFloorField,
  airChangeRateBox,
  doorHeightField,
  doorWidthField,
  doorOpenMinutesField,
  storedMassField,
  dailyMassField,
  productInitialTempField,
  productFinalTempField,
  freezingPointBox,
  lightingHoursField,
  lightingPowerField,
  staffCountField,
  vehiclePowerField,
  fanPercentField,
  fanCountField,
  fanPowerField,
  floorAreaBox,
  wallsGainBox,
  ventilationGainBox,
  doorGainBox,
  productGainBox,
  respirationGainBox,
  lightingGainBox,
  staffGainBox,
  vehiclesGainBox,
  fansGainBox,
  totalGainBox,
  requiredCapacityBox,
  wallMaterialList,
  ceilingMaterialList,
  floorMaterialList,
  wallInsulationList,
  ceilingInsulationList,
  floorInsulationList,
  curtainList,
  productCategoryList,
  productList,
  recommendedLightingCheck,
  refinedFanCheck,
  includeWallsCheck,
  includeVentilationCheck,
  includeDoorCheck,
  includeProductCheck,
  includeRespirationCheck,
  includeLightingCheck,
  includeStaffCheck,
  includeVehiclesCheck,
  includeFansCheck,
  storageOption,
  freezingOption,
  roomTempSpinner,
  equipHoursSpinner,
  vehiclePowerSpinner,
  staffCountSpinner,
  wallMaterialThicknessSpinner,
  ceilingMaterialThicknessSpinner,
  floorMaterialThicknessSpinner,
  wallInsulationThicknessSpinner,
  ceilingInsulationThicknessSpinner,
  floorInsulationThicknessSpinner,
  outsideTempWallsSpinner,
  outsideTempCeilingSpinner,
  outsideTempFloorSpinner,
  roomLengthSpinner,
  roomWidthSpinner,
  roomHeightSpinner,
  fanPercentSpinner,
  doorHeightSpinner,
  doorWidthSpinner,
  doorOpenMinutesSpinner,
  storedMassSpinner,
  dailyMassSpinner,
  productInitialTempSpinner,
  productFinalTempSpinner,
  reservePercentSpinner,
  lightingHoursSpinner,
  lightingPowerSpinner,
  fanCountSpinner,
  fanPowerSpinner,
};

inline constexpr int kControlCount = static_cast<int>(Control::fanPowerSpinner) + 1;

enum class ControlKind : std::uint8_t { TextBox, ComboBox, CheckBox, OptionButton, UpDown };

ControlKind kindOf(Control control);
std::string_view nameOf(Control control);
std::optional<Control> controlNamed(std::string_view name);

// Every control, in declaration order.
std::span<const Control> allControls();

inline constexpr int indexOf(Control control) { return static_cast<int>(control); }

// The result box and the include check box of a gain: both rows of controls
// stand in the order of the gains.
constexpr Control resultBoxOf(Gain gain) {
  return static_cast<Control>(indexOf(Control::wallsGainBox) + static_cast<int>(gain));
}
constexpr Control includeCheckOf(Gain gain) {
  return static_cast<Control>(indexOf(Control::includeWallsCheck) + static_cast<int>(gain));
}
static_assert(resultBoxOf(Gain::Fans) == Control::fansGainBox &&
              includeCheckOf(Gain::Fans) == Control::includeFansCheck);

}  // namespace kamerol
