#include "core/defaults.h"

#include <string>

#include "core/materials.h"
#include "core/method_constants.h"
#include "core/products.h"
#include "core/record_fields.h"
#include "core/tables.h"

namespace kamerol {

CalculationInputs defaultInputs() {
  CalculationInputs in;
  // What the fields are set to.
  for (const NumberInput& f : floatInputFields())
    if (f.initial) in.*f.member = initialHeld(f);
  for (const TextInput& f : textInputFields())
    if (f.initial) in.*f.member = std::string(*f.initial);
  for (const FlagInput& f : flagInputFields())
    if (f.initial) in.*f.member = *f.initial;

  // What the lists' look-ups make of their texts.
  const auto lambda = [](MaterialList list, const std::string& name) { return findMaterial(list, name)->lambda; };
  in.wallMaterialLambda = lambda(MaterialList::Building, in.wallMaterial);
  in.ceilingMaterialLambda = lambda(MaterialList::Building, in.ceilingMaterial);
  in.floorMaterialLambda = lambda(MaterialList::Building, in.floorMaterial);
  in.wallInsulationLambda = lambda(MaterialList::Insulation, in.wallInsulation);
  in.ceilingInsulationLambda = lambda(MaterialList::Insulation, in.ceilingInsulation);
  in.floorInsulationLambda = lambda(MaterialList::Insulation, in.floorInsulation);
  const Curtain curtain = *findCurtain(in.curtainType);
  in.curtainName = curtain.name;
  in.curtainEfficiency = curtain.efficiency;
  // Choosing the category selects its first product.
  const Product product = *findProduct(productsOf(in.productCategory).front());
  in.productName = product.name;
  applyProductProperties(in, product.properties);

  // The engine puts in the recommended lighting power, which its field then takes.
  if (in.useRecommendedLighting) in.lightingPower = static_cast<float>(method::kRecommendedLightingPower);
  return in;
}

}  // namespace kamerol
