#include "form/calculation_form.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/engine.h"
#include "core/materials.h"
#include "core/products.h"
#include "core/rounding.h"
#include "core/tables.h"

namespace kamerol {

namespace {

using enum Control;

constexpr std::string_view kNegative = "Введено отрицательное число!";
constexpr std::string_view kTooManyCharacters = "Слишком много знаков введено!";

// A change reaction that sets texts which set texts... ends here at the latest.
// Only a hostile file can get near it; the ordinary chains are a few deep.
constexpr int kMaxNesting = 32;

std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

int roundToInt(double x) {
  const double r = roundHalfEven(x, 0);
  if (!(r > INT_MIN && r < INT_MAX)) return r > 0 ? INT_MAX : (r < 0 ? INT_MIN : 0);
  return static_cast<int>(r);
}

}  // namespace

namespace detail {

struct NumericRule {
  enum class Reading : unsigned char { Locale, Leading };
  enum class Conversion : unsigned char { Plain, Centimetres, Reserve };
  enum class Kind : unsigned char {
    Tested,       // the is-a-number test gates the reading
    OutsideTemp,  // read as a leading number, length-checked first
    ProductTemp,  // read as a leading number, checked only on leaving
  };
  enum class OnFocus : unsigned char { ColoursOnly, ColoursClearZero };

  struct LeaveCheck {
    enum class Test : unsigned char {
      Above,                 // held value > limit
      Below,                 // held value < limit
      Empty,                 // text is empty
      LongerThan,            // more than `limit` characters
      LeadingBelow,          // leading number of the text < limit
      NotNumberElseLocale,   // not a number: reset; else held := locale number
      NotNumberElseLeading,  // not a number: reset; else held := leading number
    };
    Test test;
    double limit;
    std::string_view message;  // empty: reset without a message
    std::string_view resetText;
    float resetHeld;
  };

