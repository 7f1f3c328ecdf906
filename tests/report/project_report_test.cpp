#include "report/project_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/gains.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

CalculationRecord recordOf(CalculationInputs in) { return {in, computeHeatLoad(in).results, false}; }

// Three rooms, two on a system with a factor below 1, one of no system, and
// a second system without rooms (a warning).
struct Sample {
  Project project;
  std::vector<CalculationRecord> records;
};

Sample sample(std::size_t rooms = 3) {
  Sample s;
  s.project.details = {"Склад №1", "ООО «Холод»", "Иванов", "09.12.2026"};
  const std::size_t system = s.project.addSystem({"Агрегат −10", -10, 0.8});
  s.project.addSystem({"Резерв", -30, 1.0});
  for (std::size_t i = 0; i < rooms; ++i) {
    CalculationInputs in = workedExampleRecord().inputs;
    in.roomLength = 5 + static_cast<float>(i);
    if (i % 3 == 1) {
      in.roomLength = -7.5f;  // shown as its magnitude
      in.processMode = ProcessMode::Freezing;
      in.roomTemp = -18;
      in.includeDoor = false;
    }
    s.records.push_back(recordOf(in));
    s.project.addRoom({"Камера " + std::to_string(i + 1), i % 3 == 2 ? std::nullopt : std::optional(system), {}});
  }
  return s;
}

std::string kw(double value) { return formatNumber(r2(value)); }

TEST(ProjectSummary, RoomRowsShowEachRoomAsItsPanelDoes) {
  const Sample s = sample();
  const ProjectSummary summary = buildProjectSummary(s.project, s.records);
  ASSERT_EQ(summary.rooms.rows.size(), 4u);  // three rooms and the total
  for (std::size_t i = 0; i < 3; ++i) {
    const std::vector<std::string>& row = summary.rooms.rows[i];
    const CalculationInputs& in = s.records[i].inputs;
    const CalculationResults& r = s.records[i].results;
    ASSERT_EQ(row.size(), summary.rooms.header.size());
    std::vector<std::string> expected{s.project.room(i).name, formatNumber(std::fabs(in.roomLength)) + "×4×3",
                                      i == 1 ? "-18" : "0", i == 1 ? "Заморозка" : "Хранение"};
    for (const GainRow& g : kGains) expected.push_back(formatNumber(r.*(g.shown)));
    expected.push_back(formatNumber(r2(r.qTotal)));
    expected.push_back(formatNumber(r2(r.requiredCapacity)));
    expected.push_back(i == 2 ? "—" : "Агрегат −10");
    EXPECT_EQ(row, expected) << i;
  }
  // The columns are the gain table's captions, in its order.
  for (std::size_t g = 0; g < kGains.size(); ++g) EXPECT_EQ(summary.rooms.header[4 + g], kGains[g].caption);
  EXPECT_EQ(summary.rooms.header[13], kTotal.caption);
  EXPECT_EQ(summary.rooms.header[14], kRequiredCapacity.caption);
  EXPECT_EQ(summary.rooms.rows[1][8], "0");  // the door left out shows 0, as on the panel
}

