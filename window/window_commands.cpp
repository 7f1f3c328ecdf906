#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include "form/navigation.h"
#include "form/results_text.h"
#include "project/project_session.h"
#include "shell/program_icon.h"
#include "window/calculation_window.h"
#include "window/chart_window.h"
#include "window/checks_window.h"
#include "window/message_boxes.h"
#include "window/sensitivity_window.h"
#include "window/trace_window.h"
#include "window/window_parts.h"
#include "window/window_placement.h"

// The window's commands: the menus, the toolbar, the document commands with
// their dialogs, and the end of the program.

namespace kamerol {

using namespace window_parts;

namespace {

// The program's own icons, the same on every desktop: looking a name up in
// the desktop's icon theme searches every folder of every size of it, which
// took longer than the rest of the start-up.
struct ToolbarButton {
  ToolbarCommand command;
  const char* key;
  const char* tooltip;
  const char* icon;
};

constexpr ToolbarButton kToolbar[] = {
    {ToolbarCommand::New, "New", "Обновить", "toolbar/new"},
    {ToolbarCommand::Open, "Open", "Открыть файл", "toolbar/open"},
    {ToolbarCommand::Save, "Save", "Сохранить как...", "toolbar/save"},
    {ToolbarCommand::Print, "Print", "Печать с предв. осм.", "toolbar/print"},
    {ToolbarCommand::Help, "Help", "Помощь", "toolbar/help"},
};

}  // namespace

// The file dialogs, the close question and the message boxes of the window.
class CalculationWindow::DocumentDialogs final : public DocumentUi {
 public:
  DocumentDialogs(CalculationWindow& window, WindowServices& services) : window_(window), services_(services) {}

  void showMessage(const Message& message) override { window_.messages_.showMessage(message); }

  std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) override {
    return choose(request, QFileDialog::AcceptOpen);
  }
  std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) override {
    return choose(request, QFileDialog::AcceptSave);
  }

  void fileUsed(const std::filesystem::path& file) override { services_.rememberFile(file); }

  bool opensProjects() const override { return true; }
  bool openedAsProject(const std::filesystem::path& file) override {
    if (!isProjectFileName(file)) return false;
    services_.openProject(file);
    return true;
  }

  SaveAnswer askToSaveChanges() override { return kamerol::askToSaveChanges(&window_, kSaveChangesQuestion); }

  std::filesystem::path calculationsFolder() const override { return services_.calculationsFolder(); }

 private:
  std::optional<std::filesystem::path> choose(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(&window_);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);  // Open reports a name that is not there itself
    dialog.setNameFilters(q(request.filter).split(QStringLiteral(";;")));
    dialog.setDirectory(QString::fromStdU16String(request.folder.u16string()));
    // The whole path: a native dialog starts in the folder of the file it offers.
    if (!request.suggested.empty()) dialog.selectFile(QString::fromStdU16String(request.suggested.u16string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
  }

  CalculationWindow& window_;
  WindowServices& services_;
};

std::unique_ptr<DocumentUi> CalculationWindow::makeDocumentDialogs() {
  return std::make_unique<DocumentDialogs>(*this, services_);
}

QAction* CalculationWindow::action(const QString& key) const {
  return toolbar_ ? toolbar_->findChild<QAction*>(key) : nullptr;
}

