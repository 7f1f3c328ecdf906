#pragma once

// The nine heat gains as one indexed list: how each is named (its key, its
// caption on the results panel, its title and symbol on the report, which the
// trace, the chart and the tooltips use too, its unit), the record's flag that
// includes it and the record's field that holds its shown value; then the sum
// and the required capacity, named alike. The window's panel, the command
// line's table and JSON, the report, the chart, the trace and the engine read
// them from here.

#include <array>
#include <string>
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

// How the system names one result, wherever it shows it.
struct ResultName {
  std::string_view key;      // in machine-readable output
  std::string_view caption;  // beside its box on the results panel
  std::string_view title;    // on the report and the clipboard
  std::string_view symbol;   // in formulas: the report's, the trace's, the chart's and the tooltips'
  std::string_view unit;
};

inline constexpr std::string_view kKilowatt = "кВт";

struct GainRow : ResultName {
  Gain gain;
  bool CalculationInputs::*include;
  float CalculationResults::*shown;  // included and rounded, as the panel shows it
};

inline constexpr std::array<GainRow, kGainCount> kGains = {{
    {{"walls", "Через стены", "Суммарный теплоприток через стены", "Qстен", kKilowatt},
     Gain::Walls,
     &CalculationInputs::includeWalls,
     &CalculationResults::shownWalls},
    {{"ventilation", "От вентиляции", "Теплоприток от обменной вентиляции", "Qвен", kKilowatt},
     Gain::Ventilation,
     &CalculationInputs::includeVentilation,
     &CalculationResults::shownVentilation},
    {{"door", "Через дверь", "Теплоприток через дверь", "Qинф", kKilowatt},
     Gain::Door,
     &CalculationInputs::includeDoor,
     &CalculationResults::shownDoor},
    {{"product", "От продукта", "Теплоприток от продукта", "Qпрод", kKilowatt},
     Gain::Product,
     &CalculationInputs::includeProduct,
     &CalculationResults::shownProduct},
    {{"respiration", "\"От дыхания\"", "Теплоприток от \"дыхания\" продукта", "Qдых", kKilowatt},
     Gain::Respiration,
     &CalculationInputs::includeRespiration,
     &CalculationResults::shownRespiration},
    {{"lighting", "От освещения", "Теплоприток от освещения", "Qосв", kKilowatt},
     Gain::Lighting,
     &CalculationInputs::includeLighting,
     &CalculationResults::shownLighting},
    {{"staff", "От персонала", "Теплоприток от персонала", "Qперс", kKilowatt},
     Gain::Staff,
     &CalculationInputs::includeStaff,
     &CalculationResults::shownStaff},
    {{"vehicles", "От ПТС", "Теплоприток от ПТС", "Qптс", kKilowatt},
     Gain::Vehicles,
     &CalculationInputs::includeVehicles,
     &CalculationResults::shownVehicles},
    {{"fans", "От вент. ВО", "Теплоприток от вентиляторов ВО", "Qво", kKilowatt},
     Gain::Fans,
     &CalculationInputs::includeFans,
     &CalculationResults::shownFans},
}};

constexpr const GainRow& gainRow(Gain gain) { return kGains[static_cast<std::size_t>(gain)]; }

constexpr bool gainsInOrder() {
  for (int i = 0; i < kGainCount; ++i)
    if (static_cast<int>(kGains[static_cast<std::size_t>(i)].gain) != i) return false;
  return true;
}
static_assert(gainsInOrder(), "kGains is indexed by Gain");

// The two rows under the gains.
inline constexpr ResultName kTotal = {"sum", "Суммарно", "Суммарный теплоприток", "Qсум", kKilowatt};
inline constexpr ResultName kRequiredCapacity = {"requiredCapacity", "С учетом к-та запаса и времени р-ты оборудования",
                                                 "Потребная холодопроизводительность", "Qтреб", kKilowatt};

// The report's caption of a result: its title, then its symbol where the
// report shows one (the gains'), then its unit: "Теплоприток через дверь Qинф,
// кВт", "Суммарный теплоприток, кВт". The chart captions the sum and the
// required capacity alike.
inline std::string reportCaption(const ResultName& name, bool withSymbol) {
  std::string caption(name.title);
  if (withSymbol) caption.append(" ").append(name.symbol);
  return caption.append(", ").append(name.unit);
}

}  // namespace kamerol
