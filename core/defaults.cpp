#include "core/defaults.h"

#include "core/materials.h"
#include "core/products.h"

namespace kamerol {

CalculationInputs defaultInputs() {
  CalculationInputs in;
  in.equipHours = 18;
  in.reserveFactor = 1.05f;

  in.wallMaterial = in.ceilingMaterial = in.floorMaterial = "Железобетон";
  in.wallMaterialLambda = in.ceilingMaterialLambda = in.floorMaterialLambda = 1.7f;
  in.wallInsulation = in.ceilingInsulation = in.floorInsulation = "Пенополиуритан";
  in.wallInsulationLambda = in.ceilingInsulationLambda = in.floorInsulationLambda = 0.025f;
  in.wallInsulationThickness = in.ceilingInsulationThickness = in.floorInsulationThickness = 100;
  in.outsideTempWalls = in.outsideTempCeiling = in.outsideTempFloor = 28;

  in.doorHeight = 2.3f;
  in.doorWidth = 1.8f;
  in.curtainType = in.curtainName = "Нет";

  in.productCategory = "Мясные";
  const Product lamb = *findProduct("Баранина");
  in.productName = lamb.name;
  applyProductProperties(in, lamb.properties);

  in.lightingHours = 1;
  in.useRecommendedLighting = true;
  in.lightingPower = 5;  // the recommended power the engine puts in
  in.fanPercent = 10;
  return in;
}

}  // namespace kamerol
