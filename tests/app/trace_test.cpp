// The calculation trace against the engine: each gain recomputed from the
// inputs and intermediate values its trace lists, with its formula, must give
// the value the trace reports, and the trace's shown values must be the
// results panel's. A trace that parts from the engine fails here.

#include "core/trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "app/cli.h"
#include "app/cli_calculation.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/trace_text.h"
#include "document/calculation_file.h"
#include "document/startup.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

const std::filesystem::path kExamples = KAMEROL_EXAMPLES_DIR;

// The values an entry lists, by symbol; a symbol the entry does not list is a failure.
class Listed {
 public:
  explicit Listed(const TraceEntry& e) : entry_(e) {
    for (const TraceInput& i : e.inputs) values_[i.symbol] = i.value;
    for (const TraceStep& s : e.steps) values_[s.symbol] = s.value;
  }
  double operator()(const std::string& symbol) const {
    const auto it = values_.find(symbol);
    if (it != values_.end()) return it->second;
    ADD_FAILURE() << entry_.key << " lists no " << symbol;
    return NAN;
  }

 private:
  const TraceEntry& entry_;
  std::map<std::string, double> values_;
};

// Values the engine holds as 32-bit floats, recomputed in double.
void expectNear(double recomputed, double listed, const std::string& what) {
  EXPECT_NEAR(recomputed, listed, 2e-6 * std::max(1.0, std::fabs(listed))) << what;
}

// Each recomputation checks the entry's steps from its inputs and returns its value.
using Recompute = std::function<double(const TraceEntry&, const CalculationTrace&)>;

double walls(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  const double L = std::fabs(v("L")), B = std::fabs(v("B")), H = std::fabs(v("H"));
  expectNear(2 * (H * B + H * L), v("Fст"), "Fст");
  expectNear(B * L, v("Fпот"), "Fпот");
  double sum = 0;
  for (const auto& [x, area] : {std::pair{"ст", "Fст"}, {"пот", "Fпот"}, {"пол", "Fпот"}}) {
    const std::string s(x);
    EXPECT_EQ(std::nearbyint(v("tн." + s) - v("tк")), v("Δt" + s)) << s;
    const double r = v("δм." + s) / v("λм." + s) + v("Rв") + v("δи." + s) / v("λи." + s);
    expectNear(r, v("R" + s), "R" + s);
    expectNear(v("Δt" + s) * v(area) / v("R" + s), v("Q" + s), "Q" + s);
    sum += v("Q" + s);
  }
  return r2(sum);
}

double ventilation(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  if (v("V") != 0) expectNear(70 / std::sqrt(v("V")), v("n"), "n");
  return r2(v("n") * v("V") * v("qв"));
}

double door(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  const double t = v("tк");
  expectNear(v("b") * v("h"), v("Fдв"), "Fдв");
  expectNear(1.293 / (t / 273.15 + 1), v("ρк"), "ρк");
  expectNear(0.0125 * t * t + 1.575 * t + 7.5, v("iк"), "iк");
  expectNear(v("iн") - v("iк"), v("Δi"), "Δi");
  return r2(std::sqrt((1 - v("ρн") / v("ρк")) * v("h")) * ((28 - t) * 0.067 + 8) * 0.001 * v("τдв") / 24 * v("Fдв") *
            v("Δi") * v("ρк") * (1 - v("E")));
}

double product(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  if (v("τс") == 0) return 0;
  const double m = v("m"), t1 = v("t1"), t2 = v("t2"), tf = v("tзам");
  if (e.input("τ")) {
    EXPECT_TRUE(v("τс") == 86400 || v("τс") == v("τ") * 3600) << v("τс");
  }
  if (v("Qзам") != 0) {  // frozen through: all three phases
    expectNear(m * v("c1") * (t1 - tf), v("Qохл"), "Qохл");
    expectNear(v("r") * m, v("Qзам"), "Qзам");
    expectNear(m * v("c2") * (tf - t2), v("Qдо"), "Qдо");
  } else if (v("Qдо") != 0) {
    expectNear(m * v("c2") * (t1 - t2), v("Qдо"), "Qдо");
  } else {
    expectNear(m * v("c1") * (t1 - t2), v("Qохл"), "Qохл");
  }
  return (v("Qохл") + v("Qзам") + v("Qдо")) / v("τс");
}

double respiration(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  return v("Mхр") * v("qдых") / 3600000;
}

double lighting(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  return v("τосв") * v("Nосв") * v("F") / 24000;
}

