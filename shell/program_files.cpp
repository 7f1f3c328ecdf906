#include "shell/program_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "shell/settings_store.h"
#include "shell/sound.h"

#ifndef KAMEROL_DATA_DIR
#define KAMEROL_DATA_DIR "../share/kamerol"
#endif

namespace kamerol::shell {
namespace {

QString installedDataFolder(const QString& programFolder) {
  return QDir::toNativeSeparators(QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(KAMEROL_DATA_DIR))));
}

bool holdsCues(const QString& folder) {
  return QFileInfo::exists(QDir(folder).filePath(QLatin1String(kReportSoundFile)));
}

}  // namespace

bool isInstalledProgram(const QString& programFolder) {
  return !holdsCues(programFolder) && holdsCues(installedDataFolder(programFolder));
}

QString programDataFolder(const QString& programFolder) {
  return isInstalledProgram(programFolder) ? installedDataFolder(programFolder) : programFolder;
}

QString defaultCalculationsFolder(const QString& programFolder, const QString& documentsFolder) {
  // Checked as well as the permission: root may write into /usr/bin, which is still no place for calculations.
  if (!isInstalledProgram(programFolder) && QFileInfo(programFolder).isWritable()) return programFolder;
  return QDir::toNativeSeparators(QDir(documentsFolder).filePath(QStringLiteral("Kamerol")));
}

QString defaultCalculationsFolder() {
  return defaultCalculationsFolder(programFolder(),
                                   QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void createDocumentsCalculationsFolder(const QString& folder) {
  if (QFileInfo::exists(folder) || folder != defaultCalculationsFolder() || folder == programFolder()) return;
  QDir().mkpath(folder);
}

}  // namespace kamerol::shell
