#pragma once

// The calculation record: every input of one cold-room calculation, the
// properties taken from the reference tables, and every result of the engine.
//
// Numbers are 32-bit floats because the calculation is defined in single
// precision: each step of the engine stores its result as a float before the
// next step reads it, and the tests check the results to the digit.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kamerol {

enum class ProcessMode : std::uint8_t { Storage, Freezing };

// Everything the engineer enters, plus what the list look-ups derive from it.
// Lengths are held in m, thicknesses in mm, temperatures in °C, masses in kg.
struct CalculationInputs {
  // Room.
  float roomLength = 0;  // m
  float roomWidth = 0;   // m
  float roomHeight = 0;  // m
  float roomTemp = 0;    // °C
  std::string clientInfo;

  // Processing.
  ProcessMode processMode = ProcessMode::Storage;
  float equipHours = 0;     // h per day (freezing: hours to freeze)
  float reserveFactor = 0;  // 1 + reserve % / 100

  // Enclosure: structural layer and insulation of walls, ceiling and floor.
  std::string wallMaterial;
  std::string ceilingMaterial;
  std::string floorMaterial;
  float wallMaterialLambda = 0;  // W/(m·K)
  float ceilingMaterialLambda = 0;
  float floorMaterialLambda = 0;
  float wallMaterialThickness = 0;  // mm
  float ceilingMaterialThickness = 0;
  float floorMaterialThickness = 0;
  std::string wallInsulation;
  std::string ceilingInsulation;
  std::string floorInsulation;
  float wallInsulationLambda = 0;  // W/(m·K)
  float ceilingInsulationLambda = 0;
  float floorInsulationLambda = 0;
  float wallInsulationThickness = 0;  // mm
  float ceilingInsulationThickness = 0;
  float floorInsulationThickness = 0;
  float outsideTempWalls = 0;  // °C
  float outsideTempCeiling = 0;
  float outsideTempFloor = 0;

  // Door.
  float doorHeight = 0;         // m
  float doorWidth = 0;          // m
  float doorOpenMinutes = 0;    // min per day
  std::string curtainType;      // the text of the curtain list
  float curtainEfficiency = 0;  // fraction of the infiltration the curtain stops
  std::string curtainName;      // last curtain the look-up matched, for the report

  // Product.
  std::string productCategory;
  std::string productName;       // last product the look-up matched
  float storedMass = 0;          // kg
  float dailyMass = 0;           // kg per day, or the mass to freeze
  float productInitialTemp = 0;  // °C
  float productFinalTemp = 0;    // °C
  float freezingPoint = 0;       // °C
  float heatCapacityAbove = 0;   // kJ/(kg·K)
  float heatCapacityBelow = 0;   // kJ/(kg·K)
  float latentHeat = 0;          // kJ/kg
  float respirationHeat = 0;     // J/(kg·h)

  // Lighting, staff, vehicles.
  float lightingHours = 0;  // h per day, also the staff's and vehicles' time
  float lightingPower = 0;  // W/m²
  bool useRecommendedLighting = false;
  float staffCount = 0;
  float vehiclePower = 0;  // kW

  // Air-cooler fans.
  float fanPercent = 0;  // % of the other gains
  float fanCount = 0;
  float fanPower = 0;  // W per fan
  bool refinedFanCalc = false;

  // Which gains the results panel counts.
  bool includeWalls = true;
  bool includeVentilation = true;
  bool includeDoor = true;
  bool includeProduct = true;
  bool includeRespiration = true;
  bool includeLighting = true;
  bool includeStaff = true;
  bool includeVehicles = true;
  bool includeFans = true;
};

// The record's fields by name, for machine-readable output and for addressing
// fields by name: written beside the members, so that a member is named where
// it is declared.
template <typename Struct, typename Value>
struct NamedField {
  std::string_view name;
  Value Struct::*member;
  std::string_view unit = {};  // a result's unit, as tables and spreadsheets head it; empty: none
};

// How the number typed into a field becomes the value the record holds.
enum class Typed : std::uint8_t {
  AsHeld,       // the same number in the same unit
  Centimetres,  // typed in cm, held in m
  Percent,      // the reserve: typed in %, held as the factor 1 + % / 100
};

// The value held for the number `value` typed into a field.
constexpr double heldValue(Typed typed, double value) {
  switch (typed) {
    case Typed::Centimetres:
      return value / 100;
    case Typed::Percent:
      return 1 + value / 100;
    case Typed::AsHeld:
      break;
  }
  return value;
}

