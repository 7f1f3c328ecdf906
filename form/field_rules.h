#pragma once

// How each numeric input field of the calculation form reads, checks and
// resets its text, and the spinners that step the fields. The form's reactions
// apply these rules; nothing outside the form needs them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/record.h"

namespace kamerol {
// Defined with the schema, which itself is made of these rules.
enum class Control : std::uint8_t;
}  // namespace kamerol

namespace kamerol::detail {

inline constexpr std::string_view kNegative = "Введено отрицательное число!";
inline constexpr std::string_view kTooManyCharacters = "Слишком много знаков введено!";

struct NumericRule {
  enum class Reading : unsigned char { Locale, Leading };
  enum class Kind : unsigned char {
    Tested,       // the is-a-number test gates the reading
    OutsideTemp,  // read as a leading number, length-checked first
    ProductTemp,  // read as a leading number, checked only on leaving
  };
  enum class OnFocus : unsigned char { ColoursOnly, ColoursClearZero };

  struct LeaveCheck {
    enum class Test : unsigned char {
      Above,                 // held value > limit
      Below,                 // held value < limit
      Empty,                 // text is empty
      LongerThan,            // more than `limit` characters
      LeadingBelow,          // leading number of the text < limit
      NotNumberElseLocale,   // not a number: reset; else held := locale number
      NotNumberElseLeading,  // not a number: reset; else held := leading number
    };
    Test test;
    double limit;
    std::string_view message;  // empty: reset without a message
    std::string_view resetText;
    float resetHeld;
  };

  // Filled in from the field's row: how the typed number becomes the held
  // one is the record's.
  Control control{};
  float CalculationInputs::*held = nullptr;
  Typed typed = Typed::AsHeld;
  Kind kind = Kind::Tested;
  Reading reading = Reading::Locale;
  std::size_t maxLength = 0;  // 0: no limit while typing
  // A typed text that is not a number becomes this (Tested fields).
  std::string_view notNumberText = "";
  float notNumberHeld = 0;
  // A typed text rejected at once (too long, or negative where that is
  // checked while typing) is reset to this.
  std::string_view resetText = "0";
  float resetHeld = 0;
  OnFocus onFocus = OnFocus::ColoursClearZero;
  bool lockGated = false;                    // focus and leave handling only while unlocked
  bool negativeRejectedWhileTyping = false;  // not only on leaving the field
  bool notBelowRoomTemp = false;             // a lower text is pulled up to the room temperature at once
  std::array<std::optional<LeaveCheck>, 4> checks = {};
};

// The rule of a numeric input field; empty for other controls.
const NumericRule* numericRuleFor(Control field);

struct Spinner {
  Control upDown{};
  Control field{};
  int start = 0;
  int step = 1;
  int minimum = 0;
  int maximum = 0;
};

std::span<const Spinner> spinners();

// The spinner `upDown`; empty for other controls.
const Spinner* spinnerFor(Control upDown);

}  // namespace kamerol::detail

// The kinds of numeric field, with their common checks, for the rows of the
// calculation's fields. Limits are in the held unit: metres for the
// centimetre fields, the factor for the reserve.
namespace kamerol::rules {

using Rule = detail::NumericRule;
using Test = Rule::LeaveCheck::Test;
using Check = Rule::LeaveCheck;
using R = Rule::Reading;
using K = Rule::Kind;
using F = Rule::OnFocus;
using detail::kNegative;
using detail::kTooManyCharacters;

inline constexpr Check above(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Above, limit, message, text, value};
}
inline constexpr Check below(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Below, limit, message, text, value};
}
inline constexpr Check empty(std::string_view text, float value) { return {Test::Empty, 0, {}, text, value}; }
inline constexpr Check negative(std::string_view text, float value) { return below(0, kNegative, text, value); }

// A text with the value it holds, which a rejected input is reset to.
struct Reset {
  std::string_view text;
  float held;
};

// The text and the value of `member` in a new calculation: most fields are
// reset to these.
constexpr Reset defaultOf(float CalculationInputs::*member) {
  const NumberInput& input = numberInput(member);
  return {*input.initial, initialHeld(input)};
}

// A room dimension, typed in cm: its text emptied when it is not a number.
inline constexpr Rule dimension(double limit, std::string_view tooLarge) {
  return {.maxLength = 8, .checks = {above(limit, tooLarge, "0", 0), negative("0", 0), empty("0", 0)}};
}

