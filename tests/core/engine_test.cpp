#include "core/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/defaults.h"
#include "core/products.h"

namespace kamerol {
namespace {

// The worked example: a 500 × 400 × 300 cm room at 0 °C, defaults otherwise.
CalculationInputs workedExample() {
  CalculationInputs in = defaultInputs();
  in.roomLength = 5;
  in.roomWidth = 4;
  in.roomHeight = 3;
  return in;
}

constexpr DimensionTexts kWorkedTexts{"500", "400", "300"};

EngineOutput run(const CalculationInputs& in, const CalculationResults& previous = {},
                 const DimensionTexts& texts = kWorkedTexts) {
  return computeHeatLoad(in, previous, texts);
}

void setProduct(CalculationInputs& in, const char* name) {
  const Product p = *findProduct(name);
  in.productName = p.name;
  applyProductProperties(in, p.properties);
}

std::vector<float> allFloatResults(const CalculationResults& r) {
  return {r.floorArea,       r.roomVolume,       r.wallArea,         r.ceilingArea,    r.qWallPart,
          r.qCeiling,        r.qFloor,           r.qWalls,           r.airChangeRate,  r.ventSpecificHeat,
          r.qVentilation,    r.roomAirEnthalpy,  r.enthalpyDiff,     r.roomAirDensity, r.doorArea,
          r.qDoor,           r.qProduct,         r.qRespiration,     r.qLighting,      r.heatPerPerson,
          r.qStaff,          r.qVehicles,        r.qFansPreliminary, r.qFansRefined,   r.qFans,
          r.shownWalls,      r.shownVentilation, r.shownDoor,        r.shownProduct,   r.shownRespiration,
          r.shownLighting,   r.shownStaff,       r.shownVehicles,    r.shownFans,      r.qTotal,
          r.requiredCapacity};
}

std::vector<std::string> allTexts(const EngineOutput& out) {
  std::vector<std::string> t = {out.panel.floorArea,     out.panel.roomVolume, out.panel.airChangeRate,
                                out.panel.freezingPoint, out.panel.total,      out.lightingPowerText};
  for (const auto& g : out.panel.gains) t.push_back(g);
  if (out.panel.requiredCapacity) t.push_back(*out.panel.requiredCapacity);
  return t;
}

TEST(EngineTest, WorkedExampleToTheDigit) {
  const EngineOutput out = run(workedExample());
  const CalculationResults& r = out.results;
  EXPECT_EQ(r.floorArea, 20.0f);
  EXPECT_EQ(r.roomVolume, 60.0f);
  EXPECT_EQ(r.wallArea, 54.0f);
  EXPECT_EQ(r.ceilingArea, 20.0f);
  EXPECT_EQ(r.tempDiffWalls, 28);
  // 28 × 54 / 4150.775..., with the insulation's conductivity as the float 0.025.
  EXPECT_NEAR(r.qWallPart, 0.36427, 1e-5);
  EXPECT_NEAR(r.qCeiling, 0.13491, 1e-5);
  EXPECT_EQ(r.qFloor, r.qCeiling);
  EXPECT_EQ(r.qWalls, 0.63f);
  EXPECT_NEAR(r.airChangeRate, 9.037, 1e-3);
  EXPECT_EQ(r.ventSpecificHeat, 0.00085f);
  EXPECT_EQ(r.qVentilation, 0.46f);
  EXPECT_EQ(r.qDoor, 0.0f);
  EXPECT_NEAR(r.qLighting, 0.0041667, 1e-6);
  EXPECT_EQ(r.shownLighting, 0.0f);
  EXPECT_NEAR(r.qFansPreliminary, 0.08175, 1e-6);
  EXPECT_EQ(r.shownFans, 0.08f);
  EXPECT_NEAR(r.qTotal, 1.17, 1e-6);
  EXPECT_NEAR(r.requiredCapacity, 1.638, 1e-3);

  EXPECT_EQ(out.panel.floorArea, "20");
  EXPECT_EQ(out.panel.roomVolume, "60");
  EXPECT_EQ(out.panel.airChangeRate, "9.04");
  EXPECT_EQ(out.panel.freezingPoint, "-1.5");
  const char* gains[] = {"0.63", "0.46", "0", "0", "0", "0", "0", "0", "0.08"};
  for (int i = 0; i < kGainCount; ++i) EXPECT_EQ(out.panel.gains[i], gains[i]) << i;
  EXPECT_EQ(out.panel.total, "1.17");
  EXPECT_EQ(out.panel.requiredCapacity, "1.64");
  EXPECT_FALSE(out.panel.requiredCapacityBlack);
  EXPECT_EQ(out.lightingPower, 5.0f);
  EXPECT_EQ(out.lightingPowerText, "5");
}

struct ProductCase {
  const char* name;
  ProcessMode mode;
  float initial;
  float final;
  double expected;  // kW
};

class ProductGainTest : public testing::TestWithParam<ProductCase> {};

TEST_P(ProductGainTest, FollowsTheCases) {
  const ProductCase c = GetParam();
  CalculationInputs in = workedExample();
  in.processMode = c.mode;
  in.dailyMass = 1000;
  in.productInitialTemp = c.initial;
  in.productFinalTemp = c.final;
  EXPECT_NEAR(run(in).results.qProduct, c.expected, 5e-4) << c.name;
}

// Lamb: freezing point -1.5 °C, c1 3.06, c2 1.72, r 222.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProductGainTest,
    testing::Values(
        ProductCase{"frozen through over 18 h", ProcessMode::Freezing, 20, -18, (222000 + 65790 + 28380) / 64800.0},
        ProductCase{"frozen through on 24 h", ProcessMode::Storage, 20, -18, (222000 + 65790 + 28380) / 86400.0},
        ProductCase{"cooled only", ProcessMode::Storage, 20, 0, 1000 * 3.06 * 20 / 86400.0},
        ProductCase{"already frozen", ProcessMode::Storage, -5, -18, 1000 * 1.72 * 13 / 86400.0},
        ProductCase{"final at the freezing point", ProcessMode::Storage, 20, -1.5, 0},
        ProductCase{"final at the freezing point, freezing", ProcessMode::Freezing, 20, -1.5, 0},
        ProductCase{"warmed, not clamped", ProcessMode::Storage, 0, 10, 1000 * 3.06 * -10 / 86400.0},
        // Starting exactly at the freezing point: on 24 h the frozen-through
        // case is tested last and wins; over the freezing time the
        // already-frozen case is tested last and wins.
        ProductCase{"start at the freezing point", ProcessMode::Storage, -1.5, -18,
                    (222000 + 0 + 1000 * 1.72 * 16.5) / 86400.0},
        ProductCase{"start at the freezing point, freezing", ProcessMode::Freezing, -1.5, -18,
                    1000 * 1.72 * 16.5 / 64800.0}));

TEST(EngineTest, FreezingWithoutHoursStaysOnTheDailyBasis) {
  CalculationInputs in = workedExample();
  in.processMode = ProcessMode::Freezing;
  in.dailyMass = 1000;
  in.productInitialTemp = 20;
  in.productFinalTemp = -18;
  CalculationResults previous;
  previous.requiredCapacity = 42.5f;
  in.equipHours = 0;
  const EngineOutput out = run(in, previous);
  EXPECT_NEAR(out.results.qProduct, 3.659, 5e-4);
  EXPECT_EQ(out.results.qFansPreliminary, 0.0f);
  EXPECT_TRUE(out.panel.requiredCapacityBlack);
  EXPECT_FALSE(out.panel.requiredCapacity.has_value());
  EXPECT_EQ(out.results.requiredCapacity, 42.5f);
}

TEST(EngineTest, NegativeDimensionsCountAsTheirMagnitude) {
  CalculationInputs negative = workedExample();
  negative.roomLength = -5;
  negative.roomHeight = -3;
  const EngineOutput a = run(workedExample());
  const EngineOutput b = run(negative, {}, {"-500", "400", "-300"});
  EXPECT_EQ(allFloatResults(a.results), allFloatResults(b.results));
  EXPECT_EQ(allTexts(a), allTexts(b));
}

TEST(EngineTest, AirChangeRateSurvivesARoomWithoutVolume) {
  const EngineOutput first = run(workedExample());
  CalculationInputs flat = workedExample();
  flat.roomHeight = 0;
  const EngineOutput second = run(flat, first.results, {"500", "400", "0"});
  EXPECT_EQ(second.results.airChangeRate, first.results.airChangeRate);
  EXPECT_EQ(second.panel.airChangeRate, "9.04");
  EXPECT_EQ(second.results.qVentilation, 0.0f);
  EXPECT_EQ(second.panel.gains[int(Gain::Ventilation)], "0");
}

TEST(EngineTest, RoomTemperatureWithoutATableRowHasNoVentilation) {
  CalculationInputs in = workedExample();
  in.roomTemp = 2.5f;
  const EngineOutput out = run(in);
  EXPECT_EQ(out.results.ventSpecificHeat, 0.0f);
  EXPECT_EQ(out.results.qVentilation, 0.0f);
}

TEST(EngineTest, CurtainStopsItsShareOfTheDoorGain) {
  CalculationInputs in = workedExample();
  in.doorOpenMinutes = 600;
  in.roomTemp = -20;
  const float open = run(in).results.qDoor;
  in.curtainEfficiency = 0.7f;
  const float air = run(in).results.qDoor;
  ASSERT_GT(open, 1.0f);
  EXPECT_NEAR(air / open, 0.3, 0.01);
}

TEST(EngineTest, RecommendedLightingOverridesTypedPower) {
  CalculationInputs in = workedExample();
  in.lightingPower = 12;
  in.lightingHours = 24;
  EngineOutput out = run(in);
  EXPECT_EQ(out.lightingPower, 5.0f);
  EXPECT_EQ(out.lightingPowerText, "5");
  EXPECT_NEAR(out.results.qLighting, 24 * 5 * 20 / 24000.0, 1e-7);
  in.useRecommendedLighting = false;
  out = run(in);
  EXPECT_EQ(out.lightingPower, 12.0f);
  EXPECT_EQ(out.lightingPowerText, "12");
  EXPECT_NEAR(out.results.qLighting, 24 * 12 * 20 / 24000.0, 1e-7);
}

TEST(EngineTest, StaffAndVehiclesUseTheLightingHours) {
  CalculationInputs in = workedExample();
  in.staffCount = 5;
  in.vehiclePower = 10;
  in.lightingHours = 0;
  in.equipHours = 24;
  EXPECT_EQ(run(in).results.qStaff, 0.0f);
  EXPECT_EQ(run(in).results.qVehicles, 0.0f);
  in.lightingHours = 8;
  in.roomTemp = -10;
  const EngineOutput out = run(in);
  EXPECT_EQ(out.results.heatPerPerson, 330.0f);
  EXPECT_NEAR(out.results.qStaff, 5 * 0.00004167 * 330 * 8, 1e-6);
  EXPECT_NEAR(out.results.qVehicles, 10 * 0.0416667 * 8, 1e-6);
}

// A room in which every one of the nine gains is non-zero.
CalculationInputs everyGain() {
  CalculationInputs in = workedExample();
  in.doorOpenMinutes = 60;
  setProduct(in, "Брокколи");
  in.dailyMass = 1000;
  in.productInitialTemp = 20;
  in.productFinalTemp = 2;
  in.storedMass = 5000;
  in.lightingHours = 10;
  in.staffCount = 2;
  in.vehiclePower = 3;
  return in;
}

// Every gain of that room, worked by hand to the digit the panel shows.
TEST(EngineTest, EveryGainToTheDisplayedDigit) {
  const EngineOutput out = run(everyGain());
  const CalculationResults& r = out.results;
  struct Expected {
    Gain gain;
    const char* shown;
    const char* working;
  };
  const Expected expected[] = {
      {Gain::Walls, "0.63", "(28 × 54 + 28 × 20 × 2) / 4150.775316"},
      {Gain::Ventilation, "0.46", "9.037 × 60 × 0.00085"},
      // √((1 − 1.17 / 1.293) × 2.3) × ((28 − 0) × 0.067 + 8) × 0.001 × 60 / 24 × 4.14 × 59.5 × 1.293
      {Gain::Door, "3.68", "3.67836"},
      {Gain::Product, "0.8", "1000 × 3.85 × 18 / 86400"},
      {Gain::Respiration, "0.48", "5000 × 349 / 3600000"},
      {Gain::Lighting, "0.04", "10 × 5 × 20 / 24000"},
      {Gain::Staff, "0.23", "2 × 0.00004167 × 270 × 10"},
      {Gain::Vehicles, "1.25", "3 × 0.0416667 × 10"},
      {Gain::Fans, "0.57", "7.57 × 18 × 10 / 2400"},
  };
  for (const Expected& e : expected) EXPECT_EQ(out.panel.gains[static_cast<int>(e.gain)], e.shown) << e.working;
  EXPECT_EQ(out.panel.total, "8.14");
  EXPECT_EQ(out.panel.requiredCapacity, "11.4");  // 1.05 × 8.14 × 24 / 18

  // The enclosure before rounding: 2632 K·m² over the resistance of 100 mm at
  // 0.025 W/(m·K) plus the surface term, 4150.775316 in all.
  EXPECT_NEAR(static_cast<double>(r.qWallPart) + r.qCeiling + r.qFloor, 2632 / 4150.775316, 5e-7);
}

bool& includeFlag(CalculationInputs& in, Gain gain) { return in.*(gainRow(gain).include); }

const float& shown(const CalculationResults& r, Gain gain) { return r.*(gainRow(gain).shown); }

class ExclusionTest : public testing::TestWithParam<Gain> {};

TEST_P(ExclusionTest, ExcludedGainShowsZeroAndLeavesTheSum) {
  const Gain gain = GetParam();
  const EngineOutput all = run(everyGain());
  ASSERT_NE(shown(all.results, gain), 0.0f) << "the scenario must make this gain non-zero";

  CalculationInputs in = everyGain();
  includeFlag(in, gain) = false;
  const EngineOutput out = run(in);
  EXPECT_EQ(out.panel.gains[static_cast<int>(gain)], "0");
  EXPECT_EQ(shown(out.results, gain), 0.0f);

  double eightOthers = 0;
  for (Gain g : {Gain::Ventilation, Gain::Walls, Gain::Door, Gain::Product, Gain::Respiration, Gain::Lighting,
                 Gain::Staff, Gain::Vehicles})
    eightOthers += shown(out.results, g);
  EXPECT_NEAR(out.results.qFansPreliminary, eightOthers * 18 * 10 / 2400, 1e-6);
  EXPECT_NEAR(out.results.qTotal, eightOthers + out.results.shownFans, 1e-6);
  EXPECT_NEAR(out.results.requiredCapacity, 1.05 * out.results.qTotal * 24 / 18, 1e-5);
  EXPECT_LT(out.results.qTotal, all.results.qTotal);
}

INSTANTIATE_TEST_SUITE_P(AllGains, ExclusionTest,
                         testing::Values(Gain::Walls, Gain::Ventilation, Gain::Door, Gain::Product, Gain::Respiration,
                                         Gain::Lighting, Gain::Staff, Gain::Vehicles, Gain::Fans));

TEST(EngineTest, RefinedFansUseCountTimesPower) {
  CalculationInputs in = workedExample();
  in.refinedFanCalc = true;
  in.fanCount = 3;
  in.fanPower = 250;
  const EngineOutput out = run(in);
  EXPECT_EQ(out.results.qFans, out.results.qFansRefined);
  EXPECT_EQ(out.panel.gains[int(Gain::Fans)], "0.75");
  EXPECT_NEAR(out.results.qFansPreliminary, 0.08175, 1e-6);
}

TEST(EngineTest, PanelZeroTestsCompareTexts) {
  CalculationInputs in = workedExample();
  in.roomLength = 0;
  // A length of "0": area and volume show "0", and so do walls and
  // ventilation, although the walls themselves still carry heat.
  EngineOutput out = run(in, {}, {"0", "400", "300"});
  EXPECT_EQ(out.panel.floorArea, "0");
  EXPECT_EQ(out.panel.roomVolume, "0");
  EXPECT_GT(out.results.qWallPart, 0.0f);
  EXPECT_EQ(out.panel.gains[int(Gain::Walls)], "0");
  EXPECT_EQ(out.panel.gains[int(Gain::Ventilation)], "0");
  EXPECT_EQ(out.results.shownWalls, 0.0f);

  // An empty length: the area shows the computed 0, the volume "0".
  out = run(in, {}, {"", "400", "300"});
  EXPECT_EQ(out.panel.floorArea, "0");
  EXPECT_EQ(out.panel.roomVolume, "0");

  // "0.0" is not the text "0": the area box shows the number.
  in = workedExample();
  out = run(in, {}, {"500", "400", "0.0"});
  EXPECT_EQ(out.panel.floorArea, "20");
  EXPECT_EQ(out.panel.roomVolume, "60");
}

TEST(EngineTest, RoomChangedHookRunsOncePerRunFirst) {
  int calls = 0;
  const EngineOutput out = computeHeatLoad(workedExample(), {}, kWorkedTexts, [&] { ++calls; });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(out.results.floorArea, 20.0f);
}

// Inputs the form's limits would reject, as a file can carry them.
struct HostileCase {
  const char* what;
  void (*apply)(CalculationInputs&);
};

class NonFiniteTest : public testing::TestWithParam<HostileCase> {};

TEST_P(NonFiniteTest, EveryResultIsFiniteAndNoBoxShowsInfOrNan) {
  CalculationInputs in = everyGain();
  GetParam().apply(in);
  CalculationResults previous;
  for (int pass = 0; pass < 2; ++pass) {  // and once more from its own results
    const EngineOutput out = run(in, previous);
    for (float v : allFloatResults(out.results)) EXPECT_TRUE(std::isfinite(v)) << GetParam().what;
    for (const std::string& text : allTexts(out)) {
      EXPECT_EQ(text.find("inf"), std::string::npos) << GetParam().what << ": " << text;
      EXPECT_EQ(text.find("nan"), std::string::npos) << GetParam().what << ": " << text;
    }
    previous = out.results;
  }
}

constexpr float kHuge = 3e38f;
constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, NonFiniteTest,
    testing::Values(HostileCase{"room at 40 °C", [](CalculationInputs& in) { in.roomTemp = 40; }},
                    HostileCase{"room at -273.15 °C", [](CalculationInputs& in) { in.roomTemp = -273.15f; }},
                    HostileCase{"huge room", [](CalculationInputs& in) { in.roomLength = in.roomWidth = kHuge; }},
                    HostileCase{"infinite length", [](CalculationInputs& in) { in.roomLength = kInf; }},
                    HostileCase{"huge outside temperature", [](CalculationInputs& in) { in.outsideTempWalls = 1e6f; }},
                    HostileCase{"zero resistance",
                                [](CalculationInputs& in) {
                                  in.wallMaterialThickness = -150.775376f * 1.7f;
                                  in.wallInsulationThickness = 0;
                                }},
                    HostileCase{"huge mass", [](CalculationInputs& in) { in.dailyMass = in.storedMass = kHuge; }},
                    HostileCase{"huge reserve", [](CalculationInputs& in) { in.reserveFactor = kHuge; }},
                    HostileCase{"tiny hours", [](CalculationInputs& in) { in.equipHours = 1e-38f; }},
                    HostileCase{"huge fans",
                                [](CalculationInputs& in) {
                                  in.refinedFanCalc = true;
                                  in.fanCount = in.fanPower = kHuge;
                                }},
                    HostileCase{"huge lighting", [](CalculationInputs& in) {
                                  in.useRecommendedLighting = false;
                                  in.lightingPower = in.lightingHours = kHuge;
                                }}));

TEST(EngineTest, TemperatureDifferenceOutOfRangeCountsAsZero) {
  CalculationInputs in = workedExample();
  in.outsideTempWalls = 1e6f;
  const EngineOutput out = run(in);
  EXPECT_EQ(out.results.tempDiffWalls, 0);
  EXPECT_EQ(out.results.qWallPart, 0.0f);
  EXPECT_GT(out.results.qCeiling, 0.0f);
}

TEST(EngineTest, WarmRoomDoorCountsAsZero) {
  CalculationInputs in = workedExample();
  in.doorOpenMinutes = 60;
  in.roomTemp = 40;  // 1 - 1.17 / density is negative: no real stack factor
  const EngineOutput out = run(in);
  EXPECT_EQ(out.results.qDoor, 0.0f);
  EXPECT_EQ(out.panel.gains[int(Gain::Door)], "0");
}

}  // namespace
}  // namespace kamerol
