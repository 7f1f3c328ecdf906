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
  enum class Conversion : unsigned char { Plain, Centimetres, Reserve };
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

  Control control{};  // filled in from the field's row
  float CalculationInputs::*held = nullptr;
  Kind kind = Kind::Tested;
  Reading reading = Reading::Locale;
  Conversion conversion = Conversion::Plain;
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
using Cv = Rule::Conversion;
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

// A room dimension, typed in cm: its text emptied when it is not a number.
inline constexpr Rule dimension(double limit, std::string_view tooLarge) {
  return {.conversion = Cv::Centimetres,
          .maxLength = 8,
          .checks = {above(limit, tooLarge, "0", 0), negative("0", 0), empty("0", 0)}};
}

// A quantity checked for a negative value first, then for its limit.
inline constexpr Rule quantity(R reading, std::size_t maxLength, double limit, std::string_view tooLarge) {
  return {.reading = reading,
          .maxLength = maxLength,
          .checks = {negative("0", 0), above(limit, tooLarge, "0", 0), empty("0", 0)}};
}

// A thickness in mm: an empty or non-numeric text puts the reset back at once.
inline constexpr Rule thickness(std::string_view tooThick, std::string_view reset, float resetValue, F onFocus) {
  return {.maxLength = 6,
          .notNumberText = reset,
          .notNumberHeld = resetValue,
          .resetText = reset,
          .resetHeld = resetValue,
          .onFocus = onFocus,
          .checks = {above(2000, tooThick, reset, resetValue), negative(reset, resetValue)}};
}

// An outside temperature: any text while typing, repaired silently on leaving.
inline constexpr Rule outside(std::string_view tooHigh, std::string_view tooLow) {
  return {.kind = K::OutsideTemp,
          .reading = R::Leading,
          .maxLength = 6,
          .resetText = "28",
          .resetHeld = 28,
          .onFocus = F::ColoursOnly,
          .checks = {Check{Test::NotNumberElseLocale, 0, {}, "28", 28}, above(99, tooHigh, "28", 28),
                     below(-50, tooLow, "28", 28)}};
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
inline constexpr Rule fan(double limit, std::string_view reset, float resetValue) {
  return {.reading = R::Leading,
          .maxLength = 6,
          .resetText = reset,
          .resetHeld = resetValue,
          .lockGated = true,
          .checks = {above(limit, "Слишком большое значение!", reset, resetValue), negative(reset, resetValue),
                     empty(reset, resetValue)}};
}

// A door dimension, typed in cm.
inline constexpr Rule door(std::string_view tooLarge, std::string_view reset, float resetValue,
                           bool negativeRejectedWhileTyping) {
  return {.reading = R::Leading,
          .conversion = Cv::Centimetres,
          .maxLength = 6,
          .resetText = reset,
          .resetHeld = resetValue,
          .negativeRejectedWhileTyping = negativeRejectedWhileTyping,
          .checks = {negative(reset, resetValue), above(10, tooLarge, reset, resetValue), empty(reset, resetValue)}};
}

inline constexpr std::string_view kHoursTooLong = "Оборудование не может работать больше 24 часов в сутки!";
inline constexpr std::string_view kLightingTooLong = "Больше 24 ч в сутки освещение в камере работать не может!";
inline constexpr std::string_view kVehiclesTooStrong = "Слишком большая мощность Погрузочно Транспортных Средств!";

// The equipment's daily hours.
inline constexpr Rule equipHours() {
  return {.maxLength = 5,
          .resetText = "18",
          .resetHeld = 18,
          .checks = {above(24, kHoursTooLong, "18", 18), negative("18", 18), empty("18", 18)}};
}

// The reserve, typed in per cent and held as the factor 1 + % / 100.
inline constexpr Rule reserve() {
  return {.reading = R::Leading,
          .conversion = Cv::Reserve,
          .maxLength = 6,
          .resetText = "5",
          .resetHeld = 1.05f,
          .onFocus = F::ColoursOnly,
          .checks = {above(3, "Слишком большой к-т запаса!", "5", 1.05f),
                     Check{Test::LeadingBelow, 0, kNegative, "5", 1.05f}, empty("5", 1.05f)}};
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