  Control control;
  float CalculationInputs::*held;
  Kind kind;
  Reading reading;
  Conversion conversion;
  std::size_t maxLength;  // 0: no limit while typing
  std::string_view notNumberText;
  float notNumberHeld;
  std::string_view tooLongText;
  float tooLongHeld;
  OnFocus onFocus;
  bool lockGated;  // focus and leave handling only while unlocked
  std::array<std::optional<LeaveCheck>, 4> checks;
};

}  // namespace detail

namespace {

using Rule = detail::NumericRule;
using Test = Rule::LeaveCheck::Test;
using Check = Rule::LeaveCheck;
using R = Rule::Reading;
using Cv = Rule::Conversion;
using K = Rule::Kind;
using F = Rule::OnFocus;
using In = CalculationInputs;

constexpr Check above(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Above, limit, message, text, value};
}
constexpr Check below(double limit, std::string_view message, std::string_view text, float value) {
  return {Test::Below, limit, message, text, value};
}
constexpr Check empty(std::string_view text, float value) { return {Test::Empty, 0, {}, text, value}; }
constexpr Check negative(std::string_view text, float value) { return below(0, kNegative, text, value); }

// The kinds of field, with their common checks. Limits are in the held
// unit: metres for the centimetre fields, the factor for the reserve.
// (Kept as a table, one rule to a line or two.)
// clang-format off

// A room dimension, typed in cm: its text emptied when it is not a number.
constexpr Rule dimension(Control c, float In::*held, double limit, std::string_view tooLarge) {
  return {c, held, K::Tested, R::Locale, Cv::Centimetres, 8, "", 0, "0", 0, F::ColoursClearZero, false,
          {above(limit, tooLarge, "0", 0), negative("0", 0), empty("0", 0)}};
}

// A quantity checked for a negative value first, then for its limit.
constexpr Rule quantity(Control c, float In::*held, R reading, std::size_t maxLength, double limit,
                        std::string_view tooLarge) {
  return {c, held, K::Tested, reading, Cv::Plain, maxLength, "", 0, "0", 0, F::ColoursClearZero, false,
          {negative("0", 0), above(limit, tooLarge, "0", 0), empty("0", 0)}};
}

// A thickness in mm: an empty or non-numeric text puts the reset back at once.
constexpr Rule thickness(Control c, float In::*held, std::string_view tooThick, std::string_view reset,
                         float resetValue, F onFocus) {
  return {c, held, K::Tested, R::Locale, Cv::Plain, 6, reset, resetValue, reset, resetValue, onFocus, false,
          {above(2000, tooThick, reset, resetValue), negative(reset, resetValue)}};
}

// An outside temperature: any text while typing, repaired silently on leaving.
constexpr Rule outside(Control c, float In::*held, std::string_view tooHigh, std::string_view tooLow) {
  return {c, held, K::OutsideTemp, R::Leading, Cv::Plain, 6, {}, 0, "28", 28, F::ColoursOnly, false,
          {Check{Test::NotNumberElseLocale, 0, {}, "28", 28}, above(99, tooHigh, "28", 28),
           below(-50, tooLow, "28", 28)}};
}

// A product temperature: checked only on leaving.
constexpr Rule productTemp(Control c, float In::*held, std::string_view tooLow, double maximum,
                           std::string_view tooHigh) {
  return {c, held, K::ProductTemp, R::Leading, Cv::Plain, 0, {}, 0, {}, 0, F::ColoursClearZero, false,
          {Check{Test::LongerThan, 5, kTooManyCharacters, "0", 0}, Check{Test::NotNumberElseLeading, 0, {}, "0", 0},
           below(-50, tooLow, "0", 0), above(maximum, tooHigh, "0", 0)}};
}

// A fan field, handled only while the refined fan calculation leaves it unlocked.
constexpr Rule fan(Control c, float In::*held, double limit, std::string_view reset, float resetValue) {
  return {c, held, K::Tested, R::Leading, Cv::Plain, 6, "", 0, reset, resetValue, F::ColoursClearZero, true,
          {above(limit, "Слишком большое значение!", reset, resetValue), negative(reset, resetValue),
           empty(reset, resetValue)}};
}

constexpr std::string_view kHoursTooLong = "Оборудование не может работать больше 24 часов в сутки!";
constexpr std::string_view kLightingTooLong = "Больше 24 ч в сутки освещение в камере работать не может!";
constexpr std::string_view kVehiclesTooStrong = "Слишком большая мощность Погрузочно Транспортных Средств!";

const Rule kRules[] = {
    dimension(Text1, &In::roomLength, 100, "Слишком большая длина камеры!"),
    dimension(Text2, &In::roomWidth, 100, "Слишком большая ширина камеры!"),
    dimension(Text4, &In::roomHeight, 20, "Слишком большая высота камеры!"),
    {Text8, &In::equipHours, K::Tested, R::Locale, Cv::Plain, 5, "", 0, "18", 18, F::ColoursClearZero, false,
     {above(24, kHoursTooLong, "18", 18), negative("18", 18), empty("18", 18)}},
    {Text9, &In::reserveFactor, K::Tested, R::Leading, Cv::Reserve, 6, "", 0, "5", 1.05f, F::ColoursOnly, false,
     {above(3, "Слишком большой к-т запаса!", "5", 1.05f), Check{Test::LeadingBelow, 0, kNegative, "5", 1.05f},
      empty("5", 1.05f)}},
    thickness(Text10, &In::wallMaterialThickness, "Слишком большое значение толщины стен!", "0", 0, F::ColoursClearZero),
    thickness(Text11, &In::ceilingMaterialThickness, "Слишком большое значение толщины потолка!", "0", 0, F::ColoursClearZero),
    thickness(Text12, &In::floorMaterialThickness, "Слишком большое значение толщины пола!", "0", 0, F::ColoursClearZero),
    thickness(Text13, &In::wallInsulationThickness, "Слишком большое значение толщины термоизоляции стен!", "100", 100, F::ColoursOnly),
    thickness(Text14, &In::ceilingInsulationThickness, "Слишком большое значение толщины термоизоляции потолка!", "100", 100, F::ColoursOnly),
    thickness(Text15, &In::floorInsulationThickness, "Слишком толстая термоизоляция пола!", "100", 100, F::ColoursOnly),
    outside(Text16, &In::outsideTempWalls, "Слишком высокая температура  за стеной!", "Слишком низкая температура за стеной!"),
    outside(Text17, &In::outsideTempCeiling, "Слишком высокая температура за потолком!", "Слишком низкая температура за потолком!"),
    outside(Text18, &In::outsideTempFloor, "Слишком высокая температура под полом!", "Слишком низкая температура под полом!"),
    {Text20, &In::doorHeight, K::Tested, R::Leading, Cv::Centimetres, 6, "", 0, "230", 2.3f, F::ColoursClearZero, false,
     {negative("230", 2.3f), above(10, "Слишком высокая дверь!", "230", 2.3f), empty("230", 2.3f)}},
    {Text21, &In::doorWidth, K::Tested, R::Leading, Cv::Centimetres, 6, "", 0, "180", 1.8f, F::ColoursClearZero, false,
     {negative("180", 1.8f), above(10, "Слишком широкая дверь!", "180", 1.8f), empty("180", 1.8f)}},
    quantity(Text22, &In::doorOpenMinutes, R::Locale, 6, 1000, "Слишком долго открыта дверь!"),
    quantity(Text23, &In::storedMass, R::Leading, 7, 100000, "Слишком большая масса хранимого продукта!"),
    quantity(Text24, &In::dailyMass, R::Leading, 7, 100000, "Слишком большой суточный оборот продукта!"),
    productTemp(Text25, &In::productInitialTemp, "Слишком низкая начальная температура продукта!", 100,
                "Слишком высокая начальная температура продукта!"),
    productTemp(Text26, &In::productFinalTemp, "Слишком низкая конечная температура продукта!", 30,
                "Слишком высокая конечная температура продукта!"),
    quantity(Text31, &In::lightingHours, R::Locale, 6, 24, kLightingTooLong),
    {Text32, &In::lightingPower, K::Tested, R::Leading, Cv::Plain, 6, "", 0, "0", 0, F::ColoursClearZero, true,
     {negative("5", 5), above(500, "Слишком большая мощность освещения!", "5", 5)}},
    quantity(Text33, &In::staffCount, R::Locale, 6, 50, "Слишком много рабочих в камере!"),
    quantity(Text34, &In::vehiclePower, R::Locale, 6, 1000, kVehiclesTooStrong),
    fan(Text35, &In::fanPercent, 60, "10", 10),
    fan(Text36, &In::fanCount, 50, "0", 0),
    fan(Text37, &In::fanPower, 3000, "0", 0),
};
// clang-format on

struct Spinner {
  Control upDown;
  Control field;
  int start;
  int step;
  int minimum;
  int maximum;
};

constexpr Spinner kSpinners[] = {
    {UpDown1, Text6, 0, 1, -40, 20},        {UpDown14, Text1, 0, 10, 0, 10000},     {UpDown15, Text2, 0, 10, 0, 10000},
    {UpDown16, Text4, 0, 10, 0, 1500},      {UpDown2, Text8, 18, 1, 1, 24},         {UpDown25, Text9, 5, 1, 0, 200},
    {UpDown5, Text10, 0, 10, 0, 2000},      {UpDown6, Text11, 0, 10, 0, 2000},      {UpDown7, Text12, 0, 10, 0, 2000},
    {UpDown8, Text13, 0, 10, 0, 2000},      {UpDown9, Text14, 0, 10, 0, 2000},      {UpDown10, Text15, 0, 10, 0, 2000},
    {UpDown11, Text16, 28, 1, -20, 50},     {UpDown12, Text17, 28, 1, -20, 50},     {UpDown13, Text18, 28, 1, -20, 50},
    {UpDown18, Text20, 230, 10, 100, 1000}, {UpDown19, Text21, 180, 10, 50, 1000},  {UpDown20, Text22, 60, 1, 0, 60},
    {UpDown21, Text23, 0, 50, 0, 10000},    {UpDown22, Text24, 0, 50, 0, 10000},    {UpDown23, Text25, 0, 1, -50, 100},
    {UpDown24, Text26, 0, 1, -50, 100},     {UpDown26, Text31, 1, 1, 0, 24},        {UpDown27, Text32, 5, 1, 0, 20},
    {UpDown4, Text33, 0, 1, 0, 20},         {UpDown3, Text34, 0, 1, 0, 100},        {UpDown17, Text35, 10, 1, 0, 60},
    {UpDown28, Text36, 0, 1, 0, 100},       {UpDown29, Text37, 100, 100, 0, 10000},
};

const Spinner* spinnerFor(Control upDown) {
  for (const Spinner& s : kSpinners)
    if (s.upDown == upDown) return &s;
  return nullptr;
}

struct ListLookup {
  Control list;
  MaterialList materials;
  std::string In::*name;
  float In::*lambda;
};

constexpr ListLookup kMaterialLists[] = {
    {Combo1, MaterialList::Building, &In::wallMaterial, &In::wallMaterialLambda},
    {Combo2, MaterialList::Building, &In::ceilingMaterial, &In::ceilingMaterialLambda},
    {Combo3, MaterialList::Building, &In::floorMaterial, &In::floorMaterialLambda},
    {Combo4, MaterialList::Insulation, &In::wallInsulation, &In::wallInsulationLambda},
    {Combo5, MaterialList::Insulation, &In::ceilingInsulation, &In::ceilingInsulationLambda},
    {Combo6, MaterialList::Insulation, &In::floorInsulation, &In::floorInsulationLambda},
};

struct IncludeFlag {
  Control check;
  bool In::*flag;
};

constexpr IncludeFlag kIncludeFlags[] = {
    {Check4, &In::includeWalls},   {Check5, &In::includeVentilation}, {Check6, &In::includeDoor},
    {Check7, &In::includeProduct}, {Check8, &In::includeRespiration}, {Check9, &In::includeLighting},
    {Check10, &In::includeStaff},  {Check11, &In::includeVehicles},   {Check12, &In::includeFans},
};

constexpr Control kResultBoxes[kGainCount] = {Text39, Text40, Text41, Text42, Text43, Text44, Text45, Text46, Text47};

bool isReadOnlyBox(Control c) {
  return c == Text5 || c == Text7 || c == Text19 || c == Text27 || (c >= Text38 && c <= Text49);
}

bool marksModified(Control c) { return c == Text3 || c == Text5 || (c >= Text38 && c <= Text49); }

// The client details are one line of the calculation file.
std::string singleLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

}  // namespace

