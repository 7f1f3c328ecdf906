#include "form/navigation.h"

#include <algorithm>
#include <utility>

namespace kamerol {
namespace {

using enum Control;

constexpr std::array<PageInfo, kPageCount> kPages = {{
    {1, "Р-ры камеры", "Frame1", "Размер камеры", 0, "", {}},
    {2, "Пар-ры обработки", "Frame2", "Параметры обработки продукта", 3, "Command3", {}},
    {3, "Через стены", "Frame3", "Теплопритоки через стены пол и потолок", 4, "Command4", {wallsGainBox, std::nullopt}},
    {4,
     "От вентиляции",
     "Frame4",
     "Теплоприток от обменной вентиляции",
     2,
     "Command2",
     {ventilationGainBox, std::nullopt}},
    {5,
     "Через дверь",
     "Frame5",
     "Теплоприток от инфильтрации (через дверь)",
     7,
     "Command7",
     {doorGainBox, std::nullopt}},
    {6,
     "От продукта",
     "Frame6",
     "Теплоприток от охлаждаемого продукта",
     5,
     "Command5",
     {productGainBox, respirationGainBox}},
    {7, "От освещения", "Frame8", "Теплоприток от освещения камеры", 6, "Command6", {lightingGainBox, std::nullopt}},
    {8, "От персонала", "Frame9", "Теплоприток от персонала", 8, "Command8", {staffGainBox, std::nullopt}},
    {9,
     "От ПТС",
     "Frame10",
     "Теплоприток от Погрузочно Транспортных Средств",
     9,
     "Command9",
     {vehiclesGainBox, std::nullopt}},
    {10,
     "От вентиляторов ВО",
     "Frame11",
     "Теплоприток от вентиляторов воздухоохладителя",
     1,
     "Command1",
     {fansGainBox, std::nullopt}},
}};

struct Placement {
  Control control;
  int page;
};

// Controls that stand on a page (with their spinners).
constexpr Placement kPlacements[] = {
    {roomLengthField, 1},
    {roomWidthField, 1},
    {roomHeightField, 1},
    {floorAreaBox, 1},
    {roomVolumeBox, 1},
    {roomLengthSpinner, 1},
    {roomWidthSpinner, 1},
    {roomHeightSpinner, 1},
    {airHumidityBox, 2},
    {equipHoursField, 2},
    {reservePercentField, 2},
    {storageOption, 2},
    {freezingOption, 2},
    {equipHoursSpinner, 2},
    {reservePercentSpinner, 2},
    {wallMaterialList, 3},
    {ceilingMaterialList, 3},
    {floorMaterialList, 3},
    {wallMaterialThicknessField, 3},
    {ceilingMaterialThicknessField, 3},
    {floorMaterialThicknessField, 3},
    {wallInsulationList, 3},
    {ceilingInsulationList, 3},
    {floorInsulationList, 3},
    {wallInsulationThicknessField, 3},
    {ceilingInsulationThicknessField, 3},
    {floorInsulationThicknessField, 3},
    {outsideTempWallsField, 3},
    {outsideTempCeilingField, 3},
    {outsideTempFloorField, 3},
    {wallMaterialThicknessSpinner, 3},
    {ceilingMaterialThicknessSpinner, 3},
    {floorMaterialThicknessSpinner, 3},
    {wallInsulationThicknessSpinner, 3},
    {ceilingInsulationThicknessSpinner, 3},
    {floorInsulationThicknessSpinner, 3},
    {outsideTempWallsSpinner, 3},
    {outsideTempCeilingSpinner, 3},
    {outsideTempFloorSpinner, 3},
    {airChangeRateBox, 4},
    {doorHeightField, 5},
    {doorWidthField, 5},
    {doorOpenMinutesField, 5},
    {curtainList, 5},
    {doorHeightSpinner, 5},
    {doorWidthSpinner, 5},
    {doorOpenMinutesSpinner, 5},
    {productCategoryList, 6},
    {productList, 6},
    {storedMassField, 6},
    {dailyMassField, 6},
    {productInitialTempField, 6},
    {productFinalTempField, 6},
    {freezingPointBox, 6},
    {storedMassSpinner, 6},
    {dailyMassSpinner, 6},
    {productInitialTempSpinner, 6},
    {productFinalTempSpinner, 6},
    {lightingHoursField, 7},
    {lightingPowerField, 7},
    {recommendedLightingCheck, 7},
    {lightingHoursSpinner, 7},
    {lightingPowerSpinner, 7},
    {staffCountField, 8},
    {staffCountSpinner, 8},
    {vehiclePowerField, 9},
    {vehiclePowerSpinner, 9},
    {fanPercentField, 10},
    {refinedFanCheck, 10},
    {fanCountField, 10},
    {fanPowerField, 10},
    {fanPercentSpinner, 10},
    {fanCountSpinner, 10},
    {fanPowerSpinner, 10},
};

constexpr std::pair<Control, Control> kEnter[] = {
    // Room.
    {roomLengthField, roomWidthField},
    {roomWidthField, roomHeightField},
    {roomHeightField, floorAreaBox},
    {floorAreaBox, roomVolumeBox},
    {roomVolumeBox, roomLengthField},
    // Processing.
    {equipHoursField, reservePercentField},
    {reservePercentField, equipHoursField},
    // Enclosure.
    {wallMaterialThicknessField, ceilingMaterialThicknessField},
    {ceilingMaterialThicknessField, floorMaterialThicknessField},
    {floorMaterialThicknessField, wallInsulationList},
    {wallInsulationList, ceilingInsulationList},
    {ceilingInsulationList, floorInsulationList},
    {floorInsulationList, wallInsulationThicknessField},
    {wallInsulationThicknessField, ceilingInsulationThicknessField},
    {ceilingInsulationThicknessField, floorInsulationThicknessField},
    {floorInsulationThicknessField, outsideTempWallsField},
    {outsideTempWallsField, outsideTempCeilingField},
    {outsideTempCeilingField, outsideTempFloorField},
    {outsideTempFloorField, wallMaterialList},
    {wallMaterialList, ceilingMaterialList},
    {ceilingMaterialList, floorMaterialList},
    {floorMaterialList, wallMaterialThicknessField},
    // Door.
    {doorHeightField, doorWidthField},
    {doorWidthField, doorOpenMinutesField},
    {doorOpenMinutesField, curtainList},
    {curtainList, doorHeightField},
    // Product.
    {productCategoryList, productList},
    {productList, storedMassField},
    {storedMassField, dailyMassField},
    {dailyMassField, productInitialTempField},
    {productInitialTempField, productFinalTempField},
    {productFinalTempField, productCategoryList},
    {freezingPointBox, productCategoryList},
    // Lighting.
    {lightingHoursField, lightingPowerField},
    {lightingPowerField, lightingHoursField},
    // Fans.
    {fanCountField, fanPowerField},
    {fanPowerField, fanCountField},
};

constexpr Control kTabOrder[] = {
    roomTempBox,
    roomLengthField,
    roomWidthField,
    equipHoursField,
    reservePercentField,
    storageOption,
    freezingOption,
    wallMaterialList,
    wallMaterialThicknessField,
    ceilingMaterialList,
    ceilingMaterialThicknessField,
    floorMaterialList,
    floorMaterialThicknessField,
    wallInsulationList,
    wallInsulationThicknessField,
    ceilingInsulationList,
    ceilingInsulationThicknessField,
    floorInsulationList,
    floorInsulationThicknessField,
    outsideTempWallsField,
    outsideTempCeilingField,
    outsideTempFloorField,
    doorHeightField,
    doorWidthField,
    doorOpenMinutesField,
    curtainList,
    productCategoryList,
    productList,
    storedMassField,
    dailyMassField,
    productInitialTempField,
    productFinalTempField,
    lightingHoursField,
    lightingPowerField,
    recommendedLightingCheck,
    staffCountField,
    vehiclePowerField,
    fanPercentField,
    refinedFanCheck,
    fanCountField,
    fanPowerField,
    roomHeightField,
    airChangeRateBox,
    includeWallsCheck,
    includeVentilationCheck,
    includeDoorCheck,
    includeProductCheck,
    includeRespirationCheck,
    includeLightingCheck,
    includeStaffCheck,
    includeVehiclesCheck,
    includeFansCheck,
};

}  // namespace

std::span<const PageInfo> pages() { return kPages; }

const PageInfo& page(int number) { return kPages[static_cast<std::size_t>(std::clamp(number, 1, kPageCount) - 1)]; }

std::optional<int> pageOf(Control control) {
  for (const Placement& p : kPlacements)
    if (p.control == control) return p.page;
  return std::nullopt;
}

std::optional<Control> nextOnEnter(Control control) {
  for (const auto& [from, to] : kEnter)
    if (from == control) return to;
  return std::nullopt;
}

std::span<const Control> tabOrder() { return kTabOrder; }

}  // namespace kamerol
