#include "form/calculation_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/defaults.h"
#include "core/record_fields.h"
#include "form/calculation_fields.h"
#include "form/results_text.h"
#include "tests/form/form_test_support.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::StartedForm;

// Counts engine runs through the sketch signal, which every run sends first.
class RunCounter : public FormObserver {
 public:
  void sketchChanged() override { ++runs; }
  int runs = 0;
};

TEST(FormDefaultsTest, StartUpShowsANewCalculation) {
  StartedForm f;
  const CalculationForm& form = f.form;
  for (Control c : {roomLengthField, roomWidthField, roomHeightField, roomTempBox, wallMaterialThicknessField,
                    doorOpenMinutesField, storedMassField, dailyMassField, productInitialTempField,
                    productFinalTempField, staffCountField, vehiclePowerField, fanCountField, fanPowerField})
    EXPECT_EQ(form.text(c), "0") << nameOf(c);
  EXPECT_EQ(form.text(equipHoursField), "18");
  EXPECT_EQ(form.text(reservePercentField), "5");
  EXPECT_EQ(form.text(wallInsulationThicknessField), "100");
  EXPECT_EQ(form.text(outsideTempWallsField), "28");
  EXPECT_EQ(form.text(doorHeightField), "230");
  EXPECT_EQ(form.text(doorWidthField), "180");
  EXPECT_EQ(form.text(lightingHoursField), "1");
  EXPECT_EQ(form.text(lightingPowerField), "5");  // the recommended power, written back by the engine
  EXPECT_EQ(form.text(fanPercentField), "10");
  EXPECT_EQ(form.text(airHumidityBox), "85");
  EXPECT_EQ(form.text(clientInfoField), "");
  EXPECT_EQ(form.text(wallMaterialList), "Железобетон");
  EXPECT_EQ(form.text(floorInsulationList), "Пенополиуритан");
  EXPECT_EQ(form.text(curtainList), "Нет");
  EXPECT_EQ(form.text(productCategoryList), "Мясные");
  EXPECT_EQ(form.text(productList), "Баранина");
  EXPECT_EQ(form.text(freezingPointBox), "-1.5");
  EXPECT_EQ(form.text(floorAreaBox), "0");
  EXPECT_EQ(form.text(roomVolumeBox), "0");
  EXPECT_EQ(form.text(totalGainBox), "0");
  EXPECT_EQ(form.text(requiredCapacityBox), "0");
  EXPECT_EQ(form.control(requiredCapacityBox).background, Background::Grey);
  EXPECT_FALSE(form.modified());

  EXPECT_EQ(form.control(wallMaterialList).items.size(), 21u);
  EXPECT_EQ(form.control(wallInsulationList).items.size(), 10u);
  EXPECT_EQ(form.control(curtainList).items.size(), 3u);
  EXPECT_EQ(form.control(productCategoryList).items.size(), 6u);
  EXPECT_EQ(form.control(productList).items.size(), 13u);
}

// Every held value, at start-up and after New following edits everywhere.
TEST(FormDefaultsTest, HeldValuesAreANewCalculationFieldByField) {
  StartedForm f;
  const auto expectNew = [&](const char* when) {
    const CalculationInputs expected = defaultInputs();
    const CalculationInputs& in = f.form.inputs();
    for (const auto& field : floatInputFields())
      EXPECT_EQ(in.*field.member, expected.*field.member) << field.name << when;
    for (const auto& field : textInputFields())
      EXPECT_EQ(in.*field.member, expected.*field.member) << field.name << when;
    for (const auto& field : flagInputFields())
      EXPECT_EQ(in.*field.member, expected.*field.member) << field.name << when;
    EXPECT_EQ(in.processMode, expected.processMode) << when;
  };
  expectNew(" at start-up");
  for (const CalculationField& field : kCalculationFields) {
    if (field.kind != LineKind::Text || !f.form.control(field.control).visible) continue;
    if (kindOf(field.control) == ControlKind::ComboBox && !f.form.control(field.control).items.empty())
      f.form.pickEntry(field.control, f.form.control(field.control).items.size() - 1);
    else
      f.form.setText(field.control, "7");
  }
  f.form.click(recommendedLightingCheck);
  f.form.click(refinedFanCheck);
  f.form.spin(roomTempSpinner, -1);
  f.form.loadDefaults();
  expectNew(" after New");
}

TEST(FormDefaultsTest, InitialLocksAndColours) {
  StartedForm f;
  const CalculationForm& form = f.form;
  EXPECT_TRUE(form.control(lightingPowerField).locked);
  EXPECT_EQ(form.control(lightingPowerField).background, Background::Grey);
  EXPECT_FALSE(form.control(lightingPowerSpinner).enabled);
  EXPECT_TRUE(form.control(fanCountField).locked);
  EXPECT_FALSE(form.control(fanCountSpinner).enabled);
  EXPECT_EQ(form.control(roomTempBox).background, Background::DarkBlue);
  EXPECT_TRUE(form.control(roomTempBox).locked);
  for (Control c : {wallsGainBox, ventilationGainBox, fansGainBox})
    EXPECT_EQ(form.control(c).colour, RowColour::Purple);
  EXPECT_EQ(form.control(storageOption).value, 1);
  EXPECT_EQ(form.caption(Caption::Hours).text, "Время р-ты оборудования в сутки (Ч)");
  EXPECT_TRUE(form.frameVisible(1));
  for (int p = 2; p <= kPageCount; ++p) EXPECT_FALSE(form.frameVisible(p));
}