void CalculationWindow::buildMenus() {
  // Access keys chosen so that none clashes within a menu or the menu bar.
  const auto add = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  const auto addWithKeys = [&add](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys,
                                  auto slot) { add(menu, name, caption, slot)->setShortcut(keys); };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
  file->setObjectName(QStringLiteral("menuFile"));
  addWithKeys(file, "menuNew", "&Новый", Qt::CTRL | Qt::Key_N, [this] { newCalculation(); });
  add(file, "menuNewProject", "Новый о&бъект", [this] { services_.newProject(); });
  file->addSeparator();
  addWithKeys(file, "menuOPEN", "&Открыть", Qt::CTRL | Qt::Key_O, [this] { openCalculation(); });
  recentMenu_ = file->addMenu(QStringLiteral("Последние &файлы"));
  recentMenu_->setObjectName(QStringLiteral("menuRecent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
  file->addSeparator();
  addWithKeys(file, "menuSAVE", "&Сохранить", Qt::CTRL | Qt::Key_S, [this] { saveCalculation(); });
  addWithKeys(file, "menuSAVE_AS", "Сохранить &как...", Qt::CTRL | Qt::SHIFT | Qt::Key_S,
              [this] { saveCalculationAs(); });
  file->addSeparator();
  addWithKeys(file, "menuPrint", "&Печать", Qt::CTRL | Qt::Key_P, [this] { print(); });
  file->addSeparator();
  add(file, "menuEXIT", "&Выход", [this] { exitProgram(); });

  QMenu* settings = menuBar()->addMenu(QStringLiteral("&Настройки"));
  settings->setObjectName(QStringLiteral("menuNastr"));
  add(settings, "mnuLogo", "Настройка &Лога и Звука", [this] { services_.showSettings(); });
  add(settings, "mnuPath", "Настройка &пути к папке с расчетами", [this] { services_.showFolderChooser(); });
  QAction* chartInReport =
      add(settings, "mnuChart", "&Диаграмма в отчёте", [this](bool on) { services_.setChartInReport(on); });
  chartInReport->setCheckable(true);
  chartInReport->setChecked(services_.chartInReport());
  QAction* traceInReport =
      add(settings, "mnuTrace", "&Ход расчёта в отчёте", [this](bool on) { services_.setTraceInReport(on); });
  traceInReport->setCheckable(true);
  traceInReport->setChecked(services_.traceInReport());
  QAction* sensitivityInReport = add(settings, "mnuSensitivity", "&Чувствительность в отчёте",
                                     [this](bool on) { services_.setSensitivityInReport(on); });
  sensitivityInReport->setCheckable(true);
  sensitivityInReport->setChecked(services_.sensitivityInReport());

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Инструменты"));
  tools->setObjectName(QStringLiteral("Menu_Tools"));
  add(tools, "Menu_Tools_Calc", "&Калькулятор", [this] { services_.startCalculator(); });
  add(tools, "Menu_Tools_Chart", "&Диаграмма теплопритоков", [this] { showChart(); });
  add(tools, "Menu_Tools_Trace", "&Ход расчёта", [this] { showTrace(); });
  add(tools, "Menu_Tools_Sensitivity", "&Чувствительность", [this] { showSensitivity(); });
  add(tools, "Menu_Tools_Checks", "&Проверка расчёта", [this] { showChecks(); });
  addWithKeys(tools, "Menu_Tools_Copy", "Копировать &результаты", Qt::CTRL | Qt::SHIFT | Qt::Key_C,
              [this] { copyResults(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощь"));
  help->setObjectName(QStringLiteral("menuHlp"));
  addWithKeys(help, "menuPageHelp", "&Пояснение к странице", Qt::Key_F1, [this] { showPageHelp(); });
  add(help, "menuProg", "&О программе", [this] { services_.showAbout(); });

  if (services_.showsProjectRoom()) {
    for (const char* name : {"menuNew", "menuOPEN"})
      file->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(false);
    recentMenu_->setEnabled(false);
    file->findChild<QAction*>(QStringLiteral("menuSAVE"))->setText(QStringLiteral("&Сохранить объект"));
    file->findChild<QAction*>(QStringLiteral("menuSAVE_AS"))
        ->setText(QStringLiteral("Сохранить помещение &как файл расчета (.tpl)..."));
  }
}

// The calculations opened or saved last, those still there; one opens on a pick.
void CalculationWindow::fillRecentMenu() {
  recentMenu_->clear();
  int number = 0;
  for (const std::filesystem::path& file : services_.recentFiles()) {
    ++number;
    QString name = QString::fromStdU16String(file.u16string());
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a name's "&" is no access key
    QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(name));
    connect(a, &QAction::triggered, this, [this, file] { openCalculation(file); });
  }
  if (number == 0) recentMenu_->addAction(QStringLiteral("Нет файлов"))->setEnabled(false);
}

void CalculationWindow::buildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolbar_->toggleViewAction()->setVisible(false);
  for (const ToolbarButton& b : kToolbar) {
    QAction* a = toolbar_->addAction(shell::bitmapIcon(QString::fromUtf8(b.icon)), QString::fromUtf8(b.tooltip));
    a->setObjectName(QString::fromUtf8(b.key));
    a->setToolTip(QString::fromUtf8(b.tooltip));
    toolbarActions_[static_cast<std::size_t>(b.command)] = a;
    connect(a, &QAction::triggered, this, [this, command = b.command] { run(command); });
    if (services_.showsProjectRoom() && (b.command == ToolbarCommand::New || b.command == ToolbarCommand::Open))
      a->setEnabled(false);
  }
}

void CalculationWindow::run(ToolbarCommand command) {
  switch (command) {
    case ToolbarCommand::New:
      return newCalculation();
    case ToolbarCommand::Open:
      return openCalculation();
    case ToolbarCommand::Save:
      return saveCalculationAs();
    case ToolbarCommand::Print:
      return print();
    case ToolbarCommand::Help:
      return services_.showAbout();
  }
}

// --- Commands ------------------------------------------------------------------------

void CalculationWindow::newCalculation() {
  drainFocusLosses();
  if (services_.showsProjectRoom()) return;
  forward([&] { commands_->newCalculation(); });
  showDocumentState();
}

void CalculationWindow::openCalculation() {
  drainFocusLosses();
  if (services_.showsProjectRoom()) return;
  forward([&] { commands_->open(); });
  showDocumentState();
}

void CalculationWindow::openCalculation(const std::filesystem::path& file) {
  drainFocusLosses();
  if (services_.showsProjectRoom()) return;
  forward([&] { commands_->open(file); });
  showDocumentState();
}

void CalculationWindow::saveCalculation() {
  drainFocusLosses();
  if (services_.showsProjectRoom()) return services_.saveProject();
  forward([&] { commands_->save(); });
  showDocumentState();
}

void CalculationWindow::saveCalculationAs() {
  drainFocusLosses();
  if (services_.showsProjectRoom()) return services_.saveRoomAs();
  forward([&] { commands_->saveAs(); });
  showDocumentState();
}

void CalculationWindow::startedFrom(const std::filesystem::path& file) {
  commands_->startedFrom(file);
  showDocumentState();
}

void CalculationWindow::showDocumentState() {
  setWindowTitle(q(calculationWindowTitle(commands_->ownFile())));
  setWindowModified(form_.modified());
}

void CalculationWindow::copyResults() {
  drainFocusLosses();
  // The system locale's separator, which the form reads numbers with too.
  QGuiApplication::clipboard()->setText(QString::fromStdString(resultsText(form_, form_.locale().decimalSeparator)));
}

void CalculationWindow::showPageHelp() {
  if (const int popup = kamerol::page(form_.currentPage()).helpPopup; popup != 0) services_.showHelp(popup);
}

void CalculationWindow::print() {
  drainFocusLosses();
  services_.showReport();
}

ChartWindow* CalculationWindow::chartWindow() const { return chart_; }

ToolWindowColumn& CalculationWindow::toolWindows() {
  if (!toolWindows_) toolWindows_ = std::make_unique<ToolWindowColumn>(*this);
  return *toolWindows_;
}

// A tool window is made at its first opening, not at start-up.
void CalculationWindow::showChart() {
  if (!chart_) chart_ = new ChartWindow(form_, this);
  toolWindows().show(chart_);
}

TraceWindow* CalculationWindow::traceWindow() const { return trace_; }

void CalculationWindow::showTrace() {
  if (!trace_) {
    // The save dialog starts where the file dialogs do, with the calculation's name.
    const auto saveName = [this] {
      const std::filesystem::path own = commands_->ownFile();
      return commands_->dialogFolder() /
             (own.empty() ? std::filesystem::path(u8"Ход расчёта") : own.stem() += u8" - ход расчёта");
    };
    trace_ = new TraceWindow(form_, saveName, nullptr, this);
  }
  toolWindows().show(trace_);
}

SensitivityWindow* CalculationWindow::sensitivityWindow() const { return sensitivity_; }

void CalculationWindow::showSensitivity() {
  if (!sensitivity_) sensitivity_ = new SensitivityWindow(form_, this);
  toolWindows().show(sensitivity_);
}

ChecksWindow* CalculationWindow::checksWindow() const { return checks_; }

void CalculationWindow::showChecks() {
  if (!checks_) {
    checks_ = new ChecksWindow(
        form_, [this](Control c) { goToField(c); }, this);
  }
  toolWindows().show(checks_);
}

void CalculationWindow::goToField(Control c) {
  drainFocusLosses();
  if (const std::optional<int> page = pageOf(c); page && *page != form_.currentPage())
    forward([&] { form_.selectPage(*page); });
  raise();
  activateWindow();
  if (QWidget* w = widget(c); w && w->isVisible() && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

void CalculationWindow::exitProgram() {
  drainFocusLosses();
  if (services_.showsProjectRoom()) {
    close();
    return;
  }
  const bool mayEnd = forward([&] { return commands_->mayExit(); }) && services_.mayEndProgram();
  if (!mayEnd) return;
  ending_ = true;
  services_.programEnding(true);
  QApplication::quit();
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  if (ending_) return event->accept();
  // The About box, the settings or the folder chooser holds the form: its
  // close box is input too, and must neither ask nor end the program.
  if (!isEnabled()) return event->ignore();
  drainFocusLosses();
  if (services_.showsProjectRoom()) return event->accept();
  const bool mayEnd = forward([&] { return commands_->mayClose(); }) && services_.mayEndProgram();
  if (!mayEnd) return event->ignore();
  ending_ = true;
  services_.programEnding(false);
  event->accept();
  QApplication::quit();
}

}  // namespace kamerol
