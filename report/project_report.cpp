#include "report/project_report.h"

#include <cassert>
#include <cmath>
#include <string_view>
#include <utility>

#include "core/engine.h"
#include "core/gains.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/text.h"
#include "core/trace.h"
#include "report/gain_chart.h"

namespace kamerol {
namespace {

// The modes as the form's option buttons name them.
std::string_view modeCaption(ProcessMode mode) { return mode == ProcessMode::Freezing ? "Заморозка" : "Хранение"; }

constexpr std::string_view kNoSystem = "Без системы";
constexpr std::string_view kKilowatts = ", кВт";

std::string number(float value) { return formatNumber(value); }
// A sum of shown values, to the hundredth as the panel shows each of them.
std::string kilowatts(double value) { return formatNumber(r2(value)); }

std::vector<std::string> gainCells(const std::array<double, kGainCount>& gains) {
  std::vector<std::string> cells;
  for (const double g : gains) cells.push_back(kilowatts(g));
  return cells;
}

void append(std::vector<std::string>& row, std::vector<std::string> cells) {
  for (std::string& c : cells) row.push_back(std::move(c));
}

// The columns the rooms table and the systems table share: the nine gains,
// the sum and the required capacity, with the gain table's captions.
std::vector<std::string> loadHeader() {
  std::vector<std::string> header;
  for (const GainRow& row : kGains) header.emplace_back(row.caption);
  header.emplace_back(kTotal.caption);
  header.emplace_back(kRequiredCapacity.caption);
  return header;
}

std::vector<std::string> sumsRow(std::string name, std::vector<std::string> lead, const LoadSums& sums) {
  std::vector<std::string> row{std::move(name)};
  append(row, std::move(lead));
  append(row, gainCells(sums.gains));
  row.push_back(kilowatts(sums.qTotal));
  row.push_back(kilowatts(sums.requiredCapacity));
  return row;
}

}  // namespace

ProjectSummary buildProjectSummary(const Project& project, std::span<const CalculationRecord> records) {
  assert(records.size() == project.rooms().size());
  const ProjectTotals totals = projectTotals(project, records);
  ProjectSummary s;
  s.details = project.details;

  s.rooms.header = {"Помещение", "Д × Ш × В, м", "t, °C", "Режим"};
  append(s.rooms.header, loadHeader());
  s.rooms.header.emplace_back("Система");
  for (std::size_t i = 0; i < project.rooms().size(); ++i) {
    const ProjectRoom& room = project.room(i);
    const CalculationInputs& in = records[i].inputs;
    const CalculationResults& r = records[i].results;
    // A negative dimension counts as its magnitude, as in the engine.
    std::vector<std::string> row{room.name,
                                 number(std::fabs(in.roomLength)) + "×" + number(std::fabs(in.roomWidth)) + "×" +
                                     number(std::fabs(in.roomHeight)),
                                 number(in.roomTemp), std::string(modeCaption(in.processMode))};
    for (const GainRow& g : kGains) row.push_back(number(r.*(g.shown)));
    row.push_back(number(r2(r.qTotal)));
    row.push_back(number(r2(r.requiredCapacity)));
    row.push_back(room.system ? project.system(*room.system).name : "—");
    s.rooms.rows.push_back(std::move(row));
  }
  std::vector<std::string> all = sumsRow("Итого", {"", "", ""}, totals.all);
  all.emplace_back();
  s.rooms.rows.push_back(std::move(all));

  s.systems.header = {"Система", "К-т одновр.", "t0, °C", "Помещений"};
  append(s.systems.header, loadHeader());
  s.systems.header.push_back("Требуется системе" + std::string(kKilowatts));
  for (std::size_t i = 0; i < project.systems().size(); ++i) {
    const RefrigerationSystem& system = project.system(i);
    const SystemTotals& t = totals.systems[i];
    std::vector<std::string> row = sumsRow(system.name,
                                           {formatNumber(static_cast<float>(system.factor)),
                                            formatNumber(static_cast<float>(system.t0)), std::to_string(t.sums.rooms)},
                                           t.sums);
    row.push_back(kilowatts(t.requiredCapacity));
    s.systems.rows.push_back(std::move(row));
  }
  if (totals.unassigned.rooms > 0) {
    std::vector<std::string> row =
        sumsRow(std::string(kNoSystem), {"", "", std::to_string(totals.unassigned.rooms)}, totals.unassigned);
    row.push_back(kilowatts(totals.unassigned.requiredCapacity));
    s.systems.rows.push_back(std::move(row));
  }

  s.requiredCapacity = kilowatts(totals.requiredCapacity);
  for (const ProjectWarning& w : projectWarnings(project, records)) s.warnings.push_back(w.text);
  return s;
}

namespace {

// The summary's geometry, in twips.
constexpr int kFrameLeft = 540;
constexpr int kFrameTop = 300;
constexpr int kFrameRight = kSummaryPageWidth - 540;
constexpr int kFrameBottom = kSummaryPageHeight - 300;
constexpr int kLeft = kFrameLeft + 120;
constexpr int kRight = kFrameRight - 120;
constexpr int kBottom = kFrameBottom - 120;
constexpr int kPad = 30;         // between a cell's rule and its text
constexpr int kRowHeight = 270;  // one line of a cell
constexpr int kHeaderHeight = 720;

constexpr float kTitleSize = 14.25f;
constexpr float kDetailSize = 9.75f;
constexpr float kSectionSize = 11.25f;
constexpr float kCellSize = 8.0f;
constexpr float kSizeCellSize = 7.0f;  // the room's L×B×H, the longest figure of a row
constexpr float kHeadingSize = 7.0f;
constexpr float kTotalSize = 12.0f;

// The widths of the sixteen columns both tables share: the rooms' name, size,
// temperature and mode (the systems' name, t0, factor and room count), the
// nine gains, the sum, the required capacity, and the system.
constexpr std::array<int, 16> kColumnWidths = {1610, 1280, 600, 900, 850, 850, 850,  850,
                                               850,  850,  850, 850, 850, 880, 1160, 1325};
// The columns holding texts rather than numbers: left-aligned.
constexpr bool isTextColumn(ReportField table, std::size_t column) {
  return column == 0 || (table == ReportField::ProjectRoomsTable && (column == 3 || column == 15));
}

constexpr int tableWidth() {
  int w = 0;
  for (const int c : kColumnWidths) w += c;
  return w;
}
static_assert(tableWidth() <= kRight - kLeft, "the tables fit the landscape page");

class SummaryBuilder {
 public:
  explicit SummaryBuilder(const ProjectSummary& summary) : summary_(summary) {}

