#pragma once

// The calculation record: every input of one cold-room calculation, the
// properties taken from the reference tables, and every result of the engine.
//
// Numbers are 32-bit floats because the calculation is defined in single
// precision: each step of the engine stores its result as a float before the
// next step reads it, and the tests check the results to the digit.

#include <cstdint>
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

// A number of the inputs: its name, its value in a new calculation, and the
// caption of the form's field that edits it (empty: none), in freezing mode
// too where the mode changes it.
struct NumberInput {
  std::string_view name;
  float CalculationInputs::*member;
  float initial = 0;
  std::string_view caption = {};
  std::string_view freezingCaption = {};
};

namespace record_detail {
using In = CalculationInputs;

inline constexpr NumberInput kNumberInputs[] = {
    {"roomLength", &In::roomLength, 0, "Длина (см)"},
    {"roomWidth", &In::roomWidth, 0, "Ширина (см)"},
    {"roomHeight", &In::roomHeight, 0, "Высота (см)"},
    {"roomTemp", &In::roomTemp, 0, "Температура в камере (град)"},
    {"equipHours", &In::equipHours, 18, "Время р-ты оборудования (Ч)", "Время заморозки (Ч)"},
    {"reserveFactor", &In::reserveFactor, 1.05f, "Запас %"},
    {"wallMaterialLambda", &In::wallMaterialLambda},
    {"ceilingMaterialLambda", &In::ceilingMaterialLambda},
    {"floorMaterialLambda", &In::floorMaterialLambda},
    {"wallMaterialThickness", &In::wallMaterialThickness, 0, "Толщина материала (мм): Стены"},
    {"ceilingMaterialThickness", &In::ceilingMaterialThickness, 0, "Толщина материала (мм): Потолок"},
    {"floorMaterialThickness", &In::floorMaterialThickness, 0, "Толщина материала (мм): Пол"},
    {"wallInsulationLambda", &In::wallInsulationLambda},
    {"ceilingInsulationLambda", &In::ceilingInsulationLambda},
    {"floorInsulationLambda", &In::floorInsulationLambda},
    {"wallInsulationThickness", &In::wallInsulationThickness, 100, "Толщина термоизоляции (мм): Стены"},
    {"ceilingInsulationThickness", &In::ceilingInsulationThickness, 100, "Толщина термоизоляции (мм): Потолок"},
    {"floorInsulationThickness", &In::floorInsulationThickness, 100, "Толщина термоизоляции (мм): Пол"},
    {"outsideTempWalls", &In::outsideTempWalls, 28, "Темп-ра снаружи: Стены"},
    {"outsideTempCeiling", &In::outsideTempCeiling, 28, "Темп-ра снаружи: Потолок"},
    {"outsideTempFloor", &In::outsideTempFloor, 28, "Темп-ра снаружи: Пол"},
    {"doorHeight", &In::doorHeight, 2.3f, "Высота двери (см)"},
    {"doorWidth", &In::doorWidth, 1.8f, "Ширина двери (см)"},
    {"doorOpenMinutes", &In::doorOpenMinutes, 0, "Сколько минут в сутки дверь открыта"},
    {"curtainEfficiency", &In::curtainEfficiency},
    {"storedMass", &In::storedMass, 0, "Хранимая масса (кг)"},
    {"dailyMass", &In::dailyMass, 0, "Суточный оборот (кг)", "Замораживаемая масса (кг)"},
    {"productInitialTemp", &In::productInitialTemp, 0, "Начальная температура (град)"},
    {"productFinalTemp", &In::productFinalTemp, 0, "Конечная температура (град)"},
    {"freezingPoint", &In::freezingPoint},
    {"heatCapacityAbove", &In::heatCapacityAbove},
    {"heatCapacityBelow", &In::heatCapacityBelow},
    {"latentHeat", &In::latentHeat},
    {"respirationHeat", &In::respirationHeat},
    {"lightingHours", &In::lightingHours, 1, "Время р-ты освещения в камере (ч/сутки)"},
    // The recommended power, which the engine puts in.
    {"lightingPower", &In::lightingPower, 5, "Мощность освещения (Вт/м2) "},
    {"staffCount", &In::staffCount, 0, "Число рабочих в камере (чел)"},
    {"vehiclePower", &In::vehiclePower, 0, "Полная мощность ПТС (квт)"},
    {"fanPercent", &In::fanPercent, 10, "Предварительный учет теплопритока от ВО (%)"},
    {"fanCount", &In::fanCount, 0, "Кол-во вентиляторов ВО"},
    {"fanPower", &In::fanPower, 0, "Мощность вентиляторов ВО, Вт"},
};

inline constexpr NamedField<In, std::string> kTextInputs[] = {
    {"clientInfo", &In::clientInfo},           {"wallMaterial", &In::wallMaterial},
    {"ceilingMaterial", &In::ceilingMaterial}, {"floorMaterial", &In::floorMaterial},
    {"wallInsulation", &In::wallInsulation},   {"ceilingInsulation", &In::ceilingInsulation},
    {"floorInsulation", &In::floorInsulation}, {"curtainType", &In::curtainType},
    {"curtainName", &In::curtainName},         {"productCategory", &In::productCategory},
    {"productName", &In::productName},
};

inline constexpr NamedField<In, bool> kFlagInputs[] = {
    {"useRecommendedLighting", &In::useRecommendedLighting},
    {"refinedFanCalc", &In::refinedFanCalc},
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
}  // namespace record_detail

// The caption of the form's field that edits `member` in the processing mode
// `mode`; empty: none.
constexpr std::string_view captionOf(float CalculationInputs::*member, ProcessMode mode = ProcessMode::Storage) {
  for (const NumberInput& f : record_detail::kNumberInputs)
    if (f.member == member)
      return mode == ProcessMode::Freezing && !f.freezingCaption.empty() ? f.freezingCaption : f.caption;
  return {};
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
