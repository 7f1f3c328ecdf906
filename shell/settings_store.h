#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace kamerol::shell {

// The settings live in one section of the per-user store; the keys are numbers for historical reasons.
inline constexpr char kSettingsSection[] = "6142";
inline constexpr char kSoundKey[] = "1232";
inline constexpr char kLogoKey[] = "1229";
inline constexpr char kCalculationsFolderKey[] = "P";
inline constexpr char kChartInReportKey[] = "Chart";
inline constexpr char kRecentFilesKey[] = "Recent";
inline constexpr int kRecentFileCount = 8;
inline constexpr char kTraceInReportKey[] = "Trace";
inline constexpr char kSensitivityInReportKey[] = "Sensitivity";

// A per-user store of text values by key, within the program's section.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `defaultValue` when the key is absent.
  virtual QString read(const QString& key, const QString& defaultValue) const = 0;
  // Creates the section and the key when missing.
  virtual void write(const QString& key, const QString& value) = 0;
};

// The platform's settings store through QSettings: the registry on Windows, an INI file under
// $XDG_CONFIG_HOME elsewhere. The store is opened for each access only, so every write is on disk at once.
class QSettingsStore final : public SettingsStore {
 public:
  // The store of the running program, named after its executable.
  QSettingsStore();
  explicit QSettingsStore(QString applicationName);

  QString read(const QString& key, const QString& defaultValue) const override;
  void write(const QString& key, const QString& value) override;

  const QString& applicationName() const { return applicationName_; }

 private:
  QString applicationName_;
};

// Keeps the values in memory only.
class MemorySettingsStore final : public SettingsStore {
 public:
  QString read(const QString& key, const QString& defaultValue) const override;
  void write(const QString& key, const QString& value) override;

  bool contains(const QString& key) const { return values_.contains(key); }
  // Every key written so far, in the order of writing.
  const QStringList& writtenKeys() const { return writtenKeys_; }

 private:
  QHash<QString, QString> values_;
  QStringList writtenKeys_;
};

// The settings the program holds in memory for the whole run.
struct AppSettings {
  int sound = 1;                // 1: sound cues on, 0: off
  int logo = 1;                 // non-zero: the report prints its logo block
  int chartInReport = 0;        // non-zero: the load chart is the report's second page
  int traceInReport = 0;        // non-zero: the calculation trace follows as pages of the report
  int sensitivityInReport = 0;  // non-zero: the sensitivity's page ends the report
  QString calculationsFolder;
};

// A switch value; absent, or stored as anything but a 16-bit decimal integer, it is `defaultValue`.
int readSwitch(const SettingsStore& store, const QString& key, int defaultValue = 1);

// The calculations folder; absent, it is `defaultFolder` (see defaultCalculationsFolder). The folder is not
// checked for existence.
QString readCalculationsFolder(const SettingsStore& store, const QString& defaultFolder);

// "Последние файлы": the calculations opened or saved last, the latest first,
// those that are still files. Stored as one text, a path a line.
QStringList readRecentFiles(const SettingsStore& store);
// Puts `file` first in the stored list, once, and keeps eight.
void rememberRecentFile(SettingsStore& store, const QString& file);

// Everything the program reads at start-up.
AppSettings readAppSettings(const SettingsStore& store, const QString& defaultFolder);

// The running executable's file name without its extension: the settings' application name.
QString executableBaseName();

// The folder that holds the running executable, with the platform's separators.
QString programFolder();

}  // namespace kamerol::shell