const detail::NumericRule* CalculationForm::ruleFor(Control c) {
  for (const NumericRule& rule : kRules)
    if (rule.control == c) return &rule;
  return nullptr;
}

CalculationForm::CalculationForm(MessageSink& messages, NumberLocale locale)
    : messages_(messages), locale_(std::move(locale)) {
  for (Control c : allControls()) {
    ControlState& s = state(c);
    if (isReadOnlyBox(c)) {
      s.locked = true;
      s.background = Background::Grey;
    }
  }
  state(Text7).text = "85";
  state(Text6).locked = true;
  state(Text6).background = Background::DarkBlue;
  // The lighting power follows the recommendation; the fan count and power
  // wait for the refined calculation.
  for (Control c : {Text32, Text36, Text37}) {
    state(c).locked = true;
    state(c).background = Background::Grey;
  }
  state(UpDown27).enabled = false;
  state(UpDown28).enabled = false;
  state(UpDown29).enabled = false;
  state(Check2).value = 1;
  record_.inputs.useRecommendedLighting = true;
  state(Option1).value = 1;
  for (const IncludeFlag& f : kIncludeFlags) state(f.check).value = 1;
  for (Control row : kResultBoxes) state(row).colour = RowColour::Purple;
  for (const Spinner& s : kSpinners) {
    ControlState& spinner = state(s.upDown);
    spinner.value = s.start;
    spinner.step = s.step;
    spinner.minimum = s.minimum;
    spinner.maximum = s.maximum;
  }
  captions_[static_cast<std::size_t>(Caption::Hours)].text = "Время р-ты оборудования в сутки (Ч)";
  captions_[static_cast<std::size_t>(Caption::Mass)].text = "Суточный оборот (кг)";
  captions_[static_cast<std::size_t>(Caption::StoredMass)].text = "Хранимая масса (кг)";
  captions_[static_cast<std::size_t>(Caption::FanPercent)].text = "Предварительный учет теплопритока от ВО (%)";
  frames_[0] = true;
  sketch_ = computeRoomSketch(sketchInputOf(record_.inputs)).value_or(RoomSketch{});
}

