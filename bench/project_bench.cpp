// A project of 200 rooms: opening it (reading the file and computing every
// room, the totals and the warnings), one keystroke in one room with its row
// and the totals brought up to date, and its export as XLSX and as CSV.
// Aims: opening under 0.5 s, a keystroke within a frame (16 ms), each export
// under 1 s.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "document/calculation_file.h"
#include "project/project_export.h"
#include "project/project_file.h"

namespace kamerol {
namespace {

constexpr int kRooms = 200;

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

// Rooms of different sizes and temperatures on four systems, a few of none.
Project bigProject(const RoomCalculator& calculator) {
  Project project;
  project.details.title = "Холодильный склад";
  for (const auto& [name, t0] : {std::pair{"Средняя", -10.0}, {"Низкая", -30.0}, {"Шоковая", -40.0}, {"Плюс", -5.0}})
    project.addSystem({name, t0, 0.9});
  NoMessages messages;
  for (int i = 0; i < kRooms; ++i) {
    CalculationForm form(calculator.preparedForm(), messages);
    form.setText(Control::roomLengthField, std::to_string(400 + 10 * i));
    form.setText(Control::roomWidthField, std::to_string(300 + 5 * (i % 7)));
    form.setText(Control::roomHeightField, "300");
    for (int d = 0; d < i % 25; ++d) form.spin(Control::roomTempSpinner, -1);
    if (i % 5 == 0) form.click(Control::freezingOption);
    form.setText(Control::dailyMassField, std::to_string(100 * (i % 11)));
    project.addRoom({"Камера №" + std::to_string(i + 1), i % 10 == 9 ? std::nullopt : std::optional<std::size_t>(i % 4),
                     roomTextsOf(form)});
  }
  return project;
}

struct Fixture {
  Fixture() : calculator(NumberLocale::point()), bytes(projectFileBytes(bigProject(calculator))) {
    opened = std::move(*readProjectBytes(bytes, calculator).opened);
    for (const RoomCalculation& room : opened.rooms) records.push_back(room.record);
  }
  RoomCalculator calculator;
  std::string bytes;
  OpenedProject opened;
  std::vector<CalculationRecord> records;
};

const Fixture& fixture() {
  static const Fixture f;
  return f;
}

void BM_OpenProject(benchmark::State& state) {
  const Fixture& f = fixture();
  for (auto _ : state) {
    ProjectReadResult read = readProjectBytes(f.bytes, f.calculator);
    std::vector<CalculationRecord> records;
    for (const RoomCalculation& room : read.opened->rooms) records.push_back(room.record);
    benchmark::DoNotOptimize(projectTotals(read.opened->project, records));
    benchmark::DoNotOptimize(projectWarnings(read.opened->project, records));
  }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

// The room's form takes a keystroke; its texts, its record, the totals and
// the warnings follow, as the project window's row and totals would.
void BM_KeystrokeInOneRoom(benchmark::State& state) {
  const Fixture& f = fixture();
  Project project = f.opened.project;
  std::vector<CalculationRecord> records = f.records;
  NoMessages messages;
  CalculationForm form(f.calculator.preparedForm(), messages);
  readRoom(form, project.room(100).texts, messages);
  const char* texts[] = {"5000", "500"};
  int i = 0;
  for (auto _ : state) {
    form.setText(Control::roomLengthField, texts[i ^= 1]);
    project.setRoomTexts(100, roomTextsOf(form));
    records[100] = form.record();
    benchmark::DoNotOptimize(projectTotals(project, records));
    benchmark::DoNotOptimize(projectWarnings(project, records));
  }
}
BENCHMARK(BM_KeystrokeInOneRoom)->Unit(benchmark::kMicrosecond);

std::filesystem::path scratch(const char* extension) {
  return std::filesystem::temp_directory_path() / ("kamerol-project-bench-" + std::to_string(::getpid()) + extension);
}

void BM_ExportCsv(benchmark::State& state) {
  const Fixture& f = fixture();
  const auto path = scratch(".csv");
  for (auto _ : state) {
    const auto sheets = projectSheets(f.opened.project, f.records, f.calculator.locale());
    benchmark::DoNotOptimize(writeWholeFile(path, projectCsv(sheets, csvConventionsFor(NumberLocale::comma()))));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportXlsx(benchmark::State& state) {
  if (!canWriteXlsx()) {
    state.SkipWithError("this build has no XLSX export");
    return;
  }
  const Fixture& f = fixture();
  const auto path = scratch(".xlsx");
  for (auto _ : state) {
    const auto sheets = projectSheets(f.opened.project, f.records, f.calculator.locale());
    benchmark::DoNotOptimize(writeProjectXlsx(sheets, path));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kamerol

BENCHMARK_MAIN();
