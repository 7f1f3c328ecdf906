#include "core/record_fields.h"

namespace kamerol {

std::span<const NumberInput> floatInputFields() { return record_detail::kNumberInputs; }
std::span<const TextInput> textInputFields() { return record_detail::kTextInputs; }
std::span<const FlagInput> flagInputFields() { return record_detail::kFlagInputs; }
std::span<const NamedField<CalculationResults, float>> floatResultFields() { return record_detail::kFloatResults; }
std::span<const NamedField<CalculationResults, std::int16_t>> integerResultFields() {
  return record_detail::kIntegerResults;
}

std::string_view processModeName(ProcessMode mode) { return mode == ProcessMode::Freezing ? "freezing" : "storage"; }

}  // namespace kamerol
