#include "form/calculation_form.h"

#include <gtest/gtest.h>

#include "core/defaults.h"
#include "tests/form/form_test_support.h"

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
  for (Control c :
       {Text1, Text2, Text4, Text6, Text10, Text22, Text23, Text24, Text25, Text26, Text33, Text34, Text36, Text37})
    EXPECT_EQ(form.text(c), "0") << nameOf(c);
  EXPECT_EQ(form.text(Text8), "18");
  EXPECT_EQ(form.text(Text9), "5");
  EXPECT_EQ(form.text(Text13), "100");
  EXPECT_EQ(form.text(Text16), "28");
  EXPECT_EQ(form.text(Text20), "230");
  EXPECT_EQ(form.text(Text21), "180");
  EXPECT_EQ(form.text(Text31), "1");
  EXPECT_EQ(form.text(Text32), "5");  // the recommended power, written back by the engine
  EXPECT_EQ(form.text(Text35), "10");
  EXPECT_EQ(form.text(Text7), "85");
  EXPECT_EQ(form.text(Text3), "");
  EXPECT_EQ(form.text(Combo1), "Железобетон");
  EXPECT_EQ(form.text(Combo6), "Пенополиуритан");
  EXPECT_EQ(form.text(Combo8), "Нет");
  EXPECT_EQ(form.text(Combo9), "Мясные");
  EXPECT_EQ(form.text(Combo10), "Баранина");
  EXPECT_EQ(form.text(Text27), "-1.5");
  EXPECT_EQ(form.text(Text38), "0");
  EXPECT_EQ(form.text(Text5), "0");
  EXPECT_EQ(form.text(Text48), "0");
  EXPECT_EQ(form.text(Text49), "0");
  EXPECT_EQ(form.control(Text49).background, Background::Grey);
  EXPECT_FALSE(form.modified());

  EXPECT_EQ(form.control(Combo1).items.size(), 21u);
  EXPECT_EQ(form.control(Combo4).items.size(), 10u);
  EXPECT_EQ(form.control(Combo8).items.size(), 3u);
  EXPECT_EQ(form.control(Combo9).items.size(), 6u);
  EXPECT_EQ(form.control(Combo10).items.size(), 13u);

  // The held values are those of a new calculation.
  const CalculationInputs expected = defaultInputs();
  const CalculationInputs& in = form.inputs();
  EXPECT_EQ(in.roomLength, 0.0f);
  EXPECT_EQ(in.equipHours, expected.equipHours);
  EXPECT_EQ(in.reserveFactor, expected.reserveFactor);
  EXPECT_EQ(in.doorHeight, expected.doorHeight);
  EXPECT_EQ(in.doorWidth, expected.doorWidth);
  EXPECT_EQ(in.lightingHours, expected.lightingHours);
  EXPECT_EQ(in.lightingPower, expected.lightingPower);
  EXPECT_EQ(in.fanPercent, expected.fanPercent);
  EXPECT_EQ(in.wallInsulationThickness, expected.wallInsulationThickness);
  EXPECT_EQ(in.wallInsulationLambda, expected.wallInsulationLambda);
  EXPECT_EQ(in.productName, expected.productName);
  EXPECT_EQ(in.freezingPoint, expected.freezingPoint);
  EXPECT_EQ(in.curtainName, expected.curtainName);
  EXPECT_TRUE(in.useRecommendedLighting);
  EXPECT_FALSE(in.refinedFanCalc);
}

TEST(FormDefaultsTest, InitialLocksAndColours) {
  StartedForm f;
  const CalculationForm& form = f.form;
  EXPECT_TRUE(form.control(Text32).locked);
  EXPECT_EQ(form.control(Text32).background, Background::Grey);
  EXPECT_FALSE(form.control(UpDown27).enabled);
  EXPECT_TRUE(form.control(Text36).locked);
  EXPECT_FALSE(form.control(UpDown28).enabled);
  EXPECT_EQ(form.control(Text6).background, Background::DarkBlue);
  EXPECT_TRUE(form.control(Text6).locked);
  for (Control c : {Text39, Text40, Text47}) EXPECT_EQ(form.control(c).colour, RowColour::Purple);
  EXPECT_EQ(form.control(Option1).value, 1);
  EXPECT_EQ(form.caption(Caption::Hours).text, "Время р-ты оборудования в сутки (Ч)");
  EXPECT_TRUE(form.frameVisible(1));
  for (int p = 2; p <= kPageCount; ++p) EXPECT_FALSE(form.frameVisible(p));
}

