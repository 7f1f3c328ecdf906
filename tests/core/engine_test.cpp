#include "core/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/gains.h"
#include "core/number_text.h"
#include "core/products.h"
#include "core/rounding.h"
#include "core/worked_example.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

CalculationInputs workedExample() { return workedExampleInputs(); }

HeatLoad run(const CalculationInputs& in, const CalculationResults& previous = {}) {
  return computeHeatLoad(in, previous);
}

// A counted gain as the results panel writes it.
std::string shownText(const CalculationResults& r, Gain gain) { return formatNumber(r.*(gainRow(gain).shown)); }

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

TEST(EngineTest, WorkedExampleToTheDigit) {
  const HeatLoad out = run(workedExample());
  const CalculationResults& r = out.results;
  EXPECT_EQ(r.floorArea, 20.0f);
  EXPECT_EQ(r.roomVolume, 60.0f);
  EXPECT_EQ(r.wallArea, 54.0f);
  EXPECT_EQ(r.ceilingArea, 20.0f);
  EXPECT_EQ(r.tempDiffWalls, 28);
  EXPECT_NEAR(out.resistance.walls, 4150.775376, 1e-3);
  EXPECT_EQ(out.resistance.ceiling, out.resistance.walls);
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

  EXPECT_EQ(r2(r.airChangeRate), 9.04f);
  const char* gains[] = {"0.63", "0.46", "0", "0", "0", "0", "0", "0", "0.08"};
  for (const GainRow& row : kGains) EXPECT_EQ(shownText(r, row.gain), gains[static_cast<int>(row.gain)]) << row.caption;
  EXPECT_EQ(r2(r.qTotal), 1.17f);
  EXPECT_EQ(r2(r.requiredCapacity), 1.64f);
  EXPECT_TRUE(out.capacityComputed);
  EXPECT_EQ(out.lightingPower, 5.0f);
  EXPECT_EQ(out.product.cooling, 0.0f);  // no product mass
}

struct ProductCase {
  const char* name;
  ProcessMode mode;
  float initial;
  float final;
  double expected;       // kW
  ProductPhases phases;  // kJ, and the seconds
};

class ProductGainTest : public testing::TestWithParam<ProductCase> {};

TEST_P(ProductGainTest, FollowsTheCases) {
  const ProductCase c = GetParam();
  CalculationInputs in = workedExample();
  in.processMode = c.mode;
  in.dailyMass = 1000;
  in.productInitialTemp = c.initial;
  in.productFinalTemp = c.final;
  const HeatLoad out = run(in);
  EXPECT_NEAR(out.results.qProduct, c.expected, 5e-4);
  EXPECT_NEAR(out.product.cooling, c.phases.cooling, 0.01);
  EXPECT_NEAR(out.product.freezing, c.phases.freezing, 0.01);
  EXPECT_NEAR(out.product.subCooling, c.phases.subCooling, 0.01);
  EXPECT_EQ(out.product.seconds, c.phases.seconds);
}

