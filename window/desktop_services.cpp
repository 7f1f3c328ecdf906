#include "window/desktop_services.h"

#include <QMessageBox>
#include <QTimer>

#include <utility>

#include "report/calculation_report.h"
#include "report/report_window.h"
#include "shell/about_box.h"
#include "shell/calculator.h"
#include "shell/folder_chooser.h"
#include "shell/program_files.h"
#include "shell/settings_dialog.h"

namespace kamerol {

DesktopServices::DesktopServices(shell::SettingsStore& store, shell::AppSettings& settings,
                                 const shell::SoundCues& cues, CalculationForm& form)
    : store_(store), settings_(settings), cues_(cues), form_(form) {}

DesktopServices::~DesktopServices() = default;

void DesktopServices::setWindow(CalculationWindow* window) {
  window_ = window;
  popups_ = new shell::HelpPopups(window);
}

void DesktopServices::showHelp(int popup) {
  if (popups_) popups_->show(popup);
}

void DesktopServices::showAbout() { shell::AboutBox::open(window_); }

void DesktopServices::showSettings() { shell::SettingsDialog::open(store_, settings_, window_); }

void DesktopServices::showFolderChooser() { shell::FolderChooser::open(store_, settings_, window_); }

void DesktopServices::startCalculator() {
  if (!shell::startCalculator())
    QMessageBox::information(window_, QString::fromUtf8(shell::kNoCalculatorTitle),
                             QString::fromUtf8(shell::kNoCalculatorText));
}

void DesktopServices::showReport() {
  if (report_) return report_->raise();
  // The report reads the record once; it does not follow later edits.
  // The PDF dialog starts where the file dialogs do, with the calculation's name.
  const std::filesystem::path pdfPath =
      window_ ? window_->commands().reportPdfPath() : calculationsFolder() / u8"Отчет.pdf";
  const QString pdfName = QString::fromStdU16String(pdfPath.u16string());
  report_ = new ReportWindow(buildCalculationReport(form_, reportOptions()), pdfName);
  report_->setAttribute(Qt::WA_DeleteOnClose);
  if (window_) {
    report_->setWindowIcon(window_->windowIcon());
    // The report tells it is closing while still on the screen: the form
    // comes back after it has gone, at the place it had.
    QObject::connect(report_, &ReportWindow::closed, window_, [window = window_, place = window_->pos()] {
      QTimer::singleShot(0, window, [window, place] {
        window->move(place);
        window->show();
        window->raise();
        window->activateWindow();
      });
    });
    window_->hide();
  }
  report_->show();
  cues_.reportShown();
}

void DesktopServices::setChartInReport(bool on) {
  settings_.chartInReport = on ? 1 : 0;
  store_.write(QLatin1String(shell::kChartInReportKey), QString::number(settings_.chartInReport));
}

void DesktopServices::setTraceInReport(bool on) {
  settings_.traceInReport = on ? 1 : 0;
  store_.write(QLatin1String(shell::kTraceInReportKey), QString::number(settings_.traceInReport));
}

void DesktopServices::setSensitivityInReport(bool on) {
  settings_.sensitivityInReport = on ? 1 : 0;
  store_.write(QLatin1String(shell::kSensitivityInReportKey), QString::number(settings_.sensitivityInReport));
}

std::filesystem::path DesktopServices::calculationsFolder() const {
  // The documents folder's "Kamerol" is made when a file dialog first starts in it.
  shell::createDocumentsCalculationsFolder(settings_.calculationsFolder);
  return std::filesystem::path(settings_.calculationsFolder.toStdU16String());
}

std::vector<std::filesystem::path> DesktopServices::recentFiles() const {
  std::vector<std::filesystem::path> files;
  for (const QString& file : shell::readRecentFiles(store_)) files.emplace_back(file.toStdU16String());
  return files;
}

void DesktopServices::rememberFile(const std::filesystem::path& file) {
  shell::rememberRecentFile(store_, QString::fromStdU16String(file.u16string()));
}

ProjectWindow& DesktopServices::ensureProjectWindow() {
  if (!project_) {
    calculator_ = std::make_unique<RoomCalculator>(form_.locale());
    project_ = std::make_unique<ProjectWindow>(*calculator_, *this, projectMessages_);
    projectMessages_.setParentWidget(project_.get());
    if (window_) project_->setWindowIcon(window_->windowIcon());
  }
  return *project_;
}

void DesktopServices::newProject() {
  ProjectWindow& window = ensureProjectWindow();
  // A project already shown asks about its changes first.
  if (window.isVisible()) window.newProject();
  window.show();
  window.raise();
  window.activateWindow();
}

void DesktopServices::openProject(const std::filesystem::path& file) {
  ProjectWindow& window = ensureProjectWindow();
  window.openProject(file);
  window.show();
  window.raise();
  window.activateWindow();
}

bool DesktopServices::mayEndProgram() { return !project_ || !project_->isVisible() || project_->close(); }

void DesktopServices::programEnding(bool exitCommand) {
  if (exitCommand)
    cues_.exitCommand();
  else
    cues_.formClosing();
}

}  // namespace kamerol
