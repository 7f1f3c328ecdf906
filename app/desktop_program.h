#pragma once

// The kamerol desktop program as it starts: the application's look, the file
// association, the settings and sound cues, the calculation form with its
// start-up calculation, and the window that shows it.

#include <QStringList>

#include <memory>

#include "form/calculation_form.h"
#include "shell/settings_store.h"
#include "shell/sound.h"
#include "window/calculation_window.h"
#include "window/desktop_services.h"
#include "window/message_boxes.h"

namespace kamerol {

class DesktopProgram {
 public:
  // Needs the QApplication; `arguments` are the program's, as
  // QCoreApplication::arguments() gives them. The window is not shown yet.
  explicit DesktopProgram(const QStringList& arguments);
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  CalculationWindow& window() { return window_; }

  // For checking the program from outside where no accessibility bus reaches it (a Windows build under Wine):
  // writes into `folder` the texts the results panel shows, as results.txt ("Text49=1.64", one box a line,
  // the boxes' public names), the calculations folder as calculations-folder.txt (UTF-8), and the report of the
  // calculation, as report.pdf; with a project open, its window's title and grand total as project.txt. False when
  // any cannot be written. The program calls it once its window is shown when KAMEROL_CHECK_DIR names a folder.
  bool writeCheckFiles(const QString& folder) const;

 private:
  // Application-wide settings every later step relies on; set up first.
  struct ApplicationLook {
    ApplicationLook();
  };

  ApplicationLook look_;
  shell::QSettingsStore store_;
  shell::AppSettings settings_;
  std::unique_ptr<shell::SoundPlayer> player_;
  shell::SoundCues cues_;
  MessageBoxes messages_;
  CalculationForm form_;
  DesktopServices services_;
  CalculationWindow window_;
};

}  // namespace kamerol
