#include "core/engine.h"

#include <cmath>

#include "core/gains.h"
#include "core/method_constants.h"
#include "core/rounding.h"
#include "core/tables.h"

namespace kamerol {

using namespace method;

namespace {

// A stored result: a 32-bit float, and 0 where the arithmetic has no finite one.
float store(double x) {
  const float f = toSingle(x);
  return std::isfinite(f) ? f : 0.0f;
}

float storeR2(double x) { return store(r2(x)); }

double resistance(float materialThickness, float materialLambda, float insulationThickness, float insulationLambda) {
  return static_cast<double>(materialThickness) / materialLambda + kSurfaceResistance +
         static_cast<double>(insulationThickness) / insulationLambda;
}

// The temperature difference as a 16-bit integer; 0 when it does not fit.
std::int16_t tempDiff(float outside, float room) { return toInt16(static_cast<double>(outside) - room).value_or(0); }

}  // namespace

HeatLoad computeHeatLoad(const CalculationInputs& in, const CalculationResults& previous) {
  HeatLoad load;
  CalculationResults& r = load.results;

  // A negative dimension counts as its magnitude.
  const double length = std::fabs(in.roomLength);
  const double width = std::fabs(in.roomWidth);
  const double height = std::fabs(in.roomHeight);

  // Areas and volume.
  r.floorArea = storeR2(width * length);
  r.roomVolume = storeR2(width * length * height);
  r.wallArea = store((height * width + height * length) * 2);
  r.ceilingArea = store(width * length);

  // Temperature differences.
  r.tempDiffWalls = tempDiff(in.outsideTempWalls, in.roomTemp);
  r.tempDiffCeiling = tempDiff(in.outsideTempCeiling, in.roomTemp);
  r.tempDiffFloor = tempDiff(in.outsideTempFloor, in.roomTemp);

  // Enclosure.
  SurfaceResistances& resist = load.resistance;
  resist.walls =
      resistance(in.wallMaterialThickness, in.wallMaterialLambda, in.wallInsulationThickness, in.wallInsulationLambda);
  resist.ceiling = resistance(in.ceilingMaterialThickness, in.ceilingMaterialLambda, in.ceilingInsulationThickness,
                              in.ceilingInsulationLambda);
  resist.floor = resistance(in.floorMaterialThickness, in.floorMaterialLambda, in.floorInsulationThickness,
                            in.floorInsulationLambda);
  r.qWallPart = store(r.tempDiffWalls * static_cast<double>(r.wallArea) / resist.walls);
  r.qCeiling = store(r.tempDiffCeiling * static_cast<double>(r.ceilingArea) / resist.ceiling);
  r.qFloor = store(r.tempDiffFloor * static_cast<double>(r.ceilingArea) / resist.floor);
  r.qWalls = storeR2(static_cast<double>(r.qCeiling) + r.qWallPart + r.qFloor);

  // Fresh-air ventilation. Without a volume the last rate stays.
  r.ventSpecificHeat = ventilationSpecificHeat(in.roomTemp);
  r.airChangeRate = previous.airChangeRate;
  if (r.roomVolume != 0) r.airChangeRate = store(kAirChangeFactor / std::sqrt(static_cast<double>(r.roomVolume)));
  r.qVentilation =
      storeR2(static_cast<double>(r.airChangeRate) * r.roomVolume * static_cast<double>(r.ventSpecificHeat));

  // Door infiltration.
  const double t = in.roomTemp;
  r.roomAirEnthalpy = store(kEnthalpyQuadratic * t * t + kEnthalpyLinear * t + kEnthalpyAtZero);
  r.enthalpyDiff = store(kOutsideAirEnthalpy - static_cast<double>(r.roomAirEnthalpy));
  r.doorArea = store(static_cast<double>(in.doorWidth) * in.doorHeight);
  r.roomAirDensity = store(kAirDensityAtZero / (t / kCelsiusToKelvin + 1));
  {
    const double stackFactor = std::sqrt((1 - kOutsideAirDensity / r.roomAirDensity) * in.doorHeight);
    const double flowCoefficient = ((kDoorFlowTemp - t) * kDoorFlowSlope + kDoorFlowBase) * kDoorFlowScale;
    const double timeFactor = in.doorOpenMinutes / kHoursPerDay;
    r.qDoor = storeR2(stackFactor * flowCoefficient * timeFactor * r.doorArea * r.enthalpyDiff * r.roomAirDensity *
                      (1 - static_cast<double>(in.curtainEfficiency)));
  }

  // Product, first on a 24-hour basis, a later case overwriting an earlier one.
  {
    const double m = in.dailyMass;
    const double t1 = in.productInitialTemp;
    const double t2 = in.productFinalTemp;
    const double tf = in.freezingPoint;
    const double c1 = in.heatCapacityAbove;
    const double c2 = in.heatCapacityBelow;
    const double latent = in.latentHeat;
    const bool cooledOnly = t2 > tf;
    const bool alreadyFrozen = t1 <= tf && t2 < tf;
    const bool frozenThrough = t1 >= tf && tf > t2;
    ProductPhases& phases = load.product;
    const auto cooled = [&](double seconds) {
      phases = {.cooling = store(m * c1 * (t1 - t2)), .seconds = seconds};
      return store(m * c1 * (t1 - t2) / seconds);
    };
    const auto frozen = [&](double seconds) {
      phases = {.subCooling = store(m * c2 * (t1 - t2)), .seconds = seconds};
      return store(m * c2 * (t1 - t2) / seconds);
    };
    const auto through = [&](double seconds) {
      const float aboveFreezing = store(m * c1 * (t1 - tf));
      const float belowFreezing = store(m * c2 * (tf - t2));
      phases = {
          .cooling = aboveFreezing, .freezing = store(latent * m), .subCooling = belowFreezing, .seconds = seconds};
      return store((latent * m + aboveFreezing + belowFreezing) / seconds);
    };
    float q = 0;
    if (cooledOnly) q = cooled(kSecondsPerDay);
    if (alreadyFrozen) q = frozen(kSecondsPerDay);
    if (frozenThrough) q = through(kSecondsPerDay);
    // Freezing mode spreads the heat over the freezing time instead; the cases
    // are taken in a different order here, which decides the case t1 = tf.
    if (in.equipHours != 0 && in.processMode == ProcessMode::Freezing) {
      const double seconds = static_cast<double>(in.equipHours) * kSecondsPerHour;
      if (frozenThrough) q = through(store(seconds));
      if (cooledOnly) q = cooled(seconds);
      if (alreadyFrozen) q = frozen(seconds);
    }
    r.qProduct = q;
  }

  // Respiration of the stored mass, in both modes.
  r.qRespiration = store(static_cast<double>(in.storedMass) * in.respirationHeat / kJoulesPerHourPerKilowatt);

  // Lighting, with the rounded floor area.
  load.lightingPower = in.useRecommendedLighting ? static_cast<float>(kRecommendedLightingPower) : in.lightingPower;
  r.qLighting = store(static_cast<double>(in.lightingHours) * load.lightingPower * static_cast<double>(r.floorArea) /
                      kLightingDivisor);

  // Staff, for the lighting hours.
  r.heatPerPerson = store(t * -kHeatPerPersonPerDegree + kHeatPerPersonAtZero);
  r.qStaff = store(static_cast<double>(in.staffCount) * kStaffFactor * r.heatPerPerson * in.lightingHours);

  // Loading vehicles, for the lighting hours.
  r.qVehicles = store(static_cast<double>(in.vehiclePower) * kVehicleFactor * in.lightingHours);

  // The counted value of the first eight gains.
  const bool hasVolume = r.roomVolume != 0;
  const auto count = [&](Gain gain, float value, bool allowed = true) {
    const GainRow& row = gainRow(gain);
    r.*(row.shown) = in.*(row.include) && allowed ? r2(value) : 0.0f;
  };
  count(Gain::Walls, r.qWalls, hasVolume);
  count(Gain::Ventilation, r.qVentilation, hasVolume && r2(r.airChangeRate) != 0);
  count(Gain::Door, r.qDoor);
  count(Gain::Product, r.qProduct);
  count(Gain::Respiration, r.qRespiration);
  count(Gain::Lighting, r.qLighting);
  count(Gain::Staff, r.qStaff);
  count(Gain::Vehicles, r.qVehicles);

  sumCountedGains(load, in, previous);
  return load;
}

void sumCountedGains(HeatLoad& load, const CalculationInputs& in, const CalculationResults& previous) {
  CalculationResults& r = load.results;

  // Fans: an allowance on the eight counted gains, or count × power.
  const double countedSum = static_cast<double>(r.shownVentilation) + r.shownWalls + r.shownDoor + r.shownProduct +
                            r.shownRespiration + r.shownLighting + r.shownStaff + r.shownVehicles;
  r.qFansPreliminary = store(countedSum * (static_cast<double>(in.equipHours) * in.fanPercent) / kFanAllowanceDivisor);
  r.qFansRefined = store(static_cast<double>(in.fanPower) * in.fanCount * kKilowattsPerWatt);
  r.qFans = in.refinedFanCalc ? r.qFansRefined : r.qFansPreliminary;
  r.shownFans = in.includeFans ? r2(r.qFans) : 0.0f;

  // Total of the counted gains, unrounded.
  r.qTotal = store(countedSum + r.shownFans);

  // Required capacity; without equipment hours the last one stays.
  load.capacityComputed = in.equipHours != 0;
  r.requiredCapacity = load.capacityComputed
                           ? store(static_cast<double>(in.reserveFactor) * r.qTotal * kHoursPerDay / in.equipHours)
                           : previous.requiredCapacity;
}

}  // namespace kamerol
