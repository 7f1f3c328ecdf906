#pragma once

// What the result depends on: each of ten inputs of one calculation varied
// down and up, one at a time, and the calculation run again for each.
//
// Every variation is typed into a copy of the form as a user would type it:
// the page is shown, the field takes the focus, gets the text and loses the
// focus, so every reading, limit, reset and lock of the form applies (the
// room temperature moves by its spinner, a degree at a time). Messages are
// not shown; a field the form does not let the user change (locked, hidden),
// a value it rejects or resets, or a room temperature beyond its spinner's
// limits leaves that side of the variation out, with the reason.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/gains.h"
#include "core/record.h"
#include "form/calculation_fields.h"
#include "form/calculation_form.h"

namespace kamerol {

// The varied inputs, in the order the table and the chart list them when
// their swings are equal.
enum class SensitivityInput : unsigned char {
  OutsideTemperatures,        // walls, ceiling and floor together, ±5 K
  RoomTemperature,            // ±2 K, by the spinner
  Insulation,                 // insulation of walls, ceiling and floor together, ±25 mm
  DoorMinutes,                // minutes a day the door is open, ±50 %
  ProductMass,                // daily turnover or mass to freeze, ±25 %
  ProductInitialTemperature,  // ±5 K
  Staff,                      // ±1 person
  VehiclePower,               // ±25 %
  RunningHours,               // equipment hours a day, ±2 h
  Reserve,                    // ±5 percentage points
};
inline constexpr int kSensitivityInputCount = 10;

struct SensitivityInputInfo {
  SensitivityInput input{};
  std::string_view key;      // stable identifier: JSON, tests
  std::string_view caption;  // Russian, for the window, the chart and the report
  std::string_view unit;     // Russian unit of the typed values ("°C", "мм", ...)
};

// One row per input, in the order of the enum.
std::span<const SensitivityInputInfo> sensitivityInputs();
const SensitivityInputInfo& sensitivityInput(SensitivityInput input);
std::optional<SensitivityInput> sensitivityInputNamed(std::string_view key);

// The fields one input is typed into (three for the temperatures outside and
// the insulation, one otherwise).
std::vector<Control> sensitivityFields(SensitivityInput input);

// Why a side of a variation was not calculated.
enum class SkipReason : unsigned char {
  Locked,        // the field is locked on the form now
  Hidden,        // the field is hidden on the form now
  Reset,         // the form rejected or reset the value (a limit, too many characters)
  SpinnerLimit,  // the room temperature would leave its spinner's range
};
std::string_view keyOf(SkipReason reason);      // "locked", "hidden", "reset", "spinnerLimit"
std::string_view captionOf(SkipReason reason);  // Russian, for the window and the report

// The results of one calculation as the panel counts them.
struct LoadFigures {
  std::array<float, kGainCount> gains{};  // the shown gains, in the order of kGains
  float total = 0;                        // qTotal (unrounded; the panel shows it rounded)
  float requiredCapacity = 0;             // requiredCapacity (likewise)

  static LoadFigures of(const CalculationResults& results);
};

// One side (down or up) of a variation.
struct VariationSide {
  // The value as typed: one text, or the three texts joined with " / " where
  // the fields of the input differ ("33 / 33 / 15").
  std::string text;
  std::optional<LoadFigures> figures;  // empty when the side was skipped
  std::optional<SkipReason> skipped;
};

struct Variation {
  SensitivityInput input{};
  std::string baseText;  // the value before the variation, written as `text` above
  VariationSide low;
  VariationSide high;
  // |required capacity up − required capacity down|, a skipped side counting
  // as the base calculation.
  float swing = 0;

  bool skipped() const { return low.skipped && high.skipped; }
};

struct SensitivityAnalysis {
  LoadFigures base;
  std::vector<Variation> variations;  // by swing, largest first; equal swings in the order of the inputs
};

// Varies every input of the calculation that `form` shows. The form itself is
// not changed: each side runs on a copy of it.
SensitivityAnalysis analyseSensitivity(const CalculationForm& form);

// One side alone: `input` typed as `texts` (one text per field of
// sensitivityFields(input); the room temperature: one whole degree) on a copy
// of `form`. For tests and for a window that lets the user try a value.
VariationSide typeVariation(const CalculationForm& form, SensitivityInput input, const std::vector<std::string>& texts);

}  // namespace kamerol