// Lamb: freezing point -1.5 °C, c1 3.06, c2 1.72, r 222.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProductGainTest,
    testing::Values(
        ProductCase{"frozen through over 18 h",
                    ProcessMode::Freezing,
                    20,
                    -18,
                    (222000 + 65790 + 28380) / 64800.0,
                    {65790, 222000, 28380, 64800}},
        ProductCase{"frozen through on 24 h",
                    ProcessMode::Storage,
                    20,
                    -18,
                    (222000 + 65790 + 28380) / 86400.0,
                    {65790, 222000, 28380, 86400}},
        ProductCase{"cooled only", ProcessMode::Storage, 20, 0, 1000 * 3.06 * 20 / 86400.0, {61200, 0, 0, 86400}},
        ProductCase{"already frozen", ProcessMode::Storage, -5, -18, 1000 * 1.72 * 13 / 86400.0, {0, 0, 22360, 86400}},
        ProductCase{"final at the freezing point", ProcessMode::Storage, 20, -1.5, 0, {}},
        ProductCase{"final at the freezing point, freezing", ProcessMode::Freezing, 20, -1.5, 0, {}},
        ProductCase{
            "warmed, not clamped", ProcessMode::Storage, 0, 10, 1000 * 3.06 * -10 / 86400.0, {-30600, 0, 0, 86400}},
        // Starting exactly at the freezing point: on 24 h the frozen-through
        // case is tested last and wins; over the freezing time the
        // already-frozen case is tested last and wins.
        ProductCase{"start at the freezing point",
                    ProcessMode::Storage,
                    -1.5,
                    -18,
                    (222000 + 0 + 1000 * 1.72 * 16.5) / 86400.0,
                    {0, 222000, 28380, 86400}},
        ProductCase{"start at the freezing point, freezing",
                    ProcessMode::Freezing,
                    -1.5,
                    -18,
                    1000 * 1.72 * 16.5 / 64800.0,
                    {0, 0, 28380, 64800}}),
    RowName());

TEST(EngineTest, FreezingWithoutHoursStaysOnTheDailyBasis) {
  CalculationInputs in = workedExample();
  in.processMode = ProcessMode::Freezing;
  in.dailyMass = 1000;
  in.productInitialTemp = 20;
  in.productFinalTemp = -18;
  CalculationResults previous;
  previous.requiredCapacity = 42.5f;
  in.equipHours = 0;
  const HeatLoad out = run(in, previous);
  EXPECT_NEAR(out.results.qProduct, 3.659, 5e-4);
  EXPECT_EQ(out.results.qFansPreliminary, 0.0f);
  EXPECT_FALSE(out.capacityComputed);
  EXPECT_EQ(out.results.requiredCapacity, 42.5f);
}

TEST(EngineTest, NegativeDimensionsCountAsTheirMagnitude) {
  CalculationInputs negative = workedExample();
  negative.roomLength = -5;
  negative.roomHeight = -3;
  const HeatLoad a = run(workedExample());
  const HeatLoad b = run(negative);
  EXPECT_EQ(allFloatResults(a.results), allFloatResults(b.results));
}

TEST(EngineTest, AirChangeRateSurvivesARoomWithoutVolume) {
  const HeatLoad first = run(workedExample());
  CalculationInputs flat = workedExample();
  flat.roomHeight = 0;
  const HeatLoad second = run(flat, first.results);
  EXPECT_EQ(second.results.airChangeRate, first.results.airChangeRate);
  EXPECT_EQ(r2(second.results.airChangeRate), 9.04f);
  EXPECT_EQ(second.results.qVentilation, 0.0f);
  EXPECT_EQ(second.results.shownVentilation, 0.0f);
}

TEST(EngineTest, RoomTemperatureWithoutATableRowHasNoVentilation) {
  CalculationInputs in = workedExample();
  in.roomTemp = 2.5f;
  const HeatLoad out = run(in);
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
  HeatLoad out = run(in);
  EXPECT_EQ(out.lightingPower, 5.0f);
  EXPECT_NEAR(out.results.qLighting, 24 * 5 * 20 / 24000.0, 1e-7);
  in.useRecommendedLighting = false;
  out = run(in);
  EXPECT_EQ(out.lightingPower, 12.0f);
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
  const HeatLoad out = run(in);
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
  const HeatLoad out = run(everyGain());
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
  for (const Expected& e : expected) EXPECT_EQ(shownText(r, e.gain), e.shown) << e.working;
  EXPECT_EQ(formatNumber(r2(r.qTotal)), "8.14");
  EXPECT_EQ(formatNumber(r2(r.requiredCapacity)), "11.4");  // 1.05 × 8.14 × 24 / 18
  EXPECT_NEAR(r.doorArea, 4.14, 1e-6);
  EXPECT_NEAR(r.roomAirDensity, 1.293, 1e-6);
  EXPECT_NEAR(r.enthalpyDiff, 59.5, 1e-6);

  // The enclosure before rounding: 2632 K·m² over the resistance of 100 mm at
  // 0.025 W/(m·K) plus the surface term, 4150.775316 in all.
  EXPECT_NEAR(static_cast<double>(r.qWallPart) + r.qCeiling + r.qFloor, 2632 / 4150.775316, 5e-7);
}

