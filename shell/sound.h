#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

#include "shell/settings_store.h"

namespace kamerol::shell {

// The cue files stand beside the program.
inline constexpr char kReportSoundFile[] = "Aldfd.lts";
inline constexpr char kExitSoundFile[] = "Fcmcs.trc";

// Plays a wave file and returns when it has finished. A file that is missing or cannot be played gives the
// platform's alert sound instead; nothing is reported.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void playAndWait(const QString& path) = 0;
};

// Only ever the alert sound: for builds without Qt Multimedia.
class AlertSoundPlayer final : public SoundPlayer {
 public:
  explicit AlertSoundPlayer(std::function<void()> alert = defaultAlert());
  void playAndWait(const QString& path) override;

  // QApplication::beep.
  static std::function<void()> defaultAlert();

 private:
  std::function<void()> alert_;
};

#ifdef KAMEROL_HAVE_QT_MULTIMEDIA
// Qt Multimedia's audio output, fed with the samples of an uncompressed wave file. The wait is bounded by the
// sound's length plus a margin, and by `limit`, after which the sound is cut: a stalled audio device must not
// hold the program. Without an audio output the alert is given at once.
class QtSoundPlayer final : public SoundPlayer {
 public:
  explicit QtSoundPlayer(std::chrono::milliseconds limit = std::chrono::seconds(10),
                         std::function<void()> alert = AlertSoundPlayer::defaultAlert());
  void playAndWait(const QString& path) override;

 private:
  std::chrono::milliseconds limit_;
  std::function<void()> alert_;
};
#endif

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
  // `player` and `settings` must outlive the cues; `programFolder` holds the cue files.
  SoundCues(SoundPlayer& player, const AppSettings& settings, QString programFolder);

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
  QString programFolder_;
};

}  // namespace kamerol::shell
