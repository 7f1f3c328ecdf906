#pragma once

// The nine heat gains as one indexed list: the caption the results panel
// gives each, the record's flag that includes it and the record's field that
// holds its shown value. The window's panel, the command line's table and
// JSON, the report and the engine read them from here.

#include <array>
#include <string_view>

#include "core/record.h"

namespace kamerol {

// Indexes of the nine gains, in the order of the results panel.
enum class Gain : int {
  Walls,
  Ventilation,
  Door,
  Product,
  Respiration,
  Lighting,
  Staff,
  Vehicles,
  Fans,
};
inline constexpr int kGainCount = 9;

struct GainRow {
  Gain gain;
  std::string_view caption;
  bool CalculationInputs::*include;
  float CalculationResults::*shown;  // included and rounded, as the panel shows it
};

inline constexpr std::array<GainRow, kGainCount> kGains = {{
    {Gain::Walls, "Через стены", &CalculationInputs::includeWalls, &CalculationResults::shownWalls},
    {Gain::Ventilation, "От вентиляции", &CalculationInputs::includeVentilation, &CalculationResults::shownVentilation},
    {Gain::Door, "Через дверь", &CalculationInputs::includeDoor, &CalculationResults::shownDoor},
    {Gain::Product, "От продукта", &CalculationInputs::includeProduct, &CalculationResults::shownProduct},
    {Gain::Respiration, "\"От дыхания\"", &CalculationInputs::includeRespiration,
     &CalculationResults::shownRespiration},
    {Gain::Lighting, "От освещения", &CalculationInputs::includeLighting, &CalculationResults::shownLighting},
    {Gain::Staff, "От персонала", &CalculationInputs::includeStaff, &CalculationResults::shownStaff},
    {Gain::Vehicles, "От ПТС", &CalculationInputs::includeVehicles, &CalculationResults::shownVehicles},
    {Gain::Fans, "От вент. ВО", &CalculationInputs::includeFans, &CalculationResults::shownFans},
}};

constexpr const GainRow& gainRow(Gain gain) { return kGains[static_cast<std::size_t>(gain)]; }

constexpr bool gainsInOrder() {
  for (int i = 0; i < kGainCount; ++i)
    if (static_cast<int>(kGains[static_cast<std::size_t>(i)].gain) != i) return false;
  return true;
}
static_assert(gainsInOrder(), "kGains is indexed by Gain");

// The two rows under the gains.
inline constexpr std::string_view kTotalCaption = "Суммарно";
inline constexpr std::string_view kRequiredCapacityCaption = "С учетом к-та запаса и времени р-ты оборудования";

}  // namespace kamerol
