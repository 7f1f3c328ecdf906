#include "project/project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

#include "core/record_fields.h"
#include "document/startup.h"
#include "platform/file_access.h"
#include "project/project_export.h"
#include "project/project_file.h"
#include "tests/form/form_test_support.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::StartedForm;

std::vector<std::filesystem::path> examples() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(KAMEROL_EXAMPLES_DIR))
    if (entry.path().extension() == ".tpl") files.push_back(entry.path());
  std::ranges::sort(files);
  return files;
}

// Rooms made on a form as a user would make them, beside the examples.
const std::vector<std::pair<std::string, std::function<void(StartedForm&)>>> kGeneratedRooms = {
    {"freezer",
     [](StartedForm& f) {
       f.enter(roomLengthField, "1200");
       f.enter(roomWidthField, "800");
       f.enter(roomHeightField, "450");
       for (int i = 0; i < 30; ++i) f.form.spin(roomTempSpinner, -1);
       f.form.click(freezingOption);
       f.enter(dailyMassField, "2500");
       f.enter(clientInfoField, "ООО «Холод»; цех №2");
     }},
    {"comma-decimals",
     [](StartedForm& f) {
       f.enter(roomLengthField, "350,5");
       f.enter(roomWidthField, "300");
       f.enter(roomHeightField, "280");
       f.enter(equipHoursField, "16,5");
       f.form.click(includeDoorCheck);
       f.enter(staffCountField, "2");
     }},
};

void expectSameResults(const CalculationResults& a, const CalculationResults& b, const std::string& room) {
  for (const auto& f : floatResultFields())
    EXPECT_EQ(std::memcmp(&(a.*(f.member)), &(b.*(f.member)), sizeof(float)), 0) << room << ": " << f.name;
  for (const auto& f : integerResultFields()) EXPECT_EQ(a.*(f.member), b.*(f.member)) << room << ": " << f.name;
}

// Each room computes exactly what its calculation computes on its own form,
// and writes back the same .tpl byte for byte.
TEST(ProjectRoom, ComputesWhatItsCalculationComputes) {
  const RoomCalculator calculator(NumberLocale::point());
  std::vector<std::pair<std::string, std::unique_ptr<StartedForm>>> forms;
  for (const auto& file : examples()) {
    auto f = std::make_unique<StartedForm>();
    ASSERT_EQ(readCalculationFile(f->form, file, ReadMode::Dialog, f->messages), ReadStatus::Ok) << file;
    forms.emplace_back(file.filename().string(), std::move(f));
  }
  for (const auto& [name, edit] : kGeneratedRooms) {
    auto f = std::make_unique<StartedForm>();
    edit(*f);
    forms.emplace_back(name, std::move(f));
  }
  ASSERT_GE(forms.size(), 6u);
  for (const auto& [name, f] : forms) {
    const RoomTexts texts = roomTextsOf(f->form);
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(kStoredLines)) << name;
    EXPECT_EQ(roomFileBytes(texts), calculationFileBytes(f->form)) << name;
    const RoomCalculation room = calculator.calculate(texts);
    ASSERT_EQ(room.status, ReadStatus::Ok) << name;
    expectSameResults(room.record.results, f->form.results(), name);
    EXPECT_EQ(room.record.inputs.clientInfo, f->form.inputs().clientInfo) << name;
  }
}

TEST(ProjectRoom, TextsThatCannotBeLinesOfATplAreAFormatError) {
  const RoomCalculator calculator(NumberLocale::point());
  RoomTexts withLineEnd = calculator.defaultTexts();
  withLineEnd[0] = "500\r\n400";
  RoomTexts tooMany = calculator.defaultTexts();
  tooMany.push_back("extra");
  RoomTexts badOption = calculator.defaultTexts();
  badOption[6] = "Maybe";  // the storage option's line
  for (const RoomTexts& texts : {withLineEnd, tooMany, badOption, RoomTexts{}}) {
    const RoomCalculation room = calculator.calculate(texts);
    EXPECT_EQ(room.status, ReadStatus::FormatError);
    ASSERT_EQ(room.messages.size(), 1u);
    EXPECT_EQ(room.messages[0], formatErrorMessage());
  }
}

// --- The model's edits ------------------------------------------------------------

