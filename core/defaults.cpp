#include "core/defaults.h"

#include "core/materials.h"
#include "core/products.h"

namespace kamerol {

CalculationInputs defaultInputs() {
  CalculationInputs in;
  for (const NumberInput& f : record_detail::kNumberInputs) in.*(f.member) = f.initial;

  in.wallMaterial = in.ceilingMaterial = in.floorMaterial = "Железобетон";
  in.wallMaterialLambda = in.ceilingMaterialLambda = in.floorMaterialLambda = 1.7f;
  in.wallInsulation = in.ceilingInsulation = in.floorInsulation = "Пенополиуритан";
  in.wallInsulationLambda = in.ceilingInsulationLambda = in.floorInsulationLambda = 0.025f;
  in.curtainType = in.curtainName = "Нет";

  in.productCategory = "Мясные";
  const Product lamb = *findProduct("Баранина");
  in.productName = lamb.name;
  applyProductProperties(in, lamb.properties);

  in.useRecommendedLighting = true;
  return in;
}

}  // namespace kamerol
