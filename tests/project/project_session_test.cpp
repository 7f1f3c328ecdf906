#include "project/project_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/utf8_path.h"
#include "project/project_file.h"

namespace kamerol {
namespace {

using enum Control;
namespace fs = std::filesystem;

// The dialogs answered from scripts; what was asked is kept.
class ScriptedUi : public ProjectUi {
 public:
  void showMessage(const Message& message) override { messages.push_back(message.text); }
  std::optional<fs::path> chooseFileToOpen(const FileDialogRequest&) override { return next(toOpen); }
  std::optional<fs::path> chooseFileToSave(const FileDialogRequest&) override { return next(toSave); }
  std::vector<fs::path> chooseFilesToOpen(const FileDialogRequest&) override { return roomFiles; }
  SaveAnswer askToSaveChanges() override {
    ++saveQuestions;
    return saveAnswer;
  }
  bool confirm(std::string_view question) override {
    questions.emplace_back(question);
    return yes;
  }
  std::optional<std::string> askName(std::string_view, std::string_view, std::string_view) override {
    return next(names);
  }
  fs::path calculationsFolder() const override { return fs::temp_directory_path(); }
  void openRoomGone() override { ++roomsGone; }

  template <typename T>
  static std::optional<T> next(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<fs::path> toOpen, toSave;
  std::deque<std::string> names;
  std::vector<fs::path> roomFiles;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  bool yes = true;
  int saveQuestions = 0;
  int roomsGone = 0;
  std::vector<std::string> messages, questions;
};

const RoomCalculator& calculator() {
  static const RoomCalculator shared(NumberLocale::point());
  return shared;
}

class SessionTest : public testing::Test {
 protected:
  SessionTest() : session(calculator(), ui) {}
  ~SessionTest() override { fs::remove_all(folder); }

  std::vector<std::string> names() const {
    std::vector<std::string> n;
    for (const ProjectRoom& r : session.project().rooms()) n.push_back(r.name);
    return n;
  }
  // The open room edited in a form as the calculation window edits it.
  void editOpenRoom(std::initializer_list<std::pair<Control, const char*>> edits) {
    CalculationForm form(calculator().preparedForm(), ui);
    ASSERT_EQ(readRoom(form, session.project().room(*session.openRoom()).texts, ui), ReadStatus::Ok);
    for (const auto& [c, text] : edits) form.setText(c, text);
    session.roomEdited(roomTextsOf(form), form.record());
  }

