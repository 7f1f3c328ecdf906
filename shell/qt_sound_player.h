#pragma once

// Qt Multimedia's audio output as the sound player. It is built into the sound
// module, which the program loads when the first cue plays: Qt Multimedia and
// the audio libraries behind it cost a noticeable part of the start-up.

#include <chrono>
#include <functional>

#include "shell/sound.h"

namespace kamerol::shell {

// Plays the samples of an uncompressed wave file. The wait is bounded by the
// sound's length plus a margin, and by `limit`, after which the sound is cut: a
// stalled audio device must not hold the program. Without an audio output the
// alert is given at once.
class QtSoundPlayer final : public SoundPlayer {
 public:
  explicit QtSoundPlayer(std::chrono::milliseconds limit = std::chrono::seconds(10),
                         std::function<void()> alert = AlertSoundPlayer::defaultAlert());
  void playAndWait(const QString& path) override;

 private:
  std::chrono::milliseconds limit_;
  std::function<void()> alert_;
};

// The module's file name without its platform prefix and suffix, and its entry point, which makes a QtSoundPlayer
// that gives `alert` where it cannot play. The caller owns the player.
inline constexpr char kSoundModuleName[] = "kamerol_sound";
inline constexpr char kSoundModuleEntry[] = "kamerolCreateSoundPlayer";
using SoundModuleEntry = SoundPlayer* (*)(const std::function<void()>& alert);

}  // namespace kamerol::shell
