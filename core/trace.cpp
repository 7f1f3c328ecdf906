#include "core/trace.h"

#include <utility>

#include "core/method_constants.h"
#include "core/number_text.h"
#include "core/products.h"
#include "core/rounding.h"
#include "core/trace_text.h"

namespace kamerol {
namespace {

using In = CalculationInputs;
using namespace method;

// A constant of the method as the formulas write it.
std::string written(double value) { return constantText(value); }

// "Qстен + Qвен + …": the symbols of the entries from `first` to `last`.
template <typename Iterator>
std::string symbolSum(Iterator first, Iterator last) {
  std::string sum;
  for (Iterator i = first; i != last; ++i) (sum += sum.empty() ? "" : " + ") += i->symbol;
  return sum;
}

// Builds one entry: the inputs and steps in the order an engineer reads them.
class EntryBuilder {
 public:
  EntryBuilder(TraceEntry& entry, const ResultName& name) : e_(entry) {
    e_.key = name.key;
    e_.caption = name.caption;
    e_.symbol = name.symbol;
    e_.unit = name.unit;
  }
  EntryBuilder& formula(std::string line) {
    e_.formula.push_back(std::move(line));
    return *this;
  }
  // `field`: the caption of the form's field, without the blank some end with.
  EntryBuilder& form(std::string_view symbol, std::string_view name, double value, std::string_view unit,
                     std::string_view field) {
    field = field.substr(0, field.find_last_not_of(' ') + 1);
    return add(symbol, name, value, unit, TraceSourceKind::Form, "форма: «" + std::string(field) + "»");
  }
  EntryBuilder& table(std::string_view symbol, std::string_view name, double value, std::string_view unit,
                      std::string source) {
    return add(symbol, name, value, unit, TraceSourceKind::Table, std::move(source));
  }
  EntryBuilder& constant(std::string_view symbol, std::string_view name, double value, std::string_view unit) {
    return add(symbol, name, value, unit, TraceSourceKind::Method, "константа метода");
  }
  // A constant that stands in the formulas as its number.
  EntryBuilder& constant(std::string_view name, double value) { return constant(written(value), name, value, ""); }
  EntryBuilder& result(std::string_view symbol, std::string_view name, double value, std::string_view unit,
                       std::string source) {
    return add(symbol, name, value, unit, TraceSourceKind::Result, std::move(source));
  }
  EntryBuilder& step(std::string_view symbol, std::string_view name, double value, std::string_view unit) {
    e_.steps.push_back({std::string(symbol), std::string(name), value, std::string(unit)});
    return *this;
  }