bool CalculationForm::frameVisible(int page) const {
  return page >= 1 && page <= kPageCount && frames_[static_cast<std::size_t>(page - 1)];
}

bool CalculationForm::shown(Control c) const {
  if (!control(c).visible) return false;
  const auto page = pageOf(c);
  return !page || frameVisible(*page);
}

void CalculationForm::changed(Control c) {
  if (observer_) observer_->controlChanged(c);
}

void CalculationForm::changeCaption(Caption c, std::string_view text, bool visible) {
  CaptionState& caption = captions_[static_cast<std::size_t>(c)];
  if (caption.text == text && caption.visible == visible) return;
  caption.text = text;
  caption.visible = visible;
  if (observer_) observer_->captionChanged(c);
}

void CalculationForm::showMessage(std::string_view text) {
  messages_.showMessage(Message{std::string(kInputErrorTitle), std::string(text), MessageIcon::None});
}

// --- Text changes ----------------------------------------------------------

bool CalculationForm::storeText(Control c, std::string_view text) {
  std::string value = c == Text3 ? singleLine(text) : std::string(text);
  ControlState& s = state(c);
  if (s.text == value) return false;
  s.text = std::move(value);
  changed(c);
  return true;
}

void CalculationForm::setText(Control c, std::string_view text) {
  const ControlKind kind = kindOf(c);
  if (kind != ControlKind::TextBox && kind != ControlKind::ComboBox) return;
  if (!storeText(c, text)) return;
  if (depth_ >= kMaxNesting) return;
  ++depth_;
  if (kind == ControlKind::ComboBox)
    onListChanged(c, false);
  else
    onTextChanged(c);
  --depth_;
}

