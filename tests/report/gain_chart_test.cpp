// The load chart as data: the worked example's bars, their scale and shares.

#include "report/gain_chart.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/engine.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

CalculationRecord recalculated(CalculationRecord record) {
  record.results = computeHeatLoad(record.inputs, record.results).results;
  return record;
}

TEST(GainChartTest, WorkedExampleHasTheNineGainsInPanelOrder) {
  const GainChart chart = buildGainChart(workedExampleRecord());
  ASSERT_EQ(chart.bars.size(), std::size_t{kGainCount});
  const char* captions[] = {"Через стены",  "От вентиляции", "Через дверь", "От продукта", "\"От дыхания\"",
                            "От освещения", "От персонала",  "От ПТС",      "От вент. ВО"};
  const char* values[] = {"0.63", "0.46", "0", "0", "0", "0", "0", "0", "0.08"};
  for (int i = 0; i < kGainCount; ++i) {
    EXPECT_EQ(chart.bars[i].gain, static_cast<Gain>(i));
    EXPECT_EQ(chart.bars[i].caption, captions[i]);
    EXPECT_EQ(chart.bars[i].valueText, values[i]) << captions[i];
    EXPECT_FALSE(chart.bars[i].excluded);
  }
  EXPECT_EQ(chart.totalText, "1.17");
  EXPECT_EQ(chart.capacityText, "1.64");
  EXPECT_EQ(chart.bars[0].shareText, "53.8 %");
}

TEST(GainChartTest, LengthsAreProportionalAndSharesAddUpToAHundred) {
  const GainChart chart = buildGainChart(workedExampleRecord());
  const double kWPerLength = chart.scaleMax - chart.scaleMin;
  double shares = 0;
  for (const GainBar& bar : chart.bars) {
    EXPECT_NEAR(bar.to - bar.from, bar.value / kWPerLength, 1e-9) << bar.caption;
    EXPECT_DOUBLE_EQ(bar.from, chart.zero);
    shares += bar.share;
  }
  EXPECT_NEAR(shares, 100.0, 1e-9);
  EXPECT_DOUBLE_EQ(chart.zero, 0.0);
  // The scale covers the longest bar, with ticks from its start to its end.
  EXPECT_GE(chart.scaleMax, 0.63);
  ASSERT_GE(chart.ticks.size(), 3u);
  EXPECT_DOUBLE_EQ(chart.ticks.front().position, 0.0);
  EXPECT_NEAR(chart.ticks.back().position, 1.0, 1e-9);
  EXPECT_EQ(chart.ticks.front().label, "0");
}

TEST(GainChartTest, ExcludedGainIsAtZeroAndOutOfTheShares) {
  CalculationRecord record = workedExampleRecord();
  record.inputs.includeWalls = false;
  record = recalculated(record);
  const GainChart chart = buildGainChart(record);
  const GainBar& walls = chart.bars[0];
  EXPECT_TRUE(walls.excluded);
  EXPECT_EQ(walls.value, 0.0f);
  EXPECT_EQ(walls.valueText, "0");
  EXPECT_DOUBLE_EQ(walls.to - walls.from, 0.0);
  EXPECT_EQ(walls.share, 0.0);
  double shares = 0;
  for (const GainBar& bar : chart.bars) shares += bar.share;
  EXPECT_NEAR(shares, 100.0, 1e-9);
  EXPECT_NE(chart.description().find("Через стены: 0 кВт, не учитывается"), std::string::npos) << chart.description();
}

TEST(GainChartTest, ScalesOfUnusualLoads) {
  struct Case {
    const char* name;
    float walls, product;  // the other gains are 0
    bool negativeLeftOfZero;
    bool shares;
  };
  const Case cases[] = {
      {"a negative gain lies left of the zero line", 2.0f, -0.5f, true, true},
      {"only a negative gain: no shares of a negative sum", 0.0f, -3.0f, true, false},
      {"nothing at all", 0.0f, 0.0f, false, false},
      {"huge values", 3e37f, 1e37f, false, true},
  };
  for (const Case& c : cases) {
    CalculationRecord record;
    record.results.shownWalls = c.walls;
    record.results.shownProduct = c.product;
    const GainChart chart = buildGainChart(record);
    SCOPED_TRACE(c.name);
    EXPECT_LT(chart.scaleMin, chart.scaleMax);
    EXPECT_GE(chart.zero, 0.0);
    EXPECT_LE(chart.zero, 1.0);
    for (const GainBar& bar : chart.bars) {
      EXPECT_GE(bar.from, -1e-9);
      EXPECT_LE(bar.to, 1.0 + 1e-9);
      EXPECT_NEAR(bar.to - bar.from, std::abs(bar.value) / (chart.scaleMax - chart.scaleMin), 1e-9);
    }
    const GainBar& product = chart.bars[static_cast<int>(Gain::Product)];
    if (c.negativeLeftOfZero) {
      EXPECT_LT(product.from, chart.zero);
      EXPECT_DOUBLE_EQ(product.to, chart.zero);
    }
    EXPECT_EQ(!product.shareText.empty() || !chart.bars[0].shareText.empty(), c.shares);
  }
}

}  // namespace
}  // namespace kamerol