bool& includeFlag(CalculationInputs& in, Gain gain) { return in.*(gainRow(gain).include); }

const float& shown(const CalculationResults& r, Gain gain) { return r.*(gainRow(gain).shown); }

constexpr const char* kGainNames[] = {"walls",    "ventilation", "door",     "product", "respiration",
                                      "lighting", "staff",       "vehicles", "fans"};

class ExclusionTest : public testing::TestWithParam<Gain> {};

TEST_P(ExclusionTest, ExcludedGainShowsZeroAndLeavesTheSum) {
  const Gain gain = GetParam();
  const HeatLoad all = run(everyGain());
  ASSERT_NE(shown(all.results, gain), 0.0f) << "the scenario must make this gain non-zero";

  CalculationInputs in = everyGain();
  includeFlag(in, gain) = false;
  const HeatLoad out = run(in);
  EXPECT_EQ(shownText(out.results, gain), "0");
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
                                         Gain::Lighting, Gain::Staff, Gain::Vehicles, Gain::Fans),
                         [](const testing::TestParamInfo<Gain>& info) {
                           return rowName(kGainNames[static_cast<int>(info.param)]);
                         });

TEST(EngineTest, RefinedFansUseCountTimesPower) {
  CalculationInputs in = workedExample();
  in.refinedFanCalc = true;
  in.fanCount = 3;
  in.fanPower = 250;
  const HeatLoad out = run(in);
  EXPECT_EQ(out.results.qFans, out.results.qFansRefined);
  EXPECT_EQ(shownText(out.results, Gain::Fans), "0.75");
  EXPECT_NEAR(out.results.qFansPreliminary, 0.08175, 1e-6);
}

// Inputs the form's limits would reject, as a file can carry them.
struct HostileCase {
  const char* name;
  void (*apply)(CalculationInputs&);
};

class NonFiniteTest : public testing::TestWithParam<HostileCase> {};

TEST_P(NonFiniteTest, EveryResultIsFinite) {
  CalculationInputs in = everyGain();
  GetParam().apply(in);
  CalculationResults previous;
  for (int pass = 0; pass < 2; ++pass) {  // and once more from its own results
    const HeatLoad out = run(in, previous);
    for (float v : allFloatResults(out.results)) EXPECT_TRUE(std::isfinite(v));
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
                    HostileCase{"huge lighting",
                                [](CalculationInputs& in) {
                                  in.useRecommendedLighting = false;
                                  in.lightingPower = in.lightingHours = kHuge;
                                }}),
    RowName());

TEST(EngineTest, TemperatureDifferenceOutOfRangeCountsAsZero) {
  CalculationInputs in = workedExample();
  in.outsideTempWalls = 1e6f;
  const HeatLoad out = run(in);
  EXPECT_EQ(out.results.tempDiffWalls, 0);
  EXPECT_EQ(out.results.qWallPart, 0.0f);
  EXPECT_GT(out.results.qCeiling, 0.0f);
}

TEST(EngineTest, WarmRoomDoorCountsAsZero) {
  CalculationInputs in = workedExample();
  in.doorOpenMinutes = 60;
  in.roomTemp = 40;  // 1 - 1.17 / density is negative: no real stack factor
  const HeatLoad out = run(in);
  EXPECT_EQ(out.results.qDoor, 0.0f);
  EXPECT_EQ(out.results.shownDoor, 0.0f);
}

}  // namespace
}  // namespace kamerol