float& CalculationForm::held(const NumericRule& rule) { return record_.inputs.*(rule.held); }

float CalculationForm::readHeld(const NumericRule& rule, std::string_view text) const {
  const double value =
      rule.reading == NumericRule::Reading::Locale ? localeNumber(text, locale_).value_or(0) : leadingNumber(text);
  switch (rule.conversion) {
    case NumericRule::Conversion::Centimetres:
      return toSingle(value / 100);
    case NumericRule::Conversion::Reserve:
      return toSingle(1 + value / 100);
    case NumericRule::Conversion::Plain:
      break;
  }
  return toSingle(value);
}

void CalculationForm::onTextChanged(Control c) {
  if (c == Text6) return onRoomTempChanged();
  if (c == Text3) record_.inputs.clientInfo = text(c);
  if (marksModified(c)) {
    record_.modified = true;
    return;
  }
  if (c == Text25 || c == Text26) return onProductTempChanged(c);
  const NumericRule* rule = ruleFor(c);
  if (!rule) return;
  if (rule->kind == NumericRule::Kind::OutsideTemp) return onOutsideTempChanged(*rule);
  onNumericChanged(*rule);
}

void CalculationForm::onNumericChanged(const NumericRule& rule) {
  const Control c = rule.control;
  if (isNumber(text(c), locale_)) {
    held(rule) = readHeld(rule, text(c));
  } else {
    setText(c, rule.notNumberText);
    held(rule) = rule.notNumberHeld;
  }
  if (c == Text20 && held(rule) < 0) {
    showMessage(kNegative);
    setText(c, "230");
    held(rule) = 2.3f;
  }
  if (rule.maxLength != 0 && characterCount(text(c)) > rule.maxLength) {
    showMessage(kTooManyCharacters);
    setText(c, rule.tooLongText);
    held(rule) = rule.tooLongHeld;
  }
  recalculate();
}

void CalculationForm::onOutsideTempChanged(const NumericRule& rule) {
  const Control c = rule.control;
  if (characterCount(text(c)) > rule.maxLength) {
    showMessage(kTooManyCharacters);
    setText(c, rule.tooLongText);
    held(rule) = rule.tooLongHeld;
  }
  held(rule) = toSingle(leadingNumber(text(c)));
  recalculate();
}

void CalculationForm::onProductTempChanged(Control c) {
  // The product is never cooled below the room: a lower final temperature is
  // pulled up to the room temperature at once.
  if (c == Text26 && leadingNumber(text(Text6)) > leadingNumber(text(Text26)))
    setText(Text26, formatNumber(record_.inputs.roomTemp));
  float& value = c == Text25 ? record_.inputs.productInitialTemp : record_.inputs.productFinalTemp;
  value = toSingle(leadingNumber(text(c)));
  recalculate();
}

void CalculationForm::onRoomTempChanged() {
  const double temperature = leadingNumber(text(Text6));
  ControlState& finalTemp = state(UpDown24);
  const int lowest = roundToInt(temperature);
  if (finalTemp.minimum != lowest) {
    finalTemp.minimum = lowest;
    changed(UpDown24);
  }
  record_.inputs.roomTemp = toSingle(temperature);
  recalculate();
  record_.modified = true;
}

// --- Lists -------------------------------------------------------------------

void CalculationForm::pickEntry(Control list, std::size_t index) {
  if (kindOf(list) != ControlKind::ComboBox || index >= control(list).items.size()) return;
  // A pick shows the entry without a text-change reaction; the pick's own
  // reaction follows.
  storeText(list, control(list).items[index]);
  if (depth_ >= kMaxNesting) return;
  ++depth_;
  onListChanged(list, true);
  --depth_;
}

void CalculationForm::onListChanged(Control list, bool picked) {
  CalculationInputs& in = record_.inputs;
  const std::string& value = text(list);
  for (const ListLookup& l : kMaterialLists) {
    if (l.list != list) continue;
    if (const auto m = findMaterial(l.materials, value)) {
      in.*(l.lambda) = m->lambda;
      in.*(l.name) = m->name;
    }
    if (picked) recalculate();
    return;
  }
  switch (list) {
    case Combo8:
      in.curtainType = value;
      if (const auto curtain = findCurtain(value)) {
        in.curtainEfficiency = curtain->efficiency;
        in.curtainName = curtain->name;
      }
      if (picked) recalculate();
      break;
    case Combo9:
      in.productCategory = value;
      if (findCategory(value)) fillProducts(value);
      break;
    case Combo10:
      lookUpProduct();
      recalculate();
      break;
    default:
      break;
  }
}