TEST(FormDefaultsTest, NewKeepsTheModeAndTheInclusionFlags) {
  StartedForm f;
  f.form.click(Option2);
  f.form.click(Check6);
  f.typeInto(Text1, "500");
  f.form.loadDefaults();
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время заморозки (Ч)");
  EXPECT_FALSE(f.form.control(Text23).visible);
  EXPECT_FALSE(f.form.inputs().includeDoor);
  EXPECT_EQ(f.form.text(Text1), "0");
  EXPECT_FALSE(f.form.modified());
}

TEST(FormDefaultsTest, NewResetsAProductTypedIntoTheSameCategory) {
  StartedForm f;
  f.form.setText(Combo10, "Яблоки");  // a fruit, typed while the category is "Мясные"
  ASSERT_EQ(f.form.inputs().productName, "Яблоки");
  f.form.loadDefaults();
  EXPECT_EQ(f.form.text(Combo10), "Баранина");
  EXPECT_EQ(f.form.inputs().productName, "Баранина");
  EXPECT_EQ(f.form.inputs().freezingPoint, -1.5f);
  EXPECT_EQ(f.form.text(Text27), "-1.5");
}

TEST(FormTest, WorkedExampleTypedKeyByKey) {
  StartedForm f;
  f.typeInto(Text1, "500");
  f.typeInto(Text2, "400");
  f.typeInto(Text4, "300");
  f.form.focusLost(Text4);
  const CalculationForm& form = f.form;
  EXPECT_EQ(form.inputs().roomLength, 5.0f);
  EXPECT_EQ(form.text(Text38), "20");
  EXPECT_EQ(form.text(Text5), "60");
  EXPECT_EQ(form.text(Text19), "9.04");
  EXPECT_EQ(form.text(Text39), "0.63");
  EXPECT_EQ(form.text(Text40), "0.46");
  EXPECT_EQ(form.text(Text47), "0.08");
  EXPECT_EQ(form.text(Text48), "1.17");
  EXPECT_EQ(form.text(Text49), "1.64");
  EXPECT_TRUE(form.modified());
  EXPECT_TRUE(f.messages.messages.empty());
}