TEST(FormDefaultsTest, NewKeepsTheModeAndTheInclusionFlags) {
  StartedForm f;
  f.form.click(freezingOption);
  f.form.click(includeDoorCheck);
  f.typeInto(roomLengthField, "500");
  f.form.loadDefaults();
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время заморозки (Ч)");
  EXPECT_FALSE(f.form.control(storedMassField).visible);
  EXPECT_FALSE(f.form.inputs().includeDoor);
  EXPECT_EQ(f.form.text(roomLengthField), "0");
  EXPECT_FALSE(f.form.modified());
}

TEST(FormDefaultsTest, NewResetsAProductTypedIntoTheSameCategory) {
  StartedForm f;
  f.form.setText(productList, "Яблоки");  // a fruit, typed while the category is "Мясные"
  ASSERT_EQ(f.form.inputs().productName, "Яблоки");
  f.form.loadDefaults();
  EXPECT_EQ(f.form.text(productList), "Баранина");
  EXPECT_EQ(f.form.inputs().productName, "Баранина");
  EXPECT_EQ(f.form.inputs().freezingPoint, -1.5f);
  EXPECT_EQ(f.form.text(freezingPointBox), "-1.5");
}

TEST(FormTest, WorkedExampleTypedKeyByKey) {
  StartedForm f;
  f.typeInto(roomLengthField, "500");
  f.typeInto(roomWidthField, "400");
  f.typeInto(roomHeightField, "300");
  f.form.focusLost(roomHeightField);
  const CalculationForm& form = f.form;
  EXPECT_EQ(form.inputs().roomLength, 5.0f);
  EXPECT_EQ(form.text(floorAreaBox), "20");
  EXPECT_EQ(form.text(roomVolumeBox), "60");
  EXPECT_EQ(form.text(airChangeRateBox), "9.04");
  EXPECT_EQ(form.text(wallsGainBox), "0.63");
  EXPECT_EQ(form.text(ventilationGainBox), "0.46");
  EXPECT_EQ(form.text(fansGainBox), "0.08");
  EXPECT_EQ(form.text(totalGainBox), "1.17");
  EXPECT_EQ(form.text(requiredCapacityBox), "1.64");
  EXPECT_TRUE(form.modified());
  EXPECT_TRUE(f.messages.messages.empty());
}

// One row: the text a field gets with one change, what it then shows and
// holds, and what leaving it shows (message) and leaves.
struct FieldCase {
  const char* name;
  Control field;
  const char* text;
  const char* shownAfterChange;
  float heldAfterChange;
  const char* message;  // on leaving; "" for none
  const char* shownAfterLeave;
  float heldAfterLeave;
};

float heldOf(const CalculationForm& form, Control c) {
  const CalculationInputs& in = form.inputs();
  switch (c) {
    case roomLengthField:
      return in.roomLength;
    case roomHeightField:
      return in.roomHeight;
    case equipHoursField:
      return in.equipHours;
    case reservePercentField:
      return in.reserveFactor;
    case wallMaterialThicknessField:
      return in.wallMaterialThickness;
    case wallInsulationThicknessField:
      return in.wallInsulationThickness;
    case floorInsulationThicknessField:
      return in.floorInsulationThickness;
    case outsideTempWallsField:
      return in.outsideTempWalls;
    case outsideTempFloorField:
      return in.outsideTempFloor;
    case doorHeightField:
      return in.doorHeight;
    case doorWidthField:
      return in.doorWidth;
    case doorOpenMinutesField:
      return in.doorOpenMinutes;
    case dailyMassField:
      return in.dailyMass;
    case productInitialTempField:
      return in.productInitialTemp;
    case productFinalTempField:
      return in.productFinalTemp;
    case lightingHoursField:
      return in.lightingHours;
    case staffCountField:
      return in.staffCount;
    case vehiclePowerField:
      return in.vehiclePower;
    default:
      ADD_FAILURE() << "no held value for " << nameOf(c);
      return 0;
  }
}

class FieldRuleTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldRuleTest, ChangeThenLeave) {
  const FieldCase c = GetParam();
  StartedForm f;
  f.showPageOf(c.field);
  f.form.moveFocus(c.field);
  f.form.setText(c.field, c.text);
  EXPECT_EQ(f.form.text(c.field), c.shownAfterChange);
  EXPECT_FLOAT_EQ(heldOf(f.form, c.field), c.heldAfterChange);
  const std::size_t before = f.messages.messages.size();
  f.form.focusLost(c.field);
  std::vector<std::string> leaveMessages;
  for (std::size_t i = before; i < f.messages.messages.size(); ++i) {
    leaveMessages.push_back(f.messages.messages[i].text);
    EXPECT_EQ(f.messages.messages[i].title, "Ошибка ввода");
  }
  if (*c.message) {
    EXPECT_EQ(leaveMessages, std::vector<std::string>{c.message});
  } else {
    EXPECT_TRUE(leaveMessages.empty()) << leaveMessages.front();
  }
  EXPECT_EQ(f.form.text(c.field), c.shownAfterLeave);
  EXPECT_FLOAT_EQ(heldOf(f.form, c.field), c.heldAfterLeave);
}

