#include "core/record_fields.h"

namespace kamerol {
namespace {

using In = CalculationInputs;
using Out = CalculationResults;

constexpr NamedField<In, float> kFloatInputs[] = {
    {"roomLength", &In::roomLength},
    {"roomWidth", &In::roomWidth},
    {"roomHeight", &In::roomHeight},
    {"roomTemp", &In::roomTemp},
    {"equipHours", &In::equipHours},
    {"reserveFactor", &In::reserveFactor},
    {"wallMaterialLambda", &In::wallMaterialLambda},
    {"ceilingMaterialLambda", &In::ceilingMaterialLambda},
    {"floorMaterialLambda", &In::floorMaterialLambda},
    {"wallMaterialThickness", &In::wallMaterialThickness},
    {"ceilingMaterialThickness", &In::ceilingMaterialThickness},
    {"floorMaterialThickness", &In::floorMaterialThickness},
    {"wallInsulationLambda", &In::wallInsulationLambda},
    {"ceilingInsulationLambda", &In::ceilingInsulationLambda},
    {"floorInsulationLambda", &In::floorInsulationLambda},
    {"wallInsulationThickness", &In::wallInsulationThickness},
    {"ceilingInsulationThickness", &In::ceilingInsulationThickness},
    {"floorInsulationThickness", &In::floorInsulationThickness},
    {"outsideTempWalls", &In::outsideTempWalls},
    {"outsideTempCeiling", &In::outsideTempCeiling},
    {"outsideTempFloor", &In::outsideTempFloor},
    {"doorHeight", &In::doorHeight},
    {"doorWidth", &In::doorWidth},
    {"doorOpenMinutes", &In::doorOpenMinutes},
    {"curtainEfficiency", &In::curtainEfficiency},
    {"storedMass", &In::storedMass},
    {"dailyMass", &In::dailyMass},
    {"productInitialTemp", &In::productInitialTemp},
    {"productFinalTemp", &In::productFinalTemp},
    {"freezingPoint", &In::freezingPoint},
    {"heatCapacityAbove", &In::heatCapacityAbove},
    {"heatCapacityBelow", &In::heatCapacityBelow},
    {"latentHeat", &In::latentHeat},
    {"respirationHeat", &In::respirationHeat},
    {"lightingHours", &In::lightingHours},
    {"lightingPower", &In::lightingPower},
    {"staffCount", &In::staffCount},
    {"vehiclePower", &In::vehiclePower},
    {"fanPercent", &In::fanPercent},
    {"fanCount", &In::fanCount},
    {"fanPower", &In::fanPower},
};

constexpr NamedField<In, std::string> kTextInputs[] = {
    {"clientInfo", &In::clientInfo},           {"wallMaterial", &In::wallMaterial},
    {"ceilingMaterial", &In::ceilingMaterial}, {"floorMaterial", &In::floorMaterial},
    {"wallInsulation", &In::wallInsulation},   {"ceilingInsulation", &In::ceilingInsulation},
    {"floorInsulation", &In::floorInsulation}, {"curtainType", &In::curtainType},
    {"curtainName", &In::curtainName},         {"productCategory", &In::productCategory},
    {"productName", &In::productName},
};

constexpr NamedField<In, bool> kFlagInputs[] = {
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

constexpr NamedField<Out, float> kFloatResults[] = {
    {"floorArea", &Out::floorArea},
    {"roomVolume", &Out::roomVolume},
    {"wallArea", &Out::wallArea},
    {"ceilingArea", &Out::ceilingArea},
    {"qWallPart", &Out::qWallPart},
    {"qCeiling", &Out::qCeiling},
    {"qFloor", &Out::qFloor},
    {"qWalls", &Out::qWalls},
    {"airChangeRate", &Out::airChangeRate},
    {"ventSpecificHeat", &Out::ventSpecificHeat},
    {"qVentilation", &Out::qVentilation},
    {"roomAirEnthalpy", &Out::roomAirEnthalpy},
    {"enthalpyDiff", &Out::enthalpyDiff},
    {"roomAirDensity", &Out::roomAirDensity},
    {"doorArea", &Out::doorArea},
    {"qDoor", &Out::qDoor},
    {"qProduct", &Out::qProduct},
    {"qRespiration", &Out::qRespiration},
    {"qLighting", &Out::qLighting},
    {"heatPerPerson", &Out::heatPerPerson},
    {"qStaff", &Out::qStaff},
    {"qVehicles", &Out::qVehicles},
    {"qFansPreliminary", &Out::qFansPreliminary},
    {"qFansRefined", &Out::qFansRefined},
    {"qFans", &Out::qFans},
    {"shownWalls", &Out::shownWalls},
    {"shownVentilation", &Out::shownVentilation},
    {"shownDoor", &Out::shownDoor},
    {"shownProduct", &Out::shownProduct},
    {"shownRespiration", &Out::shownRespiration},
    {"shownLighting", &Out::shownLighting},
    {"shownStaff", &Out::shownStaff},
    {"shownVehicles", &Out::shownVehicles},
    {"shownFans", &Out::shownFans},
    {"qTotal", &Out::qTotal},
    {"requiredCapacity", &Out::requiredCapacity},
};

constexpr NamedField<Out, std::int16_t> kIntegerResults[] = {
    {"tempDiffWalls", &Out::tempDiffWalls},
    {"tempDiffCeiling", &Out::tempDiffCeiling},
    {"tempDiffFloor", &Out::tempDiffFloor},
};

}  // namespace

std::span<const NamedField<CalculationInputs, float>> floatInputFields() { return kFloatInputs; }
std::span<const NamedField<CalculationInputs, std::string>> textInputFields() { return kTextInputs; }
std::span<const NamedField<CalculationInputs, bool>> flagInputFields() { return kFlagInputs; }
std::span<const NamedField<CalculationResults, float>> floatResultFields() { return kFloatResults; }
std::span<const NamedField<CalculationResults, std::int16_t>> integerResultFields() { return kIntegerResults; }

std::string_view processModeName(ProcessMode mode) { return mode == ProcessMode::Freezing ? "freezing" : "storage"; }

}  // namespace kamerol