// One row: the text a field gets with one change, what it then shows and
// holds, and what leaving it shows (message) and leaves.
struct FieldCase {
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
    case Text1:
      return in.roomLength;
    case Text4:
      return in.roomHeight;
    case Text8:
      return in.equipHours;
    case Text9:
      return in.reserveFactor;
    case Text10:
      return in.wallMaterialThickness;
    case Text13:
      return in.wallInsulationThickness;
    case Text15:
      return in.floorInsulationThickness;
    case Text16:
      return in.outsideTempWalls;
    case Text18:
      return in.outsideTempFloor;
    case Text20:
      return in.doorHeight;
    case Text21:
      return in.doorWidth;
    case Text22:
      return in.doorOpenMinutes;
    case Text24:
      return in.dailyMass;
    case Text25:
      return in.productInitialTemp;
    case Text26:
      return in.productFinalTemp;
    case Text31:
      return in.lightingHours;
    case Text33:
      return in.staffCount;
    case Text34:
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
        FieldCase{Text1, "1500", "1500", 15, "", "1500", 15},
        FieldCase{Text1, "10000", "10000", 100, "", "10000", 100},  // a limit itself passes
        FieldCase{Text1, "10001", "10001", 100.01f, "Слишком большая длина камеры!", "0", 0},
        FieldCase{Text1, "-500", "-500", -5, kNeg, "0", 0}, FieldCase{Text1, "", "", 0, "", "0", 0},
        FieldCase{Text1, "abc", "", 0, "", "0", 0},
        FieldCase{Text4, "2001", "2001", 20.01f, "Слишком большая высота камеры!", "0", 0},
        FieldCase{Text8, "24", "24", 24, "", "24", 24},
        FieldCase{Text8, "25", "25", 25, "Оборудование не может работать больше 24 часов в сутки!", "18", 18},
        FieldCase{Text8, "", "", 0, "", "18", 18}, FieldCase{Text9, "200", "200", 3, "", "200", 3},
        FieldCase{Text9, "250", "250", 3.5f, "Слишком большой к-т запаса!", "5", 1.05f},
        FieldCase{Text9, "-5", "-5", 0.95f, kNeg, "5", 1.05f},
        FieldCase{Text9, "x", "", 0, "", "5", 1.05f},  // not a number: the factor is 0 until leaving
        FieldCase{Text10, "", "0", 0, "", "0", 0},     // repaired at once
        FieldCase{Text10, "2001", "2001", 2001, "Слишком большое значение толщины стен!", "0", 0},
        FieldCase{Text13, "", "100", 100, "", "100", 100},
        FieldCase{Text15, "3000", "3000", 3000, "Слишком толстая термоизоляция пола!", "100", 100},
        FieldCase{Text16, "abc", "abc", 0, "", "28", 28},  // accepted while typing, repaired on leaving
        FieldCase{Text16, "12abc", "12abc", 12, "", "28", 28}, FieldCase{Text16, "99", "99", 99, "", "99", 99},
        FieldCase{Text16, "100", "100", 100, "Слишком высокая температура  за стеной!", "28", 28},
        FieldCase{Text18, "-51", "-51", -51, "Слишком низкая температура под полом!", "28", 28},
        FieldCase{Text16, "1234567", "28", 28, "", "28", 28},   // too long while typing
        FieldCase{Text20, "-5", "230", 2.3f, "", "230", 2.3f},  // negative door height repaired at once
        FieldCase{Text20, "1001", "1001", 10.01f, "Слишком высокая дверь!", "230", 2.3f},
        FieldCase{Text21, "250", "250", 2.5f, "", "250", 2.5f},
        FieldCase{Text21, "1500", "1500", 15, "Слишком широкая дверь!", "180", 1.8f},
        FieldCase{Text22, "a", "", 0, "", "0", 0},
        FieldCase{Text22, "1001", "1001", 1001, "Слишком долго открыта дверь!", "0", 0},
        FieldCase{Text24, "100001", "100001", 100001, "Слишком большой суточный оборот продукта!", "0", 0},
        FieldCase{Text25, "-50", "-50", -50, "", "-50", -50},
        FieldCase{Text25, "-51", "-51", -51, "Слишком низкая начальная температура продукта!", "0", 0},
        FieldCase{Text25, "101", "101", 101, "Слишком высокая начальная температура продукта!", "0", 0},
        FieldCase{Text25, "100000", "100000", 100000, "Слишком много знаков введено!", "0", 0},
        FieldCase{Text25, "5x", "5x", 5, "", "0", 0},
        FieldCase{Text26, "31", "31", 31, "Слишком высокая конечная температура продукта!", "0", 0},
        FieldCase{Text31, "25", "25", 25, "Больше 24 ч в сутки освещение в камере работать не может!", "0", 0},
        FieldCase{Text31, "", "", 0, "", "0", 0},
        FieldCase{Text33, "51", "51", 51, "Слишком много рабочих в камере!", "0", 0},
        FieldCase{Text34, "1001", "1001", 1001, "Слишком большая мощность Погрузочно Транспортных Средств!", "0", 0}));

TEST(FormTest, NinthDigitIsTooMany) {
  StartedForm f;
  f.typeInto(Text1, "123456789");
  EXPECT_EQ(f.messages.texts(), std::vector<std::string>{"Слишком много знаков введено!"});
  EXPECT_EQ(f.form.text(Text1), "0");
  EXPECT_EQ(f.form.inputs().roomLength, 0.0f);
}