void CalculationForm::fillProducts(std::string_view category) {
  ControlState& list = state(Combo10);
  list.items.clear();
  for (std::string_view name : productsOf(category)) list.items.emplace_back(name);
  changed(Combo10);
  if (!list.items.empty()) setText(Combo10, std::string(list.items.front()));
}

void CalculationForm::lookUpProduct() {
  CalculationInputs& in = record_.inputs;
  const auto product = findProduct(text(Combo10));
  // No match zeroes the properties and keeps the name.
  applyProductProperties(in, product ? product->properties : ProductProperties{});
  if (product) in.productName = product->name;
}

void CalculationForm::fillLists() {
  const auto fill = [this](Control list, auto&& names) {
    ControlState& s = state(list);
    s.items.clear();
    for (const auto& name : names) s.items.emplace_back(name);
    changed(list);
  };
  std::vector<std::string_view> building;
  for (const Material& m : materials(MaterialList::Building)) building.push_back(m.name);
  std::vector<std::string_view> insulation;
  for (const Material& m : materials(MaterialList::Insulation)) insulation.push_back(m.name);
  std::vector<std::string_view> curtainNames;
  for (const Curtain& c : curtains()) curtainNames.push_back(c.name);
  for (Control c : {Combo1, Combo2, Combo3}) fill(c, building);
  for (Control c : {Combo4, Combo5, Combo6}) fill(c, insulation);
  fill(Combo8, curtainNames);
  fill(Combo9, productCategories());
}

// --- Check boxes and option buttons -----------------------------------------

void CalculationForm::setState(Control c, int value) {
  const ControlKind kind = kindOf(c);
  if (kind == ControlKind::OptionButton) {
    value = value != 0 ? 1 : 0;
    if (control(c).value == value) return;
    state(c).value = value;
    changed(c);
    if (value == 1) {
      const Control other = c == Option1 ? Option2 : Option1;
      if (control(other).value != 0) {
        state(other).value = 0;
        changed(other);
      }
      onOptionSelected(c);
    }
    return;
  }
  if (kind != ControlKind::CheckBox || value < 0 || value > 2 || control(c).value == value) return;
  state(c).value = value;
  changed(c);
  onStateChanged(c);
}

void CalculationForm::click(Control c) {
  if (!control(c).enabled) return;
  if (kindOf(c) == ControlKind::CheckBox) return setState(c, control(c).value == 0 ? 1 : 0);
  if (kindOf(c) != ControlKind::OptionButton) return;
  if (control(c).value == 0) return setState(c, 1);
  onOptionSelected(c);
}

void CalculationForm::onOptionSelected(Control c) {
  if (control(c).value != 0) {
    const bool freezing = c == Option2;
    changeCaption(Caption::Hours, freezing ? "Время заморозки (Ч)" : "Время р-ты оборудования (Ч)", true);
    changeCaption(Caption::Mass, freezing ? "Замораживаемая масса (кг)" : "Суточный оборот (кг)", true);
    record_.inputs.processMode = freezing ? ProcessMode::Freezing : ProcessMode::Storage;
    // The stored mass keeps its value (and still counts) while its row is hidden.
    changeCaption(Caption::StoredMass, caption(Caption::StoredMass).text, !freezing);
    for (Control row : {Text23, UpDown21}) {
      if (control(row).visible == !freezing) continue;
      state(row).visible = !freezing;
      changed(row);
    }
  }
  recalculate();
}

void CalculationForm::onStateChanged(Control c) {
  const bool on = control(c).value != 0;
  const auto lock = [this](Control box, bool locked) {
    ControlState& s = state(box);
    s.locked = locked;
    s.background = locked ? Background::Grey : Background::Window;
    changed(box);
  };
  const auto enable = [this](Control spinner, bool enabled, bool visible) {
    ControlState& s = state(spinner);
    s.enabled = enabled;
    s.visible = visible;
    changed(spinner);
  };
  if (c == Check2) {
    record_.inputs.useRecommendedLighting = on;
    lock(Text32, on);
    enable(UpDown27, !on, true);
  } else if (c == Check3) {
    record_.inputs.refinedFanCalc = on;
    lock(Text35, on);
    state(Text35).visible = !on;
    changed(Text35);
    changeCaption(Caption::FanPercent, caption(Caption::FanPercent).text, !on);
    enable(UpDown17, true, !on);
    lock(Text36, !on);
    lock(Text37, !on);
    enable(UpDown28, on, true);
    enable(UpDown29, on, true);
  } else {
    for (const IncludeFlag& f : kIncludeFlags)
      if (f.check == c) record_.inputs.*(f.flag) = on;
  }
  recalculate();
}

