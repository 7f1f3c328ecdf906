#pragma once

// The calculation's fields as controls of the form, in the order of the lines
// of the calculation file that store them, each with the name the command line
// knows it by. The file's reader and writer and the command line read them
// from here.

#include <array>
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

struct CalculationField {
  std::string_view name;  // empty: the line has no field of its own
  Control control;
  LineKind kind;
  LineExtra extra = LineExtra::None;
  float CalculationInputs::*held = nullptr;
};

namespace fields_detail {
using enum Control;
using K = LineKind;
using X = LineExtra;
using In = CalculationInputs;

inline constexpr std::array<CalculationField, 53> kCalculationFields = {{
    {"roomLength", roomLengthField, K::Text},
    {"roomWidth", roomWidthField, K::Text},
    {"roomHeight", roomHeightField, K::Text},
    {"roomTemp", roomTempBox, K::Text, X::Leading, &In::roomTemp},
    {"equipHours", equipHoursField, K::Text, X::Locale, &In::equipHours},
    {"reservePercent", reservePercentField, K::Text, X::Leading, &In::reserveFactor},
    {"processMode", storageOption, K::Option},
    {"", freezingOption, K::Option},
    {"wallMaterial", wallMaterialList, K::Text},
    {"ceilingMaterial", ceilingMaterialList, K::Text},
    {"floorMaterial", floorMaterialList, K::Text},
    {"wallMaterialThickness", wallMaterialThicknessField, K::Text},
    {"ceilingMaterialThickness", ceilingMaterialThicknessField, K::Text},
    {"floorMaterialThickness", floorMaterialThicknessField, K::Text},
    {"wallInsulation", wallInsulationList, K::Text},
    {"ceilingInsulation", ceilingInsulationList, K::Text},
    {"floorInsulation", floorInsulationList, K::Text},
    {"wallInsulationThickness", wallInsulationThicknessField, K::Text},
    {"ceilingInsulationThickness", ceilingInsulationThicknessField, K::Text},
    {"floorInsulationThickness", floorInsulationThicknessField, K::Text},
    {"outsideTempWalls", outsideTempWallsField, K::Text, X::Locale, &In::outsideTempWalls},
    {"outsideTempCeiling", outsideTempCeilingField, K::Text, X::Locale, &In::outsideTempCeiling},
    {"outsideTempFloor", outsideTempFloorField, K::Text, X::Locale, &In::outsideTempFloor},
    {"", airChangeRateBox, K::Text},
    {"doorHeight", doorHeightField, K::Text},
    {"doorWidth", doorWidthField, K::Text},
    {"doorOpenMinutes", doorOpenMinutesField, K::Text},
    {"curtainType", curtainList, K::Text},
    {"productCategory", productCategoryList, K::Text},
    {"productName", productList, K::Text},
    {"storedMass", storedMassField, K::Text},
    {"dailyMass", dailyMassField, K::Text},
    {"productInitialTemp", productInitialTempField, K::Text, X::Leading, &In::productInitialTemp},
    {"productFinalTemp", productFinalTempField, K::Text, X::Leading, &In::productFinalTemp},
    {"lightingHours", lightingHoursField, K::Text},
    {"lightingPower", lightingPowerField, K::Text},
    {"useRecommendedLighting", recommendedLightingCheck, K::Check},
    {"staffCount", staffCountField, K::Text},
    {"vehiclePower", vehiclePowerField, K::Text},
    {"fanPercent", fanPercentField, K::Text},
    {"fanCount", fanCountField, K::Text},
    {"fanPower", fanPowerField, K::Text},
    {"refinedFanCalc", refinedFanCheck, K::Check},
    {"includeWalls", includeWallsCheck, K::Check},
    {"includeVentilation", includeVentilationCheck, K::Check},
    {"includeDoor", includeDoorCheck, K::Check},
    {"includeProduct", includeProductCheck, K::Check},
    {"includeRespiration", includeRespirationCheck, K::Check},
    {"includeLighting", includeLightingCheck, K::Check},
    {"includeStaff", includeStaffCheck, K::Check},
    {"includeVehicles", includeVehiclesCheck, K::Check},
    {"includeFans", includeFansCheck, K::Check},
    {"clientInfo", clientInfoField, K::Text},  // the one optional line
}};
}  // namespace fields_detail

using fields_detail::kCalculationFields;

}  // namespace kamerol