constexpr const char* kNeg = "Введено отрицательное число!";

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldRuleTest,
    testing::Values(
        FieldCase{"Length_Accepted", roomLengthField, "1500", "1500", 15, "", "1500", 15},
        FieldCase{"Length_AtLimit", roomLengthField, "10000", "10000", 100, "", "10000", 100},  // a limit itself passes
        FieldCase{"Length_AboveLimit", roomLengthField, "10001", "10001", 100.01f, "Слишком большая длина камеры!", "0",
                  0},
        FieldCase{"Length_Negative", roomLengthField, "-500", "-500", -5, kNeg, "0", 0},
        FieldCase{"Length_Empty", roomLengthField, "", "", 0, "", "0", 0},
        FieldCase{"Length_NotANumber", roomLengthField, "abc", "", 0, "", "0", 0},
        FieldCase{"Height_AboveLimit", roomHeightField, "2001", "2001", 20.01f, "Слишком большая высота камеры!", "0",
                  0},
        FieldCase{"Hours_AtLimit", equipHoursField, "24", "24", 24, "", "24", 24},
        FieldCase{"Hours_AboveLimit", equipHoursField, "25", "25", 25,
                  "Оборудование не может работать больше 24 часов в сутки!", "18", 18},
        FieldCase{"Hours_Empty", equipHoursField, "", "", 0, "", "18", 18},
        FieldCase{"Reserve_AtLimit", reservePercentField, "200", "200", 3, "", "200", 3},
        FieldCase{"Reserve_AboveLimit", reservePercentField, "250", "250", 3.5f, "Слишком большой к-т запаса!", "5",
                  1.05f},
        FieldCase{"Reserve_Negative", reservePercentField, "-5", "-5", 0.95f, kNeg, "5", 1.05f},
        FieldCase{"Reserve_NotANumber", reservePercentField, "x", "", 0, "", "5",
                  1.05f},  // not a number: the factor is 0 until leaving
        FieldCase{"WallMaterialThickness_EmptyRepairedAtOnce", wallMaterialThicknessField, "", "0", 0, "", "0",
                  0},  // repaired at once
        FieldCase{"WallMaterialThickness_AboveLimit", wallMaterialThicknessField, "2001", "2001", 2001,
                  "Слишком большое значение толщины стен!", "0", 0},
        FieldCase{"WallInsulationThickness_EmptyRepairedAtOnce", wallInsulationThicknessField, "", "100", 100, "",
                  "100", 100},
        FieldCase{"FloorInsulationThickness_AboveLimit", floorInsulationThicknessField, "3000", "3000", 3000,
                  "Слишком толстая термоизоляция пола!", "100", 100},
        FieldCase{"OutsideTempWalls_NotANumber", outsideTempWallsField, "abc", "abc", 0, "", "28",
                  28},  // accepted while typing, repaired on leaving
        FieldCase{"OutsideTempWalls_LeadingNumber", outsideTempWallsField, "12abc", "12abc", 12, "", "28", 28},
        FieldCase{"OutsideTempWalls_AtLimit", outsideTempWallsField, "99", "99", 99, "", "99", 99},
        FieldCase{"OutsideTempWalls_AboveLimit", outsideTempWallsField, "100", "100", 100,
                  "Слишком высокая температура  за стеной!", "28", 28},
        FieldCase{"OutsideTempFloor_BelowLimit", outsideTempFloorField, "-51", "-51", -51,
                  "Слишком низкая температура под полом!", "28", 28},
        FieldCase{"OutsideTempWalls_TooLong", outsideTempWallsField, "1234567", "28", 28, "", "28",
                  28},  // too long while typing
        FieldCase{"DoorHeight_NegativeRepairedAtOnce", doorHeightField, "-5", "230", 2.3f, "", "230",
                  2.3f},  // negative door height repaired at once
        FieldCase{"DoorHeight_AboveLimit", doorHeightField, "1001", "1001", 10.01f, "Слишком высокая дверь!", "230",
                  2.3f},
        FieldCase{"DoorWidth_Accepted", doorWidthField, "250", "250", 2.5f, "", "250", 2.5f},
        FieldCase{"DoorWidth_AboveLimit", doorWidthField, "1500", "1500", 15, "Слишком широкая дверь!", "180", 1.8f},
        FieldCase{"DoorMinutes_NotANumber", doorOpenMinutesField, "a", "", 0, "", "0", 0},
        FieldCase{"DoorMinutes_AboveLimit", doorOpenMinutesField, "1001", "1001", 1001, "Слишком долго открыта дверь!",
                  "0", 0},
        FieldCase{"DailyMass_AboveLimit", dailyMassField, "100001", "100001", 100001,
                  "Слишком большой суточный оборот продукта!", "0", 0},
        FieldCase{"InitialTemp_AtLimit", productInitialTempField, "-50", "-50", -50, "", "-50", -50},
        FieldCase{"InitialTemp_BelowLimit", productInitialTempField, "-51", "-51", -51,
                  "Слишком низкая начальная температура продукта!", "0", 0},
        FieldCase{"InitialTemp_AboveLimit", productInitialTempField, "101", "101", 101,
                  "Слишком высокая начальная температура продукта!", "0", 0},
        FieldCase{"InitialTemp_TooLong", productInitialTempField, "100000", "100000", 100000,
                  "Слишком много знаков введено!", "0", 0},
        FieldCase{"InitialTemp_LeadingNumber", productInitialTempField, "5x", "5x", 5, "", "0", 0},
        FieldCase{"FinalTemp_AboveLimit", productFinalTempField, "31", "31", 31,
                  "Слишком высокая конечная температура продукта!", "0", 0},
        FieldCase{"LightingHours_AboveLimit", lightingHoursField, "25", "25", 25,
                  "Больше 24 ч в сутки освещение в камере работать не может!", "0", 0},
        FieldCase{"LightingHours_Empty", lightingHoursField, "", "", 0, "", "0", 0},
        FieldCase{"Staff_AboveLimit", staffCountField, "51", "51", 51, "Слишком много рабочих в камере!", "0", 0},
        FieldCase{"Vehicles_AboveLimit", vehiclePowerField, "1001", "1001", 1001,
                  "Слишком большая мощность Погрузочно Транспортных Средств!", "0", 0}),
    RowName());