TEST(FormTest, FocusClearsAZeroAndLeavingPutsItBack) {
  StartedForm f;
  f.form.moveFocus(Text1);
  EXPECT_EQ(f.form.text(Text1), "");
  EXPECT_EQ(f.form.control(Text1).background, Background::Focus);
  EXPECT_EQ(f.form.control(Text1).alignment, Alignment::Left);
  f.form.moveFocus(Text2);
  EXPECT_EQ(f.form.text(Text1), "0");
  EXPECT_EQ(f.form.control(Text1).background, Background::Window);
  EXPECT_EQ(f.form.control(Text1).alignment, Alignment::Centre);
  // A thickness field puts its zero back at once.
  f.form.moveFocus(Text10);
  EXPECT_EQ(f.form.text(Text10), "0");
  // The reserve only takes the colours.
  f.showPageOf(Text9);
  f.form.moveFocus(Text9);
  EXPECT_EQ(f.form.text(Text9), "5");
  EXPECT_EQ(f.form.control(Text9).background, Background::Focus);
}

TEST(FormTest, DecimalCommaFollowsTheLocale) {
  // A leading-number field reads "1,5" as 1 wherever "1,5" is a number;
  // a locale-number field reads it as 1.5 in a decimal-comma locale.
  StartedForm comma(NumberLocale::comma());
  comma.enter(Text9, "1,5");
  EXPECT_FLOAT_EQ(comma.form.inputs().reserveFactor, 1.01f);
  comma.enter(Text33, "1,5");
  EXPECT_FLOAT_EQ(comma.form.inputs().staffCount, 1.5f);
  comma.enter(Text33, "1.5");  // not a number with a decimal comma
  EXPECT_EQ(comma.form.text(Text33), "0");

  StartedForm point(NumberLocale::point());
  point.enter(Text33, "1.5");
  EXPECT_FLOAT_EQ(point.form.inputs().staffCount, 1.5f);
  point.showPageOf(Text9);
  point.form.moveFocus(Text9);
  point.form.setText(Text9, "1,5");  // not a number with a decimal point
  EXPECT_EQ(point.form.text(Text9), "");
}

TEST(FormTest, FinalTemperatureIsPulledUpToTheRoom) {
  StartedForm f;
  for (int i = 0; i < 18; ++i) f.form.spin(UpDown1, -1);
  ASSERT_EQ(f.form.text(Text6), "-18");
  EXPECT_EQ(f.form.control(UpDown24).minimum, -18);
  f.enter(Text26, "-25");
  EXPECT_EQ(f.form.text(Text26), "-18");
  EXPECT_EQ(f.form.inputs().productFinalTemp, -18.0f);
  f.enter(Text26, "-10");
  EXPECT_EQ(f.form.text(Text26), "-10");
}

TEST(FormTest, LightingPowerIsWrittenBack) {
  StartedForm f;
  f.showPageOf(Text32);
  f.form.click(Check2);  // off: the power can be typed
  ASSERT_FALSE(f.form.control(Text32).locked);
  EXPECT_EQ(f.form.text(Text32), "5");
  f.form.moveFocus(Text32);
  f.form.setText(Text32, "");
  EXPECT_EQ(f.form.text(Text32), "0");  // emptying shows "0" at once
  f.form.setText(Text32, "7");
  f.form.setText(Text32, "7.");
  EXPECT_EQ(f.form.text(Text32), "7");  // the trailing point vanishes
  f.form.setText(Text32, "007");
  EXPECT_EQ(f.form.text(Text32), "7");
  EXPECT_EQ(f.form.inputs().lightingPower, 7.0f);
  f.form.focusLost(Text32);
  f.enter(Text32, "501");
  EXPECT_EQ(f.messages.texts().back(), "Слишком большая мощность освещения!");
  EXPECT_EQ(f.form.text(Text32), "5");
  f.form.click(Check2);  // on again: the recommendation wins
  EXPECT_EQ(f.form.text(Text32), "5");
  EXPECT_TRUE(f.form.control(Text32).locked);
}

TEST(FormTest, LockedLightingFieldIgnoresFocus) {
  StartedForm f;
  RunCounter counter;
  f.showPageOf(Text32);
  f.form.setObserver(&counter);
  f.form.moveFocus(Text32);
  f.form.focusLost(Text32);
  EXPECT_EQ(counter.runs, 0);
  EXPECT_EQ(f.form.control(Text32).background, Background::Grey);
  EXPECT_EQ(f.form.text(Text32), "5");
}

