#pragma once

// The calculation's fields as controls of the form, in the order of the lines
// of the calculation file that store them, each with the name the command line
// knows it by, its page, its spinner and its place in the Enter cycle. The
// file's reader and writer, the command line, the pages, the spinners and the
// Enter key read them from here.

#include <array>
#include <optional>
#include <string_view>

#include "core/record.h"
#include "form/controls.h"

namespace kamerol {

// How a line stores its control: the text, an option's True/False, a check
// box's state.
enum class LineKind : unsigned char { Text, Option, Check };

// What reading a line does besides restoring its control.
enum class LineExtra : unsigned char {
  None,
  Leading,  // the held value := the leading number of the line
  Locale,   // the held value := the locale number of the line; not a number is a format error
};

// The up/down arrows of a field: the value they start at, their step and limits.
struct Spin {
  Control upDown;
  int start;
  int step;
  int minimum;
  int maximum;
};

struct CalculationField {
  std::string_view name;  // empty: the line has no field of its own
  Control control;
  LineKind kind;
  LineExtra extra = LineExtra::None;
  float CalculationInputs::*held = nullptr;
  int page = 0;                       // the tab page it stands on, with its spinner; 0: beside the pages
  std::optional<Spin> spinner = {};   // its up/down arrows
  std::optional<Control> enter = {};  // where Enter moves the focus from it
};

namespace fields_detail {
using enum Control;
using K = LineKind;
using X = LineExtra;
using In = CalculationInputs;

inline constexpr std::array<CalculationField, 53> kCalculationFields = {{
    {.name = "roomLength",
     .control = roomLengthField,
     .kind = K::Text,
     .page = 1,
     .spinner = Spin{roomLengthSpinner, 0, 10, 0, 10000},
     .enter = roomWidthField},
    {.name = "roomWidth",
     .control = roomWidthField,
     .kind = K::Text,
     .page = 1,
     .spinner = Spin{roomWidthSpinner, 0, 10, 0, 10000},
     .enter = roomHeightField},
    {.name = "roomHeight",
     .control = roomHeightField,
     .kind = K::Text,
     .page = 1,
     .spinner = Spin{roomHeightSpinner, 0, 10, 0, 1500},
     .enter = floorAreaBox},
    {.name = "roomTemp",
     .control = roomTempBox,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::roomTemp,
     .spinner = Spin{roomTempSpinner, 0, 1, -40, 20}},
    {.name = "equipHours",
     .control = equipHoursField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::equipHours,
     .page = 2,
     .spinner = Spin{equipHoursSpinner, 18, 1, 1, 24},
     .enter = reservePercentField},
    {.name = "reservePercent",
     .control = reservePercentField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::reserveFactor,
     .page = 2,
     .spinner = Spin{reservePercentSpinner, 5, 1, 0, 200},
     .enter = equipHoursField},
    {.name = "processMode", .control = storageOption, .kind = K::Option, .page = 2},
    {.name = "", .control = freezingOption, .kind = K::Option, .page = 2},
    {.name = "wallMaterial", .control = wallMaterialList, .kind = K::Text, .page = 3, .enter = ceilingMaterialList},
    {.name = "ceilingMaterial", .control = ceilingMaterialList, .kind = K::Text, .page = 3, .enter = floorMaterialList},
    {.name = "floorMaterial",
     .control = floorMaterialList,
     .kind = K::Text,
     .page = 3,
     .enter = wallMaterialThicknessField},
    {.name = "wallMaterialThickness",
     .control = wallMaterialThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{wallMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = ceilingMaterialThicknessField},
    {.name = "ceilingMaterialThickness",
     .control = ceilingMaterialThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{ceilingMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = floorMaterialThicknessField},
    {.name = "floorMaterialThickness",
     .control = floorMaterialThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{floorMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = wallInsulationList},
    {.name = "wallInsulation",
     .control = wallInsulationList,
     .kind = K::Text,
     .page = 3,
     .enter = ceilingInsulationList},
    {.name = "ceilingInsulation",
     .control = ceilingInsulationList,
     .kind = K::Text,
     .page = 3,
     .enter = floorInsulationList},
    {.name = "floorInsulation",
     .control = floorInsulationList,
     .kind = K::Text,
     .page = 3,
     .enter = wallInsulationThicknessField},
    {.name = "wallInsulationThickness",
     .control = wallInsulationThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{wallInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = ceilingInsulationThicknessField},
    {.name = "ceilingInsulationThickness",
     .control = ceilingInsulationThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{ceilingInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = floorInsulationThicknessField},
    {.name = "floorInsulationThickness",
     .control = floorInsulationThicknessField,
     .kind = K::Text,
     .page = 3,
     .spinner = Spin{floorInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = outsideTempWallsField},
    {.name = "outsideTempWalls",
     .control = outsideTempWallsField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempWalls,
     .page = 3,
     .spinner = Spin{outsideTempWallsSpinner, 28, 1, -20, 50},
     .enter = outsideTempCeilingField},
    {.name = "outsideTempCeiling",
     .control = outsideTempCeilingField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempCeiling,
     .page = 3,
     .spinner = Spin{outsideTempCeilingSpinner, 28, 1, -20, 50},
     .enter = outsideTempFloorField},
    {.name = "outsideTempFloor",
     .control = outsideTempFloorField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempFloor,
     .page = 3,
     .spinner = Spin{outsideTempFloorSpinner, 28, 1, -20, 50},
     .enter = wallMaterialList},
    {.name = "", .control = airChangeRateBox, .kind = K::Text, .page = 4},
    {.name = "doorHeight",
     .control = doorHeightField,
     .kind = K::Text,
     .page = 5,
     .spinner = Spin{doorHeightSpinner, 230, 10, 100, 1000},
     .enter = doorWidthField},
    {.name = "doorWidth",
     .control = doorWidthField,
     .kind = K::Text,
     .page = 5,
     .spinner = Spin{doorWidthSpinner, 180, 10, 50, 1000},
     .enter = doorOpenMinutesField},
    {.name = "doorOpenMinutes",
     .control = doorOpenMinutesField,
     .kind = K::Text,
     .page = 5,
     .spinner = Spin{doorOpenMinutesSpinner, 60, 1, 0, 60},
     .enter = curtainList},
    {.name = "curtainType", .control = curtainList, .kind = K::Text, .page = 5, .enter = doorHeightField},
    {.name = "productCategory", .control = productCategoryList, .kind = K::Text, .page = 6, .enter = productList},
    {.name = "productName", .control = productList, .kind = K::Text, .page = 6, .enter = storedMassField},
    {.name = "storedMass",
     .control = storedMassField,
     .kind = K::Text,
     .page = 6,
     .spinner = Spin{storedMassSpinner, 0, 50, 0, 10000},
     .enter = dailyMassField},
    {.name = "dailyMass",
     .control = dailyMassField,
     .kind = K::Text,
     .page = 6,
     .spinner = Spin{dailyMassSpinner, 0, 50, 0, 10000},
     .enter = productInitialTempField},
    {.name = "productInitialTemp",
     .control = productInitialTempField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::productInitialTemp,
     .page = 6,
     .spinner = Spin{productInitialTempSpinner, 0, 1, -50, 100},
     .enter = productFinalTempField},
    {.name = "productFinalTemp",
     .control = productFinalTempField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::productFinalTemp,
     .page = 6,
     .spinner = Spin{productFinalTempSpinner, 0, 1, -50, 100},
     .enter = productCategoryList},
    {.name = "lightingHours",
     .control = lightingHoursField,
     .kind = K::Text,
     .page = 7,
     .spinner = Spin{lightingHoursSpinner, 1, 1, 0, 24},
     .enter = lightingPowerField},
    {.name = "lightingPower",
     .control = lightingPowerField,
     .kind = K::Text,
     .page = 7,
     .spinner = Spin{lightingPowerSpinner, 5, 1, 0, 20},
     .enter = lightingHoursField},
    {.name = "useRecommendedLighting", .control = recommendedLightingCheck, .kind = K::Check, .page = 7},
    {.name = "staffCount",
     .control = staffCountField,
     .kind = K::Text,
     .page = 8,
     .spinner = Spin{staffCountSpinner, 0, 1, 0, 20}},
    {.name = "vehiclePower",
     .control = vehiclePowerField,
     .kind = K::Text,
     .page = 9,
     .spinner = Spin{vehiclePowerSpinner, 0, 1, 0, 100}},
    {.name = "fanPercent",
     .control = fanPercentField,
     .kind = K::Text,
     .page = 10,
     .spinner = Spin{fanPercentSpinner, 10, 1, 0, 60}},
    {.name = "fanCount",
     .control = fanCountField,
     .kind = K::Text,
     .page = 10,
     .spinner = Spin{fanCountSpinner, 0, 1, 0, 100},
     .enter = fanPowerField},
    {.name = "fanPower",
     .control = fanPowerField,
     .kind = K::Text,
     .page = 10,
     .spinner = Spin{fanPowerSpinner, 100, 100, 0, 10000},
     .enter = fanCountField},
    {.name = "refinedFanCalc", .control = refinedFanCheck, .kind = K::Check, .page = 10},
    {.name = "includeWalls", .control = includeWallsCheck, .kind = K::Check},
    {.name = "includeVentilation", .control = includeVentilationCheck, .kind = K::Check},
    {.name = "includeDoor", .control = includeDoorCheck, .kind = K::Check},
    {.name = "includeProduct", .control = includeProductCheck, .kind = K::Check},
    {.name = "includeRespiration", .control = includeRespirationCheck, .kind = K::Check},
    {.name = "includeLighting", .control = includeLightingCheck, .kind = K::Check},
    {.name = "includeStaff", .control = includeStaffCheck, .kind = K::Check},
    {.name = "includeVehicles", .control = includeVehiclesCheck, .kind = K::Check},
    {.name = "includeFans", .control = includeFansCheck, .kind = K::Check},
    {.name = "clientInfo", .control = clientInfoField, .kind = K::Text},  // the one optional line
}};
}  // namespace fields_detail

using fields_detail::kCalculationFields;

}  // namespace kamerol
