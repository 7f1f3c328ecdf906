// The sound module: Qt Multimedia's player, loaded by the program when the
// first cue plays.

#include <QtGlobal>

#include "shell/qt_sound_player.h"

extern "C" Q_DECL_EXPORT kamerol::shell::SoundPlayer* kamerolCreateSoundPlayer(const std::function<void()>& alert) {
  return new kamerol::shell::QtSoundPlayer(std::chrono::seconds(10), alert);
}
