#include "document/document_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/stat.h>

#include "document/calculation_file.h"
#include "tests/form/form_test_support.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::StartedForm;

// A name that is no regular file: a FIFO, which would wait for a writer for
// ever; on Windows, which has none, a folder.
void makeNotRegular(const std::filesystem::path& path) {
#ifdef _WIN32
  ASSERT_TRUE(std::filesystem::create_directory(path));
#else
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
#endif
}

class FakeUi : public DocumentUi {
 public:
  std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) override {
    requests.push_back(request);
    return next(openAnswers);
  }
  std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) override {
    requests.push_back(request);
    return next(saveAnswers);
  }
  SaveAnswer askToSaveChanges() override {
    ++questions;
    return answer;
  }
  void showMessage(const Message& message) override { messages.push_back(message); }
  std::filesystem::path calculationsFolder() const override { return folder; }
  void fileUsed(const std::filesystem::path& file) override { used.push_back(file); }

  std::deque<std::optional<std::filesystem::path>> openAnswers;
  std::deque<std::optional<std::filesystem::path>> saveAnswers;
  SaveAnswer answer = SaveAnswer::Cancel;
  int questions = 0;
  std::vector<FileDialogRequest> requests;
  std::vector<Message> messages;
  std::vector<std::filesystem::path> used;
  std::filesystem::path folder = "/calculations";

 private:
  static std::optional<std::filesystem::path> next(std::deque<std::optional<std::filesystem::path>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

class DocumentCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("kamerol-commands-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    ui.folder = folder_;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void makeModified() {
    f.enter(clientInfoField, "изменено");
    ASSERT_TRUE(f.form.modified());
  }

  std::filesystem::path folder_;
  StartedForm f;
  FakeUi ui;
  DocumentCommands commands{f.form, ui};
};

// The close prompt: whether there are changes, the answer, what the save
// dialog does; whether the program may end, whether a file was written.
struct CloseCase {
  const char* what;
  bool modified;
  SaveAnswer answer;
  bool saveDialogCancelled;
  bool saveFails;
  bool mayClose;
  bool written;
  int questions;
};

class ClosePromptTest : public DocumentCommandsTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosePromptTest, Table) {
  const CloseCase c = GetParam();
  if (c.modified) makeModified();
  ui.answer = c.answer;
  const auto target = c.saveFails ? folder_ / "missing" / "a.tpl" : folder_ / "a.tpl";
  ui.saveAnswers.push_back(c.saveDialogCancelled ? std::nullopt : std::optional(target));
  EXPECT_EQ(commands.mayClose(), c.mayClose) << c.what;
  EXPECT_EQ(std::filesystem::exists(folder_ / "a.tpl"), c.written) << c.what;
  EXPECT_EQ(ui.questions, c.questions) << c.what;
  if (c.saveFails) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Сообщение программы");
    EXPECT_EQ(ui.messages[0].text, "Не удалось сохранить файл расчета\n" + target.string());
    EXPECT_TRUE(f.form.modified());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosePromptTest,
    testing::Values(CloseCase{"nothing changed", false, SaveAnswer::Cancel, false, false, true, false, 0},
                    CloseCase{"yes, saved", true, SaveAnswer::Yes, false, false, true, true, 1},
                    CloseCase{"yes, dialog cancelled", true, SaveAnswer::Yes, true, false, false, false, 1},
                    CloseCase{"yes, save failed", true, SaveAnswer::Yes, false, true, false, false, 1},
                    CloseCase{"no", true, SaveAnswer::No, false, false, true, false, 1},
                    CloseCase{"cancel", true, SaveAnswer::Cancel, false, false, false, false, 1}),
    RowName());

TEST_F(DocumentCommandsTest, CancelKeepsAskingAtEveryClose) {
  makeModified();
  EXPECT_FALSE(commands.mayClose());
  EXPECT_FALSE(commands.mayClose());
  EXPECT_EQ(ui.questions, 2);
}

TEST_F(DocumentCommandsTest, SavingClearsModifiedSoClosingDoesNotAsk) {
  makeModified();
  ui.saveAnswers.push_back(folder_ / "a.tpl");
  ASSERT_TRUE(commands.saveAs());
  EXPECT_FALSE(f.form.modified());
  EXPECT_TRUE(commands.mayClose());
  EXPECT_EQ(ui.questions, 0);
}

TEST_F(DocumentCommandsTest, SaveAddsTheExtensionAndStartsInTheCalculationsFolder) {
  ui.saveAnswers.push_back(folder_ / u8"камера");
  ASSERT_TRUE(commands.saveAs());
  EXPECT_TRUE(std::filesystem::exists(folder_ / u8"камера.tpl"));
  ASSERT_EQ(ui.requests.size(), 1u);
  EXPECT_EQ(ui.requests[0].folder, folder_);
  EXPECT_EQ(ui.requests[0].filter, "Файлы расчета (*.tpl);;Все файлы(*.*)");
  // An existing file is replaced; the path chosen is offered again, in its
  // own folder, by either dialog.
  std::filesystem::create_directories(folder_ / "saved");
  ui.saveAnswers.push_back(folder_ / "saved" / "second.tpl");
  ASSERT_TRUE(commands.saveAs());
  ui.openAnswers.push_back(std::nullopt);
  EXPECT_FALSE(commands.open());
  ui.saveAnswers.push_back(std::nullopt);
  EXPECT_FALSE(commands.saveAs());
  for (std::size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(ui.requests[i].suggested, folder_ / "saved" / "second.tpl") << i;
    EXPECT_EQ(ui.requests[i].folder, folder_ / "saved") << i;
  }
}

