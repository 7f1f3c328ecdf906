#include "report/report_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/defaults.h"
#include "core/engine.h"
#include "core/number_text.h"
#include "core/products.h"
#include "core/rounding.h"
#include "core/version.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

using F = ReportField;

CalculationRecord recordOf(const CalculationInputs& in, const CalculationResults& previous = {}) {
  return {in, computeHeatLoad(in, previous).results, false};
}

// A room where every one of the nine gains is above zero.
CalculationInputs everyGainInputs() {
  CalculationInputs in = workedExampleRecord().inputs;
  in.doorOpenMinutes = 30;
  const Product apples = *findProduct("Яблоки");
  in.productCategory = "Фрукты";
  in.productName = apples.name;
  applyProductProperties(in, apples.properties);
  in.storedMass = 5000;
  in.dailyMass = 1000;
  in.productInitialTemp = 20;
  in.productFinalTemp = 2;
  in.lightingHours = 8;
  in.lightingPower = 12;
  in.useRecommendedLighting = false;
  in.staffCount = 2;
  in.vehiclePower = 3;
  return in;
}

std::string valueOf(const ReportPage& page, ReportField field) {
  const ReportText* t = page.find(field);
  return t ? t->text : "<missing>";
}

TEST(ReportPageTest, WorkedExampleValues) {
  const ReportPage page = buildReportPage(workedExampleRecord(), false);
  const std::vector<std::pair<ReportField, std::string>> expected = {
      {F::RoomLength, "5"},
      {F::RoomWidth, "4"},
      {F::RoomHeight, "3"},
      {F::RoomVolume, "60"},
      {F::AmbientTemp, "28"},
      {F::Reserve, "5"},
      {F::EquipHours, "18"},
      {F::WallMaterial, "Железобетон"},
      {F::WallInsulationThickness, "100"},
      {F::OutsideTempFloor, "28"},
      {F::WallPartGain, "0.36"},
      {F::CeilingGain, "0.13"},
      {F::FloorGain, "0.13"},
      {F::ShownWalls, "0.63"},
      {F::AirChangeRate, "9.04"},
      {F::ShownVentilation, "0.46"},
      {F::DoorHeight, "2.3"},
      {F::DoorWidth, "1.8"},
      {F::CurtainName, "Нет"},
      {F::ProductName, "Баранина"},
      {F::ShownLighting, "0"},  // 0.0042 kW rounds away
      {F::ShownFans, "0.08"},
      {F::Total, "1.17"},
      {F::RequiredCapacity, "1.64"},
      {F::ClientInfo, ""},
  };
  for (const auto& [field, text] : expected) {
    EXPECT_EQ(valueOf(page, field), text) << "field " << static_cast<int>(field);
  }
}

// The report must agree with the results panel gain by gain, with each gain
// excluded in turn, and its sum must be the panel's sum.
TEST(ReportPageTest, ShownGainsAndSumMatchThePanel) {
  struct Case {
    bool CalculationInputs::*include;
    Gain gain;
    ReportField field;
  };
  const std::vector<Case> cases = {
      {&CalculationInputs::includeWalls, Gain::Walls, F::ShownWalls},
      {&CalculationInputs::includeVentilation, Gain::Ventilation, F::ShownVentilation},
      {&CalculationInputs::includeDoor, Gain::Door, F::ShownDoor},
      {&CalculationInputs::includeProduct, Gain::Product, F::ShownProduct},
      {&CalculationInputs::includeRespiration, Gain::Respiration, F::ShownRespiration},
      {&CalculationInputs::includeLighting, Gain::Lighting, F::ShownLighting},
      {&CalculationInputs::includeStaff, Gain::Staff, F::ShownStaff},
      {&CalculationInputs::includeVehicles, Gain::Vehicles, F::ShownVehicles},
      {&CalculationInputs::includeFans, Gain::Fans, F::ShownFans},
  };
  const CalculationInputs all = everyGainInputs();
  const ReportPage full = buildReportPage(recordOf(all), false);
  for (const Case& c : cases) {
    ASSERT_NE(valueOf(full, c.field), "0") << "the example must give gain " << static_cast<int>(c.gain);
  }

  for (const Case& excluded : cases) {
    SCOPED_TRACE("excluded gain " + std::to_string(static_cast<int>(excluded.gain)));
    CalculationInputs in = all;
    in.*excluded.include = false;
    const HeatLoad out = computeHeatLoad(in);
    const ReportPage page = buildReportPage({in, out.results, false}, false);

    EXPECT_EQ(valueOf(page, excluded.field), "0");
    for (const Case& c : cases) {
      EXPECT_EQ(valueOf(page, c.field), formatNumber(out.results.*(gainRow(c.gain).shown)));
    }
    EXPECT_EQ(valueOf(page, F::Total), formatNumber(r2(out.results.qTotal)));
    EXPECT_NE(valueOf(page, F::Total), valueOf(full, F::Total));
    ASSERT_TRUE(out.capacityComputed);
    EXPECT_EQ(valueOf(page, F::RequiredCapacity), formatNumber(r2(out.results.requiredCapacity)));
  }
}

