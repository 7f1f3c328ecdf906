#include "shell/wave_file.h"

#include <QFile>

#include <algorithm>

namespace kamerol::shell {
namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;

// The file is at least `at + bytes` long wherever this is called.
quint32 littleEndian(const QByteArray& bytes, qsizetype at, int size) {
  quint32 value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<quint8>(bytes[at + i]);
  return value;
}

std::optional<WaveSound::SampleType> sampleType(quint16 format, int bits) {
  if (format == kFormatPcm && bits == 8) return WaveSound::SampleType::kUnsigned8;
  if (format == kFormatPcm && bits == 16) return WaveSound::SampleType::kSigned16;
  if (format == kFormatPcm && bits == 32) return WaveSound::SampleType::kSigned32;
  if (format == kFormatFloat && bits == 32) return WaveSound::SampleType::kFloat32;
  return std::nullopt;
}

}  // namespace

int WaveSound::bytesPerFrame() const {
  const int bytesPerSample = sampleType == SampleType::kUnsigned8 ? 1 : sampleType == SampleType::kSigned16 ? 2 : 4;
  return channels * bytesPerSample;
}

double WaveSound::seconds() const {
  return sampleRate > 0 && channels > 0 ? static_cast<double>(samples.size()) / bytesPerFrame() / sampleRate : 0.0;
}

std::optional<WaveSound> parseWave(const QByteArray& file) {
  if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;

  std::optional<WaveSound> wave;
  std::optional<QByteArray> data;
  for (qsizetype at = 12; at + 8 <= file.size();) {
    const QByteArray id = file.mid(at, 4);
    const qsizetype body = at + 8;
    const qsizetype size = std::min<qsizetype>(littleEndian(file, at + 4, 4), file.size() - body);
    if (id == "fmt " && size >= 16) {
      quint16 format = static_cast<quint16>(littleEndian(file, body, 2));
      if (format == kFormatExtensible && size >= 40) format = static_cast<quint16>(littleEndian(file, body + 24, 2));
      const int channels = static_cast<int>(littleEndian(file, body + 2, 2));
      const int sampleRate = static_cast<int>(littleEndian(file, body + 4, 4));
      const int bits = static_cast<int>(littleEndian(file, body + 14, 2));
      const std::optional<WaveSound::SampleType> type = sampleType(format, bits);
      if (!type || channels < 1 || channels > 8 || sampleRate < 1000 || sampleRate > 384000) return std::nullopt;
      wave = WaveSound{*type, channels, sampleRate, {}};
    } else if (id == "data" && !data) {
      data = file.mid(body, size);
    }
    at = body + size + (size & 1);  // chunks are padded to an even length
  }
  if (!wave || !data) return std::nullopt;

  wave->samples = *data;
  wave->samples.truncate(wave->samples.size() - wave->samples.size() % wave->bytesPerFrame());
  if (wave->samples.isEmpty()) return std::nullopt;
  return wave;
}

std::optional<WaveSound> readWaveFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return parseWave(file.readAll());
}

}  // namespace kamerol::shell
