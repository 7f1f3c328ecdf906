#include "core/engine.h"

#include <cmath>

#include "core/number_text.h"
#include "core/rounding.h"
#include "core/tables.h"

namespace kamerol {
namespace {

// A stored result: a 32-bit float, and 0 where the arithmetic has no finite one.
float store(double x) {
  const float f = toSingle(x);
  return std::isfinite(f) ? f : 0.0f;
}

float storeR2(double x) { return store(r2(x)); }

// Surface resistance of the enclosure in units of 0.001 m²·K/W, so that
// temperature difference × area / resistance is in kW.
double resistance(float materialThickness, float materialLambda, float insulationThickness, float insulationLambda) {
  return static_cast<double>(materialThickness) / materialLambda + 150.775376 +
         static_cast<double>(insulationThickness) / insulationLambda;
}

// The temperature difference as a 16-bit integer; 0 when it does not fit.
std::int16_t tempDiff(float outside, float room) { return toInt16(static_cast<double>(outside) - room).value_or(0); }

}  // namespace

EngineOutput computeHeatLoad(const CalculationInputs& in, const CalculationResults& previous,
                             const DimensionTexts& texts, const std::function<void()>& roomChanged) {
  EngineOutput out;
  CalculationResults& r = out.results;
  PanelTexts& panel = out.panel;

  // 1. A negative dimension counts as its magnitude.
  const double length = std::fabs(in.roomLength);
  const double width = std::fabs(in.roomWidth);
  const double height = std::fabs(in.roomHeight);

  // 2.
  if (roomChanged) roomChanged();

  // 3. Areas and volume.
  r.floorArea = storeR2(width * length);
  r.roomVolume = storeR2(width * length * height);
  r.wallArea = store((height * width + height * length) * 2);
  r.ceilingArea = store(width * length);

  // 4. Temperature differences.
  r.tempDiffWalls = tempDiff(in.outsideTempWalls, in.roomTemp);
  r.tempDiffCeiling = tempDiff(in.outsideTempCeiling, in.roomTemp);
  r.tempDiffFloor = tempDiff(in.outsideTempFloor, in.roomTemp);

  // 5. Enclosure.
  r.qWallPart = store(
      r.tempDiffWalls * static_cast<double>(r.wallArea) /
      resistance(in.wallMaterialThickness, in.wallMaterialLambda, in.wallInsulationThickness, in.wallInsulationLambda));
  r.qCeiling = store(r.tempDiffCeiling * static_cast<double>(r.ceilingArea) /
                     resistance(in.ceilingMaterialThickness, in.ceilingMaterialLambda, in.ceilingInsulationThickness,
                                in.ceilingInsulationLambda));
  r.qFloor = store(r.tempDiffFloor * static_cast<double>(r.ceilingArea) /
                   resistance(in.floorMaterialThickness, in.floorMaterialLambda, in.floorInsulationThickness,
                              in.floorInsulationLambda));
  r.qWalls = storeR2(static_cast<double>(r.qCeiling) + r.qWallPart + r.qFloor);

  // 6. Fresh-air ventilation. Without a volume the last rate stays.
  r.ventSpecificHeat = ventilationSpecificHeat(in.roomTemp);
  r.airChangeRate = previous.airChangeRate;
  if (r.roomVolume != 0) r.airChangeRate = store(70 / std::sqrt(static_cast<double>(r.roomVolume)));
  panel.airChangeRate = formatNumber(r2(r.airChangeRate));
  r.qVentilation =
      storeR2(static_cast<double>(r.airChangeRate) * r.roomVolume * static_cast<double>(r.ventSpecificHeat));

  // 7. Door infiltration.
  const double t = in.roomTemp;
  r.roomAirEnthalpy = store(0.0125 * t * t + 1.575 * t + 7.5);
  r.enthalpyDiff = store(67 - static_cast<double>(r.roomAirEnthalpy));
  r.doorArea = store(static_cast<double>(in.doorWidth) * in.doorHeight);
  r.roomAirDensity = store(1.293 / (t / 273.15 + 1));
  {
    const double stackFactor = std::sqrt((1 - 1.17 / r.roomAirDensity) * in.doorHeight);
    const double flowCoefficient = ((28 - t) * 0.067 + 8) * 0.001;
    const double timeFactor = in.doorOpenMinutes / 24.0;
    r.qDoor = storeR2(stackFactor * flowCoefficient * timeFactor * r.doorArea * r.enthalpyDiff * r.roomAirDensity *
                      (1 - static_cast<double>(in.curtainEfficiency)));
  }

  // 8. Product, first on a 24-hour basis, a later case overwriting an earlier one.
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
    const auto cooled = [&](double seconds) { return store(m * c1 * (t1 - t2) / seconds); };
    const auto frozen = [&](double seconds) { return store(m * c2 * (t1 - t2) / seconds); };
    const auto through = [&](double seconds) {
      const float aboveFreezing = store(m * c1 * (t1 - tf));
      const float belowFreezing = store(m * c2 * (tf - t2));
      return store((latent * m + aboveFreezing + belowFreezing) / seconds);
    };
    float q = 0;
    if (cooledOnly) q = cooled(86400);
    if (alreadyFrozen) q = frozen(86400);
    if (frozenThrough) q = through(86400);
    // Freezing mode spreads the heat over the freezing time instead; the cases
    // are taken in a different order here, which decides the case t1 = tf.
    if (in.equipHours != 0 && in.processMode == ProcessMode::Freezing) {
      const double seconds = static_cast<double>(in.equipHours) * 3600;
      if (frozenThrough) q = through(store(seconds));
      if (cooledOnly) q = cooled(seconds);
      if (alreadyFrozen) q = frozen(seconds);
    }
    r.qProduct = q;
  }