// The number typed into a field for the held value `held`: heldValue undone.
constexpr double typedFromHeld(Typed typed, double held) {
  switch (typed) {
    case Typed::Centimetres:
      return held * 100;
    case Typed::Percent:
      return (held - 1) * 100;
    case Typed::AsHeld:
      break;
  }
  return held;
}

// A number of the inputs: its name; the text a new calculation types into the
// form's field that edits it (none: no field does, a look-up or the engine
// sets it); that field's caption, in freezing mode too where the mode changes
// it; how the typed number becomes the held one; and the field's own name
// where it differs from the record's. The command line's --set takes the
// field's name and unit, the JSON "inputs" the record's.
struct NumberInput {
  std::string_view name;
  float CalculationInputs::*member;
  std::optional<std::string_view> initial = {};
  std::string_view caption = {};
  std::string_view freezingCaption = {};
  Typed typed = Typed::AsHeld;
  std::string_view fieldName = {};

  constexpr std::string_view typedName() const { return fieldName.empty() ? name : fieldName; }
};

// A text of the inputs: its name and the text a new calculation types into
// its field (none: it is left alone, or a look-up sets it).
struct TextInput {
  std::string_view name;
  std::string CalculationInputs::*member;
  std::optional<std::string_view> initial = {};
};

// A flag of the inputs: its name and its state in a new calculation (none:
// a new calculation leaves it as it is).
struct FlagInput {
  std::string_view name;
  bool CalculationInputs::*member;
  std::optional<bool> initial = {};
};

namespace record_detail {
using In = CalculationInputs;
using enum Typed;

inline constexpr NumberInput kNumberInputs[] = {
    {"roomLength", &In::roomLength, "0", "Длина (см)", {}, Centimetres},
    {"roomWidth", &In::roomWidth, "0", "Ширина (см)", {}, Centimetres},
    {"roomHeight", &In::roomHeight, "0", "Высота (см)", {}, Centimetres},
    {"roomTemp", &In::roomTemp, "0", "Температура в камере (град)"},
    {"equipHours", &In::equipHours, "18", "Время р-ты оборудования (Ч)", "Время заморозки (Ч)"},
    {"reserveFactor", &In::reserveFactor, "5", "Запас %", {}, Percent, "reservePercent"},
    {"wallMaterialLambda", &In::wallMaterialLambda},
    {"ceilingMaterialLambda", &In::ceilingMaterialLambda},
    {"floorMaterialLambda", &In::floorMaterialLambda},
    {"wallMaterialThickness", &In::wallMaterialThickness, "0", "Толщина материала (мм): Стены"},
    {"ceilingMaterialThickness", &In::ceilingMaterialThickness, "0", "Толщина материала (мм): Потолок"},
    {"floorMaterialThickness", &In::floorMaterialThickness, "0", "Толщина материала (мм): Пол"},
    {"wallInsulationLambda", &In::wallInsulationLambda},
    {"ceilingInsulationLambda", &In::ceilingInsulationLambda},
    {"floorInsulationLambda", &In::floorInsulationLambda},
    {"wallInsulationThickness", &In::wallInsulationThickness, "100", "Толщина термоизоляции (мм): Стены"},
    {"ceilingInsulationThickness", &In::ceilingInsulationThickness, "100", "Толщина термоизоляции (мм): Потолок"},
    {"floorInsulationThickness", &In::floorInsulationThickness, "100", "Толщина термоизоляции (мм): Пол"},
    {"outsideTempWalls", &In::outsideTempWalls, "28", "Темп-ра снаружи: Стены"},
    {"outsideTempCeiling", &In::outsideTempCeiling, "28", "Темп-ра снаружи: Потолок"},
    {"outsideTempFloor", &In::outsideTempFloor, "28", "Темп-ра снаружи: Пол"},
    {"doorHeight", &In::doorHeight, "230", "Высота двери (см)", {}, Centimetres},
    {"doorWidth", &In::doorWidth, "180", "Ширина двери (см)", {}, Centimetres},
    {"doorOpenMinutes", &In::doorOpenMinutes, "0", "Сколько минут в сутки дверь открыта"},
    {"curtainEfficiency", &In::curtainEfficiency},
    {"storedMass", &In::storedMass, "0", "Хранимая масса (кг)"},
    {"dailyMass", &In::dailyMass, "0", "Суточный оборот (кг)", "Замораживаемая масса (кг)"},
    {"productInitialTemp", &In::productInitialTemp, "0", "Начальная температура (град)"},
    {"productFinalTemp", &In::productFinalTemp, "0", "Конечная температура (град)"},
    {"freezingPoint", &In::freezingPoint},
    {"heatCapacityAbove", &In::heatCapacityAbove},
    {"heatCapacityBelow", &In::heatCapacityBelow},
    {"latentHeat", &In::latentHeat},
    {"respirationHeat", &In::respirationHeat},
    {"lightingHours", &In::lightingHours, "1", "Время р-ты освещения в камере (ч/сутки)"},
    // Typed in as 0; the recommended power, on in a new calculation, replaces it.
    {"lightingPower", &In::lightingPower, "0", "Мощность освещения (Вт/м2) "},
    {"staffCount", &In::staffCount, "0", "Число рабочих в камере (чел)"},
    {"vehiclePower", &In::vehiclePower, "0", "Полная мощность ПТС (квт)"},
    {"fanPercent", &In::fanPercent, "10", "Предварительный учет теплопритока от ВО (%)"},
    {"fanCount", &In::fanCount, "0", "Кол-во вентиляторов ВО"},
    {"fanPower", &In::fanPower, "0", "Мощность вентиляторов ВО, Вт"},
};

inline constexpr std::string_view kNewMaterial = "Железобетон";
inline constexpr std::string_view kNewInsulation = "Пенополиуритан";

// The material, insulation, curtain and category lists' look-ups set the
// rest: conductivities, the curtain's name and efficiency, the category's
// first product and its properties.
inline constexpr TextInput kTextInputs[] = {
    {"clientInfo", &In::clientInfo, ""},
    {"wallMaterial", &In::wallMaterial, kNewMaterial},
    {"ceilingMaterial", &In::ceilingMaterial, kNewMaterial},
    {"floorMaterial", &In::floorMaterial, kNewMaterial},
    {"wallInsulation", &In::wallInsulation, kNewInsulation},
    {"ceilingInsulation", &In::ceilingInsulation, kNewInsulation},
    {"floorInsulation", &In::floorInsulation, kNewInsulation},
    {"curtainType", &In::curtainType, "Нет"},
    {"curtainName", &In::curtainName},
    {"productCategory", &In::productCategory, "Мясные"},
    {"productName", &In::productName},
};

// The inclusion flags are all on when the form is created; a new
// calculation leaves them alone.
inline constexpr FlagInput kFlagInputs[] = {
    {"useRecommendedLighting", &In::useRecommendedLighting, true},
    {"refinedFanCalc", &In::refinedFanCalc, false},
    {"includeWalls", &In::includeWalls},
    {"includeVentilation", &In::includeVentilation},
    {"includeDoor", &In::includeDoor},
    {"includeProduct", &In::includeProduct},
    {"includeRespiration", &In::includeRespiration},
    {"includeLighting", &In::includeLighting},
    {"includeStaff", &In::includeStaff},
    {"includeVehicles", &In::includeVehicles},
    {"includeFans", &In::includeFans},
};

// The row of a member; a member without one fails to compile where this is
// constant-evaluated.
template <typename Row, typename Member>
constexpr const Row& rowOf(std::span<const Row> rows, Member member) {
  for (const Row& row : rows)
    if (row.member == member) return row;
  throw "the record names every member";
}
}  // namespace record_detail

