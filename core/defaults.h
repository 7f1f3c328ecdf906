#pragma once

#include "core/record.h"

namespace kamerol {

// The inputs of a new calculation: the values that loading the defaults on the
// form ends with, after every field's change handling and the engine have run
// (so the lighting power is the recommended 5 W/m², the product's properties
// are those of the default product). The processing mode and the inclusion
// flags take their values at form creation; loading defaults leaves them alone.
CalculationInputs defaultInputs();

}  // namespace kamerol
