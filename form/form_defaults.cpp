// Loading the defaults of a new calculation into the form, field by field.

#include "core/defaults.h"
#include "form/calculation_form.h"

namespace kamerol {

// Loading types each field's initial text from its row into the field: an
// edit, whose reactions follow. The lists come first, in the order of their
// rows, then the other fields in theirs. The held values of a new calculation
// are defaultInputs(); the form's tests compare the two field by field.
void CalculationForm::loadDefaults() {
  const CalculationInputs defaults = defaultInputs();
  CalculationInputs& in = record_.inputs;
  const auto load = [this](bool lists) {
    for (const CalculationField& f : kCalculationFields) {
      if (!f.initial || (kindOf(f.control) == ControlKind::ComboBox) != lists) continue;
      if (kindOf(f.control) == ControlKind::CheckBox)
        setState(f.control, *f.initial == "1" ? 1 : 0);
      else
        setText(f.control, *f.initial);
    }
  };
  load(true);
  in.wallMaterialLambda = defaults.wallMaterialLambda;
  in.ceilingMaterialLambda = defaults.ceilingMaterialLambda;
  in.floorMaterialLambda = defaults.floorMaterialLambda;
  in.wallInsulationLambda = defaults.wallInsulationLambda;
  in.ceilingInsulationLambda = defaults.ceilingInsulationLambda;
  in.floorInsulationLambda = defaults.floorInsulationLambda;
  in.curtainEfficiency = defaults.curtainEfficiency;
  load(false);
  // The held values, as the edits above already gave them.
  using In = CalculationInputs;
  for (float In::*held :
       {&In::roomLength, &In::roomWidth, &In::roomHeight, &In::roomTemp, &In::outsideTempWalls, &In::outsideTempCeiling,
        &In::outsideTempFloor, &In::doorHeight, &In::doorWidth, &In::doorOpenMinutes, &In::equipHours,
        &In::reserveFactor, &In::productInitialTemp, &In::productFinalTemp})
    in.*held = defaults.*held;
  // When the category was "Мясные" already its list is not refilled, so the
  // product list is set explicitly: the product shown, its properties and the
  // name on the report always agree.
  setText(Control::productList, defaults.productName);
  in.productName = defaults.productName;
  currentPage_ = 1;
  record_.modified = false;
}

}  // namespace kamerol