TEST(ProjectModel, SystemIndexesStayValidThroughEdits) {
  Project p;
  p.addSystem({"A", -10, 1});
  p.addSystem({"B", -30, 0.2});  // clamped
  p.addSystem({"C", -5, 1});
  EXPECT_EQ(p.system(1).factor, kMinSimultaneityFactor);
  p.addRoom({"r0", 0, {}});
  p.addRoom({"r1", 1, {}});
  p.addRoom({"r2", 2, {}});
  p.addRoom({"r3", 7, {}});  // no such system
  EXPECT_EQ(p.room(3).system, std::nullopt);
  p.removeSystem(1);
  EXPECT_EQ(p.room(0).system, 0u);
  EXPECT_EQ(p.room(1).system, std::nullopt);
  EXPECT_EQ(p.room(2).system, 1u);
  EXPECT_EQ(p.system(1).name, "C");
  p.moveRoom(0, 2);
  EXPECT_EQ(p.room(2).name, "r0");
  EXPECT_EQ(p.room(0).name, "r1");
  p.moveRoom(3, 0);
  EXPECT_EQ(p.room(0).name, "r3");
  EXPECT_EQ(p.roomsOf(std::nullopt), (std::vector<std::size_t>{0, 1}));
  p.setSystemFactor(0, 7);
  EXPECT_EQ(p.system(0).factor, kMaxSimultaneityFactor);
  p.setSystemFactor(0, std::nan(""));
  EXPECT_EQ(p.system(0).factor, kMaxSimultaneityFactor);
}

// --- Totals and warnings -----------------------------------------------------------------

struct RoomLoad {
  std::string name;
  std::optional<std::size_t> system;
  float roomTemp;
  float walls;  // one shown gain, standing for all nine
  float qTotal;
  float requiredCapacity;
};

Project projectOf(const std::vector<RefrigerationSystem>& systems, const std::vector<RoomLoad>& rooms,
                  std::vector<CalculationRecord>& records) {
  Project p;
  for (const auto& s : systems) p.addSystem(s);
  records.clear();
  for (const RoomLoad& r : rooms) {
    p.addRoom({r.name, r.system, {}});
    CalculationRecord record;
    record.inputs.roomTemp = r.roomTemp;
    record.results.shownWalls = r.walls;
    record.results.qTotal = r.qTotal;
    record.results.requiredCapacity = r.requiredCapacity;
    records.push_back(record);
  }
  return p;
}

struct TotalsCase {
  std::string name;
  std::vector<RefrigerationSystem> systems;
  std::vector<RoomLoad> rooms;
  std::vector<double> systemCapacities;
  double unassigned;
  double total;
};

TEST(ProjectTotals, SystemsApplyTheirFactorsAndRoomsOfNoSystemCountWhole) {
  const std::vector<TotalsCase> cases = {
      {"empty", {}, {}, {}, 0, 0},
      {"one system at 1", {{"A", -10, 1}}, {{"a", 0, 2, 1, 2, 3}, {"b", 0, 2, 1, 4, 5}}, {8}, 0, 8},
      {"factor 0.8",
       {{"A", -10, 0.8}, {"B", -30, 0.5}},
       {{"a", 0, 2, 1, 2, 10}, {"b", 1, -18, 1, 4, 6}, {"c", 1, -20, 1, 4, 2}},
       {8, 4},
       0,
       12},
      {"no system", {{"A", -10, 0.5}}, {{"a", std::nullopt, 2, 1, 2, 10}, {"b", 0, 2, 1, 4, 6}}, {3}, 10, 13},
  };
  for (const TotalsCase& c : cases) {
    std::vector<CalculationRecord> records;
    const Project p = projectOf(c.systems, c.rooms, records);
    const ProjectTotals t = projectTotals(p, records);
    ASSERT_EQ(t.systems.size(), c.systemCapacities.size()) << c.name;
    for (std::size_t s = 0; s < t.systems.size(); ++s)
      EXPECT_DOUBLE_EQ(t.systems[s].requiredCapacity, c.systemCapacities[s]) << c.name << " system " << s;
    EXPECT_DOUBLE_EQ(t.unassigned.requiredCapacity, c.unassigned) << c.name;
    EXPECT_DOUBLE_EQ(t.requiredCapacity, c.total) << c.name;
    EXPECT_EQ(t.all.rooms, c.rooms.size()) << c.name;
    EXPECT_DOUBLE_EQ(t.all.gains[0], static_cast<double>(c.rooms.size())) << c.name;
  }
}

struct WarningCase {
  std::string name;
  std::vector<RefrigerationSystem> systems;
  std::vector<RoomLoad> rooms;
  std::vector<std::pair<ProjectWarningKind, std::string>> expected;  // kind, a name the text must hold
};

