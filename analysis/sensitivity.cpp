#include "analysis/sensitivity.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/rounding.h"
#include "form/field_rules.h"
#include "form/navigation.h"

namespace kamerol {
namespace {

using enum Control;

// How far each input moves, down and up: by a step in the typed unit, or by a
// share of its value.
struct Spread {
  enum class Kind : unsigned char { Step, Share, Spinner } kind;
  double amount;
};

struct InputRow {
  SensitivityInputInfo info;
  Spread spread;
  std::array<std::optional<Control>, 3> fields;
};

constexpr std::array<InputRow, kSensitivityInputCount> kInputs = {{
    {{SensitivityInput::OutsideTemperatures, "outsideTemperatures", "Температуры снаружи", "°C"},
     {Spread::Kind::Step, 5},
     {outsideTempWallsField, outsideTempCeilingField, outsideTempFloorField}},
    {{SensitivityInput::RoomTemperature, "roomTemperature", "Температура в камере", "°C"},
     {Spread::Kind::Spinner, 2},
     {roomTempBox}},
    {{SensitivityInput::Insulation, "insulation", "Толщина термоизоляции", "мм"},
     {Spread::Kind::Step, 25},
     {wallInsulationThicknessField, ceilingInsulationThicknessField, floorInsulationThicknessField}},
    {{SensitivityInput::DoorMinutes, "doorMinutes", "Дверь открыта", "мин/сут"},
     {Spread::Kind::Share, 0.5},
     {doorOpenMinutesField}},
    {{SensitivityInput::ProductMass, "productMass", "Масса продукта", "кг"},
     {Spread::Kind::Share, 0.25},
     {dailyMassField}},
    {{SensitivityInput::ProductInitialTemperature, "productInitialTemperature", "Начальная температура продукта", "°C"},
     {Spread::Kind::Step, 5},
     {productInitialTempField}},
    {{SensitivityInput::Staff, "staff", "Число рабочих", "чел"}, {Spread::Kind::Step, 1}, {staffCountField}},
    {{SensitivityInput::VehiclePower, "vehiclePower", "Мощность ПТС", "кВт"},
     {Spread::Kind::Share, 0.25},
     {vehiclePowerField}},
    {{SensitivityInput::RunningHours, "runningHours", "Время работы оборудования", "ч"},
     {Spread::Kind::Step, 2},
     {equipHoursField}},
    {{SensitivityInput::Reserve, "reserve", "Запас", "%"}, {Spread::Kind::Step, 5}, {reservePercentField}},
}};

constexpr bool inputsInOrder() {
  for (std::size_t i = 0; i < kInputs.size(); ++i)
    if (static_cast<std::size_t>(kInputs[i].info.input) != i) return false;
  return true;
}
static_assert(inputsInOrder(), "kInputs is indexed by SensitivityInput");

const InputRow& rowOf(SensitivityInput input) { return kInputs[static_cast<std::size_t>(input)]; }

constexpr auto kInfos = [] {
  std::array<SensitivityInputInfo, kSensitivityInputCount> infos{};
  for (std::size_t i = 0; i < kInputs.size(); ++i) infos[i] = kInputs[i].info;
  return infos;
}();

// Counts the messages the form would show; none is shown.
class SilentMessages : public MessageSink {
 public:
  void showMessage(const Message&) override { ++count; }
  int count = 0;
};

// The value a field holds in the unit the user types it in.
double typedValue(const CalculationForm& form, Control field) {
  const detail::NumericRule* rule = detail::numericRuleFor(field);
  return typedFromHeld(rule->typed, form.inputs().*(rule->held));
}

// A number as the user types it into `field`: at most two decimals, with the
// locale's decimal separator where the field reads locale numbers.
std::string typedText(const CalculationForm& form, Control field, double value) {
  std::string text = formatNumber(static_cast<float>(roundHalfEven(value, 2)));
  const detail::NumericRule* rule = detail::numericRuleFor(field);
  if (rule && rule->reading == detail::NumericRule::Reading::Locale)
    if (const auto point = text.find('.'); point != std::string::npos)
      text.replace(point, 1, form.locale().decimalSeparator);
  return text;
}

std::string joined(const std::vector<std::string>& texts) {
  if (std::ranges::all_of(texts, [&](const std::string& t) { return t == texts.front(); })) return texts.front();
  std::string all;
  for (const std::string& t : texts) all += (all.empty() ? "" : " / ") + t;
  return all;
}

void showPageOf(CalculationForm& form, Control c) {
  if (const auto page = pageOf(c); page && !form.frameVisible(*page)) form.selectPage(*page);
}

// A field being edited in the window loses its focus without its leave checks
// (as when its page is left): the variation starts from the calculation as it
// stands, not from what leaving that field would make of it.
void dropFocus(CalculationForm& form) {
  const auto focused = form.focusedControl();
  if (!focused) return;
  const auto page = pageOf(*focused);
  if (!page) return;  // the header and the panel stay shown; leaving them checks nothing
  form.selectPage(*page == 1 ? 2 : 1);
}

std::optional<SkipReason> typeInto(CalculationForm& form, Control field, const std::string& text,
                                   const SilentMessages& messages) {
  if (form.control(field).locked) return SkipReason::Locked;
  if (!form.control(field).visible) return SkipReason::Hidden;
  const int shownBefore = messages.count;
  showPageOf(form, field);
  form.moveFocus(field);
  form.setText(field, text);
  form.focusLost(field);
  if (messages.count != shownBefore || form.text(field) != text) return SkipReason::Reset;
  return std::nullopt;
}

std::optional<SkipReason> spinRoomTemperature(CalculationForm& form, const std::string& text) {
  const ControlState& spinner = form.control(roomTempSpinner);
  const long target = std::lround(leadingNumber(text));
  if (target < spinner.minimum || target > spinner.maximum || !spinner.enabled) return SkipReason::SpinnerLimit;
  const std::string targetText = std::to_string(target);
  for (int guard = 0; guard < 200 && form.text(roomTempBox) != targetText; ++guard)
    form.spin(roomTempSpinner, leadingNumber(form.text(roomTempBox)) < static_cast<double>(target) ? +1 : -1);
  return form.text(roomTempBox) == targetText ? std::nullopt : std::optional(SkipReason::SpinnerLimit);
}

std::vector<std::string> baseTexts(const CalculationForm& form, const InputRow& row) {
  std::vector<std::string> texts;
  for (const auto& field : row.fields)
    if (field) texts.push_back(form.text(*field));
  return texts;
}

// The texts of one side: `direction` −1 down, +1 up.
std::vector<std::string> sideTexts(const CalculationForm& form, const InputRow& row, int direction) {
  std::vector<std::string> texts;
  for (const auto& field : row.fields) {
    if (!field) continue;
    if (row.spread.kind == Spread::Kind::Spinner) {
      const long degrees = std::lround(leadingNumber(form.text(*field))) + direction * std::lround(row.spread.amount);
      texts.push_back(std::to_string(degrees));
      continue;
    }
    const double value = typedValue(form, *field);
    const double varied = row.spread.kind == Spread::Kind::Step ? value + direction * row.spread.amount
                                                                : value * (1 + direction * row.spread.amount);
    texts.push_back(typedText(form, *field, varied));
  }
  return texts;
}

}  // namespace

std::span<const SensitivityInputInfo> sensitivityInputs() { return kInfos; }

const SensitivityInputInfo& sensitivityInput(SensitivityInput input) { return rowOf(input).info; }

std::optional<SensitivityInput> sensitivityInputNamed(std::string_view key) {
  for (const SensitivityInputInfo& info : kInfos)
    if (info.key == key) return info.input;
  return std::nullopt;
}

std::vector<Control> sensitivityFields(SensitivityInput input) {
  std::vector<Control> fields;
  for (const auto& field : rowOf(input).fields)
    if (field) fields.push_back(*field);
  return fields;
}

std::string_view keyOf(SkipReason reason) {
  switch (reason) {
    case SkipReason::Locked:
      return "locked";
    case SkipReason::Hidden:
      return "hidden";
    case SkipReason::Reset:
      return "reset";
    case SkipReason::SpinnerLimit:
      return "spinnerLimit";
  }
  return {};
}

std::string_view captionOf(SkipReason reason) {
  switch (reason) {
    case SkipReason::Locked:
      return "поле заблокировано";
    case SkipReason::Hidden:
      return "поле скрыто";
    case SkipReason::Reset:
      return "значение не принято формой";
    case SkipReason::SpinnerLimit:
      return "за пределами счётчика";
  }
  return {};
}

LoadFigures LoadFigures::of(const CalculationResults& results) {
  LoadFigures figures;
  for (const GainRow& row : kGains) figures.gains[static_cast<std::size_t>(row.gain)] = results.*(row.shown);
  figures.total = results.qTotal;
  figures.requiredCapacity = results.requiredCapacity;
  return figures;
}

VariationSide typeVariation(const CalculationForm& form, SensitivityInput input,
                            const std::vector<std::string>& texts) {
  const InputRow& row = rowOf(input);
  VariationSide side;
  side.text = texts.empty() ? std::string() : joined(texts);
  SilentMessages messages;
  CalculationForm copy(form, messages);
  dropFocus(copy);
  std::size_t i = 0;
  for (const auto& field : row.fields) {
    if (!field) continue;
    if (i >= texts.size()) break;
    side.skipped = row.spread.kind == Spread::Kind::Spinner ? spinRoomTemperature(copy, texts[i])
                                                            : typeInto(copy, *field, texts[i], messages);
    ++i;
    if (side.skipped) return side;
  }
  side.figures = LoadFigures::of(copy.results());
  return side;
}

SensitivityAnalysis analyseSensitivity(const CalculationForm& form) {
  SensitivityAnalysis analysis;
  analysis.base = LoadFigures::of(form.results());
  analysis.variations.reserve(kInputs.size());
  for (const InputRow& row : kInputs) {
    Variation v;
    v.input = row.info.input;
    v.baseText = joined(baseTexts(form, row));
    v.low = typeVariation(form, row.info.input, sideTexts(form, row, -1));
    v.high = typeVariation(form, row.info.input, sideTexts(form, row, +1));
    const auto capacity = [&](const VariationSide& side) {
      return side.figures ? side.figures->requiredCapacity : analysis.base.requiredCapacity;
    };
    v.swing = std::fabs(capacity(v.high) - capacity(v.low));
    analysis.variations.push_back(std::move(v));
  }
  std::ranges::stable_sort(analysis.variations, std::ranges::greater{}, &Variation::swing);
  return analysis;
}

}  // namespace kamerol
