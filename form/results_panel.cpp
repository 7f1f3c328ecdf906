#include "form/results_panel.h"

#include "core/number_text.h"
#include "core/rounding.h"

namespace kamerol {

PanelTexts fillResultsPanel(HeatLoad& load, const CalculationInputs& in, const CalculationResults& previous,
                            const DimensionTexts& texts) {
  CalculationResults& r = load.results;
  PanelTexts panel;
  panel.airChangeRate = formatNumber(r2(r.airChangeRate));
  panel.lightingPower = formatNumber(load.lightingPower);

  const bool noArea = texts.width == "0" || texts.length == "0";
  panel.floorArea = noArea ? "0" : formatNumber(r.floorArea);
  const bool allDimensions = !texts.width.empty() && !texts.length.empty() && !texts.height.empty();
  panel.roomVolume = allDimensions ? formatNumber(r.roomVolume) : "0";
  // The engine counts the walls and the ventilation with a volume; a missing
  // dimension shows none, and then they do not count either.
  if (!allDimensions && (r.shownWalls != 0 || r.shownVentilation != 0)) {
    r.shownWalls = 0;
    r.shownVentilation = 0;
    sumCountedGains(load, in, previous);
  }

  for (const GainRow& row : kGains) panel.gains[static_cast<int>(row.gain)] = formatNumber(r.*(row.shown));
  panel.freezingPoint = formatNumber(in.freezingPoint);
  panel.total = formatNumber(r2(r.qTotal));
  panel.requiredCapacityBlack = !load.capacityComputed;
  if (load.capacityComputed) panel.requiredCapacity = formatNumber(r2(r.requiredCapacity));
  return panel;
}

}  // namespace kamerol
