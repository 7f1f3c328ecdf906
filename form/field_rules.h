#pragma once

// How each numeric input field of the calculation form reads, checks and
// resets its text, and the spinners that step the fields. The form's reactions
// apply these rules; nothing outside the form needs them.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "core/record.h"
#include "form/controls.h"

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

  Control control;
  float CalculationInputs::*held;
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
