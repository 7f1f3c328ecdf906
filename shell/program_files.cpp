#include "shell/program_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "shell/installation.h"
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

bool installedAsPackage(const QString& programFolder) {
  return !holdsCues(programFolder) && holdsCues(installedDataFolder(programFolder));
}

}  // namespace

bool isInstalledProgram(const QString& programFolder) {
  return installedAsPackage(programFolder) ||
         QFileInfo::exists(QDir(programFolder).filePath(QLatin1String(kWindowsUninstallerName)));
}

QString programDataFolder(const QString& programFolder) {
  return installedAsPackage(programFolder) ? installedDataFolder(programFolder) : programFolder;
}

bool canCreateFilesIn(const QString& folder) {
  if (!QFileInfo(folder).isDir()) return false;
  // Created anew (never an existing file opened) and removed when it goes out of scope.
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kamerol-XXXXXX")));
  return probe.open();
}

QString defaultCalculationsFolder(const QString& programFolder, const QString& documentsFolder,
                                  const std::function<bool(const QString&)>& canWrite) {
  // Installed comes first: root may write into /usr/bin, and a user into their own AppData\Local\Programs,
  // which are still no place for calculations.
  if (!isInstalledProgram(programFolder) && canWrite(programFolder)) return programFolder;
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
