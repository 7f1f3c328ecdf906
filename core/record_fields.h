#pragma once

// The fields of the calculation record by name, for machine-readable output
// and for addressing fields by name.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/record.h"

namespace kamerol {

std::span<const NumberInput> floatInputFields();
std::span<const TextInput> textInputFields();
std::span<const FlagInput> flagInputFields();
std::span<const NamedField<CalculationResults, float>> floatResultFields();
std::span<const NamedField<CalculationResults, std::int16_t>> integerResultFields();

std::string_view processModeName(ProcessMode mode);  // "storage" or "freezing"

}  // namespace kamerol