// --- Focus -------------------------------------------------------------------

bool CalculationForm::focusGained(Control c) {
  if (!shown(c) || !control(c).enabled || kindOf(c) == ControlKind::UpDown) return false;
  focused_ = c;
  const NumericRule* rule = ruleFor(c);
  if (!rule || (rule->lockGated && control(c).locked)) return true;
  ControlState& s = state(c);
  s.alignment = Alignment::Left;
  s.background = Background::Focus;
  changed(c);
  if (rule->onFocus == NumericRule::OnFocus::ColoursClearZero && text(c) == "0") setText(c, "");
  return true;
}

void CalculationForm::focusLost(Control c) {
  if (focused_ == c) focused_.reset();
  if (const NumericRule* rule = ruleFor(c)) leaveField(*rule);
}

bool CalculationForm::moveFocus(Control c) {
  if (!shown(c) || !control(c).enabled || kindOf(c) == ControlKind::UpDown) return false;
  if (focused_ && *focused_ != c) focusLost(*focused_);
  return focusGained(c);
}

void CalculationForm::leaveField(const NumericRule& rule) {
  const Control c = rule.control;
  if (rule.lockGated && control(c).locked) return;
  ControlState& s = state(c);
  s.alignment = Alignment::Centre;
  s.background = Background::Window;
  changed(c);
  using Test = NumericRule::LeaveCheck::Test;
  for (const auto& check : rule.checks) {
    if (!check) break;
    bool failed = false;
    switch (check->test) {
      case Test::Above:
        failed = held(rule) > check->limit;
        break;
      case Test::Below:
        failed = held(rule) < check->limit;
        break;
      case Test::Empty:
        failed = text(c).empty();
        break;
      case Test::LongerThan:
        failed = static_cast<double>(characterCount(text(c))) > check->limit;
        break;
      case Test::LeadingBelow:
        failed = leadingNumber(text(c)) < check->limit;
        break;
      case Test::NotNumberElseLocale:
      case Test::NotNumberElseLeading:
        if (const auto number = localeNumber(text(c), locale_)) {
          held(rule) = toSingle(check->test == Test::NotNumberElseLocale ? *number : leadingNumber(text(c)));
        } else {
          failed = true;
        }
        break;
    }
    if (!failed) continue;
    if (!check->message.empty()) showMessage(check->message);
    setText(c, check->resetText);
    held(rule) = check->resetHeld;
  }
  recalculate();
}

// --- Spinners ------------------------------------------------------------------

void CalculationForm::spin(Control upDown, int direction) {
  const Spinner* s = spinnerFor(upDown);
  if (!s || !shown(upDown) || !control(upDown).enabled || direction == 0) return;
  ControlState& spinner = state(upDown);
  // Step from what the field shows, so a typed value is where the arrows start.
  const long current = roundToInt(leadingNumber(text(s->field)));
  const long next = std::clamp(current + (direction > 0 ? spinner.step : -spinner.step),
                               static_cast<long>(spinner.minimum), static_cast<long>(spinner.maximum));
  spinner.value = static_cast<int>(next);
  changed(upDown);
  setText(s->field, std::to_string(next));
  if (upDown == UpDown1) {
    record_.inputs.roomTemp = toSingle(leadingNumber(text(Text6)));
    recalculate();
  } else if (upDown == UpDown24) {
    spinner.minimum = roundToInt(record_.inputs.roomTemp);
    changed(upDown);
  } else if (upDown == UpDown14 || upDown == UpDown15 || upDown == UpDown16) {
    redrawSketch();
  }
}

// --- Pages -------------------------------------------------------------------

void CalculationForm::selectPage(int number) {
  if (number < 1 || number > kPageCount) return;
  currentPage_ = number;
  for (const PageInfo& p : pages()) {
    const bool current = p.number == number;
    frames_[static_cast<std::size_t>(p.number - 1)] = current;
    for (const auto& row : p.highlightedRows) {
      if (!row) continue;
      state(*row).colour = current ? RowColour::Red : RowColour::Purple;
      changed(*row);
    }
  }
  if (focused_ && !shown(*focused_)) focused_.reset();
  if (observer_) observer_->pageChanged();
  recalculate();
}

