#include "form/field_rules.h"

#include "form/calculation_fields.h"
#include "form/calculation_form.h"

namespace kamerol {
namespace detail {
namespace {

using enum Control;

using Rule = detail::NumericRule;
using Test = Rule::LeaveCheck::Test;
using Check = Rule::LeaveCheck;
using R = Rule::Reading;
using Cv = Rule::Conversion;
using K = Rule::Kind;
using F = Rule::OnFocus;
using In = CalculationInputs;

constexpr Check above(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Above, limit, message, text, value};
}
constexpr Check below(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Below, limit, message, text, value};
}
constexpr Check empty(std::string_view text, float value) { return {Test::Empty, 0, {}, text, value}; }
constexpr Check negative(std::string_view text, float value) { return below(0, kNegative, text, value); }

// The kinds of field, with their common checks. Limits are in the held
// unit: metres for the centimetre fields, the factor for the reserve.

// A room dimension, typed in cm: its text emptied when it is not a number.
constexpr Rule dimension(Control c, float In::*held, double limit, std::string_view tooLarge) {
  return {.control = c,
          .held = held,
          .conversion = Cv::Centimetres,
          .maxLength = 8,
          .checks = {above(limit, tooLarge, "0", 0), negative("0", 0), empty("0", 0)}};
}

// A quantity checked for a negative value first, then for its limit.
constexpr Rule quantity(Control c, float In::*held, R reading, std::size_t maxLength, double limit,
                        std::string_view tooLarge) {
  return {.control = c,
          .held = held,
          .reading = reading,
          .maxLength = maxLength,
          .checks = {negative("0", 0), above(limit, tooLarge, "0", 0), empty("0", 0)}};
}

// A thickness in mm: an empty or non-numeric text puts the reset back at once.
constexpr Rule thickness(Control c, float In::*held, std::string_view tooThick, std::string_view reset,
                         float resetValue, F onFocus) {
  return {.control = c,
          .held = held,
          .maxLength = 6,
          .notNumberText = reset,
          .notNumberHeld = resetValue,
          .resetText = reset,
          .resetHeld = resetValue,
          .onFocus = onFocus,
          .checks = {above(2000, tooThick, reset, resetValue), negative(reset, resetValue)}};
}

// An outside temperature: any text while typing, repaired silently on leaving.
constexpr Rule outside(Control c, float In::*held, std::string_view tooHigh, std::string_view tooLow) {
  return {.control = c,
          .held = held,
          .kind = K::OutsideTemp,
          .reading = R::Leading,
          .maxLength = 6,
          .resetText = "28",
          .resetHeld = 28,
          .onFocus = F::ColoursOnly,
          .checks = {Check{Test::NotNumberElseLocale, 0, {}, "28", 28}, above(99, tooHigh, "28", 28),
                     below(-50, tooLow, "28", 28)}};
}

// A product temperature: checked only on leaving.
constexpr Rule productTemp(Control c, float In::*held, std::string_view tooLow, double maximum,
                           std::string_view tooHigh, bool notBelowRoomTemp) {
  return {.control = c,
          .held = held,
          .kind = K::ProductTemp,
          .reading = R::Leading,
          .notBelowRoomTemp = notBelowRoomTemp,
          .checks = {Check{Test::LongerThan, 5, kTooManyCharacters, "0", 0},
                     Check{Test::NotNumberElseLeading, 0, {}, "0", 0}, below(-50, tooLow, "0", 0),
                     above(maximum, tooHigh, "0", 0)}};
}

// A fan field, handled only while the refined fan calculation leaves it unlocked.
constexpr Rule fan(Control c, float In::*held, double limit, std::string_view reset, float resetValue) {
  return {.control = c,
          .held = held,
          .reading = R::Leading,
          .maxLength = 6,
          .resetText = reset,
          .resetHeld = resetValue,
          .lockGated = true,
          .checks = {above(limit, "Слишком большое значение!", reset, resetValue), negative(reset, resetValue),
                     empty(reset, resetValue)}};
}

// A door dimension, typed in cm.
constexpr Rule door(Control c, float In::*held, std::string_view tooLarge, std::string_view reset, float resetValue,
                    bool negativeRejectedWhileTyping) {
  return {.control = c,
          .held = held,
          .reading = R::Leading,
          .conversion = Cv::Centimetres,
          .maxLength = 6,
          .resetText = reset,
          .resetHeld = resetValue,
          .negativeRejectedWhileTyping = negativeRejectedWhileTyping,
          .checks = {negative(reset, resetValue), above(10, tooLarge, reset, resetValue), empty(reset, resetValue)}};
}

constexpr std::string_view kHoursTooLong = "Оборудование не может работать больше 24 часов в сутки!";
constexpr std::string_view kLightingTooLong = "Больше 24 ч в сутки освещение в камере работать не может!";
constexpr std::string_view kVehiclesTooStrong = "Слишком большая мощность Погрузочно Транспортных Средств!";

const Rule kRules[] = {
    dimension(roomLengthField, &In::roomLength, 100, "Слишком большая длина камеры!"),
    dimension(roomWidthField, &In::roomWidth, 100, "Слишком большая ширина камеры!"),
    dimension(roomHeightField, &In::roomHeight, 20, "Слишком большая высота камеры!"),
    {.control = equipHoursField,
     .held = &In::equipHours,
     .maxLength = 5,
     .resetText = "18",
     .resetHeld = 18,
     .checks = {above(24, kHoursTooLong, "18", 18), negative("18", 18), empty("18", 18)}},
    {.control = reservePercentField,
     .held = &In::reserveFactor,
     .reading = R::Leading,
     .conversion = Cv::Reserve,
     .maxLength = 6,
     .resetText = "5",
     .resetHeld = 1.05f,
     .onFocus = F::ColoursOnly,
     .checks = {above(3, "Слишком большой к-т запаса!", "5", 1.05f),
                Check{Test::LeadingBelow, 0, kNegative, "5", 1.05f}, empty("5", 1.05f)}},
    thickness(wallMaterialThicknessField, &In::wallMaterialThickness, "Слишком большое значение толщины стен!", "0", 0,
              F::ColoursClearZero),
    thickness(ceilingMaterialThicknessField, &In::ceilingMaterialThickness, "Слишком большое значение толщины потолка!",
              "0", 0, F::ColoursClearZero),
    thickness(floorMaterialThicknessField, &In::floorMaterialThickness, "Слишком большое значение толщины пола!", "0",
              0, F::ColoursClearZero),
    thickness(wallInsulationThicknessField, &In::wallInsulationThickness,
              "Слишком большое значение толщины термоизоляции стен!", "100", 100, F::ColoursOnly),
    thickness(ceilingInsulationThicknessField, &In::ceilingInsulationThickness,
              "Слишком большое значение толщины термоизоляции потолка!", "100", 100, F::ColoursOnly),
    thickness(floorInsulationThicknessField, &In::floorInsulationThickness, "Слишком толстая термоизоляция пола!",
              "100", 100, F::ColoursOnly),
    outside(outsideTempWallsField, &In::outsideTempWalls, "Слишком высокая температура  за стеной!",
            "Слишком низкая температура за стеной!"),
    outside(outsideTempCeilingField, &In::outsideTempCeiling, "Слишком высокая температура за потолком!",
            "Слишком низкая температура за потолком!"),
    outside(outsideTempFloorField, &In::outsideTempFloor, "Слишком высокая температура под полом!",
            "Слишком низкая температура под полом!"),
    door(doorHeightField, &In::doorHeight, "Слишком высокая дверь!", "230", 2.3f, true),
    door(doorWidthField, &In::doorWidth, "Слишком широкая дверь!", "180", 1.8f, false),
    quantity(doorOpenMinutesField, &In::doorOpenMinutes, R::Locale, 6, 1000, "Слишком долго открыта дверь!"),
    quantity(storedMassField, &In::storedMass, R::Leading, 7, 100000, "Слишком большая масса хранимого продукта!"),
    quantity(dailyMassField, &In::dailyMass, R::Leading, 7, 100000, "Слишком большой суточный оборот продукта!"),
    productTemp(productInitialTempField, &In::productInitialTemp, "Слишком низкая начальная температура продукта!", 100,
                "Слишком высокая начальная температура продукта!", false),
    productTemp(productFinalTempField, &In::productFinalTemp, "Слишком низкая конечная температура продукта!", 30,
                "Слишком высокая конечная температура продукта!", true),
    quantity(lightingHoursField, &In::lightingHours, R::Locale, 6, 24, kLightingTooLong),
    // Reset to "0" when typed too long, to the recommended 5 on leaving.
    {.control = lightingPowerField,
     .held = &In::lightingPower,
     .reading = R::Leading,
     .maxLength = 6,
     .lockGated = true,
     .checks = {negative("5", 5), above(500, "Слишком большая мощность освещения!", "5", 5)}},
    quantity(staffCountField, &In::staffCount, R::Locale, 6, 50, "Слишком много рабочих в камере!"),
    quantity(vehiclePowerField, &In::vehiclePower, R::Locale, 6, 1000, kVehiclesTooStrong),
    fan(fanPercentField, &In::fanPercent, 60, "10", 10),
    fan(fanCountField, &In::fanCount, 50, "0", 0),
    fan(fanPowerField, &In::fanPower, 3000, "0", 0),
};

// The spinners of the calculation's fields.
constexpr std::size_t kSpinnerCount = [] {
  std::size_t n = 0;
  for (const CalculationField& f : kCalculationFields) n += f.spinner ? 1 : 0;
  return n;
}();

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
