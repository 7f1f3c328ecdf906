#pragma once

#include <string>

#include "form/calculation_form.h"

namespace kamerol {

// The results as the panel shows them, for the clipboard: one row per gain,
// then the sum and the required capacity, each "caption<TAB>value<TAB>unit",
// so that they paste into a spreadsheet's columns or a text editor's lines.
std::string resultsText(const CalculationForm& form);

}  // namespace kamerol
