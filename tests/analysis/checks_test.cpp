#include "analysis/checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "../form/form_test_support.h"
#include "document/calculation_file.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::StartedForm;

// A user's step: a text typed into a field (focus, text, leave) or a click.
struct Edit {
  Control control;
  std::string text;  // empty: a click
};

// The room of the worked example, on which every case starts.
struct WorkedExample : StartedForm {
  WorkedExample() {
    for (const Edit& e : {Edit{roomLengthField, "500"}, Edit{roomWidthField, "400"}, Edit{roomHeightField, "300"}})
      enter(e.control, e.text);
  }
  void apply(const std::vector<Edit>& edits) {
    for (const Edit& e : edits) {
      if (!e.text.empty()) {
        enter(e.control, e.text);
      } else {
        showPageOf(e.control);
        form.click(e.control);
      }
    }
  }
};

const CheckFinding* find(const std::vector<CheckFinding>& findings, std::string_view key) {
  const auto it = std::ranges::find(findings, key, &CheckFinding::key);
  return it == findings.end() ? nullptr : &*it;
}

struct CheckCase {
  std::string name;
  std::vector<Edit> edits;
  std::string_view key;
  bool fires;
  Control field = roomLengthField;  // where a finding points
};

class CheckCases : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckCases, FiresOnItsCaseOnly) {
  const CheckCase& c = GetParam();
  WorkedExample example;
  ASSERT_TRUE(checkCalculation(example.form).empty());
  example.apply(c.edits);
  const auto findings = checkCalculation(example.form);
  const CheckFinding* finding = find(findings, c.key);
  if (!c.fires) {
    EXPECT_EQ(finding, nullptr) << finding->text;
    return;
  }
  ASSERT_NE(finding, nullptr);
  EXPECT_EQ(finding->field, c.field);
  EXPECT_FALSE(finding->text.empty());
  EXPECT_NE(std::ranges::find(checkKeys(), c.key), checkKeys().end());
}

const std::vector<Edit> kProduct = {{dailyMassField, "800"}, {productInitialTempField, "10"}};

std::vector<Edit> plus(std::vector<Edit> edits, std::vector<Edit> more) {
  edits.insert(edits.end(), more.begin(), more.end());
  return edits;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckCases,
    ::testing::Values(
        CheckCase{"ProductExcluded", plus(kProduct, {{includeProductCheck, ""}}), "productExcluded", true,
                  includeProductCheck},
        CheckCase{"ZeroProductExcluded", {{includeProductCheck, ""}}, "productExcluded", false},
        CheckCase{"FansExcluded", {{includeFansCheck, ""}}, "fansExcluded", true, includeFansCheck},
        CheckCase{"WallsExcluded", {{includeWallsCheck, ""}}, "wallsExcluded", true, includeWallsCheck},
        CheckCase{"StoredWithoutTurnover", {{storedMassField, "5000"}}, "storedWithoutTurnover", true, dailyMassField},
        CheckCase{"StoredWithTurnover", plus(kProduct, {{storedMassField, "5000"}}), "storedWithoutTurnover", false},
        CheckCase{"FreezingWithoutMass", {{freezingOption, ""}}, "freezingWithoutMass", true, dailyMassField},
        CheckCase{"FreezingAboveFreezingPoint",
                  {{freezingOption, ""}, {dailyMassField, "1000"}, {productInitialTempField, "20"}},
                  "freezingAboveFreezingPoint",
                  true,
                  productFinalTempField},
        CheckCase{"StaffBehindClosedDoor", {{staffCountField, "2"}}, "doorNeverOpen", true, doorOpenMinutesField},
        CheckCase{"VehiclesBehindClosedDoor", {{vehiclePowerField, "5"}}, "doorNeverOpen", true, doorOpenMinutesField},
        CheckCase{"StaffWithOpenDoor", {{staffCountField, "2"}, {doorOpenMinutesField, "30"}}, "doorNeverOpen", false},
        CheckCase{"NoWallInsulation",
                  {{wallInsulationThicknessField, "0"}},
                  "noInsulationWalls",
                  true,
                  wallInsulationThicknessField},
        CheckCase{"NoFloorInsulation",
                  {{floorInsulationThicknessField, "0"}},
                  "noInsulationFloor",
                  true,
                  floorInsulationThicknessField},
        CheckCase{"RunningAllDay", {{equipHoursField, "24"}}, "noDefrostTime", true, equipHoursField},
        CheckCase{"NoReserve", {{reservePercentField, "0"}}, "noReserve", true, reservePercentField},
        CheckCase{"SmallReserve", {{reservePercentField, "0.5"}}, "noReserve", false},
        CheckCase{"FanAllowanceOff", {{fanPercentField, "0"}}, "fanAllowanceOff", true, fanPercentField},
        CheckCase{"RefinedFansOff", {{fanPercentField, "0"}, {refinedFanCheck, ""}}, "fanAllowanceOff", false},
        CheckCase{"RefinedWithoutFans", {{refinedFanCheck, ""}}, "refinedFansZero", true, fanCountField}),
    [](const auto& info) { return info.param.name; });

// The samples need no warning, but for the published example, whose staff
// come and go through a door its air changes stand for.
TEST(Checks, QuietOnTheExamples) {
  const std::map<std::string, std::vector<std::string_view>> expected = {{"fao-cold-store.tpl", {"doorNeverOpen"}}};
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KAMEROL_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".tpl") continue;
    ++files;
    StartedForm started;
    ASSERT_EQ(readCalculationFile(started.form, entry.path(), ReadMode::Dialog, started.messages), ReadStatus::Ok);
    std::vector<std::string_view> keys;
    for (const CheckFinding& f : checkCalculation(started.form)) keys.push_back(f.key);
    const auto it = expected.find(entry.path().filename().string());
    EXPECT_EQ(keys, it == expected.end() ? std::vector<std::string_view>() : it->second) << entry.path();
  }
  EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace kamerol