TEST_F(DocumentCommandsTest, SaveWritesTheOwnFileWithoutAsking) {
  makeModified();
  ui.saveAnswers.push_back(folder_ / "a.tpl");
  ASSERT_TRUE(commands.save());  // a new calculation asks for a name
  EXPECT_EQ(ui.requests.size(), 1u);
  f.enter(roomLengthField, "500");
  ASSERT_TRUE(commands.save());
  EXPECT_EQ(ui.requests.size(), 1u);
  EXPECT_FALSE(f.form.modified());
  EXPECT_EQ(commands.ownFile(), folder_ / "a.tpl");

  // The close prompt's "Yes" saves the same way.
  f.enter(roomWidthField, "400");
  ui.answer = SaveAnswer::Yes;
  EXPECT_TRUE(commands.mayClose());
  EXPECT_EQ(ui.requests.size(), 1u);
  StartedForm saved;
  ASSERT_EQ(readCalculationFile(saved.form, folder_ / "a.tpl", ReadMode::Dialog, saved.messages), ReadStatus::Ok);
  EXPECT_EQ(saved.form.text(roomWidthField), "400");

  // A file opened, or read at start-up, is the calculation's own; New has
  // none, nor a file read in part.
  std::ofstream(folder_ / "bad.tpl") << "nonsense\r\n";
  ASSERT_FALSE(commands.open(folder_ / "bad.tpl"));
  EXPECT_TRUE(commands.ownFile().empty());
  ui.openAnswers.push_back(folder_ / "a.tpl");
  ASSERT_TRUE(commands.open());
  commands.startedFrom(folder_ / "b.tpl");
  EXPECT_EQ(commands.ownFile(), folder_ / "b.tpl");
  ASSERT_TRUE(commands.newCalculation());
  EXPECT_TRUE(commands.ownFile().empty());
  EXPECT_EQ(ui.used, (std::vector<std::filesystem::path>{folder_ / "a.tpl", folder_ / "a.tpl", folder_ / "a.tpl",
                                                         folder_ / "a.tpl", folder_ / "b.tpl"}));
  EXPECT_EQ(calculationWindowTitle(folder_ / u8"камера.tpl"),
            "Расчет теплопритоков в холодильной камере — камера.tpl[*]");
  EXPECT_EQ(calculationWindowTitle({}), "Расчет теплопритоков в холодильной камере[*]");
}

TEST_F(DocumentCommandsTest, NewAsksWhenModified) {
  makeModified();
  f.enter(roomLengthField, "500");
  ui.answer = SaveAnswer::Cancel;
  EXPECT_FALSE(commands.newCalculation());
  EXPECT_EQ(f.form.text(roomLengthField), "500");
  ui.answer = SaveAnswer::No;
  EXPECT_TRUE(commands.newCalculation());
  EXPECT_EQ(f.form.text(roomLengthField), "0");
  EXPECT_FALSE(f.form.modified());
  EXPECT_TRUE(commands.newCalculation());  // nothing to ask now
  EXPECT_EQ(ui.questions, 2);
}

// Where the program opens projects too, "Открыть" offers them, and a project
// chosen goes to the UI, leaving the calculation as it was.
class ProjectOpeningUi : public FakeUi {
 public:
  bool opensProjects() const override { return true; }
  bool openedAsProject(const std::filesystem::path& file) override {
    if (file.extension() != ".kamerol") return false;
    projects.push_back(file);
    return true;
  }
  std::vector<std::filesystem::path> projects;
};

TEST_F(DocumentCommandsTest, OpenHandsAProjectToTheUi) {
  ProjectOpeningUi projectUi;
  DocumentCommands withProjects(f.form, projectUi);
  f.enter(roomLengthField, "800");
  f.form.setModified(false);
  projectUi.openAnswers = {folder_ / "store.kamerol"};
  EXPECT_TRUE(withProjects.open());
  EXPECT_EQ(projectUi.requests.back().filter, kOpenWithProjectsFilter);
  EXPECT_EQ(projectUi.projects, (std::vector<std::filesystem::path>{folder_ / "store.kamerol"}));
  EXPECT_EQ(f.form.text(roomLengthField), "800");
  EXPECT_TRUE(projectUi.messages.empty());
  EXPECT_EQ(withProjects.ownFile(), std::filesystem::path());
}