  std::vector<ReportPage> build() {
    newPage();
    titleBlock();
    table(ReportField::ProjectRoomsTable, "Помещения (теплопритоки и холодопроизводительность, кВт)", summary_.rooms,
          true);
    table(ReportField::ProjectSystemsTable, "Холодильные системы (теплопритоки и холодопроизводительность, кВт)",
          summary_.systems, false);
    grandTotal();
    warnings();
    return std::move(pages_);
  }

 private:
  ReportPage& page() { return pages_.back(); }

  void newPage() {
    ReportPage p;
    p.width = kSummaryPageWidth;
    p.height = kSummaryPageHeight;
    p.rects.push_back({RuleRole::PageFrame, kFrameLeft, kFrameTop, kFrameRight, kFrameBottom});
    pages_.push_back(std::move(p));
    y_ = kFrameTop + 240;
    if (pages_.size() > 1) {
      // A continued page names the project it belongs to.
      text(ReportField::ProjectTitle, TextRole::Value, summary_.details.title, kLeft, y_, kRight - kLeft, kDetailSize,
           true);
      y_ += 360;
    }
  }

  // Starts a new page where `height` more twips would not fit on this one.
  bool fit(int height) {
    if (y_ + height <= kBottom) return false;
    newPage();
    return true;
  }

  void text(ReportField field, TextRole role, std::string value, int left, int top, int width, float size, bool bold,
            bool alignRight = false) {
    ReportText t{field, role, std::move(value), left, top, width, 0, size, bold, width > 0 && !alignRight};
    if (t.wrap) t.height = static_cast<int>(std::lround(size * 20 * 1.25));  // one line: a longer text is elided
    t.alignRight = alignRight;
    page().texts.push_back(std::move(t));
  }

  void titleBlock() {
    text(ReportField::ProjectTitle, TextRole::Caption, "Объект:", kLeft, y_, 0, kTitleSize, true);
    text(ReportField::ProjectTitle, TextRole::Value, summary_.details.title, kLeft + 1300, y_, kRight - kLeft - 1300,
         kTitleSize, true);
    y_ += 480;
    const std::array<std::tuple<ReportField, const char*, const std::string*>, 3> details = {{
        {ReportField::ProjectClient, "Заказчик:", &summary_.details.client},
        {ReportField::ProjectAuthor, "Автор:", &summary_.details.author},
        {ReportField::ProjectDate, "Дата:", &summary_.details.date},
    }};
    // Client and author share the line's first two thirds, the date its end.
    constexpr std::array<int, 3> lefts = {kLeft, kLeft + 6300, kLeft + 12300};
    constexpr std::array<int, 3> widths = {5000, 4700, 2000};
    for (std::size_t i = 0; i < details.size(); ++i) {
      const auto& [field, caption, value] = details[i];
      text(field, TextRole::Caption, caption, lefts[i], y_, 0, kDetailSize, true);
      text(field, TextRole::Value, *value, lefts[i] + 1100, y_, widths[i], kDetailSize, false);
    }
    y_ += 360;
    page().lines.push_back({RuleRole::ProjectTable, kLeft, y_, kRight, y_});
    y_ += 120;
  }

