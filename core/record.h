#pragma once

// The calculation record: every input of one cold-room calculation, the
// properties taken from the reference tables, and every result of the engine.
//
// Numbers are 32-bit floats because the calculation is defined in single
// precision: each step of the engine stores its result as a float before the
// next step reads it, and the tests check the results to the digit.

#include <cstdint>
#include <string>

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

struct CalculationRecord {
  CalculationInputs inputs;
  CalculationResults results;
  bool modified = false;
};

}  // namespace kamerol