TEST_F(DocumentCommandsTest, OpenReadsInDialogModeAndReportsAFormatError) {
  StartedForm source;
  source.enter(roomLengthField, "800");
  ASSERT_TRUE(writeCalculationFile(source.form, folder_ / "b.tpl"));
  std::ofstream(folder_ / "bad.tpl") << "nonsense\r\n";

  makeNotRegular(folder_ / "fifo.tpl");
  ui.openAnswers = {std::nullopt, folder_ / "b.tpl", folder_ / "bad.tpl", folder_ / "gone.tpl", folder_ / "fifo.tpl"};
  EXPECT_FALSE(commands.open());  // cancelled
  EXPECT_EQ(ui.requests.back().filter, "Файлы (*.tpl);;Все файлы(*.*)");
  EXPECT_EQ(ui.requests.back().folder, folder_);
  EXPECT_TRUE(commands.open());
  EXPECT_EQ(f.form.text(roomLengthField), "800");
  EXPECT_FALSE(f.form.modified());
  EXPECT_FALSE(commands.open());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], (Message{"Сообщение программы", "Другой формат файла", MessageIcon::Error}));
  EXPECT_EQ(f.form.text(roomLengthField), "800");
  for (const char* name : {"gone.tpl", "fifo.tpl"}) {  // cannot be opened
    EXPECT_FALSE(commands.open());
    EXPECT_EQ(ui.messages.back(),
              (Message{"Сообщение программы", "Не удалось открыть файл расчета\n" + (folder_ / name).string(),
                       MessageIcon::Error}));
  }
  EXPECT_EQ(f.form.text(roomLengthField), "800");
}

TEST_F(DocumentCommandsTest, SaveRefusesAFileThatIsNotARegularFile) {
  makeModified();
  makeNotRegular(folder_ / "fifo.tpl");
  ui.saveAnswers.push_back(folder_ / "fifo.tpl");
  EXPECT_FALSE(commands.saveAs());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Не удалось сохранить файл расчета\n" + (folder_ / "fifo.tpl").string());
  EXPECT_TRUE(std::filesystem::exists(folder_ / "fifo.tpl"));
  EXPECT_FALSE(std::filesystem::is_regular_file(folder_ / "fifo.tpl"));
  EXPECT_TRUE(f.form.modified());
}

// An edit that changes no result (the door is shut) is not lost on closing.
TEST_F(DocumentCommandsTest, EditChangingNoResultAsksOnClose) {
  StartedForm source;
  source.enter(roomLengthField, "500");
  ASSERT_TRUE(writeCalculationFile(source.form, folder_ / "a.tpl"));
  ASSERT_TRUE(commands.open(folder_ / "a.tpl"));
  EXPECT_TRUE(commands.mayClose());
  f.enter(doorWidthField, "200");
  EXPECT_FALSE(commands.mayClose());
  EXPECT_EQ(ui.questions, 1);
}

// Where each dialog starts and which name it offers, step by step: beside
// the calculation's own file with its name; after "Новый" no name, in the
// folder used last; a relative file from the command line where it really is.
TEST_F(DocumentCommandsTest, DialogsStartBesideTheOwnFile) {
  const std::filesystem::path rooms = folder_ / "rooms";
  std::filesystem::create_directories(rooms);
  ASSERT_TRUE(writeCalculationFile(f.form, rooms / "a.tpl"));
  const std::filesystem::path here = std::filesystem::current_path();
  struct Step {
    const char* what;
    std::function<void()> act;
    std::filesystem::path folder, suggested, pdf;
  };
  const Step steps[] = {
      {"new", [] {}, folder_, {}, folder_ / u8"Отчет.pdf"},
      {"opened", [&] { ASSERT_TRUE(commands.open(rooms / "a.tpl")); }, rooms, rooms / "a.tpl", rooms / "a.pdf"},
      {"new after it", [&] { ASSERT_TRUE(commands.newCalculation()); }, rooms, {}, rooms / u8"Отчет.pdf"},
      {"started from", [&] { commands.startedFrom("b.tpl"); }, here, here / "b.tpl", here / "b.pdf"},
  };
  for (const Step& step : steps) {
    step.act();
    ui.requests.clear();
    EXPECT_FALSE(commands.saveAs());  // cancelled
    EXPECT_FALSE(commands.open());
    ASSERT_EQ(ui.requests.size(), 2u) << step.what;
    for (const FileDialogRequest& request : ui.requests) {
      EXPECT_EQ(request.folder, step.folder) << step.what;
      EXPECT_EQ(request.suggested, step.suggested) << step.what;
    }
    EXPECT_EQ(commands.reportPdfPath(), step.pdf) << step.what;
  }
}

TEST_F(DocumentCommandsTest, OpenAsksWhenModified) {
  makeModified();
  ui.answer = SaveAnswer::Cancel;
  EXPECT_FALSE(commands.open());
  EXPECT_TRUE(ui.requests.empty());  // no dialog after Cancel
}

TEST_F(DocumentCommandsTest, ExitAsksWhenModified) {
  makeModified();
  ui.answer = SaveAnswer::Cancel;
  EXPECT_FALSE(commands.mayExit());
  ui.answer = SaveAnswer::No;
  EXPECT_TRUE(commands.mayExit());
}

}  // namespace
}  // namespace kamerol