double staff(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  expectNear(270 - 6 * v("tк"), v("qп"), "qп");
  return v("nп") * 0.00004167 * v("qп") * v("τосв");
}

double vehicles(const TraceEntry& e, const CalculationTrace&) {
  const Listed v(e);
  return v("Nптс") * 0.0416667 * v("τосв");
}

double fans(const TraceEntry& e, const CalculationTrace& t) {
  const Listed v(e);
  if (e.input("Nв")) return v("Nв") * v("nв") * 0.001;
  double counted = 0;
  for (int i = 0; i < kGainCount - 1; ++i) {
    EXPECT_EQ(v(t.gains[i].symbol), t.gains[i].shown) << t.gains[i].key;
    counted += v(t.gains[i].symbol);
  }
  return counted * v("τ") * v("p") / 2400;
}

double sum(const TraceEntry& e, const CalculationTrace& t) {
  const Listed v(e);
  double total = 0;
  for (const TraceEntry& g : t.gains) total += v(g.symbol);
  return total;
}

double capacity(const TraceEntry& e, const CalculationTrace& t) {
  const Listed v(e);
  EXPECT_EQ(v("Qсум"), t.sum.value);
  return v("τ") == 0 ? e.value : v("k") * v("Qсум") * 24 / v("τ");
}

const std::map<std::string, Recompute> kRecompute = {
    {"walls", walls},     {"ventilation", ventilation},   {"door", door},
    {"product", product}, {"respiration", respiration},   {"lighting", lighting},
    {"staff", staff},     {"vehicles", vehicles},         {"fans", fans},
    {"sum", sum},         {"requiredCapacity", capacity},
};

struct TraceCase {
  std::string name;
  std::string file;
  std::vector<std::string> sets;
};

class TraceTest : public testing::TestWithParam<TraceCase> {
 protected:
  TraceTest() : form_(messages_, NumberLocale::point()) {
    startCalculation(form_, std::nullopt, messages_);
    const TraceCase& c = GetParam();
    EXPECT_EQ(readCalculationFile(form_, kExamples / c.file, ReadMode::Dialog, messages_), ReadStatus::Ok);
    for (const std::string& set : c.sets) cli::apply(form_, cli::parseAssignment(set));
  }
  std::ostringstream err_;
  cli::PrintingMessages messages_{err_};
  CalculationForm form_;
};