constexpr const NumberInput& numberInput(float CalculationInputs::*member) {
  return record_detail::rowOf<NumberInput>(record_detail::kNumberInputs, member);
}
constexpr const TextInput& textInput(std::string CalculationInputs::*member) {
  return record_detail::rowOf<TextInput>(record_detail::kTextInputs, member);
}
constexpr const FlagInput& flagInput(bool CalculationInputs::*member) {
  return record_detail::rowOf<FlagInput>(record_detail::kFlagInputs, member);
}

// The value a number holds in a new calculation, once its field has taken the
// initial text, a whole number.
constexpr float initialHeld(const NumberInput& input) {
  const std::string_view text = input.initial.value_or("0");
  double value = 0;
  for (const char c : text)
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  return static_cast<float>(heldValue(input.typed, text.starts_with('-') ? -value : value));
}

// The caption of the form's field that edits `member` in the processing mode
// `mode`; empty: none.
constexpr std::string_view captionOf(float CalculationInputs::*member, ProcessMode mode = ProcessMode::Storage) {
  const NumberInput& f = numberInput(member);
  return mode == ProcessMode::Freezing && !f.freezingCaption.empty() ? f.freezingCaption : f.caption;
}

// Everything the engine writes. Every q-value is in kW.
struct CalculationResults {
  float floorArea = 0;             // m², rounded to 2 places
  float roomVolume = 0;            // m³, rounded to 2 places
  float wallArea = 0;              // m²
  float ceilingArea = 0;           // m², also the floor's
  std::int16_t tempDiffWalls = 0;  // K
  std::int16_t tempDiffCeiling = 0;
  std::int16_t tempDiffFloor = 0;
  float qWallPart = 0;
  float qCeiling = 0;
  float qFloor = 0;
  float qWalls = 0;
  float airChangeRate = 0;     // room volumes per day; survives runs with no volume
  float ventSpecificHeat = 0;  // kW per m³ exchanged per day
  float qVentilation = 0;
  float roomAirEnthalpy = 0;  // kJ/kg
  float enthalpyDiff = 0;     // kJ/kg
  float roomAirDensity = 0;   // kg/m³
  float doorArea = 0;         // m²
  float qDoor = 0;
  float qProduct = 0;
  float qRespiration = 0;
  float qLighting = 0;
  float heatPerPerson = 0;  // W
  float qStaff = 0;
  float qVehicles = 0;
  float qFansPreliminary = 0;
  float qFansRefined = 0;
  float qFans = 0;