 private:
  EntryBuilder& add(std::string_view symbol, std::string_view name, double value, std::string_view unit,
                    TraceSourceKind kind, std::string source) {
    e_.inputs.push_back({std::string(symbol), std::string(name), value, std::string(unit), kind, std::move(source)});
    return *this;
  }
  TraceEntry& e_;
};

std::string tableRow(std::string_view table, std::string_view row) {
  return std::string(table) + ": «" + std::string(row) + "»";
}

// The catalogue row the product's properties come from. A product list text
// that names no product zeroes them and keeps the last name, which then is
// not their source.
std::string productSource(const CalculationInputs& in) {
  CalculationInputs catalogue = in;
  if (const auto product = findProduct(in.productName)) applyProductProperties(catalogue, product->properties);
  const bool fromRow = catalogue.freezingPoint == in.freezingPoint &&
                       catalogue.heatCapacityAbove == in.heatCapacityAbove &&
                       catalogue.heatCapacityBelow == in.heatCapacityBelow && catalogue.latentHeat == in.latentHeat &&
                       catalogue.respirationHeat == in.respirationHeat;
  return fromRow ? tableRow("каталог продуктов", in.productName)
                 : "каталог продуктов: нет продукта с введённым названием, свойства 0";
}

// The panel's value of one gain and why it is 0 where the gain is not counted.
void setShown(TraceEntry& e, float shown, bool includeFlag, double value) {
  e.shown = shown;
  e.included = includeFlag;
  if (!includeFlag)
    e.note = "не учитывается: флажок на панели снят, на панели 0";
  else if (shown == 0 && r2(value) != 0)
    e.note = "не учитывается: у камеры нет объёма, на панели 0";
}

void walls(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Walls));
  b.formula(e.symbol + " = R2(Qпот + Qст + Qпол)")
      .formula("Qст = Δtст · Fст / Rст;  Qпот = Δtпот · Fпот / Rпот;  Qпол = Δtпол · Fпот / Rпол")
      .formula("R = δм / λм + Rв + δи / λи  (в 0.001 м²·К/Вт, так что Q — в кВт)")
      .formula("Fст = 2 · (H · B + H · L);  Fпот = B · L (и для пола), размеры по модулю;  Δt = tн − tк, до целого");
  b.form("L", "длина камеры", in.roomLength, "м", captionOf(&In::roomLength))
      .form("B", "ширина камеры", in.roomWidth, "м", captionOf(&In::roomWidth))
      .form("H", "высота камеры", in.roomHeight, "м", captionOf(&In::roomHeight))
      .form("tк", "температура в камере", in.roomTemp, "°C", captionOf(&In::roomTemp));
  struct Surface {
    std::string_view suffix, name, material, insulation;
    float In::*materialThickness;
    float materialLambda;
    float In::*insulationThickness;
    float insulationLambda;
    float In::*outside;
  };
  const Surface surfaces[] = {
      {"ст", "стен", in.wallMaterial, in.wallInsulation, &In::wallMaterialThickness, in.wallMaterialLambda,
       &In::wallInsulationThickness, in.wallInsulationLambda, &In::outsideTempWalls},
      {"пот", "потолка", in.ceilingMaterial, in.ceilingInsulation, &In::ceilingMaterialThickness,
       in.ceilingMaterialLambda, &In::ceilingInsulationThickness, in.ceilingInsulationLambda, &In::outsideTempCeiling},
      {"пол", "пола", in.floorMaterial, in.floorInsulation, &In::floorMaterialThickness, in.floorMaterialLambda,
       &In::floorInsulationThickness, in.floorInsulationLambda, &In::outsideTempFloor},
  };
  for (const Surface& s : surfaces) {
    const std::string of = " " + std::string(s.name);
    const std::string x = "." + std::string(s.suffix);
    b.form("tн" + x, "температура снаружи" + of, in.*s.outside, "°C", captionOf(s.outside))
        .form("δм" + x, "толщина материала" + of, in.*s.materialThickness, "мм", captionOf(s.materialThickness))
        .table("λм" + x, "теплопроводность материала" + of, s.materialLambda, "Вт/(м·К)",
               tableRow("таблица материалов", s.material))
        .form("δи" + x, "толщина теплоизоляции" + of, in.*s.insulationThickness, "мм", captionOf(s.insulationThickness))
        .table("λи" + x, "теплопроводность теплоизоляции" + of, s.insulationLambda, "Вт/(м·К)",
               tableRow("таблица теплоизоляции", s.insulation));
  }
  b.constant("Rв", "сумма сопротивлений теплоотдаче у двух поверхностей", kSurfaceResistance, "× 0.001 м²·К/Вт");
  b.step("Fст", "площадь стен", r.wallArea, "м²")
      .step("Fпот", "площадь потолка и пола", r.ceilingArea, "м²")
      .step("Δtст", "разность температур у стен", r.tempDiffWalls, "°C")
      .step("Δtпот", "разность температур у потолка", r.tempDiffCeiling, "°C")
      .step("Δtпол", "разность температур у пола", r.tempDiffFloor, "°C")
      .step("Rст", "сопротивление теплопередаче стен", load.resistance.walls, "× 0.001 м²·К/Вт")
      .step("Rпот", "сопротивление теплопередаче потолка", load.resistance.ceiling, "× 0.001 м²·К/Вт")
      .step("Rпол", "сопротивление теплопередаче пола", load.resistance.floor, "× 0.001 м²·К/Вт")
      .step("Qст", "теплоприток через стены", r.qWallPart, "кВт")
      .step("Qпот", "теплоприток через потолок", r.qCeiling, "кВт")
      .step("Qпол", "теплоприток через пол", r.qFloor, "кВт");
  e.value = r.qWalls;
  setShown(e, r.shownWalls, in.includeWalls, e.value);
}

