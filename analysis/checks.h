#pragma once

// "Проверка расчёта": likely omissions and slips in a calculation. Each
// finding is a warning, never an error: the calculation stays as it is, and
// the form and the file never depend on the checks.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form/calculation_fields.h"
#include "form/calculation_form.h"

namespace kamerol {

inline constexpr char kChecksTitle[] = "Проверка расчёта";
inline constexpr char kNoChecksText[] = "Замечаний нет.";  // where nothing looks missing

struct CheckFinding {
  std::string_view key;  // stable identifier ("productExcluded", "noInsulationFloor", ...)
  std::string text;      // one Russian sentence with the numbers of this calculation
  Control field;         // the control to go to; nameOf(field) is its public name ("Text24")
};

// Every finding on the calculation `form` shows, in the order of the check
// table (checkKeys()). Empty when nothing looks missing.
std::vector<CheckFinding> checkCalculation(const CalculationForm& form);

// Every key a finding can have, in the order of the check table.
std::span<const std::string_view> checkKeys();

}  // namespace kamerol