TEST(FormTest, NinthDigitIsTooMany) {
  StartedForm f;
  f.typeInto(roomLengthField, "123456789");
  EXPECT_EQ(f.messages.texts(), std::vector<std::string>{"Слишком много знаков введено!"});
  EXPECT_EQ(f.form.text(roomLengthField), "0");
  EXPECT_EQ(f.form.inputs().roomLength, 0.0f);
}

TEST(FormTest, FocusClearsAZeroAndLeavingPutsItBack) {
  StartedForm f;
  f.form.moveFocus(roomLengthField);
  EXPECT_EQ(f.form.text(roomLengthField), "");
  EXPECT_EQ(f.form.control(roomLengthField).background, Background::Focus);
  EXPECT_EQ(f.form.control(roomLengthField).alignment, Alignment::Left);
  f.form.moveFocus(roomWidthField);
  EXPECT_EQ(f.form.text(roomLengthField), "0");
  EXPECT_EQ(f.form.control(roomLengthField).background, Background::Window);
  EXPECT_EQ(f.form.control(roomLengthField).alignment, Alignment::Centre);
  // A thickness field puts its zero back at once.
  f.form.moveFocus(wallMaterialThicknessField);
  EXPECT_EQ(f.form.text(wallMaterialThicknessField), "0");
  // The reserve only takes the colours.
  f.showPageOf(reservePercentField);
  f.form.moveFocus(reservePercentField);
  EXPECT_EQ(f.form.text(reservePercentField), "5");
  EXPECT_EQ(f.form.control(reservePercentField).background, Background::Focus);
}

// A locale-number field reads a decimal comma and a decimal point alike
// wherever the text means nothing else; a leading-number field stops at a comma.
struct SeparatorTyping {
  const char* name;
  NumberLocale locale;
  Control field;
  const char* typed;  // key by key
  float held;
};

class TypedSeparatorTest : public testing::TestWithParam<SeparatorTyping> {};