void ventilation(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Ventilation));
  b.formula(e.symbol + " = R2(n · V · qв)")
      .formula("n = " + written(kAirChangeFactor) + " / √V (при V = 0 — прежняя кратность)");
  b.form("tк", "температура в камере", in.roomTemp, "°C", captionOf(&In::roomTemp))
      .table("qв", "удельный теплоприток наружного воздуха", r.ventSpecificHeat, "кВт·сут/м³",
             "таблица вентиляции: строка " + formatNumber(in.roomTemp) + " °C")
      .constant("коэффициент кратности воздухообмена", kAirChangeFactor);
  b.step("V", "объём камеры", r.roomVolume, "м³").step("n", "кратность воздухообмена", r.airChangeRate, "1/сут");
  e.value = r.qVentilation;
  setShown(e, r.shownVentilation, in.includeVentilation, e.value);
  if (in.includeVentilation && r.shownVentilation == 0 && r.qVentilation != 0 && r.roomVolume != 0)
    e.note = "не учитывается: кратность воздухообмена 0, на панели 0";
}

void door(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Door));
  b.formula(e.symbol + " = R2(√((1 − ρн / ρк) · h) · ((" + written(kDoorFlowTemp) + " − tк) · " +
            written(kDoorFlowSlope) + " + " + written(kDoorFlowBase) + ") · " + written(kDoorFlowScale) + " · τдв / " +
            written(kHoursPerDay) + " · Fдв · Δi · ρк · (1 − E))")
      .formula("Fдв = b · h;  ρк = " + written(kAirDensityAtZero) + " / (tк / " + written(kCelsiusToKelvin) +
               " + 1);  iк = " + written(kEnthalpyQuadratic) + " · tк² + " + written(kEnthalpyLinear) + " · tк + " +
               written(kEnthalpyAtZero) + ";  Δi = iн − iк");
  b.form("h", "высота двери", in.doorHeight, "м", captionOf(&In::doorHeight))
      .form("b", "ширина двери", in.doorWidth, "м", captionOf(&In::doorWidth))
      .form("τдв", "время открытой двери за сутки", in.doorOpenMinutes, "мин", captionOf(&In::doorOpenMinutes))
      .table("E", "доля притока, которую задерживает завеса", in.curtainEfficiency, "",
             tableRow("таблица завес", in.curtainName))
      .form("tк", "температура в камере", in.roomTemp, "°C", captionOf(&In::roomTemp))
      .constant("ρн", "плотность наружного воздуха", kOutsideAirDensity, "кг/м³")
      .constant("iн", "энтальпия наружного воздуха", kOutsideAirEnthalpy, "кДж/кг");
  b.step("Fдв", "площадь двери", r.doorArea, "м²")
      .step("ρк", "плотность воздуха в камере", r.roomAirDensity, "кг/м³")
      .step("iк", "энтальпия воздуха в камере", r.roomAirEnthalpy, "кДж/кг")
      .step("Δi", "разность энтальпий", r.enthalpyDiff, "кДж/кг");
  e.value = r.qDoor;
  setShown(e, r.shownDoor, in.includeDoor, e.value);
}