TEST(FormTest, RefinedFanCalculationSwapsTheFields) {
  StartedForm f;
  f.form.click(Check3);
  EXPECT_TRUE(f.form.control(Text35).locked);
  EXPECT_FALSE(f.form.control(Text35).visible);
  EXPECT_FALSE(f.form.caption(Caption::FanPercent).visible);
  EXPECT_FALSE(f.form.control(UpDown17).visible);
  EXPECT_FALSE(f.form.control(Text36).locked);
  EXPECT_TRUE(f.form.control(UpDown29).enabled);
  EXPECT_TRUE(f.form.inputs().refinedFanCalc);
  f.form.click(Check3);
  EXPECT_FALSE(f.form.control(Text35).locked);
  EXPECT_TRUE(f.form.control(Text36).locked);
  EXPECT_EQ(f.form.control(Text36).background, Background::Grey);
}

TEST(FormTest, FreezingHidesTheStoredMassAndKeepsIt) {
  StartedForm f;
  f.enter(Text23, "500");
  f.form.click(Option2);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время заморозки (Ч)");
  EXPECT_EQ(f.form.caption(Caption::Mass).text, "Замораживаемая масса (кг)");
  EXPECT_FALSE(f.form.control(Text23).visible);
  EXPECT_FALSE(f.form.control(UpDown21).visible);
  EXPECT_FALSE(f.form.caption(Caption::StoredMass).visible);
  EXPECT_EQ(f.form.inputs().storedMass, 500.0f);
  EXPECT_EQ(f.form.control(Option1).value, 0);
  f.form.click(Option1);
  EXPECT_EQ(f.form.caption(Caption::Hours).text, "Время р-ты оборудования (Ч)");
  EXPECT_TRUE(f.form.control(Text23).visible);
}

TEST(FormTest, OptionSetToFalseSelectsNothing) {
  StartedForm f;
  f.form.setState(Option1, 0);
  EXPECT_EQ(f.form.control(Option1).value, 0);
  EXPECT_EQ(f.form.control(Option2).value, 0);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Storage);
}

TEST(FormTest, ClickingTheSelectedOptionStillRecalculates) {
  StartedForm f;
  RunCounter counter;
  f.form.setObserver(&counter);
  f.form.click(Option1);
  EXPECT_EQ(counter.runs, 1);
}

TEST(FormTest, TypingAMaterialLooksUpWithoutRecalculating) {
  StartedForm f;
  f.typeInto(Text1, "500");
  f.typeInto(Text2, "400");
  f.typeInto(Text4, "300");
  const std::string walls = f.form.text(Text39);
  f.form.setText(Combo1, "");
  std::vector<float> lambdas;
  for (const char* step : {"А", "Ас", "Асб", "Асбе", "Асбес", "Асбест", "Асбесто", "Асбестоцемент"}) {
    f.form.setText(Combo1, step);
    lambdas.push_back(f.form.inputs().wallMaterialLambda);
  }
  EXPECT_EQ(lambdas, (std::vector<float>{1.7f, 1.7f, 1.7f, 1.7f, 1.7f, 0.35f, 0.35f, 1.76f}));
  EXPECT_EQ(f.form.inputs().wallMaterial, "Асбестоцемент");
  EXPECT_EQ(f.form.text(Text39), walls);  // no recalculation while typing
  f.form.setText(Combo1, "кирпич");
  EXPECT_EQ(f.form.inputs().wallMaterialLambda, 1.76f);  // no match: unchanged
  // A pick looks up and recalculates.
  f.form.pickEntry(Combo1, 11);  // "Дюралюминий"
  EXPECT_EQ(f.form.text(Combo1), "Дюралюминий");
  EXPECT_EQ(f.form.inputs().wallMaterialLambda, 160.0f);
  EXPECT_EQ(f.form.inputs().ceilingMaterialLambda, 1.7f);
}

