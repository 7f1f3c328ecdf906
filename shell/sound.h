#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

#include "shell/settings_store.h"

namespace kamerol::shell {

// The cue files stand beside the program as built, in its data folder as installed (see program_files.h).
inline constexpr char kReportSoundFile[] = "Aldfd.lts";
inline constexpr char kExitSoundFile[] = "Fcmcs.trc";

// Plays a wave file and returns when it has finished. A file that is missing or cannot be played gives the
// platform's alert sound instead; nothing is reported.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void playAndWait(const QString& path) = 0;
};

// Only ever the alert sound: where no audio output can be had.
class AlertSoundPlayer final : public SoundPlayer {
 public:
  explicit AlertSoundPlayer(std::function<void()> alert = defaultAlert());
  void playAndWait(const QString& path) override;

  // QApplication::beep.
  static std::function<void()> defaultAlert();

 private:
  std::function<void()> alert_;
};

// Qt Multimedia's player from the sound module (see qt_sound_player.h), loaded when the first cue plays. Where
// the module cannot be loaded every cue is the alert sound.
class ModuleSoundPlayer final : public SoundPlayer {
 public:
  // The module is looked for in each of `folders`, in order.
  explicit ModuleSoundPlayer(QStringList folders, std::function<void()> alert = AlertSoundPlayer::defaultAlert());
  ~ModuleSoundPlayer() override;
  void playAndWait(const QString& path) override;

 private:
  QStringList folders_;
  std::function<void()> alert_;
  bool tried_ = false;
  std::unique_ptr<SoundPlayer> loaded_;
};

// The sound module's player, from the first of `folders` that holds the module; null where none does or the
// module cannot be loaded. The module stays loaded until the program ends.
std::unique_ptr<SoundPlayer> loadSoundModule(const QStringList& folders, const std::function<void()>& alert);

// Where the program looks for the sound module: beside it (as built), then in its library folder (as installed).
QStringList soundModuleFolders(const QString& programFolder);

#ifdef Q_OS_WIN
// PlaySound, synchronous; Windows itself falls back to the default sound.
class WindowsSoundPlayer final : public SoundPlayer {
 public:
  void playAndWait(const QString& path) override;
};
#endif

// The player of this platform and build.
std::unique_ptr<SoundPlayer> createSoundPlayer();

// When the program's two cues play. The sound setting is read at each cue, so a change made in the settings
// dialog applies at once.
class SoundCues {
 public:
  // `player` and `settings` must outlive the cues; `cueFolder` holds the cue files.
  SoundCues(SoundPlayer& player, const AppSettings& settings, QString cueFolder);

  // The report was shown: the report sound, when the sound setting is 1.
  void reportShown() const;
  // The calculation form closes and the program ends: the exit sound, unless the sound setting is 0.
  void formClosing() const;
  // The menu command "Выход": the exit sound, whatever the setting.
  void exitCommand() const;

  QString reportSoundPath() const;
  QString exitSoundPath() const;

 private:
  SoundPlayer& player_;
  const AppSettings& settings_;
  QString cueFolder_;
};

}  // namespace kamerol::shell
