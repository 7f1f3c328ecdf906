#include "form/controls.h"

#include <algorithm>
#include <array>

namespace kamerol {
namespace {

struct ControlInfo {
  Control control;
  std::string_view name;
  ControlKind kind;
};

constexpr std::array<ControlInfo, kControlCount> kControls = {{
    {Control::roomLengthField, "Text1", ControlKind::TextBox},
    {Control::roomWidthField, "Text2", ControlKind::TextBox},
    {Control::clientInfoField, "Text3", ControlKind::TextBox},
    {Control::roomHeightField, "Text4", ControlKind::TextBox},
    {Control::roomVolumeBox, "Text5", ControlKind::TextBox},
    {Control::roomTempBox, "Text6", ControlKind::TextBox},
    {Control::airHumidityBox, "Text7", ControlKind::TextBox},
    {Control::equipHoursField, "Text8", ControlKind::TextBox},
    {Control::reservePercentField, "Text9", ControlKind::TextBox},
    {Control::wallMaterialThicknessField, "Text10", ControlKind::TextBox},
    {Control::ceilingMaterialThicknessField, "Text11", ControlKind::TextBox},
    {Control::floorMaterialThicknessField, "Text12", ControlKind::TextBox},
    {Control::wallInsulationThicknessField, "Text13", ControlKind::TextBox},
    {Control::ceilingInsulationThicknessField, "Text14", ControlKind::TextBox},
    {Control::floorInsulationThicknessField, "Text15", ControlKind::TextBox},
    {Control::outsideTempWallsField, "Text16", ControlKind::TextBox},
    {Control::outsideTempCeilingField, "Text17", ControlKind::TextBox},
    {Control::outsideTempFloorField, "Text18", ControlKind::TextBox},
    {Control::airChangeRateBox, "Text19", ControlKind::TextBox},
    {Control::doorHeightField, "Text20", ControlKind::TextBox},
    {Control::doorWidthField, "Text21", ControlKind::TextBox},
    {Control::doorOpenMinutesField, "Text22", ControlKind::TextBox},
    {Control::storedMassField, "Text23", ControlKind::TextBox},
    {Control::dailyMassField, "Text24", ControlKind::TextBox},
    {Control::productInitialTempField, "Text25", ControlKind::TextBox},
    {Control::productFinalTempField, "Text26", ControlKind::TextBox},
    {Control::freezingPointBox, "Text27", ControlKind::TextBox},
    {Control::lightingHoursField, "Text31", ControlKind::TextBox},
    {Control::lightingPowerField, "Text32", ControlKind::TextBox},
    {Control::staffCountField, "Text33", ControlKind::TextBox},
    {Control::vehiclePowerField, "Text34", ControlKind::TextBox},
    {Control::fanPercentField, "Text35", ControlKind::TextBox},
    {Control::fanCountField, "Text36", ControlKind::TextBox},
    {Control::fanPowerField, "Text37", ControlKind::TextBox},
    {Control::floorAreaBox, "Text38", ControlKind::TextBox},
    {Control::wallsGainBox, "Text39", ControlKind::TextBox},
    {Control::ventilationGainBox, "Text40", ControlKind::TextBox},
    {Control::doorGainBox, "Text41", ControlKind::TextBox},
    {Control::productGainBox, "Text42", ControlKind::TextBox},
    {Control::respirationGainBox, "Text43", ControlKind::TextBox},
    {Control::lightingGainBox, "Text44", ControlKind::TextBox},
    {Control::staffGainBox, "Text45", ControlKind::TextBox},
    {Control::vehiclesGainBox, "Text46", ControlKind::TextBox},
    {Control::fansGainBox, "Text47", ControlKind::TextBox},
    {Control::totalGainBox, "Text48", ControlKind::TextBox},
    {Control::requiredCapacityBox, "Text49", ControlKind::TextBox},
    {Control::wallMaterialList, "Combo1", ControlKind::ComboBox},
    {Control::ceilingMaterialList, "Combo2", ControlKind::ComboBox},
    {Control::floorMaterialList, "Combo3", ControlKind::ComboBox},
    {Control::wallInsulationList, "Combo4", ControlKind::ComboBox},
    {Control::ceilingInsulationList, "Combo5", ControlKind::ComboBox},
    {Control::floorInsulationList, "Combo6", ControlKind::ComboBox},
    {Control::curtainList, "Combo8", ControlKind::ComboBox},
    {Control::productCategoryList, "Combo9", ControlKind::ComboBox},
    {Control::productList, "Combo10", ControlKind::ComboBox},
    {Control::recommendedLightingCheck, "Check2", ControlKind::CheckBox},
    {Control::refinedFanCheck, "Check3", ControlKind::CheckBox},
    {Control::includeWallsCheck, "Check4", ControlKind::CheckBox},
    {Control::includeVentilationCheck, "Check5", ControlKind::CheckBox},
    {Control::includeDoorCheck, "Check6", ControlKind::CheckBox},
    {Control::includeProductCheck, "Check7", ControlKind::CheckBox},
    {Control::includeRespirationCheck, "Check8", ControlKind::CheckBox},
    {Control::includeLightingCheck, "Check9", ControlKind::CheckBox},
    {Control::includeStaffCheck, "Check10", ControlKind::CheckBox},
    {Control::includeVehiclesCheck, "Check11", ControlKind::CheckBox},
    {Control::includeFansCheck, "Check12", ControlKind::CheckBox},
    {Control::storageOption, "Option1", ControlKind::OptionButton},
    {Control::freezingOption, "Option2", ControlKind::OptionButton},
    {Control::roomTempSpinner, "UpDown1", ControlKind::UpDown},
    {Control::equipHoursSpinner, "UpDown2", ControlKind::UpDown},
    {Control::vehiclePowerSpinner, "UpDown3", ControlKind::UpDown},
    {Control::staffCountSpinner, "UpDown4", ControlKind::UpDown},
    {Control::wallMaterialThicknessSpinner, "UpDown5", ControlKind::UpDown},
    {Control::ceilingMaterialThicknessSpinner, "UpDown6", ControlKind::UpDown},
    {Control::floorMaterialThicknessSpinner, "UpDown7", ControlKind::UpDown},
    {Control::wallInsulationThicknessSpinner, "UpDown8", ControlKind::UpDown},
    {Control::ceilingInsulationThicknessSpinner, "UpDown9", ControlKind::UpDown},
    {Control::floorInsulationThicknessSpinner, "UpDown10", ControlKind::UpDown},
    {Control::outsideTempWallsSpinner, "UpDown11", ControlKind::UpDown},
    {Control::outsideTempCeilingSpinner, "UpDown12", ControlKind::UpDown},
    {Control::outsideTempFloorSpinner, "UpDown13", ControlKind::UpDown},
    {Control::roomLengthSpinner, "UpDown14", ControlKind::UpDown},
    {Control::roomWidthSpinner, "UpDown15", ControlKind::UpDown},
    {Control::roomHeightSpinner, "UpDown16", ControlKind::UpDown},
    {Control::fanPercentSpinner, "UpDown17", ControlKind::UpDown},
    {Control::doorHeightSpinner, "UpDown18", ControlKind::UpDown},
    {Control::doorWidthSpinner, "UpDown19", ControlKind::UpDown},
    {Control::doorOpenMinutesSpinner, "UpDown20", ControlKind::UpDown},
    {Control::storedMassSpinner, "UpDown21", ControlKind::UpDown},
    {Control::dailyMassSpinner, "UpDown22", ControlKind::UpDown},
    {Control::productInitialTempSpinner, "UpDown23", ControlKind::UpDown},
    {Control::productFinalTempSpinner, "UpDown24", ControlKind::UpDown},
    {Control::reservePercentSpinner, "UpDown25", ControlKind::UpDown},
    {Control::lightingHoursSpinner, "UpDown26", ControlKind::UpDown},
    {Control::lightingPowerSpinner, "UpDown27", ControlKind::UpDown},
    {Control::fanCountSpinner, "UpDown28", ControlKind::UpDown},
    {Control::fanPowerSpinner, "UpDown29", ControlKind::UpDown},
}};

// Looked up by index: the table must follow the enum.
constexpr bool inEnumOrder() {
  for (int i = 0; i < kControlCount; ++i)
    if (indexOf(kControls[static_cast<std::size_t>(i)].control) != i) return false;
  return true;
}
static_assert(inEnumOrder(), "kControls must list the controls in the order of enum Control");

constexpr std::array<Control, kControlCount> kAll = [] {
  std::array<Control, kControlCount> all{};
  for (int i = 0; i < kControlCount; ++i)
    all[static_cast<std::size_t>(i)] = kControls[static_cast<std::size_t>(i)].control;
  return all;
}();

}  // namespace

ControlKind kindOf(Control control) { return kControls[static_cast<std::size_t>(indexOf(control))].kind; }

std::string_view nameOf(Control control) { return kControls[static_cast<std::size_t>(indexOf(control))].name; }

std::optional<Control> controlNamed(std::string_view name) {
  const auto it =
      std::find_if(kControls.begin(), kControls.end(), [name](const ControlInfo& c) { return c.name == name; });
  if (it == kControls.end()) return std::nullopt;
  return it->control;
}

std::span<const Control> allControls() { return kAll; }

}  // namespace kamerol
