#pragma once

// The calculation form as a window: its widgets are views of the form model.
// A widget edit is forwarded to the model; a model change updates the widget
// without echoing back. The window is made from the layout table
// (window_layout.h) in calculation_window.cpp, bound to the model in
// form_binding.cpp, and runs its menu and toolbar commands in
// window_commands.cpp.

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/engine.h"
#include "document/document_commands.h"
#include "form/calculation_form.h"
#include "report/calculation_report.h"

class QAction;
class QLabel;
class QMenu;
class QGroupBox;
class QToolBar;

namespace kamerol {

class ChartWindow;
class ChecksWindow;
class SensitivityWindow;
class TraceWindow;
class ToolWindowColumn;
class PageTabs;
class RoomSketchView;
namespace layout {
struct Placement;
}

// The buttons of the form's toolbar, in their order.
enum class ToolbarCommand : unsigned char { New, Open, Save, Print, Help };
inline constexpr int kToolbarCommandCount = 5;

// What the window asks of the rest of the program: the dialogs and services
// of the shell. Each does nothing by default.
class WindowServices {
 public:
  virtual ~WindowServices() = default;
  virtual void showHelp(int /*popup*/) {}
  virtual void showAbout() {}
  virtual void showSettings() {}
  virtual void showFolderChooser() {}
  virtual void startCalculator() {}
  // "Диаграмма в отчёте": the load chart as the report's second page.
  virtual bool chartInReport() const { return false; }
  virtual void setChartInReport(bool /*on*/) {}
  // "Ход расчёта в отчёте": the calculation trace as pages after the report.
  virtual bool traceInReport() const { return false; }
  virtual void setTraceInReport(bool /*on*/) {}
  // "Чувствительность в отчёте": the sensitivity's chart and table as the report's last page.
  virtual bool sensitivityInReport() const { return false; }
  virtual void setSensitivityInReport(bool /*on*/) {}
  // The logo setting: the header block of the report page.
  virtual bool logoInReport() const { return true; }
  // What the report of a calculation holds, by the settings above.
  CalculationReportOptions reportOptions() const {
    return {logoInReport(), chartInReport(), traceInReport(), sensitivityInReport()};
  }
  // Print: shows the report; the window hides itself first.
  virtual void showReport() {}
  // The folder the open and save dialogs start in.
  virtual std::filesystem::path calculationsFolder() const { return {}; }
  // "Последние файлы": the calculations opened or saved last that are still
  // there, the latest first; a file opened or saved goes to the top.
  virtual std::vector<std::filesystem::path> recentFiles() const { return {}; }
  virtual void rememberFile(const std::filesystem::path& /*file*/) {}
  // The program ends: closing the window, or the menu command "Выход".
  virtual void programEnding(bool /*exitCommand*/) {}
  // Before the program ends: false keeps it running (an open project's changes were not settled).
  virtual bool mayEndProgram() { return true; }
  // "Новый объект", and a project file chosen in "Открыть" or the recent files.
  virtual void newProject() {}
  virtual void openProject(const std::filesystem::path& /*file*/) {}
  // The window shows a room of a project: closing it or "Выход" only closes
  // it, asking nothing (its changes are the project's), and ends nothing.
  virtual bool showsProjectRoom() const { return false; }
  // A room's file commands are its project's: "Сохранить" saves the project,
  // "Сохранить как" writes the room as a calculation file of its own. "Новый"
  // and "Открыть" are the project window's, and the room's are off.
  virtual void saveProject() {}
  virtual void saveRoomAs() {}
};

class CalculationWindow : public QMainWindow, private FormObserver {
  Q_OBJECT

 public:
  // All must outlive the window. `messages` shows the form's and the
  // document commands' message boxes.
  CalculationWindow(CalculationForm& form, WindowServices& services, MessageSink& messages, QWidget* parent = nullptr);
  ~CalculationWindow() override;

  CalculationForm& form() { return form_; }
  DocumentCommands& commands() { return *commands_; }

  // The widget that shows a control.
  QWidget* widget(Control c) const { return widgets_[static_cast<std::size_t>(indexOf(c))]; }
  QGroupBox* frame(int page) const { return frames_[static_cast<std::size_t>(page - 1)]; }
  PageTabs* tabs() const { return tabs_; }
  RoomSketchView* sketchView() const { return sketch_; }
  QAction* action(ToolbarCommand command) const { return toolbarActions_[static_cast<std::size_t>(command)]; }
  QAction* action(const QString& key) const;  // by its key: "New", "Open", "Save", "Print", "Help"
  QLabel* captionLabel(Caption caption) const { return captions_[static_cast<std::size_t>(caption)]; }
  QWidget* brandCaption() const { return brand_; }

  // Shows the model's state in every widget.
  void refreshAll();
  // Builds a page's frame if it has not been shown yet.
  void ensurePage(int number);

