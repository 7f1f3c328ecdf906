#pragma once

// The calculation form's schema: every control of the form with the public
// name the command line, the JSON output and the file's line table know it by,
// then the calculation's fields as rows, one per input control, in the order
// of the lines of the calculation file that store them. The file's reader and
// writer, the command line, the pages, the spinners, the Enter and Tab keys and
// the defaults of a new calculation read them from here.
//
// The code names each control by what it is: ...Field an input text box,
// ...Box a read-only box, ...List a drop-down list, ...Check a check box,
// ...Option an option button, ...Spinner the up/down arrows of a field. The
// form's own names (Text1, Combo9, UpDown24) are data (nameOf, controlNamed).

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/gains.h"
#include "core/record.h"
#include "form/field_rules.h"

namespace kamerol {

enum class ControlKind : std::uint8_t { TextBox, ComboBox, CheckBox, OptionButton, UpDown };

// One list gives both the enum and the table of public names and kinds, so
// that a control is named in one place. C++ cannot make identifiers from a
// constexpr table; the other way, an enum and a table kept in step by a
// static_assert, would write each control twice.
#define KAMEROL_FORM_CONTROLS(X)                          \
  X(roomLengthField, "Text1", TextBox)                    \
  X(roomWidthField, "Text2", TextBox)                     \
  X(clientInfoField, "Text3", TextBox)                    \
  X(roomHeightField, "Text4", TextBox)                    \
  X(roomVolumeBox, "Text5", TextBox)                      \
  X(roomTempBox, "Text6", TextBox)                        \
  X(airHumidityBox, "Text7", TextBox)                     \
  X(equipHoursField, "Text8", TextBox)                    \
  X(reservePercentField, "Text9", TextBox)                \
  X(wallMaterialThicknessField, "Text10", TextBox)        \
  X(ceilingMaterialThicknessField, "Text11", TextBox)     \
  X(floorMaterialThicknessField, "Text12", TextBox)       \
  X(wallInsulationThicknessField, "Text13", TextBox)      \
  X(ceilingInsulationThicknessField, "Text14", TextBox)   \
  X(floorInsulationThicknessField, "Text15", TextBox)     \
  X(outsideTempWallsField, "Text16", TextBox)             \
  X(outsideTempCeilingField, "Text17", TextBox)           \
  X(outsideTempFloorField, "Text18", TextBox)             \
  X(airChangeRateBox, "Text19", TextBox)                  \
  X(doorHeightField, "Text20", TextBox)                   \
  X(doorWidthField, "Text21", TextBox)                    \
  X(doorOpenMinutesField, "Text22", TextBox)              \
  X(storedMassField, "Text23", TextBox)                   \
  X(dailyMassField, "Text24", TextBox)                    \
  X(productInitialTempField, "Text25", TextBox)           \
  X(productFinalTempField, "Text26", TextBox)             \
  X(freezingPointBox, "Text27", TextBox)                  \
  X(lightingHoursField, "Text31", TextBox)                \
  X(lightingPowerField, "Text32", TextBox)                \
  X(staffCountField, "Text33", TextBox)                   \
  X(vehiclePowerField, "Text34", TextBox)                 \
  X(fanPercentField, "Text35", TextBox)                   \
  X(fanCountField, "Text36", TextBox)                     \
  X(fanPowerField, "Text37", TextBox)                     \
  X(floorAreaBox, "Text38", TextBox)                      \
  X(wallsGainBox, "Text39", TextBox)                      \
  X(ventilationGainBox, "Text40", TextBox)                \
  X(doorGainBox, "Text41", TextBox)                       \
  X(productGainBox, "Text42", TextBox)                    \
  X(respirationGainBox, "Text43", TextBox)                \
  X(lightingGainBox, "Text44", TextBox)                   \
  X(staffGainBox, "Text45", TextBox)                      \
  X(vehiclesGainBox, "Text46", TextBox)                   \
  X(fansGainBox, "Text47", TextBox)                       \
  X(totalGainBox, "Text48", TextBox)                      \
  X(requiredCapacityBox, "Text49", TextBox)               \
  X(wallMaterialList, "Combo1", ComboBox)                 \
  X(ceilingMaterialList, "Combo2", ComboBox)              \
  X(floorMaterialList, "Combo3", ComboBox)                \
  X(wallInsulationList, "Combo4", ComboBox)               \
  X(ceilingInsulationList, "Combo5", ComboBox)            \
  X(floorInsulationList, "Combo6", ComboBox)              \
  X(curtainList, "Combo8", ComboBox)                      \
  X(productCategoryList, "Combo9", ComboBox)              \
  X(productList, "Combo10", ComboBox)                     \
  X(recommendedLightingCheck, "Check2", CheckBox)         \
  X(refinedFanCheck, "Check3", CheckBox)                  \
  X(includeWallsCheck, "Check4", CheckBox)                \
  X(includeVentilationCheck, "Check5", CheckBox)          \
  X(includeDoorCheck, "Check6", CheckBox)                 \
  X(includeProductCheck, "Check7", CheckBox)              \
  X(includeRespirationCheck, "Check8", CheckBox)          \
  X(includeLightingCheck, "Check9", CheckBox)             \
  X(includeStaffCheck, "Check10", CheckBox)               \
  X(includeVehiclesCheck, "Check11", CheckBox)            \
  X(includeFansCheck, "Check12", CheckBox)                \
  X(storageOption, "Option1", OptionButton)               \
  X(freezingOption, "Option2", OptionButton)              \
  X(roomTempSpinner, "UpDown1", UpDown)                   \
  X(equipHoursSpinner, "UpDown2", UpDown)                 \
  X(vehiclePowerSpinner, "UpDown3", UpDown)               \
  X(staffCountSpinner, "UpDown4", UpDown)                 \
  X(wallMaterialThicknessSpinner, "UpDown5", UpDown)      \
  X(ceilingMaterialThicknessSpinner, "UpDown6", UpDown)   \
  X(floorMaterialThicknessSpinner, "UpDown7", UpDown)     \
  X(wallInsulationThicknessSpinner, "UpDown8", UpDown)    \
  X(ceilingInsulationThicknessSpinner, "UpDown9", UpDown) \
  X(floorInsulationThicknessSpinner, "UpDown10", UpDown)  \
  X(outsideTempWallsSpinner, "UpDown11", UpDown)          \
  X(outsideTempCeilingSpinner, "UpDown12", UpDown)        \
  X(outsideTempFloorSpinner, "UpDown13", UpDown)          \
  X(roomLengthSpinner, "UpDown14", UpDown)                \
  X(roomWidthSpinner, "UpDown15", UpDown)                 \
  X(roomHeightSpinner, "UpDown16", UpDown)                \
  X(fanPercentSpinner, "UpDown17", UpDown)                \
  X(doorHeightSpinner, "UpDown18", UpDown)                \
  X(doorWidthSpinner, "UpDown19", UpDown)                 \
  X(doorOpenMinutesSpinner, "UpDown20", UpDown)           \
  X(storedMassSpinner, "UpDown21", UpDown)                \
  X(dailyMassSpinner, "UpDown22", UpDown)                 \
  X(productInitialTempSpinner, "UpDown23", UpDown)        \
  X(productFinalTempSpinner, "UpDown24", UpDown)          \
  X(reservePercentSpinner, "UpDown25", UpDown)            \
  X(lightingHoursSpinner, "UpDown26", UpDown)             \
  X(lightingPowerSpinner, "UpDown27", UpDown)             \
  X(fanCountSpinner, "UpDown28", UpDown)                  \
  X(fanPowerSpinner, "UpDown29", UpDown)

enum class Control : std::uint8_t {
#define KAMEROL_CONTROL_ENUMERATOR(control, name, kind) control,
  KAMEROL_FORM_CONTROLS(KAMEROL_CONTROL_ENUMERATOR)
#undef KAMEROL_CONTROL_ENUMERATOR
};

struct ControlInfo {
  Control control;
  std::string_view name;
  ControlKind kind;
};

// Every control in the order of the enum.
inline constexpr ControlInfo kControls[] = {
#define KAMEROL_CONTROL_INFO(control, name, kind) {Control::control, name, ControlKind::kind},
    KAMEROL_FORM_CONTROLS(KAMEROL_CONTROL_INFO)
#undef KAMEROL_CONTROL_INFO
};

inline constexpr int kControlCount = static_cast<int>(std::size(kControls));

inline constexpr int indexOf(Control control) { return static_cast<int>(control); }

constexpr ControlKind kindOf(Control control) { return kControls[indexOf(control)].kind; }
constexpr std::string_view nameOf(Control control) { return kControls[indexOf(control)].name; }

constexpr std::optional<Control> controlNamed(std::string_view name) {
  for (const ControlInfo& c : kControls)
    if (c.name == name) return c.control;
  return std::nullopt;
}

// Every control, in declaration order.
inline constexpr std::array<Control, kControlCount> kAllControls = [] {
  std::array<Control, kControlCount> all{};
  for (int i = 0; i < kControlCount; ++i) all[static_cast<std::size_t>(i)] = static_cast<Control>(i);
  return all;
}();
inline std::span<const Control> allControls() { return kAllControls; }

// The result box and the include check box of a gain: both rows of controls
// stand in the order of the gains.
constexpr Control resultBoxOf(Gain gain) {
  return static_cast<Control>(indexOf(Control::wallsGainBox) + static_cast<int>(gain));
}
constexpr Control includeCheckOf(Gain gain) {
  return static_cast<Control>(indexOf(Control::includeWallsCheck) + static_cast<int>(gain));
}
static_assert(resultBoxOf(Gain::Fans) == Control::fansGainBox &&
              includeCheckOf(Gain::Fans) == Control::includeFansCheck);

// How a line stores its control: the text, an option's True/False, a check
// box's state.
enum class LineKind : unsigned char { Text, Option, Check };

// What reading a line does besides restoring its control.
enum class LineExtra : unsigned char {
  None,
  Leading,  // the held value := the leading number of the line
  Locale,   // the held value := the locale number of the line; not a number is a format error
};

// The up/down arrows of a field: the value they start at, their step and limits.
struct Spin {
  Control upDown;
  int start;
  int step;
  int minimum;
  int maximum;
};

// The check box whose state locks a field: greyed, with typing ignored.
struct LockedWhile {
  Control check;
  bool ticked;  // locked while the box is ticked, or while it is clear
};

struct CalculationField {
  // Empty: the line has no field of its own. Taken from the record's row of
  // the member the line edits, where it has one.
  std::string_view name = {};
  Control control;
  LineKind kind;
  LineExtra extra = LineExtra::None;
  // The record member its text is read into (the file reads it too where
  // `extra` says so), or the text or flag it edits. The record's row of the
  // member gives the line its name and initial text.
  float CalculationInputs::*held = nullptr;
  std::string CalculationInputs::*text = nullptr;
  bool CalculationInputs::*flag = nullptr;
  // The text (a check box: "1" or "0") a new calculation starts with; empty:
  // loading the defaults leaves the control alone.
  std::optional<std::string_view> initial = {};
  std::optional<detail::NumericRule> rule = {};  // how a typed text is read, checked and reset
  int page = 0;                                  // the tab page it stands on, with its spinner; 0: beside the pages
  std::optional<Spin> spinner = {};              // its up/down arrows
  std::optional<Control> enter = {};             // where Enter moves the focus from it
  int tab = 0;                                   // its place in the Tab key's order, from 1; 0: none
  std::optional<LockedWhile> lockedWhile = {};   // the check box that locks it
};

namespace fields_detail {
using enum Control;
using K = LineKind;
using X = LineExtra;
using In = CalculationInputs;

inline constexpr auto kRows = std::to_array<CalculationField>({
    {.control = roomLengthField,
     .kind = K::Text,
     .held = &In::roomLength,
     .rule = rules::dimension(100, "Слишком большая длина камеры!"),
     .page = 1,
     .spinner = Spin{roomLengthSpinner, 0, 10, 0, 10000},
     .enter = roomWidthField,
     .tab = 2},
    {.control = roomWidthField,
     .kind = K::Text,
     .held = &In::roomWidth,
     .rule = rules::dimension(100, "Слишком большая ширина камеры!"),
     .page = 1,
     .spinner = Spin{roomWidthSpinner, 0, 10, 0, 10000},
     .enter = roomHeightField,
     .tab = 3},
    {.control = roomHeightField,
     .kind = K::Text,
     .held = &In::roomHeight,
     .rule = rules::dimension(20, "Слишком большая высота камеры!"),
     .page = 1,
     .spinner = Spin{roomHeightSpinner, 0, 10, 0, 1500},
     .enter = floorAreaBox,
     .tab = 42},
    {.control = roomTempBox,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::roomTemp,
     .spinner = Spin{roomTempSpinner, 0, 1, -40, 20},
     .tab = 1},
    {.control = equipHoursField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::equipHours,
     .rule = rules::equipHours(rules::defaultOf(&In::equipHours)),
     .page = 2,
     .spinner = Spin{equipHoursSpinner, 18, 1, 1, 24},
     .enter = reservePercentField,
     .tab = 4},
    {.control = reservePercentField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::reserveFactor,
     .rule = rules::reserve(rules::defaultOf(&In::reserveFactor)),
     .page = 2,
     .spinner = Spin{reservePercentSpinner, 5, 1, 0, 200},
     .enter = equipHoursField,
     .tab = 5},
    {.name = "processMode", .control = storageOption, .kind = K::Option, .page = 2, .tab = 6},
    {.name = "", .control = freezingOption, .kind = K::Option, .page = 2, .tab = 7},
    {.control = wallMaterialList,
     .kind = K::Text,
     .text = &In::wallMaterial,
     .page = 3,
     .enter = ceilingMaterialList,
     .tab = 8},
    {.control = ceilingMaterialList,
     .kind = K::Text,
     .text = &In::ceilingMaterial,
     .page = 3,
     .enter = floorMaterialList,
     .tab = 10},
    {.control = floorMaterialList,
     .kind = K::Text,
     .text = &In::floorMaterial,
     .page = 3,
     .enter = wallMaterialThicknessField,
     .tab = 12},
    {.control = wallMaterialThicknessField,
     .kind = K::Text,
     .held = &In::wallMaterialThickness,
     .rule = rules::thickness("Слишком большое значение толщины стен!", rules::defaultOf(&In::wallMaterialThickness),
                              rules::F::ColoursClearZero),
     .page = 3,
     .spinner = Spin{wallMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = ceilingMaterialThicknessField,
     .tab = 9},
    {.control = ceilingMaterialThicknessField,
     .kind = K::Text,
     .held = &In::ceilingMaterialThickness,
     .rule = rules::thickness("Слишком большое значение толщины потолка!",
                              rules::defaultOf(&In::ceilingMaterialThickness), rules::F::ColoursClearZero),
     .page = 3,
     .spinner = Spin{ceilingMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = floorMaterialThicknessField,
     .tab = 11},
    {.control = floorMaterialThicknessField,
     .kind = K::Text,
     .held = &In::floorMaterialThickness,
     .rule = rules::thickness("Слишком большое значение толщины пола!", rules::defaultOf(&In::floorMaterialThickness),
                              rules::F::ColoursClearZero),
     .page = 3,
     .spinner = Spin{floorMaterialThicknessSpinner, 0, 10, 0, 2000},
     .enter = wallInsulationList,
     .tab = 13},
    {.control = wallInsulationList,
     .kind = K::Text,
     .text = &In::wallInsulation,
     .page = 3,
     .enter = ceilingInsulationList,
     .tab = 14},
    {.control = ceilingInsulationList,
     .kind = K::Text,
     .text = &In::ceilingInsulation,
     .page = 3,
     .enter = floorInsulationList,
     .tab = 16},
    {.control = floorInsulationList,
     .kind = K::Text,
     .text = &In::floorInsulation,
     .page = 3,
     .enter = wallInsulationThicknessField,
     .tab = 18},
    {.control = wallInsulationThicknessField,
     .kind = K::Text,
     .held = &In::wallInsulationThickness,
     .rule = rules::thickness("Слишком большое значение толщины термоизоляции стен!",
                              rules::defaultOf(&In::wallInsulationThickness), rules::F::ColoursOnly),
     .page = 3,
     .spinner = Spin{wallInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = ceilingInsulationThicknessField,
     .tab = 15},
    {.control = ceilingInsulationThicknessField,
     .kind = K::Text,
     .held = &In::ceilingInsulationThickness,
     .rule = rules::thickness("Слишком большое значение толщины термоизоляции потолка!",
                              rules::defaultOf(&In::ceilingInsulationThickness), rules::F::ColoursOnly),
     .page = 3,
     .spinner = Spin{ceilingInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = floorInsulationThicknessField,
     .tab = 17},
    {.control = floorInsulationThicknessField,
     .kind = K::Text,
     .held = &In::floorInsulationThickness,
     .rule = rules::thickness("Слишком толстая термоизоляция пола!", rules::defaultOf(&In::floorInsulationThickness),
                              rules::F::ColoursOnly),
     .page = 3,
     .spinner = Spin{floorInsulationThicknessSpinner, 0, 10, 0, 2000},
     .enter = outsideTempWallsField,
     .tab = 19},
    {.control = outsideTempWallsField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempWalls,
     .rule = rules::outside(rules::defaultOf(&In::outsideTempWalls), "Слишком высокая температура  за стеной!",
                            "Слишком низкая температура за стеной!"),
     .page = 3,
     .spinner = Spin{outsideTempWallsSpinner, 28, 1, -20, 50},
     .enter = outsideTempCeilingField,
     .tab = 20},
    {.control = outsideTempCeilingField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempCeiling,
     .rule = rules::outside(rules::defaultOf(&In::outsideTempCeiling), "Слишком высокая температура за потолком!",
                            "Слишком низкая температура за потолком!"),
     .page = 3,
     .spinner = Spin{outsideTempCeilingSpinner, 28, 1, -20, 50},
     .enter = outsideTempFloorField,
     .tab = 21},
    {.control = outsideTempFloorField,
     .kind = K::Text,
     .extra = X::Locale,
     .held = &In::outsideTempFloor,
     .rule = rules::outside(rules::defaultOf(&In::outsideTempFloor), "Слишком высокая температура под полом!",
                            "Слишком низкая температура под полом!"),
     .page = 3,
     .spinner = Spin{outsideTempFloorSpinner, 28, 1, -20, 50},
     .enter = wallMaterialList,
     .tab = 22},
    {.name = "", .control = airChangeRateBox, .kind = K::Text, .page = 4, .tab = 43},
    {.control = doorHeightField,
     .kind = K::Text,
     .held = &In::doorHeight,
     .rule = rules::door("Слишком высокая дверь!", rules::defaultOf(&In::doorHeight), true),
     .page = 5,
     .spinner = Spin{doorHeightSpinner, 230, 10, 100, 1000},
     .enter = doorWidthField,
     .tab = 23},
    {.control = doorWidthField,
     .kind = K::Text,
     .held = &In::doorWidth,
     .rule = rules::door("Слишком широкая дверь!", rules::defaultOf(&In::doorWidth), false),
     .page = 5,
     .spinner = Spin{doorWidthSpinner, 180, 10, 50, 1000},
     .enter = doorOpenMinutesField,
     .tab = 24},
    {.control = doorOpenMinutesField,
     .kind = K::Text,
     .held = &In::doorOpenMinutes,
     .rule = rules::quantity(rules::R::Locale, 6, 1000, "Слишком долго открыта дверь!"),
     .page = 5,
     .spinner = Spin{doorOpenMinutesSpinner, 60, 1, 0, 60},
     .enter = curtainList,
     .tab = 25},
    {.control = curtainList, .kind = K::Text, .text = &In::curtainType, .page = 5, .enter = doorHeightField, .tab = 26},
    {.control = productCategoryList,
     .kind = K::Text,
     .text = &In::productCategory,
     .page = 6,
     .enter = productList,
     .tab = 27},
    {.control = productList, .kind = K::Text, .text = &In::productName, .page = 6, .enter = storedMassField, .tab = 28},
    {.control = storedMassField,
     .kind = K::Text,
     .held = &In::storedMass,
     .rule = rules::quantity(rules::R::Leading, 7, 100000, "Слишком большая масса хранимого продукта!"),
     .page = 6,
     .spinner = Spin{storedMassSpinner, 0, 50, 0, 10000},
     .enter = dailyMassField,
     .tab = 29},
    {.control = dailyMassField,
     .kind = K::Text,
     .held = &In::dailyMass,
     .rule = rules::quantity(rules::R::Leading, 7, 100000, "Слишком большой суточный оборот продукта!"),
     .page = 6,
     .spinner = Spin{dailyMassSpinner, 0, 50, 0, 10000},
     .enter = productInitialTempField,
     .tab = 30},
    {.control = productInitialTempField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::productInitialTemp,
     .rule = rules::productTemp("Слишком низкая начальная температура продукта!", 100,
                                "Слишком высокая начальная температура продукта!", false),
     .page = 6,
     .spinner = Spin{productInitialTempSpinner, 0, 1, -50, 100},
     .enter = productFinalTempField,
     .tab = 31},
    {.control = productFinalTempField,
     .kind = K::Text,
     .extra = X::Leading,
     .held = &In::productFinalTemp,
     .rule = rules::productTemp("Слишком низкая конечная температура продукта!", 30,
                                "Слишком высокая конечная температура продукта!", true),
     .page = 6,
     .spinner = Spin{productFinalTempSpinner, 0, 1, -50, 100},
     .enter = productCategoryList,
     .tab = 32},
    {.control = lightingHoursField,
     .kind = K::Text,
     .held = &In::lightingHours,
     .rule = rules::quantity(rules::R::Locale, 6, 24, rules::kLightingTooLong),
     .page = 7,
     .spinner = Spin{lightingHoursSpinner, 1, 1, 0, 24},
     .enter = lightingPowerField,
     .tab = 33},
    {.control = lightingPowerField,
     .kind = K::Text,
     .held = &In::lightingPower,
     .rule = rules::lightingPower(),
     .page = 7,
     .spinner = Spin{lightingPowerSpinner, 5, 1, 0, 20},
     .enter = lightingHoursField,
     .tab = 34,
     .lockedWhile = LockedWhile{recommendedLightingCheck, true}},
    {.control = recommendedLightingCheck, .kind = K::Check, .flag = &In::useRecommendedLighting, .page = 7, .tab = 35},
    {.control = staffCountField,
     .kind = K::Text,
     .held = &In::staffCount,
     .rule = rules::quantity(rules::R::Locale, 6, 50, "Слишком много рабочих в камере!"),
     .page = 8,
     .spinner = Spin{staffCountSpinner, 0, 1, 0, 20},
     .tab = 36},
    {.control = vehiclePowerField,
     .kind = K::Text,
     .held = &In::vehiclePower,
     .rule = rules::quantity(rules::R::Locale, 6, 1000, rules::kVehiclesTooStrong),
     .page = 9,
     .spinner = Spin{vehiclePowerSpinner, 0, 1, 0, 100},
     .tab = 37},
    {.control = fanPercentField,
     .kind = K::Text,
     .held = &In::fanPercent,
     .rule = rules::fan(60, rules::defaultOf(&In::fanPercent)),
     .page = 10,
     .spinner = Spin{fanPercentSpinner, 10, 1, 0, 60},
     .tab = 38,
     .lockedWhile = LockedWhile{refinedFanCheck, true}},
    {.control = fanCountField,
     .kind = K::Text,
     .held = &In::fanCount,
     .rule = rules::fan(50, rules::defaultOf(&In::fanCount)),
     .page = 10,
     .spinner = Spin{fanCountSpinner, 0, 1, 0, 100},
     .enter = fanPowerField,
     .tab = 40,
     .lockedWhile = LockedWhile{refinedFanCheck, false}},
    {.control = fanPowerField,
     .kind = K::Text,
     .held = &In::fanPower,
     .rule = rules::fan(3000, rules::defaultOf(&In::fanPower)),
     .page = 10,
     .spinner = Spin{fanPowerSpinner, 100, 100, 0, 10000},
     .enter = fanCountField,
     .tab = 41,
     .lockedWhile = LockedWhile{refinedFanCheck, false}},
    {.control = refinedFanCheck, .kind = K::Check, .flag = &In::refinedFanCalc, .page = 10, .tab = 39},
    {.control = includeWallsCheck, .kind = K::Check, .flag = &In::includeWalls, .tab = 44},
    {.control = includeVentilationCheck, .kind = K::Check, .flag = &In::includeVentilation, .tab = 45},
    {.control = includeDoorCheck, .kind = K::Check, .flag = &In::includeDoor, .tab = 46},
    {.control = includeProductCheck, .kind = K::Check, .flag = &In::includeProduct, .tab = 47},
    {.control = includeRespirationCheck, .kind = K::Check, .flag = &In::includeRespiration, .tab = 48},
    {.control = includeLightingCheck, .kind = K::Check, .flag = &In::includeLighting, .tab = 49},
    {.control = includeStaffCheck, .kind = K::Check, .flag = &In::includeStaff, .tab = 50},
    {.control = includeVehiclesCheck, .kind = K::Check, .flag = &In::includeVehicles, .tab = 51},
    {.control = includeFansCheck, .kind = K::Check, .flag = &In::includeFans, .tab = 52},
    {.control = clientInfoField, .kind = K::Text, .text = &In::clientInfo},  // the one optional line
});

// A row with the name and the initial text of the record's member it edits.
constexpr CalculationField withRecordRow(CalculationField f) {
  if (f.held) {
    const NumberInput& number = numberInput(f.held);
    f.name = number.typedName();
    f.initial = number.initial;
  } else if (f.text) {
    const TextInput& text = textInput(f.text);
    f.name = text.name;
    f.initial = text.initial;
  } else if (f.flag) {
    const FlagInput& flag = flagInput(f.flag);
    f.name = flag.name;
    if (flag.initial) f.initial = *flag.initial ? "1" : "0";
  }
  return f;
}

inline constexpr auto kCalculationFields = [] {
  auto rows = kRows;
  for (CalculationField& row : rows) row = withRecordRow(row);
  return rows;
}();
}  // namespace fields_detail

using fields_detail::kCalculationFields;

}  // namespace kamerol
