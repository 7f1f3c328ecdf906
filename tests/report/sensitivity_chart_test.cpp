// The tornado chart as data: each side's bar on the side of the base its
// capacity falls on, refused sides without a bar and with their note, the
// scale holding every bar.

#include "report/sensitivity_chart.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/row_names.h"

namespace kamerol {
namespace {

struct TornadoCase {
  std::string name;
  float base;
  std::optional<float> low;   // the capacity at the low value; empty: refused
  std::optional<float> high;  // likewise
  int lowSide;                // -1 left of the base, 0 on it, +1 right; 2 none
  int highSide;
};

VariationSide side(const std::string& text, std::optional<float> capacity) {
  VariationSide s;
  s.text = text;
  if (capacity) {
    LoadFigures figures;
    figures.requiredCapacity = *capacity;
    s.figures = figures;
  } else {
    s.skipped = SkipReason::Locked;
  }
  return s;
}

int sideOf(const TornadoSide& s, double base) {
  if (!s.position) return 2;
  return *s.position < base ? -1 : *s.position > base ? 1 : 0;
}

class TornadoTest : public testing::TestWithParam<TornadoCase> {};

TEST_P(TornadoTest, BarsStandWhereTheirCapacityIs) {
  const TornadoCase& c = GetParam();
  SensitivityAnalysis analysis;
  analysis.base.requiredCapacity = c.base;
  Variation v;
  v.input = SensitivityInput::Reserve;
  v.baseText = "10";
  v.low = side("5", c.low);
  v.high = side("15", c.high);
  v.swing = std::abs(c.high.value_or(c.base) - c.low.value_or(c.base));
  analysis.variations = {v};

  const SensitivityChart chart = buildSensitivityChart(analysis);
  ASSERT_EQ(chart.rows.size(), 1u);
  const TornadoRow& row = chart.rows.front();
  EXPECT_EQ(row.caption, "Запас, %");
  EXPECT_EQ(sideOf(row.low, chart.base), c.lowSide);
  EXPECT_EQ(sideOf(row.high, chart.base), c.highSide);
  for (const TornadoSide* s : {&row.low, &row.high}) {
    if (s->position) {
      EXPECT_GE(*s->position, 0);
      EXPECT_LE(*s->position, 1);
      EXPECT_TRUE(s->skippedText.empty());
    } else {
      EXPECT_EQ(s->capacityText, "—");
      EXPECT_EQ(s->skippedText, "поле заблокировано");
    }
  }
  EXPECT_EQ(skippedNote(row, false).empty(), c.low.has_value());
  EXPECT_EQ(skippedNote(row, true).empty(), c.high.has_value());
  if (!c.low) {
    EXPECT_EQ(skippedNote(row, false), "Пропущено: Запас, %, меньше (5): поле заблокировано");
  }
  EXPECT_GT(chart.base, 0);
  EXPECT_LT(chart.base, 1);
  ASSERT_GE(chart.ticks.size(), 2u);
  for (std::size_t i = 1; i < chart.ticks.size(); ++i) EXPECT_GT(chart.ticks[i].position, chart.ticks[i - 1].position);
  EXPECT_NE(chart.description().find("Запас, %: 10"), std::string::npos) << chart.description();
}

INSTANTIATE_TEST_SUITE_P(Cases, TornadoTest,
                         testing::Values(TornadoCase{"rises with the input", 10.3f, 9.8f, 10.8f, -1, 1},
                                         TornadoCase{"falls with the input", 10.3f, 12.1f, 8.6f, 1, -1},
                                         TornadoCase{"both sides above", 10.3f, 10.9f, 12.5f, 1, 1},
                                         TornadoCase{"low side refused", 10.3f, std::nullopt, 11.2f, 2, 1},
                                         TornadoCase{"both refused", 10.3f, std::nullopt, std::nullopt, 2, 2},
                                         TornadoCase{"nothing moves", 10.3f, 10.3f, 10.3f, 0, 0},
                                         TornadoCase{"no load at all", 0.0f, 0.0f, 0.0f, 0, 0}),
                         RowName());

}  // namespace
}  // namespace kamerol
