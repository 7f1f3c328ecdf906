#pragma once

// The shell services of the desktop program behind the calculation window:
// the settings and their dialogs, the help popups, the About box, the
// calculator, the report window, the project window and the sound cues.

#include <QPointer>

#include <memory>

#include "project/project.h"
#include "report/report_window.h"
#include "shell/help_popups.h"
#include "shell/settings_store.h"
#include "shell/sound.h"
#include "window/calculation_window.h"
#include "window/message_boxes.h"
#include "window/project_window.h"

namespace kamerol {

class DesktopServices final : public WindowServices {
 public:
  // All must outlive the services.
  DesktopServices(shell::SettingsStore& store, shell::AppSettings& settings, const shell::SoundCues& cues,
                  CalculationForm& form);
  ~DesktopServices() override;

  // The window the dialogs belong to; set once it exists.
  void setWindow(CalculationWindow* window);

  void showHelp(int popup) override;
  void showAbout() override;
  void showSettings() override;
  void showFolderChooser() override;
  void startCalculator() override;
  void showReport() override;
  bool logoInReport() const override { return settings_.logo != 0; }
  bool chartInReport() const override { return settings_.chartInReport != 0; }
  void setChartInReport(bool on) override;
  bool traceInReport() const override { return settings_.traceInReport != 0; }
  void setTraceInReport(bool on) override;
  bool sensitivityInReport() const override { return settings_.sensitivityInReport != 0; }
  void setSensitivityInReport(bool on) override;
  std::filesystem::path calculationsFolder() const override;
  std::vector<std::filesystem::path> recentFiles() const override;
  void rememberFile(const std::filesystem::path& file) override;
  void programEnding(bool exitCommand) override;
  bool mayEndProgram() override;
  void newProject() override;
  void openProject(const std::filesystem::path& file) override;

  ReportWindow* reportWindow() const { return report_; }
  // Made at the first project opened or created.
  ProjectWindow* projectWindow() const { return project_.get(); }

 private:
  shell::SettingsStore& store_;
  shell::AppSettings& settings_;
  const shell::SoundCues& cues_;
  CalculationForm& form_;
  CalculationWindow* window_ = nullptr;
  QPointer<shell::HelpPopups> popups_;  // owned by the window
  QPointer<ReportWindow> report_;
  // The project window and what it needs, made when first asked for.
  ProjectWindow& ensureProjectWindow();
  std::unique_ptr<RoomCalculator> calculator_;
  MessageBoxes projectMessages_;
  std::unique_ptr<ProjectWindow> project_;
};

}  // namespace kamerol