  // 9. Respiration of the stored mass, in both modes.
  r.qRespiration = store(static_cast<double>(in.storedMass) * in.respirationHeat / 3600000);

  // 10. Lighting, with the rounded floor area.
  out.lightingPower = in.useRecommendedLighting ? 5.0f : in.lightingPower;
  out.lightingPowerText = formatNumber(out.lightingPower);
  r.qLighting =
      store(static_cast<double>(in.lightingHours) * out.lightingPower * static_cast<double>(r.floorArea) / 24000);

  // 11. Staff, for the lighting hours.
  r.heatPerPerson = store(t * -6 + 270);
  r.qStaff = store(static_cast<double>(in.staffCount) * 0.00004167 * r.heatPerPerson * in.lightingHours);

  // 12. Loading vehicles, for the lighting hours.
  r.qVehicles = store(static_cast<double>(in.vehiclePower) * 0.0416667 * in.lightingHours);

  // 13. Results panel (aa1). Its zero tests compare texts, not numbers.
  const bool noArea = texts.width == "0" || texts.length == "0";
  panel.floorArea = noArea ? "0" : formatNumber(r.floorArea);
  const bool allDimensions = !texts.width.empty() && !texts.length.empty() && !texts.height.empty();
  panel.roomVolume = allDimensions ? formatNumber(r.roomVolume) : "0";
  const bool noVolume = panel.roomVolume == "0";

  // `allowed`: the panel's own condition beside the gain's check box.
  const auto show = [&](Gain gain, float value, bool allowed = true) {
    const GainRow& row = gainRow(gain);
    float& shown = r.*(row.shown);
    shown = in.*(row.include) && allowed ? r2(value) : 0.0f;
    panel.gains[static_cast<int>(gain)] = formatNumber(shown);
  };
  show(Gain::Walls, r.qWalls, !noVolume);
  show(Gain::Ventilation, r.qVentilation, !noVolume && panel.airChangeRate != "0");
  show(Gain::Door, r.qDoor);
  show(Gain::Product, r.qProduct);
  panel.freezingPoint = formatNumber(in.freezingPoint);
  show(Gain::Respiration, r.qRespiration);
  show(Gain::Lighting, r.qLighting);
  show(Gain::Staff, r.qStaff);
  show(Gain::Vehicles, r.qVehicles);

  // 14. Fans: an allowance on the eight shown gains, or count × power.
  const double shownSum = static_cast<double>(r.shownVentilation) + r.shownWalls + r.shownDoor + r.shownProduct +
                          r.shownRespiration + r.shownLighting + r.shownStaff + r.shownVehicles;
  r.qFansPreliminary = store(shownSum * (static_cast<double>(in.equipHours) * in.fanPercent) / 2400);
  r.qFansRefined = store(static_cast<double>(in.fanPower) * in.fanCount * 0.001);
  r.qFans = in.refinedFanCalc ? r.qFansRefined : r.qFansPreliminary;
  show(Gain::Fans, r.qFans);

  // 15. Total of the shown gains, unrounded.
  r.qTotal = store(shownSum + r.shownFans);
  panel.total = formatNumber(r2(r.qTotal));

  // 16. Required capacity; without equipment hours the last one stays.
  if (in.equipHours == 0) {
    r.requiredCapacity = previous.requiredCapacity;
    panel.requiredCapacityBlack = true;
  } else {
    r.requiredCapacity = store(static_cast<double>(in.reserveFactor) * r.qTotal * 24 / in.equipHours);
    panel.requiredCapacity = formatNumber(r2(r.requiredCapacity));
  }
  return out;
}

}  // namespace kamerol
