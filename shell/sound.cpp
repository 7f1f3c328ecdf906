#include "shell/sound.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <utility>

#include "shell/qt_sound_player.h"

#ifdef Q_OS_WIN
#include "platform/windows_api.h"

#include <mmsystem.h>

#include <string>
#endif

namespace kamerol::shell {

AlertSoundPlayer::AlertSoundPlayer(std::function<void()> alert) : alert_(std::move(alert)) {}

void AlertSoundPlayer::playAndWait(const QString& /*path*/) { alert_(); }

std::function<void()> AlertSoundPlayer::defaultAlert() {
  return [] {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
  };
}

#ifndef KAMEROL_SOUND_MODULE_DIR
#define KAMEROL_SOUND_MODULE_DIR "../lib/kamerol"
#endif

ModuleSoundPlayer::ModuleSoundPlayer(QStringList folders, std::function<void()> alert)
    : folders_(std::move(folders)), alert_(std::move(alert)) {}

ModuleSoundPlayer::~ModuleSoundPlayer() = default;

void ModuleSoundPlayer::playAndWait(const QString& path) {
  if (!std::exchange(tried_, true)) loaded_ = loadSoundModule(folders_, alert_);
  if (loaded_)
    loaded_->playAndWait(path);
  else
    alert_();
}

std::unique_ptr<SoundPlayer> loadSoundModule(const QStringList& folders, const std::function<void()>& alert) {
  for (const QString& folder : folders) {
    QLibrary module(QDir(folder).filePath(QLatin1String(kSoundModuleName)));
    if (!module.load()) continue;
    if (const auto create = reinterpret_cast<SoundModuleEntry>(module.resolve(kSoundModuleEntry)))
      return std::unique_ptr<SoundPlayer>(create(alert));
  }
  return nullptr;
}

QStringList soundModuleFolders(const QString& programFolder) {
  const QDir program(programFolder);
  return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(KAMEROL_SOUND_MODULE_DIR)))};
}

#ifdef Q_OS_WIN
void WindowsSoundPlayer::playAndWait(const QString& path) {
  const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
  PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_SYNC);
}
#endif

std::unique_ptr<SoundPlayer> createSoundPlayer() {
#if defined(Q_OS_WIN)
  return std::make_unique<WindowsSoundPlayer>();
#else
  return std::make_unique<ModuleSoundPlayer>(soundModuleFolders(programFolder()));
#endif
}

SoundCues::SoundCues(SoundPlayer& player, const AppSettings& settings, QString cueFolder)
    : player_(player), settings_(settings), cueFolder_(std::move(cueFolder)) {}

void SoundCues::reportShown() const {
  if (settings_.sound == 1) player_.playAndWait(reportSoundPath());
}

void SoundCues::formClosing() const {
  if (settings_.sound != 0) player_.playAndWait(exitSoundPath());
}

void SoundCues::exitCommand() const { player_.playAndWait(exitSoundPath()); }

QString SoundCues::reportSoundPath() const { return QDir(cueFolder_).filePath(QLatin1String(kReportSoundFile)); }

QString SoundCues::exitSoundPath() const { return QDir(cueFolder_).filePath(QLatin1String(kExitSoundFile)); }

}  // namespace kamerol::shell
