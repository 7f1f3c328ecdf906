#pragma once

// The project window: the rooms of a project as a table, each system's totals
// and the grand total below it, and the warnings. Its commands are the
// project session's (project/project_session.h); a room opens in a
// calculation window of its own, whose every change the window follows: only
// that room's row and the totals are shown again.

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include "form/calculation_form.h"
#include "project/project_session.h"

class QLabel;
class QListWidget;
class QMenu;
class QTableWidget;

namespace kamerol {

class CalculationWindow;
class ReportWindow;
class WindowServices;

// The rooms table's columns: name, size, temperature, mode, the nine gains,
// the sum, the required capacity, the system.
inline constexpr int kRoomNameColumn = 0;
inline constexpr int kFirstGainColumn = 4;
inline constexpr int kRoomTotalColumn = kFirstGainColumn + kGainCount;
inline constexpr int kRoomCapacityColumn = kRoomTotalColumn + 1;
inline constexpr int kRoomSystemColumn = kRoomCapacityColumn + 1;
inline constexpr int kRoomColumnCount = kRoomSystemColumn + 1;

// The systems table's editable columns.
inline constexpr int kSystemNameColumn = 0;
inline constexpr int kSystemT0Column = 1;
inline constexpr int kSystemFactorColumn = 2;

class ProjectWindow : public QMainWindow, private FormObserver {
  Q_OBJECT

 public:
  // All must outlive the window. `services` serve the rooms' calculation
  // windows as they serve the program's; `messages` shows the message boxes.
  ProjectWindow(const RoomCalculator& calculator, WindowServices& services, MessageSink& messages,
                QWidget* parent = nullptr);
  ~ProjectWindow() override;

  ProjectSession& session() { return *session_; }
  QTableWidget* roomsTable() const { return rooms_; }
  QTableWidget* systemsTable() const { return systems_; }
  QLabel* grandTotal() const { return grandTotal_; }
  QListWidget* warningsList() const { return warnings_; }
  // A menu command by its object name ("projectAddRoom", ...).
  QAction* action(const QString& name) const;
  // The calculation window of the open room; none before a room was opened.
  CalculationWindow* roomWindow() const;

  // The selected room (the current row of the table).
  std::optional<std::size_t> selectedRoom() const;
  void selectRoom(std::size_t room);
  // Shows the room in its calculation window.
  void openRoom(std::size_t room);
  // Opens a project file as "Открыть" does (from the calculation window, the command line).
  bool openProject(const std::filesystem::path& file);
  void newProject();
  // "Сохранить", here and in the open room's window.
  void saveProject();
  // "Сохранить как" in the open room's window: the room as a calculation file.
  void exportOpenRoom();
  // "Отчет": the project's report (its summary, then every room's page) in a report window.
  void showReport();
  // Print in a room's calculation window: that room's report.
  void showRoomReport();
  ReportWindow* reportWindow() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class Dialogs;
  class RoomServices;

  // FormObserver: the open room's form changed.
  void controlChanged(Control c) override;

  void buildMenus();
  void buildTables();
  // After a command: everything shown again, the room `select` selected.
  void showAll(std::optional<std::size_t> select);
  void showRoom(std::size_t room);
  void showTotals();
  void showState();
  void roomFormChanged();
  void closeRoomWindow();
  void openReport(ReportWindow* report);
  void systemEdited(int row, int column);
  void fillSystemMenu();
  // Runs a room command on the selected room.
  template <typename Command>
  void onSelectedRoom(Command command);

  const RoomCalculator& calculator_;
  WindowServices& services_;
  MessageSink& messages_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<ProjectSession> session_;
  std::unique_ptr<RoomServices> roomServices_;
  std::unique_ptr<CalculationForm> roomForm_;
  std::unique_ptr<CalculationWindow> roomWindow_;
  QTableWidget* rooms_ = nullptr;
  QTableWidget* systems_ = nullptr;
  QLabel* grandTotal_ = nullptr;
  QListWidget* warnings_ = nullptr;
  QMenu* systemMenu_ = nullptr;
  QPointer<ReportWindow> report_;
  bool roomUpdatePending_ = false;
  bool showing_ = false;  // the tables are being filled from the session
};

}  // namespace kamerol
