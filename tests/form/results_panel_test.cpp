#include "form/results_panel.h"

#include <gtest/gtest.h>

#include "core/worked_example.h"

namespace kamerol {
namespace {

constexpr DimensionTexts kWorkedTexts{"500", "400", "300"};

PanelTexts fill(const CalculationInputs& in, const DimensionTexts& texts = kWorkedTexts,
                const CalculationResults& previous = {}) {
  HeatLoad load = computeHeatLoad(in, previous);
  return fillResultsPanel(load, in, previous, texts);
}

TEST(ResultsPanelTest, WorkedExample) {
  const PanelTexts panel = fill(workedExampleInputs());
  EXPECT_EQ(panel.floorArea, "20");
  EXPECT_EQ(panel.roomVolume, "60");
  EXPECT_EQ(panel.airChangeRate, "9.04");
  EXPECT_EQ(panel.freezingPoint, "-1.5");
  const char* gains[] = {"0.63", "0.46", "0", "0", "0", "0", "0", "0", "0.08"};
  for (int i = 0; i < kGainCount; ++i) EXPECT_EQ(panel.gains[i], gains[i]) << i;
  EXPECT_EQ(panel.total, "1.17");
  EXPECT_EQ(panel.requiredCapacity, "1.64");
  EXPECT_FALSE(panel.requiredCapacityBlack);
  EXPECT_EQ(panel.lightingPower, "5");
}

TEST(ResultsPanelTest, WithoutEquipmentHoursTheCapacityBoxTurnsBlackAndKeepsItsText) {
  CalculationInputs in = workedExampleInputs();
  in.equipHours = 0;
  const PanelTexts panel = fill(in);
  EXPECT_TRUE(panel.requiredCapacityBlack);
  EXPECT_FALSE(panel.requiredCapacity.has_value());
}

TEST(ResultsPanelTest, ZeroTestsCompareTexts) {
  CalculationInputs in = workedExampleInputs();
  in.roomLength = 0;
  // A length of "0": area and volume show "0", and so do walls and
  // ventilation, although the walls themselves still carry heat.
  HeatLoad load = computeHeatLoad(in);
  PanelTexts panel = fillResultsPanel(load, in, {}, {"0", "400", "300"});
  EXPECT_EQ(panel.floorArea, "0");
  EXPECT_EQ(panel.roomVolume, "0");
  EXPECT_GT(load.results.qWallPart, 0.0f);
  EXPECT_EQ(panel.gains[int(Gain::Walls)], "0");
  EXPECT_EQ(panel.gains[int(Gain::Ventilation)], "0");
  EXPECT_EQ(load.results.shownWalls, 0.0f);

  // An empty length: the area shows the computed 0, the volume "0".
  panel = fill(in, {"", "400", "300"});
  EXPECT_EQ(panel.floorArea, "0");
  EXPECT_EQ(panel.roomVolume, "0");

  // "0.0" is not the text "0": the area box shows the number.
  panel = fill(workedExampleInputs(), {"500", "400", "0.0"});
  EXPECT_EQ(panel.floorArea, "20");
  EXPECT_EQ(panel.roomVolume, "60");
}

TEST(ResultsPanelTest, AMissingDimensionTakesWallsAndVentilationOutOfTheSum) {
  // The held values still make a room; its emptied height text does not.
  HeatLoad load = computeHeatLoad(workedExampleInputs());
  const PanelTexts panel = fillResultsPanel(load, workedExampleInputs(), {}, {"500", "400", ""});
  EXPECT_EQ(panel.roomVolume, "0");
  EXPECT_EQ(panel.gains[int(Gain::Walls)], "0");
  EXPECT_EQ(panel.gains[int(Gain::Ventilation)], "0");
  EXPECT_EQ(panel.gains[int(Gain::Fans)], "0");
  EXPECT_EQ(panel.total, "0");
  EXPECT_EQ(load.results.qTotal, 0.0f);
}

}  // namespace
}  // namespace kamerol
