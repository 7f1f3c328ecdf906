#include "form/calculation_form.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>

#include "core/defaults.h"
#include "core/engine.h"
#include "core/materials.h"
#include "core/products.h"
#include "core/rounding.h"
#include "core/tables.h"
#include "core/text.h"
#include "form/field_rules.h"
#include "form/results_panel.h"

namespace kamerol {

namespace {

using enum Control;

using detail::kNegative;
using detail::kTooManyCharacters;

// A change reaction that sets texts which set texts... ends here at the latest.
// Only a hostile file can get near it; the ordinary chains are a few deep.
constexpr int kMaxNesting = 32;

int roundToInt(double x) {
  const double r = roundHalfEven(x, 0);
  if (!(r > INT_MIN && r < INT_MAX)) return r > 0 ? INT_MAX : (r < 0 ? INT_MIN : 0);
  return static_cast<int>(r);
}

using In = CalculationInputs;

struct ListLookup {
  Control list;
  MaterialList materials;
  std::string In::*name;
  float In::*lambda;
};

constexpr ListLookup kMaterialLists[] = {
    {wallMaterialList, MaterialList::Building, &In::wallMaterial, &In::wallMaterialLambda},
    {ceilingMaterialList, MaterialList::Building, &In::ceilingMaterial, &In::ceilingMaterialLambda},
    {floorMaterialList, MaterialList::Building, &In::floorMaterial, &In::floorMaterialLambda},
    {wallInsulationList, MaterialList::Insulation, &In::wallInsulation, &In::wallInsulationLambda},
    {ceilingInsulationList, MaterialList::Insulation, &In::ceilingInsulation, &In::ceilingInsulationLambda},
    {floorInsulationList, MaterialList::Insulation, &In::floorInsulation, &In::floorInsulationLambda},
};

bool isReadOnlyBox(Control c) {
  return c == roomVolumeBox || c == airHumidityBox || c == airChangeRateBox || c == freezingPointBox ||
         (c >= floorAreaBox && c <= requiredCapacityBox);
}

bool marksModified(Control c) {
  return c == clientInfoField || c == roomVolumeBox || (c >= floorAreaBox && c <= requiredCapacityBox);
}

}  // namespace

const detail::NumericRule* CalculationForm::ruleFor(Control c) { return detail::numericRuleFor(c); }

CalculationForm::CalculationForm(const CalculationForm& other, MessageSink& messages)
    : messages_(messages),
      locale_(other.locale_),
      controls_(other.controls_),
      captions_(other.captions_),
      frames_(other.frames_),
      record_(other.record_),
      sketch_(other.sketch_),
      currentPage_(other.currentPage_),
      focused_(other.focused_),
      load_(other.load_),
      depth_(other.depth_) {}

CalculationForm::CalculationForm(MessageSink& messages, NumberLocale locale)
    : messages_(messages), locale_(std::move(locale)) {
  for (Control c : allControls()) {
    ControlState& s = state(c);
    if (isReadOnlyBox(c)) {
      s.locked = true;
      s.background = Background::Grey;
    }
  }
  state(airHumidityBox).text = "85";
  state(roomTempBox).locked = true;
  state(roomTempBox).background = Background::DarkBlue;
  // The lighting power follows the recommendation; the fan count and power
  // wait for the refined calculation.
  for (Control c : {lightingPowerField, fanCountField, fanPowerField}) {
    state(c).locked = true;
    state(c).background = Background::Grey;
  }
  state(lightingPowerSpinner).enabled = false;
  state(fanCountSpinner).enabled = false;
  state(fanPowerSpinner).enabled = false;
  state(recommendedLightingCheck).value = 1;
  record_.inputs.useRecommendedLighting = true;
  state(storageOption).value = 1;
  for (const GainRow& row : kGains) {
    state(includeCheckOf(row.gain)).value = 1;
    state(resultBoxOf(row.gain)).colour = RowColour::Purple;
  }
  for (const detail::Spinner& s : detail::spinners()) {
    ControlState& spinner = state(s.upDown);
    spinner.value = s.start;
    spinner.step = s.step;
    spinner.minimum = s.minimum;
    spinner.maximum = s.maximum;
  }
  captions_[static_cast<std::size_t>(Caption::Hours)].text = "Время р-ты оборудования в сутки (Ч)";
  captions_[static_cast<std::size_t>(Caption::Mass)].text = captionOf(&CalculationInputs::dailyMass);
  captions_[static_cast<std::size_t>(Caption::StoredMass)].text = captionOf(&CalculationInputs::storedMass);
  captions_[static_cast<std::size_t>(Caption::FanPercent)].text = captionOf(&CalculationInputs::fanPercent);
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

void CalculationForm::addObserver(FormObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void CalculationForm::removeObserver(FormObserver* observer) { std::erase(observers_, observer); }

template <typename... Args>
void CalculationForm::notify(void (FormObserver::*event)(Args...), Args... args) {
  if (observer_) (observer_->*event)(args...);
  // By index: an observer may remove itself while it is told.
  for (std::size_t i = 0; i < observers_.size(); ++i) (observers_[i]->*event)(args...);
}

void CalculationForm::changed(Control c) { notify(&FormObserver::controlChanged, c); }

// Only the change that starts a chain can be the user's; the changes its
// reactions make follow from it.
void CalculationForm::edited() {
  if (depth_ == 0 && programChanges_ == 0) record_.modified = true;
}

void CalculationForm::changeCaption(Caption c, std::string_view text, bool visible) {
  CaptionState& caption = captions_[static_cast<std::size_t>(c)];
  if (caption.text == text && caption.visible == visible) return;
  caption.text = text;
  caption.visible = visible;
  notify(&FormObserver::captionChanged, c);
}

void CalculationForm::showMessage(std::string_view text) {
  messages_.showMessage(Message{std::string(kInputErrorTitle), std::string(text), MessageIcon::None});
}

// --- Text changes ----------------------------------------------------------

bool CalculationForm::storeText(Control c, std::string_view text) {
  // The client details are one line of the calculation file.
  std::string value = c == clientInfoField ? singleLine(text) : std::string(text);
  ControlState& s = state(c);
  if (s.text == value) return false;
  s.text = std::move(value);
  edited();
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
  return toSingle(heldValue(rule.typed, value));
}

void CalculationForm::onTextChanged(Control c) {
  if (c == roomTempBox) return onRoomTempChanged();
  if (c == clientInfoField) record_.inputs.clientInfo = text(c);
  if (marksModified(c)) {
    record_.modified = true;
    return;
  }
  const NumericRule* rule = ruleFor(c);
  if (!rule) return;
  switch (rule->kind) {
    case NumericRule::Kind::OutsideTemp:
      return onOutsideTempChanged(*rule);
    case NumericRule::Kind::ProductTemp:
      return onProductTempChanged(*rule);
    case NumericRule::Kind::Tested:
      return onNumericChanged(*rule);
  }
}

void CalculationForm::onNumericChanged(const NumericRule& rule) {
  const Control c = rule.control;
  if (isNumber(text(c), locale_)) {
    held(rule) = readHeld(rule, text(c));
  } else {
    setText(c, rule.notNumberText);
    held(rule) = rule.notNumberHeld;
  }
  if (rule.negativeRejectedWhileTyping && held(rule) < 0) {
    showMessage(kNegative);
    setText(c, rule.resetText);
    held(rule) = rule.resetHeld;
  }
  if (rule.maxLength != 0 && characterCount(text(c)) > rule.maxLength) {
    showMessage(kTooManyCharacters);
    setText(c, rule.resetText);
    held(rule) = rule.resetHeld;
  }
  recalculate();
}

void CalculationForm::onOutsideTempChanged(const NumericRule& rule) {
  const Control c = rule.control;
  if (characterCount(text(c)) > rule.maxLength) {
    showMessage(kTooManyCharacters);
    setText(c, rule.resetText);
    held(rule) = rule.resetHeld;
  }
  held(rule) = toSingle(leadingNumber(text(c)));
  recalculate();
}

void CalculationForm::onProductTempChanged(const NumericRule& rule) {
  const Control c = rule.control;
  // The product is never cooled below the room.
  if (rule.notBelowRoomTemp && leadingNumber(text(roomTempBox)) > leadingNumber(text(c)))
    setText(c, formatNumber(record_.inputs.roomTemp));
  held(rule) = toSingle(leadingNumber(text(c)));
  recalculate();
}

void CalculationForm::onRoomTempChanged() {
  const double temperature = leadingNumber(text(roomTempBox));
  ControlState& finalTemp = state(productFinalTempSpinner);
  const int lowest = roundToInt(temperature);
  if (finalTemp.minimum != lowest) {
    finalTemp.minimum = lowest;
    changed(productFinalTempSpinner);
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
    case curtainList:
      in.curtainType = value;
      if (const auto curtain = findCurtain(value)) {
        in.curtainEfficiency = curtain->efficiency;
        in.curtainName = curtain->name;
      }
      if (picked) recalculate();
      break;
    case productCategoryList:
      in.productCategory = value;
      if (findCategory(value)) fillProducts(value);
      break;
    case productList:
      lookUpProduct();
      recalculate();
      break;
    default:
      break;
  }
}

void CalculationForm::fillProducts(std::string_view category) {
  ControlState& list = state(productList);
  list.items = productsOf(category);
  changed(productList);
  if (!list.items.empty()) setText(productList, list.items.front());
}

void CalculationForm::lookUpProduct() {
  CalculationInputs& in = record_.inputs;
  const auto product = findProduct(text(productList));
  // No match zeroes the properties and keeps the name.
  applyProductProperties(in, product ? product->properties : ProductProperties{});
  if (product) in.productName = product->name;
}

void CalculationForm::fillLists() {
  const auto fill = [this](Control list, auto&& names) {
    ControlState& s = state(list);
    s.items.assign(names.begin(), names.end());
    changed(list);
  };
  std::vector<std::string_view> building;
  for (const Material& m : materials(MaterialList::Building)) building.push_back(m.name);
  std::vector<std::string_view> insulation;
  for (const Material& m : materials(MaterialList::Insulation)) insulation.push_back(m.name);
  std::vector<std::string_view> curtainNames;
  for (const Curtain& c : curtains()) curtainNames.push_back(c.name);
  for (Control c : {wallMaterialList, ceilingMaterialList, floorMaterialList}) fill(c, building);
  for (Control c : {wallInsulationList, ceilingInsulationList, floorInsulationList}) fill(c, insulation);
  fill(curtainList, curtainNames);
  fill(productCategoryList, productCategories());
}

// --- Check boxes and option buttons -----------------------------------------

void CalculationForm::setState(Control c, int value) {
  const ControlKind kind = kindOf(c);
  if (kind == ControlKind::OptionButton) {
    value = value != 0 ? 1 : 0;
    if (control(c).value == value) return;
    state(c).value = value;
    edited();
    changed(c);
    if (value == 1) {
      const Control other = c == storageOption ? freezingOption : storageOption;
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
  edited();
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
    const bool freezing = c == freezingOption;
    const ProcessMode mode = freezing ? ProcessMode::Freezing : ProcessMode::Storage;
    changeCaption(Caption::Hours, captionOf(&CalculationInputs::equipHours, mode), true);
    changeCaption(Caption::Mass, captionOf(&CalculationInputs::dailyMass, mode), true);
    record_.inputs.processMode = mode;
    // The stored mass keeps its value (and still counts) while its row is hidden.
    changeCaption(Caption::StoredMass, caption(Caption::StoredMass).text, !freezing);
    for (Control row : {storedMassField, storedMassSpinner}) {
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
  // The fields the box locks, as their rows say.
  const auto lockFields = [&] {
    for (const CalculationField& f : kCalculationFields)
      if (f.lockedWhile && f.lockedWhile->check == c) lock(f.control, on == f.lockedWhile->ticked);
  };
  if (c == recommendedLightingCheck) {
    record_.inputs.useRecommendedLighting = on;
    lockFields();
    enable(lightingPowerSpinner, !on, true);
  } else if (c == refinedFanCheck) {
    record_.inputs.refinedFanCalc = on;
    lockFields();
    state(fanPercentField).visible = !on;
    changed(fanPercentField);
    changeCaption(Caption::FanPercent, caption(Caption::FanPercent).text, !on);
    enable(fanPercentSpinner, true, !on);
    enable(fanCountSpinner, on, true);
    enable(fanPowerSpinner, on, true);
  } else {
    for (const GainRow& row : kGains)
      if (includeCheckOf(row.gain) == c) record_.inputs.*(row.include) = on;
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
  if (rule->onFocus == NumericRule::OnFocus::ColoursClearZero && text(c) == "0") {
    const ProgramChanges own(*this);
    setText(c, "");
  }
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
  // The checks' resets are the form's own. They count as an edit only where
  // the field ends other than it was before the focus came: an emptied "0"
  // put back is no change, a loaded value out of range replaced is one.
  const bool clearsZero = rule.onFocus == NumericRule::OnFocus::ColoursClearZero;
  const std::string before = clearsZero && text(c).empty() ? std::string("0") : text(c);
  std::optional<ProgramChanges> own;
  own.emplace(*this);
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
  own.reset();
  if (text(c) != before) {
    edited();
    changed(c);  // a window shows the mark of the edit
  }
}

// --- Spinners ------------------------------------------------------------------

void CalculationForm::spin(Control upDown, int direction) {
  const detail::Spinner* s = detail::spinnerFor(upDown);
  if (!s || !shown(upDown) || !control(upDown).enabled || direction == 0) return;
  ControlState& spinner = state(upDown);
  // Step from what the field shows, so a typed value is where the arrows start.
  const long current = roundToInt(leadingNumber(text(s->field)));
  const long next = std::clamp(current + (direction > 0 ? spinner.step : -spinner.step),
                               static_cast<long>(spinner.minimum), static_cast<long>(spinner.maximum));
  spinner.value = static_cast<int>(next);
  changed(upDown);
  setText(s->field, std::to_string(next));
  if (upDown == roomTempSpinner) {
    record_.inputs.roomTemp = toSingle(leadingNumber(text(roomTempBox)));
    recalculate();
  } else if (upDown == productFinalTempSpinner) {
    spinner.minimum = roundToInt(record_.inputs.roomTemp);
    changed(upDown);
  } else if (upDown == roomLengthSpinner || upDown == roomWidthSpinner || upDown == roomHeightSpinner) {
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
  notify(&FormObserver::pageChanged);
  recalculate();
}

// --- Engine ------------------------------------------------------------------

void CalculationForm::redrawSketch() {
  // A room the sketch cannot compute keeps the picture it has.
  if (const auto sketch = computeRoomSketch(sketchInputOf(record_.inputs))) sketch_ = *sketch;
  notify(&FormObserver::sketchChanged);
}

void CalculationForm::recalculate() {
  if (depth_ >= kMaxNesting) return;
  ++depth_;
  applyEngineRun();
  --depth_;
}

void CalculationForm::applyEngineRun() {
  ++engineRuns_;
  const auto compute = [this] {
    redrawSketch();
    const CalculationResults previous = record_.results;
    HeatLoad load = computeHeatLoad(record_.inputs, previous);
    PanelTexts panel = fillResultsPanel(load, record_.inputs, previous,
                                        {text(roomLengthField), text(roomWidthField), text(roomHeightField)});
    record_.results = load.results;
    load_ = load;
    record_.inputs.lightingPower = load.lightingPower;
    setText(airChangeRateBox, panel.airChangeRate);
    return panel;
  };
  PanelTexts panel = compute();
  if (text(lightingPowerField) != panel.lightingPower) {
    // The lighting field's own change handling reads the written value back
    // and runs the engine again, nested, which shows its results. Only where
    // that nesting was cut short does this run have to go on with them.
    const int runs = engineRuns_;
    setText(lightingPowerField, panel.lightingPower);
    if (engineRuns_ != runs) return;
    panel = compute();
  }
  setText(floorAreaBox, panel.floorArea);
  setText(roomVolumeBox, panel.roomVolume);
  for (const GainRow& row : kGains) {
    if (row.gain == Gain::Respiration) setText(freezingPointBox, panel.freezingPoint);
    setText(resultBoxOf(row.gain), panel.gains[static_cast<int>(row.gain)]);
  }
  setText(totalGainBox, panel.total);
  ControlState& capacity = state(requiredCapacityBox);
  const Background background = panel.requiredCapacityBlack ? Background::Black : Background::Grey;
  if (capacity.background != background) {
    capacity.background = background;
    changed(requiredCapacityBox);
  }
  if (panel.requiredCapacity) setText(requiredCapacityBox, *panel.requiredCapacity);
}

}  // namespace kamerol
