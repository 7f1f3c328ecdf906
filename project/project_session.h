#pragma once

// The project as the desktop program works on it: the project with its rooms
// computed, its totals and warnings, its file, whether it has unsaved
// changes, which room is open in the calculation window, and the commands of
// the project window over an interface to the dialogs, so that their logic
// runs and is tested without a window.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/document_commands.h"
#include "form/messages.h"
#include "project/project.h"

namespace kamerol {

// What the project window asks of its user.
class ProjectUi : public MessageSink {
 public:
  // Empty when the user cancels.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) = 0;
  // Several calculation files at once; none when the user cancels.
  virtual std::vector<std::filesystem::path> chooseFilesToOpen(const FileDialogRequest& request) = 0;
  // The project's unsaved-changes question, with Yes, No and Cancel.
  virtual SaveAnswer askToSaveChanges() = 0;
  // A question answered Yes or No (removing a room or a system).
  virtual bool confirm(std::string_view question) = 0;
  // A name typed by the user, offered `current`; empty when cancelled.
  virtual std::optional<std::string> askName(std::string_view title, std::string_view label,
                                             std::string_view current) = 0;
  // The folder the dialogs start in.
  virtual std::filesystem::path calculationsFolder() const = 0;
  // A project was opened from or saved to `file` (for the recent files).
  virtual void fileUsed(const std::filesystem::path& /*file*/) {}
  // The room shown in the calculation window is gone (removed, or another
  // project replaced this one): the window closes without a question.
  virtual void openRoomGone() {}
};

inline constexpr std::string_view kProjectFilter = "Объекты (*.kamerol);;Все файлы(*.*)";
inline constexpr std::string_view kRoomFilesFilter = "Файлы расчета (*.tpl);;Все файлы(*.*)";
inline constexpr std::string_view kExportFilter = "Книга Excel (*.xlsx);;Текст CSV (*.csv)";
inline constexpr std::string_view kSaveProjectQuestion = "Объект претерпел изменения, хотите их сохранить?";
inline constexpr double kNewSystemT0 = -10;

class ProjectSession {
 public:
  // Both must outlive the session. It starts with an empty, unsaved project.
  ProjectSession(const RoomCalculator& calculator, ProjectUi& ui);

  const Project& project() const { return project_; }
  std::span<const CalculationRecord> records() const { return records_; }
  const CalculationRecord& record(std::size_t room) const { return records_[room]; }
  const ProjectTotals& totals() const { return totals_; }
  const std::vector<ProjectWarning>& warnings() const { return warnings_; }
  bool modified() const { return modified_; }
  // The file the project was last read from or written to; empty for a new one.
  const std::filesystem::path& ownFile() const { return ownFile_; }
  const RoomCalculator& calculator() const { return calculator_; }

  // --- The document ---------------------------------------------------------
  // Each returns whether it was carried out; unsaved changes are asked about first.
  bool newProject();
  bool open();
  bool open(const std::filesystem::path& file);
  bool save();
  // A name without an extension gets ".kamerol".
  bool saveAs();
  // The rooms, systems and totals as XLSX or CSV, by the chosen name's extension.
  bool exportTables();
  // The close question: true when the project may close.
  bool mayClose();

  // --- Rooms ----------------------------------------------------------------
  // A new room with the defaults, after the selected one (none: at the end).
  std::size_t addRoom(std::optional<std::size_t> after = std::nullopt);
  // Rooms read from calculation files, each named after its file; a file that
  // fails is reported and the others are still added. Returns how many were.
  std::size_t addRoomsFromFiles();
  std::size_t addRoomsFromFiles(std::span<const std::filesystem::path> files);
  // A copy right after the room, named "<name> (копия)".
  std::size_t duplicateRoom(std::size_t room);
  bool renameRoom(std::size_t room);
  // Asked first.
  bool removeRoom(std::size_t room);
  // -1: up, +1: down. Returns the room's new index.
  std::size_t moveRoom(std::size_t room, int step);
  void assignSystem(std::size_t room, std::optional<std::size_t> system);
  // The room's calculation as a .tpl file.
  bool exportRoom(std::size_t room);

  // --- Systems --------------------------------------------------------------
  std::optional<std::size_t> addSystem();
  bool renameSystem(std::size_t system);
  void renameSystem(std::size_t system, std::string name);
  bool removeSystem(std::size_t system);
  void setSystemT0(std::size_t system, double t0);
  void setSystemFactor(std::size_t system, double factor);

  // --- The room in the calculation window ------------------------------------
  std::optional<std::size_t> openRoom() const { return openRoom_; }
  void setOpenRoom(std::optional<std::size_t> room) { openRoom_ = room; }
  // The open room's form changed: its texts and record are taken, and only
  // the totals and warnings computed again. Texts unchanged (a page picked)
  // change nothing.
  void roomEdited(RoomTexts texts, const CalculationRecord& record);

 private:
  FileDialogRequest dialogRequest(std::string_view filter) const;
  bool settleUnsavedChanges();
  bool write(const std::filesystem::path& file);
  void replace(Project project, std::vector<CalculationRecord> records);
  std::size_t insertRoom(std::size_t index, ProjectRoom room, const CalculationRecord& record);
  // After any change: totals, warnings, the mark of unsaved changes.
  void changed();

  const RoomCalculator& calculator_;
  ProjectUi& ui_;
  Project project_;
  std::vector<CalculationRecord> records_;
  ProjectTotals totals_;
  std::vector<ProjectWarning> warnings_;
  bool modified_ = false;
  std::optional<std::size_t> openRoom_;
  std::filesystem::path ownFile_;
  std::filesystem::path lastFile_;
};

// The project window's title: the project's title or file name, and Qt's
// "[*]" where the mark of unsaved changes goes.
std::string projectWindowTitle(const Project& project, const std::filesystem::path& ownFile);

// Whether the file's name is a project's (".kamerol", in any case).
bool isProjectFileName(const std::filesystem::path& file);

// The name of a new room: "Помещение N", N counted on from the number of
// rooms to the first that no room's name uses.
std::string newRoomName(const Project& project);

}  // namespace kamerol