  void section(const char* caption) {
    text(ReportField::ProjectSection, TextRole::Caption, caption, kLeft, y_, 0, kSectionSize, true);
    y_ += 360;
  }

  void header(ReportField field, const SummaryTable& t) {
    int x = kLeft;
    for (std::size_t c = 0; c < t.header.size(); ++c) {
      ReportText h{field,
                   TextRole::Caption,
                   t.header[c],
                   x + kPad,
                   y_ + kPad,
                   kColumnWidths[c] - 2 * kPad,
                   kHeaderHeight - 2 * kPad,
                   kHeadingSize,
                   false,
                   true};
      page().texts.push_back(std::move(h));
      x += kColumnWidths[c];
    }
    rules(y_, y_ + kHeaderHeight);
    y_ += kHeaderHeight;
  }

  // The cell rules of a row band from `top` to `bottom`.
  void rules(int top, int bottom) {
    int x = kLeft;
    page().lines.push_back({RuleRole::ProjectTable, kLeft, top, kLeft + tableWidth(), top});
    page().lines.push_back({RuleRole::ProjectTable, kLeft, bottom, kLeft + tableWidth(), bottom});
    for (const int w : kColumnWidths) {
      page().lines.push_back({RuleRole::ProjectTable, x, top, x, bottom});
      x += w;
    }
    page().lines.push_back({RuleRole::ProjectTable, x, top, x, bottom});
  }

  // `lastIsTotal`: the last row sums the others and stands out.
  void table(ReportField field, const char* caption, const SummaryTable& t, bool lastIsTotal) {
    if (t.rows.empty()) return;
    fit(360 + kHeaderHeight + kRowHeight);
    section(caption);
    header(field, t);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
      if (fit(kRowHeight)) header(field, t);
      const bool total = lastIsTotal && r + 1 == t.rows.size();
      int x = kLeft;
      for (std::size_t c = 0; c < t.rows[r].size(); ++c) {
        const int width = kColumnWidths[c] - 2 * kPad;
        const bool right = !isTextColumn(field, c);
        const float size = field == ReportField::ProjectRoomsTable && c == 1 ? kSizeCellSize : kCellSize;
        text(field, TextRole::Value, t.rows[r][c], x + kPad, y_ + 55, width, size, total || c == 0, right);
        x += kColumnWidths[c];
      }
      rules(y_, y_ + kRowHeight);
      y_ += kRowHeight;
    }
    y_ += 300;
  }

  void grandTotal() {
    fit(480);
    text(ReportField::ProjectTotal, TextRole::Caption, "Требуемая холодопроизводительность объекта, кВт:", kLeft, y_, 0,
         kTotalSize, true);
    text(ReportField::ProjectTotal, TextRole::Value, summary_.requiredCapacity, kLeft + 6900, y_, 0, kTotalSize, true);
    y_ += 540;
  }

  void warnings() {
    if (summary_.warnings.empty()) return;
    fit(360 + 300);
    section("Предупреждения");
    // Room and system names make a warning longer than a line now and then:
    // such a one gets a second line (about 140 characters fill the first).
    constexpr int kLine = 300;
    for (const std::string& w : summary_.warnings) {
      const int lines = characterCount(w) > 130 ? 2 : 1;
      fit(lines * kLine);
      text(ReportField::ProjectWarningText, TextRole::Value, "• " + w, kLeft, y_, kRight - kLeft, kDetailSize, false);
      page().texts.back().height = lines * kLine;
      y_ += lines * kLine;
    }
  }

  const ProjectSummary& summary_;
  std::vector<ReportPage> pages_;
  int y_ = 0;
};

}  // namespace

std::vector<ReportPage> layoutProjectSummary(const ProjectSummary& summary) { return SummaryBuilder(summary).build(); }

std::vector<ReportPage> buildProjectReport(const Project& project, std::span<const CalculationRecord> records,
                                           const ProjectReportOptions& options) {
  std::vector<ReportPage> pages = layoutProjectSummary(buildProjectSummary(project, records));
  for (std::size_t i = 0; i < records.size(); ++i) {
    const CalculationRecord& record = records[i];
    ReportPage page = buildReportPage(record, options.showLogo);
    // Below the frame: which room of the project the page is.
    page.texts.push_back({ReportField::ProjectRoomName, TextRole::Value,
                          "Объект: " + project.details.title + " — помещение " + std::to_string(i + 1) + " из " +
                              std::to_string(records.size()) + ": " + project.room(i).name,
                          990, 15930, 9300, 300, 9.0f, false, true});
    if (options.withChart) page.chart = buildGainChart(record);
    if (options.withTrace) page.trace = buildTrace(record.inputs, computeHeatLoad(record.inputs, record.results));
    pages.push_back(std::move(page));
  }
  return pages;
}

}  // namespace kamerol