TEST(ReportPageTest, NoEquipmentHoursKeepsTheLastCapacity) {
  CalculationRecord record = workedExampleRecord();
  record.inputs.equipHours = 0;
  EXPECT_EQ(valueOf(buildReportPage(recordOf(record.inputs, record.results), false), F::RequiredCapacity), "1.64");
  // Before any run with hours there is no capacity yet.
  EXPECT_EQ(valueOf(buildReportPage(recordOf(record.inputs), false), F::RequiredCapacity), "0");
}

TEST(ReportPageTest, ReservePercentRoundsTheHeldFactor) {
  const std::vector<std::pair<float, std::string>> cases = {
      {1.05f, "5"},   {1.075f, "8"},  // 7.5 % typed: the float factor lies above the half
      {1.125f, "12"},                 // an exact half goes to the even neighbour
      {1.135f, "13"},                 // just below 13.5
      {1.3f, "30"},   {1.0f, "0"},
  };
  for (const auto& [factor, text] : cases) {
    CalculationRecord record = workedExampleRecord();
    record.inputs.reserveFactor = factor;
    EXPECT_EQ(valueOf(buildReportPage(record, false), F::Reserve), text) << "factor " << factor;
  }
}

TEST(ReportPageTest, NegativeDimensionsShowTheirMagnitude) {
  CalculationInputs in = workedExampleRecord().inputs;
  in.roomLength = -5;
  in.roomWidth = -4.2f;
  const ReportPage page = buildReportPage(recordOf(in), false);
  EXPECT_EQ(valueOf(page, F::RoomLength), "5");
  EXPECT_EQ(valueOf(page, F::RoomWidth), "4.2");
  EXPECT_EQ(valueOf(page, F::RoomVolume), "63");
}

TEST(ReportPageTest, RoundedValuesUseHalfToEven) {
  CalculationRecord record = workedExampleRecord();
  record.inputs.doorHeight = 2.125f;  // exact half in binary
  record.inputs.doorWidth = 1.005f;   // really 1.00499..., rounds down
  record.inputs.doorOpenMinutes = 12.345678f;
  record.results.qTotal = 1.375f;
  record.results.requiredCapacity = 2.625f;
  const ReportPage page = buildReportPage(record, false);
  EXPECT_EQ(valueOf(page, F::DoorHeight), "2.12");
  EXPECT_EQ(valueOf(page, F::DoorWidth), "1");
  EXPECT_EQ(valueOf(page, F::DoorOpenMinutes), "12.35");
  EXPECT_EQ(valueOf(page, F::Total), "1.38");
  EXPECT_EQ(valueOf(page, F::RequiredCapacity), "2.62");
}

TEST(ReportPageTest, ClientLine) {
  CalculationRecord record = workedExampleRecord();
  const ReportPage empty = buildReportPage(record, false);
  ASSERT_NE(empty.find(F::ClientInfo, TextRole::Caption), nullptr);
  EXPECT_EQ(empty.find(F::ClientInfo, TextRole::Caption)->text, "Клиент:");
  EXPECT_EQ(valueOf(empty, F::ClientInfo), "");

  record.inputs.clientInfo = "ООО \"Север\", Мурманск";
  const ReportPage page = buildReportPage(record, false);
  const ReportText* client = page.find(F::ClientInfo);
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(client->text, "ООО \"Север\", Мурманск");
  EXPECT_EQ(client->width, 9150);
  EXPECT_TRUE(client->wrap);
}