void product(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  const ProductPhases& p = load.product;
  EntryBuilder b(e, gainRow(Gain::Product));
  const bool freezing = in.processMode == ProcessMode::Freezing;
  const bool throughFreezing = p.freezing != 0 || (p.cooling != 0 && p.subCooling != 0);
  if (p.seconds == 0) {
    b.formula(e.symbol + " = 0: конечная температура равна точке замерзания, ни один случай не подходит");
  } else if (p.subCooling != 0 && p.cooling == 0 && p.freezing == 0) {
    b.formula(e.symbol + " = Qдо / τс  (продукт уже заморожен и доохлаждается)").formula("Qдо = m · c2 · (t1 − t2)");
  } else if (throughFreezing) {
    b.formula(e.symbol + " = (Qохл + Qзам + Qдо) / τс  (охлаждение, замораживание, доохлаждение)")
        .formula("Qохл = m · c1 · (t1 − tзам);  Qзам = r · m;  Qдо = m · c2 · (tзам − t2)");
  } else {
    b.formula(e.symbol + " = Qохл / τс  (охлаждение без замораживания)").formula("Qохл = m · c1 · (t1 − t2)");
  }
  b.formula(freezing && in.equipHours != 0
                ? "τс = τ · " + written(kSecondsPerHour) + " (замораживание за время работы оборудования)"
                : "τс = " + written(kSecondsPerDay) + " (суточный оборот, с)");
  const std::string source = productSource(in);
  b.form("m", freezing ? "масса замораживаемого продукта" : "суточный оборот продукта", in.dailyMass, "кг",
         captionOf(&In::dailyMass, in.processMode))
      .form("t1", "начальная температура продукта", in.productInitialTemp, "°C", captionOf(&In::productInitialTemp))
      .form("t2", "конечная температура продукта", in.productFinalTemp, "°C", captionOf(&In::productFinalTemp))
      .table("tзам", "точка замерзания", in.freezingPoint, "°C", source)
      .table("c1", "теплоёмкость выше точки замерзания", in.heatCapacityAbove, "кДж/(кг·К)", source)
      .table("c2", "теплоёмкость ниже точки замерзания", in.heatCapacityBelow, "кДж/(кг·К)", source)
      .table("r", "скрытая теплота замерзания", in.latentHeat, "кДж/кг", source);
  if (freezing) b.form("τ", "время замораживания", in.equipHours, "ч", captionOf(&In::equipHours, in.processMode));
  b.step("Qохл", "теплота охлаждения", p.cooling, "кДж")
      .step("Qзам", "теплота замораживания", p.freezing, "кДж")
      .step("Qдо", "теплота доохлаждения", p.subCooling, "кДж")
      .step("τс", "время, за которое отводится теплота", p.seconds, "с");
  e.value = r.qProduct;
  setShown(e, r.shownProduct, in.includeProduct, e.value);
}

void respiration(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Respiration));
  b.formula(e.symbol + " = Mхр · qдых / " + written(kJoulesPerHourPerKilowatt) +
            "  (хранимая масса — в обоих режимах)");
  const std::string source = productSource(in);
  b.form("Mхр", "хранимая масса продукта", in.storedMass, "кг", captionOf(&In::storedMass))
      .table("qдых", "теплота дыхания продукта", in.respirationHeat, "Дж/(кг·ч)", source)
      .constant("Дж/ч в 1 кВт", kJoulesPerHourPerKilowatt);
  e.value = r.qRespiration;
  setShown(e, r.shownRespiration, in.includeRespiration, e.value);
}

void lighting(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Lighting));
  b.formula(e.symbol + " = τосв · Nосв · F / " + written(kLightingDivisor));
  b.form("τосв", "время работы освещения за сутки", in.lightingHours, "ч", captionOf(&In::lightingHours));
  if (in.useRecommendedLighting)
    b.constant("Nосв", "рекомендуемая мощность освещения", load.lightingPower, "Вт/м²");
  else
    b.form("Nосв", "мощность освещения", load.lightingPower, "Вт/м²", captionOf(&In::lightingPower));
  b.constant("24 ч · 1000 Вт/кВт", kLightingDivisor);
  b.step("F", "площадь пола, до 0.01", r.floorArea, "м²");
  e.value = r.qLighting;
  setShown(e, r.shownLighting, in.includeLighting, e.value);
}

void staff(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Staff));
  b.formula(e.symbol + " = nп · " + written(kStaffFactor) + " · qп · τосв")
      .formula("qп = " + written(kHeatPerPersonAtZero) + " − " + written(kHeatPerPersonPerDegree) + " · tк");
  b.form("nп", "число работающих", in.staffCount, "чел.", captionOf(&In::staffCount))
      .form("τосв", "время работы освещения за сутки", in.lightingHours, "ч", captionOf(&In::lightingHours))
      .form("tк", "температура в камере", in.roomTemp, "°C", captionOf(&In::roomTemp))
      .constant("1 / 24000: ч/сут и Вт/кВт", kStaffFactor);
  b.step("qп", "тепловыделение одного человека", r.heatPerPerson, "Вт");
  e.value = r.qStaff;
  setShown(e, r.shownStaff, in.includeStaff, e.value);
}

void vehicles(TraceEntry& e, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Vehicles));
  b.formula(e.symbol + " = Nптс · " + written(kVehicleFactor) + " · τосв");
  b.form("Nптс", "мощность погрузочных машин", in.vehiclePower, "кВт", captionOf(&In::vehiclePower))
      .form("τосв", "время работы освещения за сутки", in.lightingHours, "ч", captionOf(&In::lightingHours))
      .constant("1 / 24: ч/сут", kVehicleFactor);
  e.value = r.qVehicles;
  setShown(e, r.shownVehicles, in.includeVehicles, e.value);
}