TEST(ProjectSummary, TotalsAreTheProjectsTotals) {
  const Sample s = sample();
  const ProjectSummary summary = buildProjectSummary(s.project, s.records);
  const auto rc = [&](std::size_t i) { return static_cast<double>(s.records[i].results.requiredCapacity); };
  // The factor applies to the system's rooms only; the room of no system counts whole.
  EXPECT_EQ(summary.requiredCapacity, kw(0.8 * (rc(0) + rc(1)) + rc(2)));

  const std::vector<std::string>& all = summary.rooms.rows.back();
  EXPECT_EQ(all[0], "Итого");
  for (std::size_t g = 0; g < kGains.size(); ++g) {
    double sum = 0;
    for (const CalculationRecord& r : s.records) sum += r.results.*(kGains[g].shown);
    EXPECT_EQ(all[4 + g], kw(sum)) << kGains[g].caption;
  }
  EXPECT_EQ(all[14], kw(rc(0) + rc(1) + rc(2)));

  // Systems: the two systems, then the rooms of no system.
  ASSERT_EQ(summary.systems.rows.size(), 3u);
  const std::vector<std::vector<std::string>> expected{
      {"Агрегат −10", "0.8", "-10", "2", kw(rc(0) + rc(1)), kw(0.8 * (rc(0) + rc(1)))},
      {"Резерв", "1", "-30", "0", "0", "0"},
      {"Без системы", "", "", "1", kw(rc(2)), kw(rc(2))},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::vector<std::string>& row = summary.systems.rows[i];
    ASSERT_EQ(row.size(), summary.systems.header.size());
    EXPECT_EQ((std::vector<std::string>{row[0], row[1], row[2], row[3], row[14], row[15]}), expected[i]) << i;
  }
  EXPECT_EQ(summary.warnings.size(), 2u);  // room 2 too cold for its system, "Резерв" without rooms
}

// Every text of every summary page, with its page.
std::vector<std::pair<std::size_t, const ReportText*>> textsOf(const std::vector<ReportPage>& pages, ReportField f) {
  std::vector<std::pair<std::size_t, const ReportText*>> out;
  for (std::size_t p = 0; p < pages.size(); ++p)
    for (const ReportText& t : pages[p].texts)
      if (t.field == f) out.emplace_back(p, &t);
  return out;
}

// Many rooms run onto further landscape pages, the heading repeated, every
// cell placed once in its row and column, inside the frame.
TEST(ProjectSummary, PagesPlaceEveryCell) {
  for (const std::size_t rooms : {std::size_t{3}, std::size_t{70}}) {
    const Sample s = sample(rooms);
    const ProjectSummary summary = buildProjectSummary(s.project, s.records);
    const std::vector<ReportPage> pages = layoutProjectSummary(summary);
    EXPECT_EQ(pages.size() > 1, rooms > 30) << rooms;
    std::vector<std::string> placed;
    std::size_t headings = 0;
    std::set<std::size_t> pagesWithRows;
    for (const auto& [p, t] : textsOf(pages, ReportField::ProjectRoomsTable)) {
      const ReportPage& page = pages[p];
      EXPECT_GT(page.width, page.height);
      EXPECT_GE(t->left, 540);
      EXPECT_LE(t->left + t->width, page.width - 540) << t->text;
      EXPECT_LE(t->top + 300, page.height - 300) << t->text;
      if (t->role == TextRole::Caption) {
        headings += t->text == "Помещение";
      } else {
        placed.push_back(t->text);
        pagesWithRows.insert(p);
      }
    }
    EXPECT_EQ(headings, pagesWithRows.size()) << rooms;
    std::vector<std::string> expected;
    for (const auto& row : summary.rooms.rows) expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(placed, expected) << rooms;
    const auto total = textsOf(pages, ReportField::ProjectTotal);
    ASSERT_EQ(total.size(), 2u);
    EXPECT_EQ(total[1].second->text, summary.requiredCapacity);
  }
}

TEST(ProjectReport, SummaryThenEachRoomsPageWithWhatIsAsked) {
  const Sample s = sample();
  for (const bool extras : {false, true}) {
    const std::vector<ReportPage> pages = buildProjectReport(s.project, s.records, {true, extras, extras});
    ASSERT_EQ(pages.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
      const ReportPage& page = pages[1 + i];
      EXPECT_EQ(page.find(ReportField::RequiredCapacity)->text,
                formatNumber(r2(s.records[i].results.requiredCapacity)));
      const ReportText* name = page.find(ReportField::ProjectRoomName);
      ASSERT_NE(name, nullptr);
      EXPECT_NE(name->text.find(s.project.room(i).name), std::string::npos);
      EXPECT_EQ(page.chart.has_value(), extras);
      EXPECT_EQ(page.trace.has_value(), extras);
    }
  }
}

}  // namespace
}  // namespace kamerol