  // The included, rounded value of each gain, as the results panel shows it.
  float shownWalls = 0;
  float shownVentilation = 0;
  float shownDoor = 0;
  float shownProduct = 0;
  float shownRespiration = 0;
  float shownLighting = 0;
  float shownStaff = 0;
  float shownVehicles = 0;
  float shownFans = 0;

  float qTotal = 0;            // sum of the shown gains, unrounded
  float requiredCapacity = 0;  // survives runs with no equipment hours
};

namespace record_detail {
using Out = CalculationResults;

inline constexpr NamedField<Out, float> kFloatResults[] = {
    {"floorArea", &Out::floorArea, "м²"},
    {"roomVolume", &Out::roomVolume, "м³"},
    {"wallArea", &Out::wallArea, "м²"},
    {"ceilingArea", &Out::ceilingArea, "м²"},
    {"qWallPart", &Out::qWallPart, "кВт"},
    {"qCeiling", &Out::qCeiling, "кВт"},
    {"qFloor", &Out::qFloor, "кВт"},
    {"qWalls", &Out::qWalls, "кВт"},
    {"airChangeRate", &Out::airChangeRate, "1/сут"},
    {"ventSpecificHeat", &Out::ventSpecificHeat, "кВт·сут/м³"},
    {"qVentilation", &Out::qVentilation, "кВт"},
    {"roomAirEnthalpy", &Out::roomAirEnthalpy, "кДж/кг"},
    {"enthalpyDiff", &Out::enthalpyDiff, "кДж/кг"},
    {"roomAirDensity", &Out::roomAirDensity, "кг/м³"},
    {"doorArea", &Out::doorArea, "м²"},
    {"qDoor", &Out::qDoor, "кВт"},
    {"qProduct", &Out::qProduct, "кВт"},
    {"qRespiration", &Out::qRespiration, "кВт"},
    {"qLighting", &Out::qLighting, "кВт"},
    {"heatPerPerson", &Out::heatPerPerson, "Вт"},
    {"qStaff", &Out::qStaff, "кВт"},
    {"qVehicles", &Out::qVehicles, "кВт"},
    {"qFansPreliminary", &Out::qFansPreliminary, "кВт"},
    {"qFansRefined", &Out::qFansRefined, "кВт"},
    {"qFans", &Out::qFans, "кВт"},
    {"shownWalls", &Out::shownWalls, "кВт"},
    {"shownVentilation", &Out::shownVentilation, "кВт"},
    {"shownDoor", &Out::shownDoor, "кВт"},
    {"shownProduct", &Out::shownProduct, "кВт"},
    {"shownRespiration", &Out::shownRespiration, "кВт"},
    {"shownLighting", &Out::shownLighting, "кВт"},
    {"shownStaff", &Out::shownStaff, "кВт"},
    {"shownVehicles", &Out::shownVehicles, "кВт"},
    {"shownFans", &Out::shownFans, "кВт"},
    {"qTotal", &Out::qTotal, "кВт"},
    {"requiredCapacity", &Out::requiredCapacity, "кВт"},
};

inline constexpr NamedField<Out, std::int16_t> kIntegerResults[] = {
    {"tempDiffWalls", &Out::tempDiffWalls, "К"},
    {"tempDiffCeiling", &Out::tempDiffCeiling, "К"},
    {"tempDiffFloor", &Out::tempDiffFloor, "К"},
};
}  // namespace record_detail

struct CalculationRecord {
  CalculationInputs inputs;
  CalculationResults results;
  bool modified = false;
};

}  // namespace kamerol
