#include "shell/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <utility>

namespace kamerol::shell {
namespace {

// Groups our stores on the platforms where QSettings needs an organization (a folder, a registry key).
constexpr char kOrganization[] = "Kamerol";

QString sectionKey(const QString& key) { return QLatin1String(kSettingsSection) + QLatin1Char('/') + key; }

}  // namespace

QSettingsStore::QSettingsStore() : QSettingsStore(executableBaseName()) {}

QSettingsStore::QSettingsStore(QString applicationName) : applicationName_(std::move(applicationName)) {}

QString QSettingsStore::read(const QString& key, const QString& defaultValue) const {
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganization),
                           applicationName_);
  return settings.value(sectionKey(key), defaultValue).toString();
}

void QSettingsStore::write(const QString& key, const QString& value) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganization), applicationName_);
  settings.setValue(sectionKey(key), value);
  settings.sync();  // A failed write is ignored, like every settings failure.
}

QString MemorySettingsStore::read(const QString& key, const QString& defaultValue) const {
  return values_.value(key, defaultValue);
}

void MemorySettingsStore::write(const QString& key, const QString& value) {
  values_.insert(key, value);
  writtenKeys_.append(key);
}

int readSwitch(const SettingsStore& store, const QString& key, int defaultValue) {
  bool ok = false;
  const short value = store.read(key, QString::number(defaultValue)).toShort(&ok, 10);
  return ok ? value : defaultValue;
}

QString readCalculationsFolder(const SettingsStore& store, const QString& defaultFolder) {
  return store.read(QLatin1String(kCalculationsFolderKey), defaultFolder);
}

QStringList readRecentFiles(const SettingsStore& store) {
  QStringList files;
  for (const QString& file :
       store.read(QLatin1String(kRecentFilesKey), {}).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    if (QFileInfo(file).isFile() && !files.contains(file) && files.size() < kRecentFileCount) files.append(file);
  return files;
}

void rememberRecentFile(SettingsStore& store, const QString& file) {
  const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
  if (path.contains(QLatin1Char('\n'))) return;  // cannot be stored as a line
  QStringList files = readRecentFiles(store);
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kRecentFileCount) files.removeLast();
  store.write(QLatin1String(kRecentFilesKey), files.join(QLatin1Char('\n')));
}

AppSettings readAppSettings(const SettingsStore& store, const QString& defaultFolder) {
  AppSettings settings;
  settings.sound = readSwitch(store, QLatin1String(kSoundKey));
  settings.logo = readSwitch(store, QLatin1String(kLogoKey));
  settings.chartInReport = readSwitch(store, QLatin1String(kChartInReportKey), 0);
  settings.traceInReport = readSwitch(store, QLatin1String(kTraceInReportKey), 0);
  settings.sensitivityInReport = readSwitch(store, QLatin1String(kSensitivityInReportKey), 0);
  settings.calculationsFolder = readCalculationsFolder(store, defaultFolder);
  return settings;
}

QString executableBaseName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

QString programFolder() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()); }

}  // namespace kamerol::shell
