#pragma once

#include <string>
#include <string_view>

#include "form/calculation_form.h"

namespace kamerol {

// The results as the panel shows them, for the clipboard: a header row
// "Теплоприток<TAB>кВт", then one row per gain, then the sum and the required
// capacity, each "caption<TAB>value<TAB>unit", so that they paste into a
// spreadsheet's columns or a text editor's lines. The values are written with
// `decimalSeparator`, the user's, so that a spreadsheet set for the same
// locale takes them as numbers; the panel itself keeps its point.
std::string resultsText(const CalculationForm& form, std::string_view decimalSeparator);

}  // namespace kamerol