// --- Engine ------------------------------------------------------------------

void CalculationForm::redrawSketch() {
  // A room the sketch cannot compute keeps the picture it has.
  if (const auto sketch = computeRoomSketch(sketchInputOf(record_.inputs))) sketch_ = *sketch;
  if (observer_) observer_->sketchChanged();
}

void CalculationForm::recalculate() {
  if (depth_ >= kMaxNesting) return;
  ++depth_;
  applyEngineRun();
  --depth_;
}

void CalculationForm::applyEngineRun() {
  const auto compute = [this] {
    return computeHeatLoad(record_.inputs, record_.results, {text(Text1), text(Text2), text(Text4)},
                           [this] { redrawSketch(); });
  };
  EngineOutput out = compute();
  record_.results = out.results;
  record_.inputs.lightingPower = out.lightingPower;
  setText(Text19, out.panel.airChangeRate);
  if (text(Text32) != out.lightingPowerText) {
    // The lighting field's own change handling reads the written value back
    // and recalculates, nested; the run goes on from the record it leaves.
    setText(Text32, out.lightingPowerText);
    out = compute();
    record_.results = out.results;
    record_.inputs.lightingPower = out.lightingPower;
    setText(Text19, out.panel.airChangeRate);
  }
  const PanelTexts& panel = out.panel;
  setText(Text38, panel.floorArea);
  setText(Text5, panel.roomVolume);
  for (int i = 0; i < kGainCount; ++i) {
    if (i == static_cast<int>(Gain::Respiration)) setText(Text27, panel.freezingPoint);
    setText(kResultBoxes[i], panel.gains[i]);
  }
  setText(Text48, panel.total);
  ControlState& capacity = state(Text49);
  const Background background = panel.requiredCapacityBlack ? Background::Black : Background::Grey;
  if (capacity.background != background) {
    capacity.background = background;
    changed(Text49);
  }
  if (panel.requiredCapacity) setText(Text49, *panel.requiredCapacity);
}

// --- Defaults ------------------------------------------------------------------

void CalculationForm::loadDefaults() {
  CalculationInputs& in = record_.inputs;
  // 1. Lists.
  for (Control c : {Combo1, Combo2, Combo3}) setText(c, "Железобетон");
  for (Control c : {Combo4, Combo5, Combo6}) setText(c, "Пенополиуритан");
  setText(Combo8, "Нет");
  setText(Combo9, "Мясные");
  // 2. Conductivities and curtain.
  in.wallMaterialLambda = in.ceilingMaterialLambda = in.floorMaterialLambda = 1.7f;
  in.wallInsulationLambda = in.ceilingInsulationLambda = in.floorInsulationLambda = 0.025f;
  in.curtainEfficiency = 0;
  // 3. Texts.
  for (Control c : {Text1, Text2, Text4, Text6}) setText(c, "0");
  for (Control c : {Text16, Text17, Text18}) setText(c, "28");
  setText(Text20, "230");
  setText(Text21, "180");
  setText(Text22, "0");
  setText(Text8, "18");
  setText(Text9, "5");
  for (Control c : {Text10, Text11, Text12}) setText(c, "0");
  for (Control c : {Text13, Text14, Text15}) setText(c, "100");
  // 4.
  setText(Combo8, "Нет");
  setText(Combo9, "Мясные");
  // 5.
  for (Control c : {Text23, Text24, Text25, Text26}) setText(c, "0");
  setText(Text31, "1");
  setText(Text32, "0");
  setState(Check2, 1);
  setText(Text33, "0");
  setText(Text34, "0");
  setText(Text35, "10");
  setText(Text36, "0");
  setText(Text37, "0");
  setState(Check3, 0);
  setText(Text3, "");
  // 6. Held values, as the edits above already gave them.
  in.roomLength = in.roomWidth = in.roomHeight = in.roomTemp = 0;
  in.outsideTempWalls = in.outsideTempCeiling = in.outsideTempFloor = 28;
  in.doorHeight = 2.3f;
  in.doorWidth = 1.8f;
  in.doorOpenMinutes = 0;
  in.equipHours = 18;
  in.reserveFactor = 1.05f;
  in.productInitialTemp = in.productFinalTemp = 0;
  // 7. The default product. When the category was "Мясные" already its list
  // is not refilled, so the product list is set explicitly: the product shown,
  // its properties and the name on the report always agree.
  setText(Combo10, "Баранина");
  in.productName = "Баранина";
  currentPage_ = 1;
  record_.modified = false;
}

}  // namespace kamerol
