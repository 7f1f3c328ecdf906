// Loading the defaults of a new calculation into the form, field by field.

#include <span>

#include "core/defaults.h"
#include "form/calculation_form.h"

namespace kamerol {
namespace {

using enum Control;
using In = CalculationInputs;

// What loading the defaults types into the fields, in this order: each is an
// edit of its field, whose reactions follow. Check boxes take "1" or "0". The
// held values of a new calculation are defaultInputs(); the form's tests
// compare the two field by field.
struct DefaultText {
  Control control;
  std::string_view text;
};

constexpr DefaultText kDefaultLists[] = {
    {wallMaterialList, "Железобетон"},
    {ceilingMaterialList, "Железобетон"},
    {floorMaterialList, "Железобетон"},
    {wallInsulationList, "Пенополиуритан"},
    {ceilingInsulationList, "Пенополиуритан"},
    {floorInsulationList, "Пенополиуритан"},
    {curtainList, "Нет"},
    {productCategoryList, "Мясные"},
};

constexpr DefaultText kDefaultTexts[] = {
    {roomLengthField, "0"},
    {roomWidthField, "0"},
    {roomHeightField, "0"},
    {roomTempBox, "0"},
    {outsideTempWallsField, "28"},
    {outsideTempCeilingField, "28"},
    {outsideTempFloorField, "28"},
    {doorHeightField, "230"},
    {doorWidthField, "180"},
    {doorOpenMinutesField, "0"},
    {equipHoursField, "18"},
    {reservePercentField, "5"},
    {wallMaterialThicknessField, "0"},
    {ceilingMaterialThicknessField, "0"},
    {floorMaterialThicknessField, "0"},
    {wallInsulationThicknessField, "100"},
    {ceilingInsulationThicknessField, "100"},
    {floorInsulationThicknessField, "100"},
    // The curtain and the category once more.
    {curtainList, "Нет"},
    {productCategoryList, "Мясные"},
    {storedMassField, "0"},
    {dailyMassField, "0"},
    {productInitialTempField, "0"},
    {productFinalTempField, "0"},
    {lightingHoursField, "1"},
    {lightingPowerField, "0"},
    {recommendedLightingCheck, "1"},
    {staffCountField, "0"},
    {vehiclePowerField, "0"},
    {fanPercentField, "10"},
    {fanCountField, "0"},
    {fanPowerField, "0"},
    {refinedFanCheck, "0"},
    {clientInfoField, ""},
};

}  // namespace

void CalculationForm::loadDefaults() {
  const CalculationInputs defaults = defaultInputs();
  CalculationInputs& in = record_.inputs;
  const auto load = [this](std::span<const DefaultText> entries) {
    for (const DefaultText& d : entries) {
      if (kindOf(d.control) == ControlKind::CheckBox)
        setState(d.control, d.text == "1" ? 1 : 0);
      else
        setText(d.control, d.text);
    }
  };
  load(kDefaultLists);
  in.wallMaterialLambda = defaults.wallMaterialLambda;
  in.ceilingMaterialLambda = defaults.ceilingMaterialLambda;
  in.floorMaterialLambda = defaults.floorMaterialLambda;
  in.wallInsulationLambda = defaults.wallInsulationLambda;
  in.ceilingInsulationLambda = defaults.ceilingInsulationLambda;
  in.floorInsulationLambda = defaults.floorInsulationLambda;
  in.curtainEfficiency = defaults.curtainEfficiency;
  load(kDefaultTexts);
  // The held values, as the edits above already gave them.
  for (float In::*held :
       {&In::roomLength, &In::roomWidth, &In::roomHeight, &In::roomTemp, &In::outsideTempWalls, &In::outsideTempCeiling,
        &In::outsideTempFloor, &In::doorHeight, &In::doorWidth, &In::doorOpenMinutes, &In::equipHours,
        &In::reserveFactor, &In::productInitialTemp, &In::productFinalTemp})
    in.*held = defaults.*held;
  // When the category was "Мясные" already its list is not refilled, so the
  // product list is set explicitly: the product shown, its properties and the
  // name on the report always agree.
  setText(productList, defaults.productName);
  in.productName = defaults.productName;
  currentPage_ = 1;
  record_.modified = false;
}
}  // namespace kamerol