TEST(ReportPageTest, HeaderBlockOnlyWithTheLogo) {
  const CalculationRecord record = workedExampleRecord();
  const ReportPage withLogo = buildReportPage(record, true);
  const ReportPage plain = buildReportPage(record, false);

  ASSERT_NE(withLogo.find(F::ProgramName, TextRole::Header), nullptr);
  EXPECT_EQ(withLogo.find(F::ProgramName, TextRole::Header)->text, "Kamerol");
  ASSERT_NE(withLogo.find(F::ProgramVersion, TextRole::Header), nullptr);
  EXPECT_EQ(withLogo.find(F::ProgramVersion, TextRole::Header)->text, std::string("Версия ") + kVersion);

  auto headerRules = [](const ReportPage& page) {
    std::vector<std::pair<int, int>> rules;  // (y, x1)
    for (const ReportLine& l : page.lines)
      if (l.role == RuleRole::Header) rules.emplace_back(l.y1, l.x1);
    return rules;
  };
  EXPECT_EQ(headerRules(withLogo), (std::vector<std::pair<int, int>>{{825, 1125}, {2550, 1050}}));
  EXPECT_TRUE(headerRules(plain).empty());
  for (const ReportText& t : plain.texts) EXPECT_NE(t.role, TextRole::Header);

  // Apart from the block, the two pages are the same.
  EXPECT_EQ(withLogo.texts.size(), plain.texts.size() + 2);
  EXPECT_EQ(withLogo.lines.size(), plain.lines.size() + 2);
  EXPECT_EQ(withLogo.rects.size(), plain.rects.size());
}

TEST(ReportPageTest, FreezingModeKeepsTheStorageCaptions) {
  CalculationInputs in = workedExampleRecord().inputs;
  in.processMode = ProcessMode::Freezing;
  const ReportPage page = buildReportPage(recordOf(in), false);
  EXPECT_EQ(page.find(F::EquipHours, TextRole::Caption)->text, "Время р-ты оборудоания, Ч ");
  EXPECT_EQ(page.find(F::DailyMass, TextRole::Caption)->text, "Суточный оборот, кг");
}

TEST(ReportPageTest, GoldenPositionsAndFonts) {
  const ReportPage page = buildReportPage(workedExampleRecord(), true);
  EXPECT_EQ(page.width, 11625);
  EXPECT_EQ(page.height, 16725);
  EXPECT_EQ(page.fontFamily, "Arial");

  struct Golden {
    ReportField field;
    TextRole role;
    int left, top, width;
    float size;
    bool bold;
  };
  const std::vector<Golden> golden = {
      {F::Title, TextRole::Caption, 4500, 600, 5265, 12.0f, true},
      {F::RoomTemp, TextRole::Value, 8100, 1320, 0, 12.0f, false},
      {F::FloorMaterial, TextRole::Value, 2175, 4950, 0, 9.75f, false},
      {F::ShownFans, TextRole::Value, 10050, 12975, 0, 11.25f, true},
      {F::Total, TextRole::Caption, 6000, 13380, 0, 12.0f, true},
      {F::Total, TextRole::Value, 10050, 13380, 0, 12.0f, true},
      {F::RequiredCapacity, TextRole::Value, 10050, 14550, 0, 14.25f, true},
      {F::ClientInfo, TextRole::Value, 1950, 15330, 9150, 11.25f, true},
  };
  for (const Golden& g : golden) {
    const ReportText* t = page.find(g.field, g.role);
    ASSERT_NE(t, nullptr) << "field " << static_cast<int>(g.field);
    SCOPED_TRACE("field " + std::to_string(static_cast<int>(g.field)));
    EXPECT_EQ((std::vector<int>{t->left, t->top, t->width}), (std::vector<int>{g.left, g.top, g.width}));
    EXPECT_EQ(t->pointSize, g.size);
    EXPECT_EQ(t->bold, g.bold);
  }
  EXPECT_EQ(page.find(F::Title, TextRole::Caption)->text,
            "Результаты расчета теплового баланса                    холодильной камеры");
  EXPECT_EQ(page.find(F::ShownRespiration, TextRole::Caption)->text, "Теплоприток от \"дыхания\" продукта Qдых, кВт");

  ASSERT_FALSE(page.rects.empty());
  const ReportRect& frame = page.rects.front();
  EXPECT_EQ(frame.role, RuleRole::PageFrame);
  EXPECT_EQ((std::vector<int>{frame.left, frame.top, frame.right, frame.bottom}),
            (std::vector<int>{840, 300, 11220, 15825}));
}