void fans(TraceEntry& e, const CalculationTrace& t, const CalculationInputs& in, const HeatLoad& load) {
  const CalculationResults& r = load.results;
  EntryBuilder b(e, gainRow(Gain::Fans));
  if (in.refinedFanCalc) {
    b.formula(e.symbol + " = Nв · nв · " + written(kKilowattsPerWatt) + "  (уточнённый расчёт)");
    b.form("Nв", "мощность одного вентилятора", in.fanPower, "Вт", captionOf(&In::fanPower))
        .form("nв", "число вентиляторов", in.fanCount, "шт.", captionOf(&In::fanCount));
  } else {
    b.formula(e.symbol + " = (" + symbolSum(t.gains.begin(), t.gains.end() - 1) + ") · τ · p / " +
              written(kFanAllowanceDivisor) + "  (как на панели)");
    for (int i = 0; i < kGainCount - 1; ++i)
      b.result(t.gains[i].symbol, t.gains[i].caption, t.gains[i].shown, t.gains[i].unit,
               "на панели: " + t.gains[i].caption);
    b.form("τ", "время работы оборудования", in.equipHours, "ч", captionOf(&In::equipHours, in.processMode))
        .form("p", "доля вентиляторов", in.fanPercent, "%", captionOf(&In::fanPercent))
        .constant("24 ч · 100 %", kFanAllowanceDivisor);
  }
  b.step(e.symbol + ".пр", "предварительный расчёт", r.qFansPreliminary, e.unit)
      .step(e.symbol + ".ут", "уточнённый расчёт", r.qFansRefined, e.unit);
  e.value = r.qFans;
  setShown(e, r.shownFans, in.includeFans, e.value);
}

void sum(TraceEntry& e, const CalculationTrace& t, const HeatLoad& load) {
  EntryBuilder b(e, kTotal);
  b.formula(e.symbol + " = " + symbolSum(t.gains.begin(), t.gains.end()) + "  (как на панели)");
  for (const TraceEntry& g : t.gains) b.result(g.symbol, g.caption, g.shown, g.unit, "на панели: " + g.caption);
  e.value = load.results.qTotal;
  e.shown = r2(e.value);
}

void capacity(TraceEntry& e, const CalculationTrace& t, const CalculationInputs& in, const HeatLoad& load) {
  EntryBuilder b(e, kRequiredCapacity);
  b.formula(e.symbol + " = k · " + t.sum.symbol + " · " + written(kHoursPerDay) + " / τ  (" + t.sum.symbol +
            " — без округления)");
  b.form("k", "коэффициент запаса, 1 + запас / 100", in.reserveFactor, "", captionOf(&In::reserveFactor))
      .result(t.sum.symbol, t.sum.caption, t.sum.value, t.sum.unit, "сумма, без округления")
      .form("τ", "время работы оборудования", in.equipHours, "ч", captionOf(&In::equipHours, in.processMode));
  e.value = load.results.requiredCapacity;
  e.shown = r2(e.value);
  if (!load.capacityComputed) e.note = "время работы оборудования 0: не пересчитана, остаётся прежнее значение";
}

}  // namespace

CalculationTrace buildTrace(const CalculationInputs& in, const HeatLoad& load) {
  CalculationTrace t;
  walls(t.gains[0], in, load);
  ventilation(t.gains[1], in, load);
  door(t.gains[2], in, load);
  product(t.gains[3], in, load);
  respiration(t.gains[4], in, load);
  lighting(t.gains[5], in, load);
  staff(t.gains[6], in, load);
  vehicles(t.gains[7], in, load);
  fans(t.gains[8], t, in, load);
  sum(t.sum, t, load);
  capacity(t.requiredCapacity, t, in, load);
  return t;
}

const TraceInput* TraceEntry::input(std::string_view s) const {
  for (const TraceInput& i : inputs)
    if (i.symbol == s) return &i;
  return nullptr;
}

const TraceStep* TraceEntry::step(std::string_view s) const {
  for (const TraceStep& i : steps)
    if (i.symbol == s) return &i;
  return nullptr;
}

std::string_view traceKey(Gain gain) { return gainRow(gain).key; }

}  // namespace kamerol
