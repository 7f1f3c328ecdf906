#include "analysis/checks.h"

#include <array>
#include <functional>

#include "core/gains.h"
#include "core/number_text.h"
#include "core/rounding.h"

namespace kamerol {
namespace {

using enum Control;

// The gain each include box leaves out, as computed whether counted or not.
constexpr std::array<float CalculationResults::*, kGainCount> kComputedGain = {
    &CalculationResults::qWalls,   &CalculationResults::qVentilation, &CalculationResults::qDoor,
    &CalculationResults::qProduct, &CalculationResults::qRespiration, &CalculationResults::qLighting,
    &CalculationResults::qStaff,   &CalculationResults::qVehicles,    &CalculationResults::qFans,
};

constexpr std::array<std::string_view, kGainCount> kExcludedKeys = {
    "wallsExcluded",    "ventilationExcluded", "doorExcluded",     "productExcluded", "respirationExcluded",
    "lightingExcluded", "staffExcluded",       "vehiclesExcluded", "fansExcluded",
};

struct Surface {
  std::string_view key;
  std::string_view name;  // in the genitive: "стен", "потолка", "пола"
  float CalculationInputs::*insulation;
  Control field;
};

constexpr std::array<Surface, 3> kSurfaces = {{
    {"noInsulationWalls", "стен", &CalculationInputs::wallInsulationThickness, wallInsulationThicknessField},
    {"noInsulationCeiling", "потолка", &CalculationInputs::ceilingInsulationThickness, ceilingInsulationThicknessField},
    {"noInsulationFloor", "пола", &CalculationInputs::floorInsulationThickness, floorInsulationThicknessField},
}};

// The caption of a gain without the quotation marks one of them carries.
std::string plainCaption(std::string_view caption) {
  std::string text;
  for (char ch : caption)
    if (ch != '"') text += ch;
  return text;
}

std::string number(float value) { return formatNumber(value); }

using Findings = std::vector<CheckFinding>;
using Check = std::function<void(const CalculationForm&, Findings&)>;

void excludedGains(const CalculationForm& form, Findings& out) {
  for (const GainRow& row : kGains) {
    const auto i = static_cast<std::size_t>(row.gain);
    const float computed = r2(form.results().*kComputedGain[i]);
    if (form.inputs().*(row.include) || computed == 0) continue;
    out.push_back({kExcludedKeys[i],
                   "Теплоприток «" + plainCaption(row.caption) + "» исключён из суммы, хотя он равен " +
                       number(computed) + " кВт.",
                   includeCheckOf(row.gain)});
  }
}

void product(const CalculationForm& form, Findings& out) {
  const CalculationInputs& in = form.inputs();
  if (in.processMode == ProcessMode::Storage) {
    if (in.storedMass > 0 && in.dailyMass == 0)
      out.push_back({"storedWithoutTurnover",
                     "В камере хранится " + number(in.storedMass) +
                         " кг продукта, но суточный оборот равен нулю: теплоприток от продукта не учтён.",
                     dailyMassField});
    return;
  }
  if (in.dailyMass == 0) {
    out.push_back({"freezingWithoutMass", "Выбрана заморозка, но замораживаемая масса равна нулю.", dailyMassField});
  } else if (in.productFinalTemp >= in.freezingPoint) {
    out.push_back({"freezingAboveFreezingPoint",
                   "Выбрана заморозка, но конечная температура продукта (" + number(in.productFinalTemp) +
                       " °C) не ниже точки замерзания (" + number(in.freezingPoint) + " °C): продукт не замерзает.",
                   productFinalTempField});
  }
}

void closedDoor(const CalculationForm& form, Findings& out) {
  const CalculationInputs& in = form.inputs();
  if (in.doorOpenMinutes != 0 || (in.staffCount <= 0 && in.vehiclePower <= 0)) return;
  std::string who;
  if (in.staffCount > 0) who = "работают люди (" + number(in.staffCount) + " чел)";
  if (in.vehiclePower > 0) who += (who.empty() ? "" : " и ") + std::string("ПТС (") + number(in.vehiclePower) + " кВт)";
  out.push_back(
      {"doorNeverOpen", "В камере " + who + ", но дверь не открывается ни минуты в сутки.", doorOpenMinutesField});
}

void insulation(const CalculationForm& form, Findings& out) {
  for (const Surface& s : kSurfaces)
    if (form.inputs().*(s.insulation) == 0)
      out.push_back({s.key, "Толщина термоизоляции " + std::string(s.name) + " равна нулю.", s.field});
}

void runningTime(const CalculationForm& form, Findings& out) {
  const CalculationInputs& in = form.inputs();
  if (in.equipHours == 24)
    out.push_back({"noDefrostTime",
                   "Оборудование работает 24 ч в сутки: на оттайку воздухоохладителя не остаётся времени.",
                   equipHoursField});
  if (r2((static_cast<double>(in.reserveFactor) - 1) * 100) == 0)
    out.push_back({"noReserve", "Запас равен 0 %.", reservePercentField});
}

void fans(const CalculationForm& form, Findings& out) {
  const CalculationInputs& in = form.inputs();
  if (!in.refinedFanCalc && in.fanPercent == 0)
    out.push_back({"fanAllowanceOff",
                   "Теплоприток от вентиляторов воздухоохладителя не учтён: 0 % без уточняющего расчёта.",
                   fanPercentField});
  if (in.refinedFanCalc && in.fanCount * in.fanPower == 0)
    out.push_back({"refinedFansZero",
                   "Уточняющий расчёт вентиляторов воздухоохладителя включён, но их число или мощность равны нулю.",
                   in.fanCount == 0 ? fanCountField : fanPowerField});
}

// The checks in the order they are listed, with the keys each can give.
struct CheckRow {
  Check run;
  std::vector<std::string_view> keys;
};

const std::vector<CheckRow>& checkTable() {
  static const std::vector<CheckRow> table = {
      {excludedGains, {kExcludedKeys.begin(), kExcludedKeys.end()}},
      {product, {"storedWithoutTurnover", "freezingWithoutMass", "freezingAboveFreezingPoint"}},
      {closedDoor, {"doorNeverOpen"}},
      {insulation, {"noInsulationWalls", "noInsulationCeiling", "noInsulationFloor"}},
      {runningTime, {"noDefrostTime", "noReserve"}},
      {fans, {"fanAllowanceOff", "refinedFansZero"}},
  };
  return table;
}

}  // namespace

std::vector<CheckFinding> checkCalculation(const CalculationForm& form) {
  Findings findings;
  for (const CheckRow& row : checkTable()) row.run(form, findings);
  return findings;
}

std::span<const std::string_view> checkKeys() {
  static const std::vector<std::string_view> keys = [] {
    std::vector<std::string_view> all;
    for (const CheckRow& row : checkTable()) all.insert(all.end(), row.keys.begin(), row.keys.end());
    return all;
  }();
  return keys;
}

}  // namespace kamerol
