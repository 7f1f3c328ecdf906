#include "shell/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string_view>
#include <utility>

#include "shell/wave_file.h"

namespace kamerol::shell {

QtSoundPlayer::QtSoundPlayer(std::chrono::milliseconds limit, std::function<void()> alert)
    : limit_(limit), alert_(std::move(alert)) {}

namespace {

QAudioFormat::SampleFormat sampleFormat(WaveSound::SampleType type) {
  switch (type) {
    case WaveSound::SampleType::kUnsigned8:
      return QAudioFormat::UInt8;
    case WaveSound::SampleType::kSigned16:
      return QAudioFormat::Int16;
    case WaveSound::SampleType::kSigned32:
      return QAudioFormat::Int32;
    case WaveSound::SampleType::kFloat32:
      return QAudioFormat::Float;
  }
  return QAudioFormat::Unknown;
}

// Without a sound server Qt Multimedia says so on standard error as it starts
// ("PulseAudioService: pa_context_connect() failed", in Qt's default
// category); the player gives its alert instead, and the program's standard
// error stays for what matters. While one lives, Qt's warnings of the default
// and the multimedia categories are dropped; all else goes to the handler
// before it.
class QuietMultimedia {
 public:
  QuietMultimedia() { previous_ = qInstallMessageHandler(&filter); }
  ~QuietMultimedia() { qInstallMessageHandler(previous_.load()); }
  QuietMultimedia(const QuietMultimedia&) = delete;
  QuietMultimedia& operator=(const QuietMultimedia&) = delete;

 private:
  static void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const std::string_view category = context.category ? context.category : "default";
    const bool chatter =
        type != QtCriticalMsg && type != QtFatalMsg && (category == "default" || category.starts_with("qt.multimedia"));
    if (chatter) return;
    if (const QtMessageHandler previous = previous_.load()) previous(type, context, message);
  }

  static inline std::atomic<QtMessageHandler> previous_ = nullptr;
};

}  // namespace

// QSoundEffect would be the obvious choice, but in Qt 6.4 destroying one whose file failed to load waits forever
// for its loader thread; the audio sink, fed by our own wave reader, has no such thread.
void QtSoundPlayer::playAndWait(const QString& path) {
  const QuietMultimedia quiet;
  std::optional<WaveSound> wave = readWaveFile(path);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  QAudioFormat format;
  if (wave) {
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(sampleFormat(wave->sampleType));
  }
  if (!wave || device.isNull() || !device.isFormatSupported(format)) {
    alert_();
    return;
  }

  QBuffer buffer(&wave->samples);
  buffer.open(QIODevice::ReadOnly);
  QAudioSink sink(device, format);
  QEventLoop loop;
  bool finished = false;
  // The sink goes idle when it has played everything, or stops on an error.
  QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
    if (state != QAudio::ActiveState) {
      finished = true;
      loop.quit();
    }
  });
  const auto length = std::chrono::milliseconds(static_cast<long long>(wave->seconds() * 1000.0));
  QTimer::singleShot(std::min(limit_, length + std::chrono::seconds(3)), &loop, &QEventLoop::quit);

  sink.start(&buffer);
  // The program waits for the cue as for any other step: no user input is handled meanwhile.
  if (!finished && sink.state() == QAudio::ActiveState) loop.exec(QEventLoop::ExcludeUserInputEvents);
  const QAudio::Error error = sink.error();
  sink.stop();
  if (error != QAudio::NoError && error != QAudio::UnderrunError) alert_();
}

}  // namespace kamerol::shell
