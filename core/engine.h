#pragma once

// The heat-load engine (OSNOVNAY) as a plain function of numbers: the held
// values of a calculation go in; every gain, their sum, the required capacity
// and the figures an engineer checks them by come out. What the results panel
// shows of them is the form's business.

#include <cstdint>

#include "core/record.h"

namespace kamerol {

// The heat the day's product gives up, by phase, in kJ, and the time in
// seconds it is spread over. Only the phases of the case that decided the
// product gain are filled.
struct ProductPhases {
  float cooling = 0;     // down to the freezing point, or to the final temperature above it
  float freezing = 0;    // the latent heat
  float subCooling = 0;  // below the freezing point
  double seconds = 0;    // 86400, or the freezing time; 0 when no case applies
};

// Resistance of an enclosure surface in units of 0.001 m²·K/W, so that
// temperature difference × area / resistance is in kW.
struct SurfaceResistances {
  double walls = 0;
  double ceiling = 0;
  double floor = 0;
};

struct HeatLoad {
  // What the calculation record keeps: areas and volume, the temperature
  // differences, the ventilation rate and specific heat, the door's area,
  // density and enthalpy difference, the nine gains with their counted
  // (included, rounded) values, the fan allowance, the sum and the required
  // capacity.
  CalculationResults results;
  SurfaceResistances resistance;
  ProductPhases product;
  float lightingPower = 0;  // W/m² the run used: the recommended 5 when that is on
  // False without equipment hours: the required capacity is the previous one.
  bool capacityComputed = false;
};

// One run. `previous` supplies what survives a run: the air-change rate of a
// room without volume and the required capacity without equipment hours.
//
// A gain counts (its `shown...` value) rounded and when it is included; the
// walls and the ventilation count only for a room with a volume, and the
// ventilation only with an air-change rate that does not round to 0.
//
// Every value a run stores is finite: a step that overflows or has no real
// result (a door in a room warmer than about 28.7 °C, a 16-bit temperature
// difference out of range) counts as 0.
HeatLoad computeHeatLoad(const CalculationInputs& inputs, const CalculationResults& previous = {});

// The fan allowance, the sum and the required capacity again, from counted
// values that changed after the run.
void sumCountedGains(HeatLoad& load, const CalculationInputs& inputs, const CalculationResults& previous);

}  // namespace kamerol