TEST(ProjectWarnings, NameTheirRoomOrSystem) {
  const std::vector<WarningCase> cases = {
      {"a -18 room on a -10 system",
       {{"Средняя", -10, 1}},
       {{"Камера 1", 0, -18, 0, 0, 0}},
       {{ProjectWarningKind::RoomTooColdForSystem, "«Камера 1» (-18 °C)"}}},
      {"exactly 5 K is enough", {{"Низкая", -23, 1}}, {{"Камера 1", 0, -18, 0, 0, 0}}, {}},
      {"4.9 K is not",
       {{"Низкая", -22.9, 1}},
       {{"Камера 1", 0, -18, 0, 0, 0}},
       {{ProjectWarningKind::RoomTooColdForSystem, "«Низкая» (-22.9 °C)"}}},
      {"a room of no system is not checked", {}, {{"Камера 1", std::nullopt, -18, 0, 0, 0}}, {}},
      {"a system without rooms",
       {{"A", -10, 1}, {"Пустая", -30, 1}},
       {{"r", 0, 2, 0, 0, 0}},
       {{ProjectWarningKind::SystemWithoutRooms, "«Пустая»"}}},
      {"two rooms of one name",
       {},
       {{"Камера", std::nullopt, 2, 0, 0, 0},
        {"Другая", std::nullopt, 2, 0, 0, 0},
        {"Камера", std::nullopt, 2, 0, 0, 0}},
       {{ProjectWarningKind::DuplicateRoomName, "«Камера»: №1, №3"}}},
  };
  for (const WarningCase& c : cases) {
    std::vector<CalculationRecord> records;
    const Project p = projectOf(c.systems, c.rooms, records);
    const std::vector<ProjectWarning> warnings = projectWarnings(p, records);
    ASSERT_EQ(warnings.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < warnings.size(); ++i) {
      EXPECT_EQ(warnings[i].kind, c.expected[i].first) << c.name;
      EXPECT_NE(warnings[i].text.find(c.expected[i].second), std::string::npos) << c.name << ": " << warnings[i].text;
    }
  }
}

// --- The file ---------------------------------------------------------------------------

Project sampleProject(const RoomCalculator& calculator) {
  Project p;
  p.details = {"Склад «Север»", "ООО \"Лёд\"", "Иванов", "01.02.2026"};
  p.addSystem({"Среднетемпературная", -10, 0.9});
  p.addSystem({"Низкотемпературная", -30.5, 1});
  std::size_t i = 0;
  for (const auto& file : examples()) {
    StartedForm f;
    EXPECT_EQ(readCalculationFile(f.form, file, ReadMode::Dialog, f.messages), ReadStatus::Ok);
    p.addRoom({"Камера №" + std::to_string(++i) + " — " + file.stem().string(),
               i % 3 == 0 ? std::nullopt : std::optional<std::size_t>(i % 2), roomTextsOf(f.form)});
  }
  StartedForm f;
  kGeneratedRooms[0].second(f);
  p.addRoom({"Шоковая заморозка", 1, roomTextsOf(f.form)});
  p.addRoom({"Новая", std::nullopt, calculator.defaultTexts()});
  return p;
}

TEST(ProjectFile, RoundTripKeepsEveryRoomsTextsByteForByte) {
  const RoomCalculator calculator(NumberLocale::point());
  const Project p = sampleProject(calculator);
  const std::string bytes = projectFileBytes(p);
  const ProjectReadResult read = readProjectBytes(bytes, calculator);
  ASSERT_TRUE(read) << read.message.text;
  const Project& back = read.opened->project;
  EXPECT_EQ(back, p);
  for (std::size_t i = 0; i < p.rooms().size(); ++i)
    EXPECT_EQ(roomFileBytes(back.room(i).texts), roomFileBytes(p.room(i).texts)) << p.room(i).name;
  EXPECT_EQ(projectFileBytes(back), bytes);
  EXPECT_EQ(read.opened->rooms.size(), p.rooms().size());
}

TEST(ProjectFile, SavesThroughTheWholeFileWriter) {
  const RoomCalculator calculator(NumberLocale::point());
  const Project p = sampleProject(calculator);
  const auto path = std::filesystem::temp_directory_path() / "kamerol-project-test-объект.kamerol";
  ASSERT_TRUE(writeProjectFile(p, path));
  const ProjectReadResult read = readProjectFile(path, calculator);
  std::filesystem::remove(path);
  ASSERT_TRUE(read) << read.message.text;
  EXPECT_EQ(read.opened->project, p);
  EXPECT_EQ(readProjectFile(path, calculator).error, ProjectReadError::CannotOpen);
}