  ScriptedUi ui;
  ProjectSession session;
  fs::path folder = fs::temp_directory_path() /
                    ("kamerol-session-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(SessionTest, RoomsAreAddedDuplicatedMovedAndRemovedWithTheirRecords) {
  session.addRoom();
  session.setOpenRoom(0);
  editOpenRoom({{roomLengthField, "800"}});
  session.addRoom();
  EXPECT_EQ(names(), (std::vector<std::string>{"Помещение 1", "Помещение 2"}));
  EXPECT_EQ(session.project().room(1).texts, calculator().defaultTexts());

  EXPECT_EQ(session.duplicateRoom(0), 1u);
  EXPECT_EQ(names(), (std::vector<std::string>{"Помещение 1", "Помещение 1 (копия)", "Помещение 2"}));
  EXPECT_EQ(session.record(1).results.requiredCapacity, session.record(0).results.requiredCapacity);
  EXPECT_EQ(session.openRoom(), 0u);

  EXPECT_EQ(session.moveRoom(0, +1), 1u);  // the open room moves with its row
  EXPECT_EQ(session.openRoom(), 1u);
  EXPECT_EQ(session.moveRoom(2, +1), 2u);  // the last stays last

  ui.yes = false;
  EXPECT_FALSE(session.removeRoom(0));
  EXPECT_EQ(session.project().rooms().size(), 3u);
  ui.yes = true;
  EXPECT_TRUE(session.removeRoom(0));
  EXPECT_EQ(ui.questions.back(), "Удалить помещение «Помещение 1 (копия)» из объекта?");
  EXPECT_EQ(session.openRoom(), 0u);
  EXPECT_TRUE(session.removeRoom(0));
  EXPECT_EQ(ui.roomsGone, 1);
  EXPECT_EQ(session.openRoom(), std::nullopt);
  EXPECT_EQ(names(), (std::vector<std::string>{"Помещение 2"}));
  EXPECT_EQ(session.records().size(), 1u);
  EXPECT_EQ(session.totals().all.rooms, 1u);
  EXPECT_TRUE(session.modified());
}

// A keystroke in the open room: its record and the totals follow; the factor counts.
TEST_F(SessionTest, AnEditInTheOpenRoomUpdatesItsRecordAndTheTotals) {
  ui.names = {"Среднетемпературная"};
  session.addSystem();
  session.addRoom();
  session.addRoom();
  session.assignSystem(0, 0);
  session.assignSystem(1, 0);
  session.setSystemFactor(0, 0.8);
  session.setOpenRoom(1);
  const double before = session.totals().requiredCapacity;
  editOpenRoom({{roomLengthField, "1200"}, {roomWidthField, "400"}, {roomHeightField, "300"}});
  const double room1 = session.record(1).results.requiredCapacity;
  EXPECT_GT(room1, session.record(0).results.requiredCapacity);
  EXPECT_NE(session.totals().requiredCapacity, before);
  EXPECT_DOUBLE_EQ(session.totals().requiredCapacity,
                   0.8 * (double{session.record(0).results.requiredCapacity} + double{room1}));
  EXPECT_NE(session.project().room(1).texts, calculator().defaultTexts());
}

TEST_F(SessionTest, OnlyAChangedTextMarksTheProjectModified) {
  session.addRoom();
  fs::create_directories(folder);
  ui.toSave = {folder / "store"};
  ASSERT_TRUE(session.save());
  EXPECT_EQ(session.ownFile(), folder / "store.kamerol");
  EXPECT_FALSE(session.modified());
  session.setOpenRoom(0);
  session.roomEdited(session.project().room(0).texts, session.record(0));
  EXPECT_FALSE(session.modified());
  editOpenRoom({{roomLengthField, "700"}});
  EXPECT_TRUE(session.modified());
}

// The close question is asked once, only with unsaved changes; Yes saves.
TEST_F(SessionTest, TheCloseQuestion) {
  struct Case {
    bool modified;
    SaveAnswer answer;
    bool fileChosen;
    bool mayClose;
    int questions;
  };
  const Case cases[] = {
      {false, SaveAnswer::Cancel, false, true, 0}, {true, SaveAnswer::No, false, true, 1},
      {true, SaveAnswer::Cancel, false, false, 1}, {true, SaveAnswer::Yes, false, false, 1},
      {true, SaveAnswer::Yes, true, true, 1},
  };
  fs::create_directories(folder);
  for (const Case& c : cases) {
    ScriptedUi answers;
    ProjectSession s(calculator(), answers);
    if (c.modified) s.addRoom();
    answers.saveAnswer = c.answer;
    if (c.fileChosen) answers.toSave = {folder / "closing.kamerol"};
    EXPECT_EQ(s.mayClose(), c.mayClose) << c.questions << " " << c.fileChosen;
    EXPECT_EQ(answers.saveQuestions, c.questions);
    if (c.fileChosen) {
      EXPECT_FALSE(s.modified());
    }
  }
}

TEST_F(SessionTest, SavedProjectOpensAsItWasAndABrokenFileChangesNothing) {
  ui.names = {"Низкотемпературная"};
  session.addSystem();
  session.addRoom();
  session.assignSystem(0, 0);
  fs::create_directories(folder);
  ui.toSave = {folder / "store.kamerol"};
  ASSERT_TRUE(session.saveAs());
  const Project saved = session.project();

  ASSERT_TRUE(writeWholeFile(folder / "broken.kamerol", "{\"format\": \"kamerol-project\""));
  session.addRoom();
  session.setOpenRoom(1);
  ui.saveAnswer = SaveAnswer::No;
  ui.toOpen = {folder / "broken.kamerol"};
  EXPECT_FALSE(session.open());
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(session.project().rooms().size(), 2u);
  EXPECT_EQ(session.openRoom(), 1u);
  EXPECT_EQ(ui.roomsGone, 0);

  ui.toOpen = {folder / "store.kamerol"};
  ASSERT_TRUE(session.open());
  EXPECT_EQ(session.project(), saved);
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(ui.roomsGone, 1);
  EXPECT_EQ(session.records().size(), 1u);
  EXPECT_EQ(session.totals().systems.size(), 1u);
}

// Several files at once: each good one a room named after its file; a bad
// one is reported and the rest still come.
TEST_F(SessionTest, RoomsFromCalculationFiles) {
  fs::create_directories(folder);
  ASSERT_TRUE(writeWholeFile(folder / "not-a-calculation.tpl", "x\r\n"));
  ui.roomFiles = {fs::path(KAMEROL_EXAMPLES_DIR) / "potato-store.tpl", folder / "not-a-calculation.tpl",
                  folder / "missing.tpl", fs::path(KAMEROL_EXAMPLES_DIR) / "freezing-lamb.tpl"};
  EXPECT_EQ(session.addRoomsFromFiles(), 2u);
  EXPECT_EQ(names(), (std::vector<std::string>{"potato-store", "freezing-lamb"}));
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(session.record(1).results.requiredCapacity,
            calculator().calculate(session.project().room(1).texts).record.results.requiredCapacity);

  ui.toSave = {folder / "lamb"};
  ASSERT_TRUE(session.exportRoom(1));
  EXPECT_EQ(readRegularFile(folder / "lamb.tpl", 1 << 20),
            readRegularFile(fs::path(KAMEROL_EXAMPLES_DIR) / "freezing-lamb.tpl", 1 << 20));
}

TEST_F(SessionTest, SystemsAddedRenamedAndRemoved) {
  ui.names = {"A", ""};
  EXPECT_EQ(session.addSystem(), 0u);
  EXPECT_EQ(session.addSystem(), std::nullopt);  // an empty name adds nothing
  EXPECT_EQ(session.project().system(0).t0, kNewSystemT0);
  session.addRoom();
  session.assignSystem(0, 0);
  session.setSystemFactor(0, 2);
  EXPECT_EQ(session.project().system(0).factor, kMaxSimultaneityFactor);
  ui.names = {"B"};
  EXPECT_TRUE(session.renameSystem(0));
  EXPECT_EQ(session.project().system(0).name, "B");
  EXPECT_TRUE(session.removeSystem(0));
  EXPECT_EQ(session.project().room(0).system, std::nullopt);
  ASSERT_EQ(session.warnings().size(), 0u);
}

TEST(ProjectSessionNames, NewRoomNameSkipsNamesInUse) {
  Project p;
  EXPECT_EQ(newRoomName(p), "Помещение 1");
  p.addRoom({"Помещение 2", std::nullopt, {}});
  EXPECT_EQ(newRoomName(p), "Помещение 3");
  EXPECT_EQ(projectWindowTitle(p, pathFromUtf8("/x/склад.kamerol")), "Объект — склад.kamerol[*]");
}

}  // namespace
}  // namespace kamerol