  // The menu and toolbar commands.
  void newCalculation();
  void openCalculation();
  void openCalculation(const std::filesystem::path& file);
  // "Сохранить": to the calculation's own file; "Сохранить как...": asks.
  void saveCalculation();
  void saveCalculationAs();
  // The calculation was read whole from `file` as the program started.
  void startedFrom(const std::filesystem::path& file);
  // The title with the calculation's file, and the mark of unsaved changes;
  // after the model changed `modified` on its own (as loading the defaults does).
  void showDocumentState();
  // "Копировать результаты": the results panel as tab-separated text.
  void copyResults();
  // F1: the help popup of the page shown.
  void showPageHelp();
  void print();
  void exitProgram();
  void run(ToolbarCommand command);
  // The tool windows ("Диаграмма теплопритоков", "Ход расчёта",
  // "Чувствительность", the checks): each opens in the column beside the
  // window (window_placement.h), or comes forward where it is open.
  void showChart();
  ChartWindow* chartWindow() const;
  void showTrace();
  TraceWindow* traceWindow() const;
  // "Чувствительность" and "Проверка расчёта".
  void showSensitivity();
  SensitivityWindow* sensitivityWindow() const;
  void showChecks();
  ChecksWindow* checksWindow() const;
  // Shows the page of `c` and puts the focus in it.
  void goToField(Control c);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class DocumentDialogs;
  std::unique_ptr<DocumentUi> makeDocumentDialogs();

  // FormObserver
  void controlChanged(Control c) override;
  void captionChanged(Caption c) override;
  void pageChanged() override;
  void sketchChanged() override;

  // Building (calculation_window.cpp).
  void buildHeader(QWidget* client);
  void buildResultsPanel(QWidget* client);
  void buildTabs(QWidget* client);
  void buildPage(int page, QWidget* parent);
  void buildRoomSketch();
  void place(const layout::Placement& placement, QWidget* parent);
  void setTabOrder();
  QLabel* addLabel(QWidget* parent, const QString& text, const QRect& twips, Qt::Alignment alignment);
  QGroupBox* addFrame(QWidget* client, int page);
  void addHelpButton(QGroupBox* frame, int popup);

  // Binding to the model (form_binding.cpp).
  QWidget* bind(Control c, QWidget* w, const QString& accessibleName);
  QWidget* addField(QWidget* parent, Control c, const QRect& twips, const QString& caption);
  QWidget* addList(QWidget* parent, Control c, const QRect& twips, const QString& caption);
  QWidget* addCheckBox(QWidget* parent, Control c, const QRect& twips, const QString& text);
  QWidget* addOption(QWidget* parent, Control c, const QRect& twips, const QString& text);
  void addSpinner(QWidget* parent, Control upDown, const QRect& fieldTwips);
  // Ctrl+Tab, Ctrl+PgDn: the next page; Ctrl+Shift+Tab, Ctrl+PgUp: the one before.
  void addPageKeys();
  void stepPage(int step);

  // Commands (window_commands.cpp).
  void buildMenus();
  void buildToolbar();
  void fillRecentMenu();
  ToolWindowColumn& toolWindows();

  void refresh(Control c);
  void focusLostLater(Control c);
  void drainFocusLosses();

  class BusyScope {
   public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    int& busy_;
  };

  // Hands an event to the model, one at a time; the focus losses held back
  // meanwhile follow it.
  template <typename Event>
  auto forward(Event&& event) {
    struct Drain {
      CalculationWindow* window;
      ~Drain() { window->drainFocusLosses(); }
    } drain{this};
    const BusyScope busy(busy_);
    return event();
  }

  CalculationForm& form_;
  WindowServices& services_;
  MessageSink& messages_;
  std::unique_ptr<DocumentUi> dialogs_;
  std::unique_ptr<DocumentCommands> commands_;
  std::array<QWidget*, kControlCount> widgets_{};
  QHash<const QObject*, Control> controlOf_;
  std::array<QGroupBox*, kPageCount> frames_{};
  std::array<QLabel*, kCaptionCount> captions_{};
  std::array<QLabel*, kGainCount> rowLabels_{};
  QWidget* clientArea_ = nullptr;
  PageTabs* tabs_ = nullptr;
  RoomSketchView* sketch_ = nullptr;
  QWidget* brand_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::array<QAction*, kToolbarCommandCount> toolbarActions_{};
  QPointer<ChartWindow> chart_;  // made at its first opening, gone when closed
  QPointer<TraceWindow> trace_;  // likewise
  QPointer<SensitivityWindow> sensitivity_;
  QPointer<ChecksWindow> checks_;
  // Made with the first tool window.
  std::unique_ptr<ToolWindowColumn> toolWindows_;
  std::deque<Control> pendingFocusLosses_;
  bool drainScheduled_ = false;
  int busy_ = 0;               // the model is handling an event
  bool showingModel_ = false;  // a widget is being set from the model
  bool ending_ = false;
};

}  // namespace kamerol