// A quantity checked for a negative value first, then for its limit.
inline constexpr Rule quantity(R reading, std::size_t maxLength, double limit, std::string_view tooLarge) {
  return {.reading = reading,
          .maxLength = maxLength,
          .checks = {negative("0", 0), above(limit, tooLarge, "0", 0), empty("0", 0)}};
}

// A thickness in mm: an empty or non-numeric text puts the reset back at once.
inline constexpr Rule thickness(std::string_view tooThick, Reset reset, F onFocus) {
  return {.maxLength = 6,
          .notNumberText = reset.text,
          .notNumberHeld = reset.held,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .onFocus = onFocus,
          .checks = {above(2000, tooThick, reset.text, reset.held), negative(reset.text, reset.held)}};
}

// An outside temperature: any text while typing, repaired silently on leaving.
inline constexpr Rule outside(Reset reset, std::string_view tooHigh, std::string_view tooLow) {
  return {.kind = K::OutsideTemp,
          .reading = R::Leading,
          .maxLength = 6,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .onFocus = F::ColoursOnly,
          .checks = {Check{Test::NotNumberElseLocale, 0, {}, reset.text, reset.held},
                     above(99, tooHigh, reset.text, reset.held), below(-50, tooLow, reset.text, reset.held)}};
}

// A product temperature: checked only on leaving.
inline constexpr Rule productTemp(std::string_view tooLow, double maximum, std::string_view tooHigh,
                                  bool notBelowRoomTemp) {
  return {.kind = K::ProductTemp,
          .reading = R::Leading,
          .notBelowRoomTemp = notBelowRoomTemp,
          .checks = {Check{Test::LongerThan, 5, kTooManyCharacters, "0", 0},
                     Check{Test::NotNumberElseLeading, 0, {}, "0", 0}, below(-50, tooLow, "0", 0),
                     above(maximum, tooHigh, "0", 0)}};
}

// A fan field, handled only while the refined fan calculation leaves it unlocked.
inline constexpr Rule fan(double limit, Reset reset) {
  return {.reading = R::Leading,
          .maxLength = 6,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .lockGated = true,
          .checks = {above(limit, "Слишком большое значение!", reset.text, reset.held),
                     negative(reset.text, reset.held), empty(reset.text, reset.held)}};
}

// A door dimension, typed in cm.
inline constexpr Rule door(std::string_view tooLarge, Reset reset, bool negativeRejectedWhileTyping) {
  return {.reading = R::Leading,
          .maxLength = 6,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .negativeRejectedWhileTyping = negativeRejectedWhileTyping,
          .checks = {negative(reset.text, reset.held), above(10, tooLarge, reset.text, reset.held),
                     empty(reset.text, reset.held)}};
}

inline constexpr std::string_view kHoursTooLong = "Оборудование не может работать больше 24 часов в сутки!";
inline constexpr std::string_view kLightingTooLong = "Больше 24 ч в сутки освещение в камере работать не может!";
inline constexpr std::string_view kVehiclesTooStrong = "Слишком большая мощность Погрузочно Транспортных Средств!";

// The equipment's daily hours.
inline constexpr Rule equipHours(Reset reset) {
  return {.maxLength = 5,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .checks = {above(24, kHoursTooLong, reset.text, reset.held), negative(reset.text, reset.held),
                     empty(reset.text, reset.held)}};
}

// The reserve, typed in per cent and held as the factor 1 + % / 100.
inline constexpr Rule reserve(Reset reset) {
  return {.reading = R::Leading,
          .maxLength = 6,
          .resetText = reset.text,
          .resetHeld = reset.held,
          .onFocus = F::ColoursOnly,
          .checks = {above(3, "Слишком большой к-т запаса!", reset.text, reset.held),
                     Check{Test::LeadingBelow, 0, kNegative, reset.text, reset.held}, empty(reset.text, reset.held)}};
}

// The lighting power: reset to "0" when typed too long, to the recommended 5
// on leaving; handled only while the recommendation leaves it unlocked.
inline constexpr Rule lightingPower() {
  return {.reading = R::Leading,
          .maxLength = 6,
          .lockGated = true,
          .checks = {negative("5", 5), above(500, "Слишком большая мощность освещения!", "5", 5)}};
}

}  // namespace kamerol::rules
