#include "analysis/sensitivity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "../form/form_test_support.h"
#include "document/calculation_file.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::StartedForm;

struct Example : StartedForm {
  explicit Example(const char* file, NumberLocale locale = NumberLocale::point()) : StartedForm(std::move(locale)) {
    EXPECT_EQ(readCalculationFile(form, std::filesystem::path(KAMEROL_EXAMPLES_DIR) / file, ReadMode::Dialog, messages),
              ReadStatus::Ok);
  }
  void spinRoomTo(int degrees) {
    while (leadingNumber(form.text(roomTempBox)) < degrees) form.spin(roomTempSpinner, +1);
    while (leadingNumber(form.text(roomTempBox)) > degrees) form.spin(roomTempSpinner, -1);
  }
};

// A copy: callers often pass an analysis that lives only for their statement.
Variation variationOf(const SensitivityAnalysis& a, SensitivityInput input) {
  return *std::ranges::find(a.variations, input, &Variation::input);
}

TEST(Sensitivity, EveryInputOnceLargestSwingFirstAndTheFormUntouched) {
  Example example("potato-store.tpl");
  const std::string before = calculationFileBytes(example.form);
  const SensitivityAnalysis a = analyseSensitivity(example.form);
  EXPECT_EQ(calculationFileBytes(example.form), before);
  EXPECT_TRUE(example.messages.messages.empty());
  EXPECT_FLOAT_EQ(a.base.requiredCapacity, example.form.results().requiredCapacity);
  ASSERT_EQ(a.variations.size(), static_cast<std::size_t>(kSensitivityInputCount));
  std::set<SensitivityInput> inputs;
  for (const Variation& v : a.variations) inputs.insert(v.input);
  EXPECT_EQ(inputs.size(), a.variations.size());
  EXPECT_TRUE(std::ranges::is_sorted(a.variations, std::ranges::greater{}, &Variation::swing));
  // Three fields that differ are written each.
  const Variation& outside = variationOf(a, SensitivityInput::OutsideTemperatures);
  EXPECT_EQ(outside.baseText, "28 / 28 / 10");
  EXPECT_EQ(outside.low.text, "23 / 23 / 5");
}

// The worked example's walls with 75 mm of insulation, by hand: resistance
// 150.775376 + 75 / 0.025 = 3150.775376; walls 28 × 54 / R = 0.47987,
// ceiling and floor 28 × 20 / R = 0.17773 each: 0.8353, shown 0.84.
TEST(Sensitivity, WorkedExampleInsulationByHand) {
  Example example("worked-example.tpl");
  const Variation& v = variationOf(analyseSensitivity(example.form), SensitivityInput::Insulation);
  EXPECT_EQ(v.low.text, "75");
  EXPECT_EQ(v.high.text, "125");
  ASSERT_TRUE(v.low.figures);
  EXPECT_FLOAT_EQ(v.low.figures->gains[static_cast<std::size_t>(Gain::Walls)], 0.84f);
  EXPECT_FALSE(v.skipped());
}

struct SkipCase {
  std::string name;
  std::function<void(Example&)> setUp;
  SensitivityInput input;
  bool low;  // the side that is skipped; the other one runs
  SkipReason reason;
};

class SkipCases : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkipCases, TheSideTheFormRefusesIsLeftOut) {
  const SkipCase& c = GetParam();
  Example example("worked-example.tpl");
  c.setUp(example);
  example.messages.messages.clear();
  const Variation& v = variationOf(analyseSensitivity(example.form), c.input);
  const VariationSide& refused = c.low ? v.low : v.high;
  const VariationSide& other = c.low ? v.high : v.low;
  EXPECT_EQ(refused.skipped, c.reason);
  EXPECT_FALSE(refused.figures);
  EXPECT_FALSE(other.skipped);
  EXPECT_TRUE(other.figures);
  EXPECT_TRUE(example.messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sensitivity, SkipCases,
    ::testing::Values(SkipCase{"NoStaffToTakeAway", [](Example&) {}, SensitivityInput::Staff, true, SkipReason::Reset},
                      SkipCase{"WarmestRoom", [](Example& e) { e.spinRoomTo(20); }, SensitivityInput::RoomTemperature,
                               false, SkipReason::SpinnerLimit},
                      SkipCase{"ColdestRoom", [](Example& e) { e.spinRoomTo(-40); }, SensitivityInput::RoomTemperature,
                               true, SkipReason::SpinnerLimit},
                      SkipCase{"NoReserve", [](Example& e) { e.enter(reservePercentField, "0"); },
                               SensitivityInput::Reserve, true, SkipReason::Reset},
                      SkipCase{"RunningAllDay", [](Example& e) { e.enter(equipHoursField, "24"); },
                               SensitivityInput::RunningHours, false, SkipReason::Reset},
                      SkipCase{"ThinCeilingInsulation",
                               [](Example& e) { e.enter(ceilingInsulationThicknessField, "10"); },
                               SensitivityInput::Insulation, true, SkipReason::Reset},
                      SkipCase{"MassNearItsLimit", [](Example& e) { e.enter(dailyMassField, "90000"); },
                               SensitivityInput::ProductMass, false, SkipReason::Reset},
                      SkipCase{"HotProduct", [](Example& e) { e.enter(productInitialTempField, "98"); },
                               SensitivityInput::ProductInitialTemperature, false, SkipReason::Reset}),
    [](const auto& info) { return info.param.name; });

// A field being typed into keeps its text: leaving it would reset it, which
// the variations of the other fields of its page must not do.
TEST(Sensitivity, StartsFromTheFieldBeingEdited) {
  Example example("worked-example.tpl");
  example.showPageOf(wallInsulationThicknessField);
  example.form.moveFocus(wallInsulationThicknessField);
  example.form.setText(wallInsulationThicknessField, "3000");  // beyond 2000: reset only on leaving
  const SensitivityAnalysis a = analyseSensitivity(example.form);
  const Variation& v = variationOf(a, SensitivityInput::OutsideTemperatures);
  ASSERT_TRUE(v.low.figures);
  const auto walls = static_cast<std::size_t>(Gain::Walls);
  EXPECT_LT(v.low.figures->gains[walls], a.base.gains[walls]);
  EXPECT_EQ(example.form.text(wallInsulationThicknessField), "3000");
}

// Fields read in the user's locale are typed with its decimal separator.
TEST(Sensitivity, TypesTheLocaleDecimalSeparator) {
  Example example("potato-store.tpl", NumberLocale::comma());
  const Variation& v = variationOf(analyseSensitivity(example.form), SensitivityInput::DoorMinutes);
  EXPECT_EQ(v.low.text, "22,5");
  EXPECT_EQ(v.high.text, "67,5");
  EXPECT_FALSE(v.low.skipped);
  EXPECT_FALSE(v.high.skipped);
  EXPECT_LT(v.low.figures->gains[static_cast<std::size_t>(Gain::Door)],
            v.high.figures->gains[static_cast<std::size_t>(Gain::Door)]);
}

}  // namespace
}  // namespace kamerol
