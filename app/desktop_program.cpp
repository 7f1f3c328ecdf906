#include "app/desktop_program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include <string>

#include "app/command_line.h"
#include "app/number_locale.h"
#include "core/gains.h"
#include "document/startup.h"
#include "platform/file_access.h"
#include "project/project_session.h"
#include "report/report_export.h"
#include "shell/file_association.h"
#include "shell/program_files.h"
#include "shell/program_icon.h"
#include "shell/program_look.h"
#include "shell/qt_translation.h"
#include "window/project_window.h"

namespace kamerol {

DesktopProgram::ApplicationLook::ApplicationLook() {
  // The program ends only through closing the calculation form or "Выход";
  // while the report stands in for the hidden form, closing it is no end.
  QApplication::setQuitOnLastWindowClosed(false);
  // Before the first window: Qt's standard buttons and dialogs speak Russian.
  shell::installQtTranslation();
  shell::applyProgramLook();
  QApplication::setWindowIcon(shell::kamerolWindowIcon());
  // The file association when it is absent; the settings follow.
  shell::writeFileAssociationIfAbsent(QCoreApplication::applicationFilePath());
}

DesktopProgram::DesktopProgram(const QStringList& arguments)
    : settings_(shell::readAppSettings(store_, shell::defaultCalculationsFolder())),
      player_(shell::createSoundPlayer()),
      cues_(*player_, settings_, shell::programDataFolder(shell::programFolder())),
      form_(messages_, numberLocaleOf(QLocale::system())),
      services_(store_, settings_, cues_, form_),
      window_(form_, services_, messages_) {
  messages_.setParentWidget(&window_);
  services_.setWindow(&window_);
  // The form with its first page shown, the lists, the defaults, the file
  // named on the command line, one engine run; then the window may be shown.
  const auto file = commandLineFile(arguments);
  const bool project = file && isProjectFileName(*file);
  if (startCalculation(form_, project ? std::nullopt : file, messages_))
    window_.startedFrom(*file);
  else
    window_.showDocumentState();
  // A project named on the command line opens over the calculation window, once that is shown.
  if (project) QTimer::singleShot(0, &window_, [this, path = *file] { services_.openProject(path); });
}

bool DesktopProgram::writeCheckFiles(const QString& folder) const {
  std::string results;
  const auto addBox = [&](Control c) {
    const auto* box = qobject_cast<const QLineEdit*>(window_.widget(c));
    results += std::string(nameOf(c)) + '=' + (box ? box->text().toStdString() : std::string()) + '\n';
  };
  for (const GainRow& row : kGains) addBox(resultBoxOf(row.gain));
  addBox(Control::totalGainBox);
  addBox(Control::requiredCapacityBox);
  const QDir dir(folder);
  const bool wroteResults = static_cast<bool>(
      writeWholeFile(QFileInfo(dir.filePath(QStringLiteral("results.txt"))).filesystemFilePath(), results));
  const bool wroteFolder = static_cast<bool>(
      writeWholeFile(QFileInfo(dir.filePath(QStringLiteral("calculations-folder.txt"))).filesystemFilePath(),
                     settings_.calculationsFolder.toStdString()));
  const bool wroteReport = static_cast<bool>(exportReportPdf(
      form_.record(), settings_.logo != 0, QFileInfo(dir.filePath(QStringLiteral("report.pdf"))).filesystemFilePath(),
      settings_.chartInReport != 0));
  bool wroteProject = true;
  if (const ProjectWindow* project = services_.projectWindow(); project && project->isVisible()) {
    const std::string text = "title=" + project->windowTitle().toStdString() +
                             "\ntotal=" + project->grandTotal()->text().toStdString() + '\n';
    wroteProject = static_cast<bool>(
        writeWholeFile(QFileInfo(dir.filePath(QStringLiteral("project.txt"))).filesystemFilePath(), text));
  }
  return wroteResults && wroteFolder && wroteReport && wroteProject;
}

}  // namespace kamerol
