#include "form/field_rules.h"

#include "form/calculation_fields.h"
#include "form/calculation_form.h"

namespace kamerol {
namespace detail {
namespace {

using enum Control;

// How many of the calculation's fields have the optional part `part`.
template <auto part>
constexpr std::size_t fieldsWith() {
  std::size_t n = 0;
  for (const CalculationField& f : kCalculationFields) n += (f.*part) ? 1 : 0;
  return n;
}

// The rules of the calculation's fields, each with its control and record member.
constexpr std::size_t kRuleCount = fieldsWith<&CalculationField::rule>();

constexpr std::array<NumericRule, kRuleCount> kRules = [] {
  std::array<NumericRule, kRuleCount> rules{};
  std::size_t i = 0;
  for (const CalculationField& f : kCalculationFields) {
    if (!f.rule) continue;
    rules[i] = *f.rule;
    rules[i].control = f.control;
    rules[i].held = f.held;
    rules[i].typed = numberInput(f.held).typed;
    ++i;
  }
  return rules;
}();

// The spinners of the calculation's fields.
constexpr std::size_t kSpinnerCount = fieldsWith<&CalculationField::spinner>();

constexpr std::array<Spinner, kSpinnerCount> kSpinners = [] {
  std::array<Spinner, kSpinnerCount> spinners{};
  std::size_t i = 0;
  for (const CalculationField& f : kCalculationFields)
    if (const auto& s = f.spinner) spinners[i++] = {s->upDown, f.control, s->start, s->step, s->minimum, s->maximum};
  return spinners;
}();

}  // namespace

const Spinner* spinnerFor(Control upDown) {
  for (const Spinner& s : kSpinners)
    if (s.upDown == upDown) return &s;
  return nullptr;
}

std::span<const Spinner> spinners() { return kSpinners; }

const NumericRule* numericRuleFor(Control field) {
  for (const NumericRule& rule : kRules)
    if (rule.control == field) return &rule;
  return nullptr;
}

}  // namespace detail

std::optional<Control> spinnerOf(Control field) {
  for (const detail::Spinner& s : detail::kSpinners)
    if (s.field == field) return s.upDown;
  return std::nullopt;
}
}  // namespace kamerol