TEST_P(TraceTest, ShowsThePanelAndRecomputesFromWhatItLists) {
  const CalculationTrace trace = buildTrace(form_.inputs(), form_.heatLoad());
  const auto boxes = cli::resultBoxes();
  std::vector<const TraceEntry*> entries;
  for (const TraceEntry& g : trace.gains) entries.push_back(&g);
  entries.push_back(&trace.sum);
  entries.push_back(&trace.requiredCapacity);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TraceEntry& e = *entries[i];
    SCOPED_TRACE(e.key);
    EXPECT_EQ(formatNumber(e.shown), form_.text(boxes[i]));
    EXPECT_FALSE(e.formula.empty());
    const double recomputed = kRecompute.at(e.key)(e, trace);
    expectNear(recomputed, e.value, "value");
    if (i < kGainCount && !e.included) {
      EXPECT_EQ(e.shown, 0.0f);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TraceTest,
    testing::Values(
        TraceCase{"worked example", "worked-example.tpl", {}}, TraceCase{"potato store", "potato-store.tpl", {}},
        TraceCase{"fish freezer store", "fish-freezer-store.tpl", {}},
        TraceCase{"freezing lamb", "freezing-lamb.tpl", {}},
        TraceCase{"freezing lamb refined fans", "freezing-lamb.tpl", {"refinedFanCalc=1"}},
        TraceCase{"freezing lamb in storage", "freezing-lamb.tpl", {"processMode=storage"}},
        TraceCase{
            "potato store air curtain walls excluded", "potato-store.tpl", {"curtainType=Воздушная", "includeWalls=0"}},
        TraceCase{"potato store cooled to the freezing point", "potato-store.tpl", {"productFinalTemp=-1.5"}},
        TraceCase{"worked example without equipment hours", "worked-example.tpl", {"equipHours=0"}},
        TraceCase{
            "potato store with a product not in the catalogue", "potato-store.tpl", {"productName=Картофель ранний"}}),
    RowName());

TEST(TraceTextTest, ResultBoxTooltipPutsTheNumbersIntoTheFormula) {
  TraceEntry e;
  e.symbol = "Qвен";
  e.unit = "кВт";
  e.formula = {"Qвен = R2(n · V · qв)  (пояснение)"};
  e.inputs = {{"qв", "", 0.00085f, "", TraceSourceKind::Table, ""}};
  e.steps = {{"n", "", 9.036962f, ""}, {"V", "", 60, ""}};
  e.shown = 0.46f;
  EXPECT_EQ(traceFormulaWithNumbers(e), "Qвен = R2(9.03696 · 60 · 0.00085) = 0.46 кВт");
}

// Computed values with six significant digits at most; what the panel shows as
// it shows it; a constant of the method with every digit it has.
TEST(TraceTextTest, ValuesWithoutTheNoiseOfTheirType) {
  const TraceStep resistance{"Rст", "сопротивление", 4150.775316, "× 0.001 м²·К/Вт"};
  EXPECT_EQ(traceStepText(resistance), "Rст — сопротивление = 4150.78 × 0.001 м²·К/Вт");
  const TraceInput surfaces{"Rв", "сумма", 150.775376, "× 0.001 м²·К/Вт", TraceSourceKind::Method, "константа метода"};
  EXPECT_EQ(traceInputText(surfaces), "Rв — сумма = 150.775376 × 0.001 м²·К/Вт (константа метода)");
  const TraceInput factor{"0.00004167", "1 / 24000", 0.00004167, "", TraceSourceKind::Method, "константа метода"};
  EXPECT_EQ(traceInputText(factor), "0.00004167 — 1 / 24000 (константа метода)");
  TraceEntry sum;
  sum.symbol = "Qсум";
  sum.unit = "кВт";
  sum.value = 9.940001f;
  sum.shown = 9.94f;
  EXPECT_EQ(traceResultText(sum), "Qсум = 9.94 кВт, на панели 9.94 кВт");
  sum.value = sum.shown = 12345.67f;  // the panel's seven digits stay
  EXPECT_EQ(traceResultText(sum), "Qсум = 12345.7 кВт, на панели 12345.67 кВт");
}

struct CliTraceCase {
  std::string name;
  std::vector<std::string> args;
  std::vector<std::string> expected;  // parts of the output, in this order
};

class CliTraceTest : public testing::TestWithParam<CliTraceCase> {};

TEST_P(CliTraceTest, FollowsTheResults) {
  std::ostringstream out;
  std::ostringstream err;
  CliContext context{NumberLocale::point(), out, err, {}, {}};
  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args)
    if (arg.ends_with(".tpl")) arg = (kExamples / arg).string();
  ASSERT_EQ(runCli(args, context), kExitDone) << err.str();
  std::size_t at = 0;
  for (const std::string& part : GetParam().expected) {
    const std::size_t found = out.str().find(part, at);
    ASSERT_NE(found, std::string::npos) << part << " after " << at << " in\n" << out.str();
    at = found + part.size();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, CliTraceTest,
    testing::Values(
        CliTraceCase{"table then trace",
                     {"calc", "worked-example.tpl", "--trace"},
                     {"С учетом к-та запаса и времени р-ты оборудования  1.64\nХод расчёта\n", "1. Через стены, Qстен",
                      "Rст — сопротивление теплопередаче стен = 4150.78 × 0.001 м²·К/Вт",
                      "Результат: Qтреб = 1.638 кВт, на панели 1.64 кВт\n"}},
        CliTraceCase{"json ends with the trace",
                     {"calc", "worked-example.tpl", "--json", "--trace"},
                     {"\"messages\": [],\n  \"trace\": {\n    \"gains\": [\n      {\n        \"key\": \"walls\",",
                      "\"symbol\": \"Rст\", \"name\": \"сопротивление теплопередаче стен\", \"value\": 4150.77532,",
                      "{\"symbol\": \"V\", \"name\": \"объём камеры\", \"value\": 60, \"unit\": \"м³\"}",
                      "\"requiredCapacity\": {", "\"shown\": 1.63999999,", "\n  }\n}\n"}},
        CliTraceCase{"json lines keep one line",
                     {"calc", "freezing-lamb.tpl", "worked-example.tpl", "--jsonl", "--trace"},
                     {"\"trace\": {\"gains\": [{\"key\": \"walls\"", "\"Qзам\"", "}}}\n{\"file\": ", "}}}\n"}}),
    RowName());

}  // namespace
}  // namespace kamerol