TEST(FormTest, CategoryRefillsTheProductList) {
  StartedForm f;
  f.form.setText(Combo9, "Мяс");  // incomplete: nothing changes
  EXPECT_EQ(f.form.control(Combo10).items.size(), 13u);
  f.form.setText(Combo9, "Овощи");
  EXPECT_EQ(f.form.control(Combo10).items.size(), 24u);
  EXPECT_EQ(f.form.text(Combo10), "Баклажаны");
  EXPECT_EQ(f.form.inputs().freezingPoint, -0.8f);
  EXPECT_EQ(f.form.text(Text27), "-0.8");
  f.form.pickEntry(Combo9, 0);
  EXPECT_EQ(f.form.text(Combo10), "Баранина");
}

TEST(FormTest, ProductTypedLetterByLetter) {
  StartedForm f;
  f.form.setText(Combo10, "");
  EXPECT_EQ(f.form.inputs().freezingPoint, 0.0f);
  EXPECT_EQ(f.form.inputs().productName, "Баранина");  // no match keeps the name
  f.typeInto(Combo10, "Реп");
  EXPECT_EQ(f.form.inputs().respirationHeat, 0.0f);
  f.typeInto(Combo10, "а");
  EXPECT_EQ(f.form.inputs().respirationHeat, 87.0f);
  EXPECT_EQ(f.form.inputs().productName, "Репа");
  // Any product, whatever the category shown.
  f.form.setText(Combo10, "Яблоки");
  EXPECT_EQ(f.form.inputs().freezingPoint, -2.0f);
}

TEST(FormTest, OnlyTheResultBoxesMarkTheDocument) {
  StartedForm f;
  f.enter(Text23, "100");  // lamb does not respire: no result changes
  EXPECT_FALSE(f.form.modified());
  f.enter(Text3, "ООО Холод");
  EXPECT_TRUE(f.form.modified());
  f.form.setModified(false);
  f.enter(Text1, "500");  // no width yet: area and volume stay "0"
  EXPECT_FALSE(f.form.modified());
  f.enter(Text22, "60");  // the door gain changes
  EXPECT_TRUE(f.form.modified());
}

TEST(FormTest, ClientDetailsStayOnOneLine) {
  StartedForm f;
  f.form.setText(Text3, "first\r\nsecond");
  EXPECT_EQ(f.form.text(Text3), "first  second");
  EXPECT_EQ(f.form.inputs().clientInfo, "first  second");
}

TEST(FormTest, SpinnersStepFromTheFieldWithinTheirLimits) {
  StartedForm f;
  f.enter(Text1, "505");
  f.form.spin(UpDown14, +1);
  EXPECT_EQ(f.form.text(Text1), "515");
  EXPECT_FLOAT_EQ(f.form.inputs().roomLength, 5.15f);
  f.form.spin(UpDown1, +1);
  EXPECT_EQ(f.form.text(Text6), "1");
  EXPECT_EQ(f.form.inputs().roomTemp, 1.0f);
  EXPECT_TRUE(f.form.modified());
  for (int i = 0; i < 30; ++i) f.form.spin(UpDown1, +1);
  EXPECT_EQ(f.form.text(Text6), "20");
  f.form.spin(UpDown27, +1);  // disabled while the recommendation is on
  EXPECT_EQ(f.form.text(Text32), "5");
  f.form.spin(UpDown29, +1);  // disabled without the refined calculation
  EXPECT_EQ(f.form.text(Text37), "0");
}

TEST(FormTest, RoomTemperatureLimitsTheFinalTemperatureSpinner) {
  StartedForm f;
  for (int i = 0; i < 5; ++i) f.form.spin(UpDown1, -1);
  EXPECT_EQ(f.form.control(UpDown24).minimum, -5);
  f.enter(Text26, "-3");
  for (int i = 0; i < 5; ++i) f.form.spin(UpDown24, -1);
  EXPECT_EQ(f.form.text(Text26), "-5");
}