// The report's captions of the results, word for word; the symbol each gain's
// caption gives is the one the trace and the chart use.
TEST(ReportPageTest, ResultCaptionsAndTheirSymbols) {
  struct Case {
    ReportField field;
    const char* caption;
    const char* symbol;  // none for the sum and the capacity
  };
  const Case cases[] = {
      {F::ShownWalls, "Суммарный теплоприток через стены Qстен, кВт", "Qстен"},
      {F::ShownVentilation, "Теплоприток от обменной вентиляции Qвен, кВт", "Qвен"},
      {F::ShownDoor, "Теплоприток через дверь Qинф, кВт", "Qинф"},
      {F::ShownProduct, "Теплоприток от продукта Qпрод, кВт", "Qпрод"},
      {F::ShownRespiration, "Теплоприток от \"дыхания\" продукта Qдых, кВт", "Qдых"},
      {F::ShownLighting, "Теплоприток от освещения Qосв, кВт", "Qосв"},
      {F::ShownStaff, "Теплоприток от персонала Qперс, кВт", "Qперс"},
      {F::ShownVehicles, "Теплоприток от ПТС Qптс, кВт", "Qптс"},
      {F::ShownFans, "Теплоприток от вентиляторов ВО Qво, кВт", "Qво"},
      {F::Total, "Суммарный теплоприток, кВт", nullptr},
      {F::RequiredCapacity, "Потребная холодопроизводительность, кВт", nullptr},
  };
  const CalculationRecord record = workedExampleRecord();
  const ReportPage page = buildReportPage(record, false);
  const CalculationTrace trace = buildTrace(record.inputs, computeHeatLoad(record.inputs));
  const GainChart chart = buildGainChart(record);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(page.find(c.field, TextRole::Caption)->text, c.caption);
    if (!c.symbol) continue;
    EXPECT_EQ(trace.gains[i].symbol, c.symbol);
    EXPECT_TRUE(trace.gains[i].formula.front().starts_with(std::string(c.symbol) + " = ")) << c.symbol;
    EXPECT_NE(trace.sum.formula.front().find(c.symbol), std::string::npos) << c.symbol;
    EXPECT_EQ(chart.bars[i].symbol, c.symbol);
  }
  EXPECT_EQ(chart.totalCaption, cases[9].caption);
  EXPECT_EQ(chart.capacityCaption, cases[10].caption);
}

// Each text has its own (field, role), and everything starts inside the frame.
TEST(ReportPageTest, TextsAreUniqueAndInsideTheFrame) {
  const ReportPage page = buildReportPage(workedExampleRecord(), true);
  std::set<std::pair<ReportField, TextRole>> seen;
  for (const ReportText& t : page.texts) {
    EXPECT_TRUE(seen.emplace(t.field, t.role).second) << "duplicate field " << static_cast<int>(t.field);
    EXPECT_GT(t.left, 840);
    EXPECT_GT(t.top, 300);
    EXPECT_LT(t.left + t.width, 11220);
    EXPECT_LT(t.top, 15825);
  }
  // The filled values, plus the fixed ambient temperature and humidity.
  int values = 0;
  for (const ReportText& t : page.texts) values += t.role == TextRole::Value;
  EXPECT_EQ(values, 47 + 2);
}

}  // namespace
}  // namespace kamerol