TEST_P(TypedSeparatorTest, KeepsTheTextAndReadsIt) {
  const SeparatorTyping& c = GetParam();
  StartedForm f(c.locale);
  f.showPageOf(c.field);
  f.form.moveFocus(c.field);
  f.form.setText(c.field, "");
  f.typeInto(c.field, c.typed);
  EXPECT_EQ(f.form.text(c.field), c.typed);
  const float held = c.field == reservePercentField ? f.form.inputs().reserveFactor : f.form.inputs().staffCount;
  EXPECT_FLOAT_EQ(held, c.held);
  EXPECT_TRUE(f.messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedSeparatorTest,
    testing::Values(
        SeparatorTyping{"CommaLocaleComma", NumberLocale::comma(), staffCountField, "3,5", 3.5f},
        SeparatorTyping{"CommaLocalePoint", NumberLocale::comma(), staffCountField, "3.5", 3.5f},
        SeparatorTyping{"PointLocalePoint", NumberLocale::point(), staffCountField, "3.5", 3.5f},
        SeparatorTyping{"PointLocaleComma", NumberLocale::point(), staffCountField, "3,5", 3.5f},
        SeparatorTyping{"PointLocaleGroupedThousand", NumberLocale::point(), staffCountField, "1,000", 1000.0f},
        SeparatorTyping{"LeadingNumberStopsAtAComma", NumberLocale::comma(), reservePercentField, "1,5", 1.01f},
        SeparatorTyping{"LeadingNumberWithAPoint", NumberLocale::comma(), reservePercentField, "1.5", 1.015f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormTest, FinalTemperatureIsPulledUpToTheRoom) {
  StartedForm f;
  for (int i = 0; i < 18; ++i) f.form.spin(roomTempSpinner, -1);
  ASSERT_EQ(f.form.text(roomTempBox), "-18");
  EXPECT_EQ(f.form.control(productFinalTempSpinner).minimum, -18);
  f.enter(productFinalTempField, "-25");
  EXPECT_EQ(f.form.text(productFinalTempField), "-18");
  EXPECT_EQ(f.form.inputs().productFinalTemp, -18.0f);
  f.enter(productFinalTempField, "-10");
  EXPECT_EQ(f.form.text(productFinalTempField), "-10");
}

TEST(FormTest, LightingPowerIsWrittenBack) {
  StartedForm f;
  f.showPageOf(lightingPowerField);
  f.form.click(recommendedLightingCheck);  // off: the power can be typed
  ASSERT_FALSE(f.form.control(lightingPowerField).locked);
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
  f.form.moveFocus(lightingPowerField);
  f.form.setText(lightingPowerField, "");
  EXPECT_EQ(f.form.text(lightingPowerField), "0");  // emptying shows "0" at once
  f.form.setText(lightingPowerField, "7");
  f.form.setText(lightingPowerField, "7.");
  EXPECT_EQ(f.form.text(lightingPowerField), "7");  // the trailing point vanishes
  f.form.setText(lightingPowerField, "007");
  EXPECT_EQ(f.form.text(lightingPowerField), "7");
  EXPECT_EQ(f.form.inputs().lightingPower, 7.0f);
  f.form.focusLost(lightingPowerField);
  f.enter(lightingPowerField, "501");
  EXPECT_EQ(f.messages.texts().back(), "Слишком большая мощность освещения!");
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
  f.form.click(recommendedLightingCheck);  // on again: the recommendation wins
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
  EXPECT_TRUE(f.form.control(lightingPowerField).locked);
}

TEST(FormTest, LockedLightingFieldIgnoresFocus) {
  StartedForm f;
  RunCounter counter;
  f.showPageOf(lightingPowerField);
  f.form.setObserver(&counter);
  f.form.moveFocus(lightingPowerField);
  f.form.focusLost(lightingPowerField);
  EXPECT_EQ(counter.runs, 0);
  EXPECT_EQ(f.form.control(lightingPowerField).background, Background::Grey);
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
}

TEST(FormTest, RefinedFanCalculationSwapsTheFields) {
  StartedForm f;
  f.form.click(refinedFanCheck);
  EXPECT_TRUE(f.form.control(fanPercentField).locked);
  EXPECT_FALSE(f.form.control(fanPercentField).visible);
  EXPECT_FALSE(f.form.caption(Caption::FanPercent).visible);
  EXPECT_FALSE(f.form.control(fanPercentSpinner).visible);
  EXPECT_FALSE(f.form.control(fanCountField).locked);
  EXPECT_TRUE(f.form.control(fanPowerSpinner).enabled);
  EXPECT_TRUE(f.form.inputs().refinedFanCalc);
  f.form.click(refinedFanCheck);
  EXPECT_FALSE(f.form.control(fanPercentField).locked);
  EXPECT_TRUE(f.form.control(fanCountField).locked);
  EXPECT_EQ(f.form.control(fanCountField).background, Background::Grey);
}

TEST(FormTest, FreezingHidesTheStoredMassAndKeepsIt) {
  StartedForm f;
  f.enter(storedMassField, "500");
  f.form.click(freezingOption);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время заморозки (Ч)");
  EXPECT_EQ(f.form.caption(Caption::Mass).text, "Замораживаемая масса (кг)");
  EXPECT_FALSE(f.form.control(storedMassField).visible);
  EXPECT_FALSE(f.form.control(storedMassSpinner).visible);
  EXPECT_FALSE(f.form.caption(Caption::StoredMass).visible);
  EXPECT_EQ(f.form.inputs().storedMass, 500.0f);
  EXPECT_EQ(f.form.control(storageOption).value, 0);
  f.form.click(storageOption);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время р-ты оборудования (Ч)");
  EXPECT_TRUE(f.form.control(storedMassField).visible);
}

TEST(FormTest, OptionSetToFalseSelectsNothing) {
  StartedForm f;
  f.form.setState(storageOption, 0);
  EXPECT_EQ(f.form.control(storageOption).value, 0);
  EXPECT_EQ(f.form.control(freezingOption).value, 0);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Storage);
}

TEST(FormTest, ClickingTheSelectedOptionStillRecalculates) {
  StartedForm f;
  RunCounter counter;
  f.form.setObserver(&counter);
  f.form.click(storageOption);
  EXPECT_EQ(counter.runs, 1);
}

TEST(FormTest, TypingAMaterialLooksUpWithoutRecalculating) {
  StartedForm f;
  f.typeInto(roomLengthField, "500");
  f.typeInto(roomWidthField, "400");
  f.typeInto(roomHeightField, "300");
  const std::string walls = f.form.text(wallsGainBox);
  f.form.setText(wallMaterialList, "");
  std::vector<float> lambdas;
  for (const char* step : {"А", "Ас", "Асб", "Асбе", "Асбес", "Асбест", "Асбесто", "Асбестоцемент"}) {
    f.form.setText(wallMaterialList, step);
    lambdas.push_back(f.form.inputs().wallMaterialLambda);
  }
  EXPECT_EQ(lambdas, (std::vector<float>{1.7f, 1.7f, 1.7f, 1.7f, 1.7f, 0.35f, 0.35f, 1.76f}));
  EXPECT_EQ(f.form.inputs().wallMaterial, "Асбестоцемент");
  EXPECT_EQ(f.form.text(wallsGainBox), walls);  // no recalculation while typing
  f.form.setText(wallMaterialList, "кирпич");
  EXPECT_EQ(f.form.inputs().wallMaterialLambda, 1.76f);  // no match: unchanged
  // A pick looks up and recalculates.
  f.form.pickEntry(wallMaterialList, 11);  // "Дюралюминий"
  EXPECT_EQ(f.form.text(wallMaterialList), "Дюралюминий");
  EXPECT_EQ(f.form.inputs().wallMaterialLambda, 160.0f);
  EXPECT_EQ(f.form.inputs().ceilingMaterialLambda, 1.7f);
}

TEST(FormTest, CategoryRefillsTheProductList) {
  StartedForm f;
  f.form.setText(productCategoryList, "Мяс");  // incomplete: nothing changes
  EXPECT_EQ(f.form.control(productList).items.size(), 13u);
  f.form.setText(productCategoryList, "Овощи");
  EXPECT_EQ(f.form.control(productList).items.size(), 24u);
  EXPECT_EQ(f.form.text(productList), "Баклажаны");
  EXPECT_EQ(f.form.inputs().freezingPoint, -0.8f);
  EXPECT_EQ(f.form.text(freezingPointBox), "-0.8");
  f.form.pickEntry(productCategoryList, 0);
  EXPECT_EQ(f.form.text(productList), "Баранина");
}

TEST(FormTest, ProductTypedLetterByLetter) {
  StartedForm f;
  f.form.setText(productList, "");
  EXPECT_EQ(f.form.inputs().freezingPoint, 0.0f);
  EXPECT_EQ(f.form.inputs().productName, "Баранина");  // no match keeps the name
  f.typeInto(productList, "Реп");
  EXPECT_EQ(f.form.inputs().respirationHeat, 0.0f);
  f.typeInto(productList, "а");
  EXPECT_EQ(f.form.inputs().respirationHeat, 87.0f);
  EXPECT_EQ(f.form.inputs().productName, "Репа");
  // Any product, whatever the category shown.
  f.form.setText(productList, "Яблоки");
  EXPECT_EQ(f.form.inputs().freezingPoint, -2.0f);
}

// One row: what is done to a started form, and whether the calculation is
// then modified. Door, product and curtain edits change no result while the
// room is empty and the door shut; they count all the same.
struct EditCase {
  const char* what;
  void (*act)(StartedForm&);
  bool modified;
};

class EditMarksTest : public testing::TestWithParam<EditCase> {};

TEST_P(EditMarksTest, Table) {
  StartedForm f;
  ASSERT_FALSE(f.form.modified());
  GetParam().act(f);
  EXPECT_EQ(f.form.modified(), GetParam().modified);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditMarksTest,
    testing::Values(
        EditCase{"door width typed", [](StartedForm& f) { f.enter(doorWidthField, "200"); }, true},
        EditCase{"door height typed key by key", [](StartedForm& f) { f.typeInto(doorHeightField, "0"); }, true},
        EditCase{"stored mass typed", [](StartedForm& f) { f.enter(storedMassField, "100"); }, true},
        EditCase{"room length without a width", [](StartedForm& f) { f.enter(roomLengthField, "500"); }, true},
        EditCase{"client details", [](StartedForm& f) { f.enter(clientInfoField, "ООО Холод"); }, true},
        EditCase{"the text it has", [](StartedForm& f) { f.enter(doorWidthField, "180"); }, false},
        EditCase{"focus through a zero it clears",
                 [](StartedForm& f) {
                   for (Control c : {doorOpenMinutesField, productInitialTempField, productFinalTempField}) {
                     f.showPageOf(c);
                     f.form.moveFocus(c);
                     f.form.focusLost(c);
                   }
                 },
                 false},
        EditCase{"curtain picked", [](StartedForm& f) { f.form.pickEntry(curtainList, 1); }, true},
        EditCase{"the entry shown picked", [](StartedForm& f) { f.form.pickEntry(curtainList, 0); }, false},
        EditCase{"product typed", [](StartedForm& f) { f.typeInto(productList, "x"); }, true},
        EditCase{"inclusion box clicked", [](StartedForm& f) { f.form.click(includeDoorCheck); }, true},
        EditCase{"freezing chosen", [](StartedForm& f) { f.form.click(freezingOption); }, true},
        EditCase{"the chosen option clicked", [](StartedForm& f) { f.form.click(storageOption); }, false},
        EditCase{"door width stepped",
                 [](StartedForm& f) {
                   f.showPageOf(doorWidthField);
                   f.form.spin(doorWidthSpinner, +1);
                 },
                 true},
        EditCase{"stepped at its limit", [](StartedForm& f) { f.form.spin(roomLengthSpinner, -1); }, false},
        EditCase{"another page", [](StartedForm& f) { f.form.selectPage(5); }, false},
        EditCase{"new after an edit",
                 [](StartedForm& f) {
                   f.enter(doorWidthField, "200");
                   f.form.loadDefaults();
                 },
                 false},
        EditCase{"the program sets texts",
                 [](StartedForm& f) {
                   const CalculationForm::ProgramChanges program(f.form);
                   f.form.setText(doorWidthField, "200");
                   f.form.setState(includeDoorCheck, 0);
                 },
                 false},
        // A value no one typed, replaced on leaving: the calculation differs from its file.
        EditCase{"a loaded value out of range replaced",
                 [](StartedForm& f) {
                   {
                     const CalculationForm::ProgramChanges program(f.form);
                     f.form.setText(doorWidthField, "2000");
                   }
                   f.showPageOf(doorWidthField);
                   f.form.moveFocus(doorWidthField);
                   f.form.focusLost(doorWidthField);
                   EXPECT_EQ(f.form.text(doorWidthField), "180");
                 },
                 true}),
    RowName());

TEST(FormTest, ClientDetailsStayOnOneLine) {
  StartedForm f;
  f.form.setText(clientInfoField, "first\r\nsecond");
  EXPECT_EQ(f.form.text(clientInfoField), "first  second");
  EXPECT_EQ(f.form.inputs().clientInfo, "first  second");
}

TEST(FormTest, SpinnersStepFromTheFieldWithinTheirLimits) {
  StartedForm f;
  f.enter(roomLengthField, "505");
  f.form.spin(roomLengthSpinner, +1);
  EXPECT_EQ(f.form.text(roomLengthField), "515");
  EXPECT_FLOAT_EQ(f.form.inputs().roomLength, 5.15f);
  f.form.spin(roomTempSpinner, +1);
  EXPECT_EQ(f.form.text(roomTempBox), "1");
  EXPECT_EQ(f.form.inputs().roomTemp, 1.0f);
  EXPECT_TRUE(f.form.modified());
  for (int i = 0; i < 30; ++i) f.form.spin(roomTempSpinner, +1);
  EXPECT_EQ(f.form.text(roomTempBox), "20");
  f.form.spin(lightingPowerSpinner, +1);  // disabled while the recommendation is on
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
  f.form.spin(fanPowerSpinner, +1);  // disabled without the refined calculation
  EXPECT_EQ(f.form.text(fanPowerField), "0");
}

TEST(FormTest, RoomTemperatureLimitsTheFinalTemperatureSpinner) {
  StartedForm f;
  for (int i = 0; i < 5; ++i) f.form.spin(roomTempSpinner, -1);
  EXPECT_EQ(f.form.control(productFinalTempSpinner).minimum, -5);
  f.enter(productFinalTempField, "-3");
  for (int i = 0; i < 5; ++i) f.form.spin(productFinalTempSpinner, -1);
  EXPECT_EQ(f.form.text(productFinalTempField), "-5");
}

TEST(FormTest, PagesShowOneFrameAndColourTheirRows) {
  StartedForm f;
  RunCounter counter;
  f.form.setObserver(&counter);
  f.form.selectPage(6);
  EXPECT_EQ(counter.runs, 1);  // a page change always recalculates
  for (int p = 1; p <= kPageCount; ++p) EXPECT_EQ(f.form.frameVisible(p), p == 6) << p;
  EXPECT_EQ(f.form.control(productGainBox).colour, RowColour::Red);
  EXPECT_EQ(f.form.control(respirationGainBox).colour, RowColour::Red);
  EXPECT_EQ(f.form.control(lightingGainBox).colour, RowColour::Purple);
  f.form.selectPage(7);
  EXPECT_EQ(f.form.control(productGainBox).colour, RowColour::Purple);
  EXPECT_EQ(f.form.control(respirationGainBox).colour, RowColour::Purple);
  EXPECT_EQ(f.form.control(lightingGainBox).colour, RowColour::Red);
  for (int p : {1, 2}) {
    f.form.selectPage(p);
    for (Control row : {wallsGainBox, ventilationGainBox, doorGainBox, productGainBox, respirationGainBox,
                        lightingGainBox, staffGainBox, vehiclesGainBox, fansGainBox})
      EXPECT_EQ(f.form.control(row).colour, RowColour::Purple) << p << nameOf(row);
  }
}

TEST(FormTest, HiddenControlsCannotTakeTheFocus) {
  StartedForm f;
  EXPECT_FALSE(f.form.moveFocus(doorHeightField));  // on page 5
  f.form.selectPage(5);
  EXPECT_TRUE(f.form.moveFocus(doorHeightField));
  EXPECT_EQ(f.form.focusedControl(), doorHeightField);
  EXPECT_TRUE(f.form.moveFocus(roomTempBox));   // the header is always shown
  EXPECT_TRUE(f.form.moveFocus(wallsGainBox));  // read-only boxes still take the focus
}

TEST(FormTest, EnterFollowsThePageCycles) {
  StartedForm f;
  const std::pair<Control, Control> moves[] = {{roomLengthField, roomWidthField},
                                               {roomHeightField, floorAreaBox},
                                               {roomVolumeBox, roomLengthField},
                                               {reservePercentField, equipHoursField},
                                               {floorMaterialThicknessField, wallInsulationList},
                                               {outsideTempFloorField, wallMaterialList},
                                               {curtainList, doorHeightField},
                                               {productFinalTempField, productCategoryList},
                                               {freezingPointBox, productCategoryList},
                                               {fanPowerField, fanCountField}};
  for (const auto& [from, to] : moves) EXPECT_EQ(f.form.enterPressed(from), to) << nameOf(from);
  for (Control c : {staffCountField, vehiclePowerField, fanPercentField, roomTempBox, clientInfoField})
    EXPECT_FALSE(f.form.enterPressed(c)) << nameOf(c);
}

TEST(FormTest, SketchFollowsTheRoomAndTheDoor) {
  StartedForm f;
  EXPECT_FALSE(f.form.sketch().doorVisible());
  f.enter(roomLengthField, "500");
  f.enter(roomWidthField, "400");
  f.enter(roomHeightField, "240");
  EXPECT_FALSE(f.form.sketch().doorVisible());  // needs 2.5 m with the insulation
  f.enter(roomHeightField, "260");
  EXPECT_TRUE(f.form.sketch().doorVisible());
  EXPECT_EQ(f.form.sketch().l1[0].end.x, 5309.2f);
}

TEST(FormTest, RequiredCapacityBoxTurnsBlackWithoutHours) {
  StartedForm f;
  f.enter(roomLengthField, "500");
  f.enter(roomWidthField, "400");
  f.enter(roomHeightField, "300");
  f.showPageOf(equipHoursField);
  f.form.moveFocus(equipHoursField);
  f.form.setText(equipHoursField, "0");
  EXPECT_EQ(f.form.control(requiredCapacityBox).background, Background::Black);
  EXPECT_EQ(f.form.text(requiredCapacityBox), "1.64");
  f.form.setText(equipHoursField, "12");
  EXPECT_EQ(f.form.control(requiredCapacityBox).background, Background::Grey);
  // Fans 1.09 × 12 × 10 / 2400 = 0.05, sum 1.14, 1.05 × 1.14 × 24 / 12 = 2.39.
  EXPECT_EQ(f.form.text(requiredCapacityBox), "2.39");
}

TEST(FormTest, HugeTypedNumbersNeverShowInfinity) {
  StartedForm f;
  f.enter(roomLengthField, "1e30");
  f.enter(roomWidthField, "1e30");
  f.form.moveFocus(roomHeightField);
  f.form.setText(roomHeightField, "1e30");
  for (Control c : allControls()) {
    const std::string& t = f.form.text(c);
    EXPECT_EQ(t.find("inf"), std::string::npos) << nameOf(c);
    EXPECT_EQ(t.find("nan"), std::string::npos) << nameOf(c);
  }
}

// The clipboard's values carry the user's decimal separator ("#" below), the
// panel's its point; the captions and the header stay as they are.
TEST(FormTest, ResultsTextHoldsThePanelsRowsWithUnits) {
  constexpr std::string_view kExpected =
      "Теплоприток\tкВт\n"
      "Через стены\t0#63\tкВт\n"
      "От вентиляции\t0#46\tкВт\n"
      "Через дверь\t0\tкВт\n"
      "От продукта\t0\tкВт\n"
      "\"От дыхания\"\t0\tкВт\n"
      "От освещения\t0\tкВт\n"
      "От персонала\t0\tкВт\n"
      "От ПТС\t0\tкВт\n"
      "От вент. ВО\t0#08\tкВт\n"
      "Суммарный теплоприток\t1#17\tкВт\n"
      "Потребная холодопроизводительность\t1#64\tкВт\n";
  for (const auto& [locale, separator] :
       {std::pair{NumberLocale::point(), '.'}, std::pair{NumberLocale::comma(), ','}}) {
    StartedForm f(locale);
    f.enter(roomLengthField, "500");
    f.enter(roomWidthField, "400");
    f.enter(roomHeightField, "300");
    std::string expected(kExpected);
    std::replace(expected.begin(), expected.end(), '#', separator);
    EXPECT_EQ(resultsText(f.form, f.form.locale().decimalSeparator), expected);
    EXPECT_EQ(f.form.text(requiredCapacityBox), "1.64");
  }
}

}  // namespace
}  // namespace kamerol