TEST(FormTest, PagesShowOneFrameAndColourTheirRows) {
  StartedForm f;
  RunCounter counter;
  f.form.setObserver(&counter);
  f.form.selectPage(6);
  EXPECT_EQ(counter.runs, 1);  // a page change always recalculates
  for (int p = 1; p <= kPageCount; ++p) EXPECT_EQ(f.form.frameVisible(p), p == 6) << p;
  EXPECT_EQ(f.form.control(Text42).colour, RowColour::Red);
  EXPECT_EQ(f.form.control(Text43).colour, RowColour::Red);
  EXPECT_EQ(f.form.control(Text44).colour, RowColour::Purple);
  f.form.selectPage(7);
  EXPECT_EQ(f.form.control(Text42).colour, RowColour::Purple);
  EXPECT_EQ(f.form.control(Text43).colour, RowColour::Purple);
  EXPECT_EQ(f.form.control(Text44).colour, RowColour::Red);
  for (int p : {1, 2}) {
    f.form.selectPage(p);
    for (Control row : {Text39, Text40, Text41, Text42, Text43, Text44, Text45, Text46, Text47})
      EXPECT_EQ(f.form.control(row).colour, RowColour::Purple) << p << nameOf(row);
  }
}

TEST(FormTest, HiddenControlsCannotTakeTheFocus) {
  StartedForm f;
  EXPECT_FALSE(f.form.moveFocus(Text20));  // on page 5
  f.form.selectPage(5);
  EXPECT_TRUE(f.form.moveFocus(Text20));
  EXPECT_EQ(f.form.focusedControl(), Text20);
  EXPECT_TRUE(f.form.moveFocus(Text6));   // the header is always shown
  EXPECT_TRUE(f.form.moveFocus(Text39));  // read-only boxes still take the focus
}

TEST(FormTest, EnterFollowsThePageCycles) {
  StartedForm f;
  const std::pair<Control, Control> moves[] = {{Text1, Text2},   {Text4, Text38},  {Text5, Text1},   {Text9, Text8},
                                               {Text12, Combo4}, {Text18, Combo1}, {Combo8, Text20}, {Text26, Combo9},
                                               {Text27, Combo9}, {Text37, Text36}};
  for (const auto& [from, to] : moves) EXPECT_EQ(f.form.enterPressed(from), to) << nameOf(from);
  for (Control c : {Text33, Text34, Text35, Text6, Text3}) EXPECT_FALSE(f.form.enterPressed(c)) << nameOf(c);
}

TEST(FormTest, SketchFollowsTheRoomAndTheDoor) {
  StartedForm f;
  EXPECT_FALSE(f.form.sketch().doorVisible());
  f.enter(Text1, "500");
  f.enter(Text2, "400");
  f.enter(Text4, "240");
  EXPECT_FALSE(f.form.sketch().doorVisible());  // needs 2.5 m with the insulation
  f.enter(Text4, "260");
  EXPECT_TRUE(f.form.sketch().doorVisible());
  EXPECT_EQ(f.form.sketch().l1[0].end.x, 5309.2f);
}

TEST(FormTest, RequiredCapacityBoxTurnsBlackWithoutHours) {
  StartedForm f;
  f.enter(Text1, "500");
  f.enter(Text2, "400");
  f.enter(Text4, "300");
  f.showPageOf(Text8);
  f.form.moveFocus(Text8);
  f.form.setText(Text8, "0");
  EXPECT_EQ(f.form.control(Text49).background, Background::Black);
  EXPECT_EQ(f.form.text(Text49), "1.64");
  f.form.setText(Text8, "12");
  EXPECT_EQ(f.form.control(Text49).background, Background::Grey);
  // Fans 1.09 × 12 × 10 / 2400 = 0.05, sum 1.14, 1.05 × 1.14 × 24 / 12 = 2.39.
  EXPECT_EQ(f.form.text(Text49), "2.39");
}

TEST(FormTest, HugeTypedNumbersNeverShowInfinity) {
  StartedForm f;
  f.enter(Text1, "1e30");
  f.enter(Text2, "1e30");
  f.form.moveFocus(Text4);
  f.form.setText(Text4, "1e30");
  for (Control c : allControls()) {
    const std::string& t = f.form.text(c);
    EXPECT_EQ(t.find("inf"), std::string::npos) << nameOf(c);
    EXPECT_EQ(t.find("nan"), std::string::npos) << nameOf(c);
  }
}

}  // namespace
}  // namespace kamerol