struct BadFileCase {
  std::string name;
  std::function<std::string(std::string)> spoil;  // from a good file's text
  ProjectReadError error;
  std::string mentions;  // a part of the message
  std::optional<std::size_t> room;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ProjectFile, ABrokenNewerOrBadRoomFileGivesNothingAndSaysWhy) {
  const std::vector<BadFileCase> cases = {
      {"not JSON", [](std::string s) { return s.substr(0, s.size() / 2); }, ProjectReadError::NotAProject,
       "не файл объекта", std::nullopt},
      {"a .tpl", [](std::string) { return std::string("500\r\n400\r\n"); }, ProjectReadError::NotAProject,
       "не файл объекта", std::nullopt},
      {"other format", [](std::string s) { return replaced(s, "kamerol-project", "kamerol-other"); },
       ProjectReadError::NotAProject, "не файл объекта", std::nullopt},
      {"newer version", [](std::string s) { return replaced(s, "\"version\": 1", "\"version\": 2"); },
       ProjectReadError::NewerVersion, "версия формата 2", std::nullopt},
      {"no version", [](std::string s) { return replaced(s, "\"version\": 1", "\"versio\": 1"); },
       ProjectReadError::Broken, "version", std::nullopt},
      {"factor out of range", [](std::string s) { return replaced(s, "\"factor\": 0.9", "\"factor\": 1.5"); },
       ProjectReadError::Broken, "«Среднетемпературная»: коэффициент одновременности 1.5", std::nullopt},
      {"system out of range", [](std::string s) { return replaced(s, "\"system\": 1", "\"system\": 5"); },
       ProjectReadError::Broken, "помещение «Камера №1", 0},
      {"texts not a list", [](std::string s) { return replaced(s, "\"texts\": [", "\"texts\": 5, \"x\": ["); },
       ProjectReadError::Broken, "помещение «Камера №1", 0},
      {"a room's line 5 not a number",
       [](std::string s) {
         const std::size_t room = s.find("Шоковая заморозка");
         const std::size_t texts = s.find("\"texts\": [", room);
         std::size_t at = texts;
         for (int line = 0; line < 5; ++line) at = s.find('"', s.find('"', at + 1) + 1);
         // The fifth text, equipHours, read as a locale number.
         const std::size_t end = s.find('"', at + 1);
         return s.replace(at + 1, end - at - 1, "abc");
       },
       ProjectReadError::BadRoom, "Помещение «Шоковая заморозка»: Другой формат файла", std::nullopt},
      {"a room's text with a line end",
       [](std::string s) { return replaced(s, "\"Железобетон\"", "\"Желе\\r\\nзо\""); }, ProjectReadError::BadRoom,
       "Помещение «Камера №1", 0},
  };
  const RoomCalculator calculator(NumberLocale::point());
  const Project p = sampleProject(calculator);
  const std::string good = projectFileBytes(p);
  for (const BadFileCase& c : cases) {
    const ProjectReadResult read = readProjectBytes(c.spoil(good), calculator);
    EXPECT_EQ(read.error, c.error) << c.name;
    EXPECT_FALSE(read.opened) << c.name;
    EXPECT_NE(read.message.text.find(c.mentions), std::string::npos) << c.name << ": " << read.message.text;
    EXPECT_EQ(read.message.title, formatErrorMessage().title) << c.name;
    if (c.room) {
      EXPECT_EQ(read.room, c.room) << c.name;
    }
  }
}

// --- Export ---------------------------------------------------------------------------------

TEST(ProjectExport, CsvFollowsTheLocalesConventions) {
  struct Case {
    NumberLocale locale;
    char separator;
    std::string capacity;  // the worked example's required capacity as written (the record's, unrounded)
  };
  const RoomCalculator calculator(NumberLocale::point());
  Project p;
  p.addSystem({"Система; №1", -10, 0.5});
  p.addRoom({"Камера \"А\"", 0, roomTextsOf(calculator.preparedForm())});
  StartedForm f;
  ASSERT_EQ(readCalculationFile(f.form, std::filesystem::path(KAMEROL_EXAMPLES_DIR) / "worked-example.tpl",
                                ReadMode::Dialog, f.messages),
            ReadStatus::Ok);
  p.setRoomTexts(0, roomTextsOf(f.form));
  const std::vector<CalculationRecord> records{calculator.calculate(p.room(0).texts).record};
  const auto sheets = projectSheets(p, records, calculator.locale());
  ASSERT_EQ(sheets.size(), 3u);
  for (const auto& sheet : sheets)
    for (const auto& row : sheet.rows) EXPECT_EQ(row.size(), sheet.header.size()) << sheet.name;

  for (const Case& c : {Case{NumberLocale::point(), ',', "1.638"}, Case{NumberLocale::comma(), ';', "1,638"}}) {
    const CsvConventions conventions = csvConventionsFor(c.locale);
    EXPECT_EQ(conventions.fieldSeparator, c.separator);
    const std::string csv = projectCsv(sheets, conventions);
    const std::string s(1, c.separator);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFПомещения\r\nПомещение" + s + "Система" + s, 0), 0u);
    // The room's row: its name quoted, then its system (quoted where it holds the separator).
    const std::string system = c.separator == ';' ? "\"Система; №1\"" : "Система; №1";
    EXPECT_NE(csv.find("\r\n\"Камера \"\"А\"\"\"" + s + system + s + "500" + s), std::string::npos) << csv;
    EXPECT_NE(csv.find(s + c.capacity + s), std::string::npos);
    // The system's required capacity: half of the room's.
    EXPECT_NE(csv.find(s + (c.separator == ';' ? "0,819" : "0.819") + "\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace kamerol
