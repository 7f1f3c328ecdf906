#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kamerol::shell {

// The samples of an uncompressed wave file, as the audio output takes them.
struct WaveSound {
  enum class SampleType { kUnsigned8, kSigned16, kSigned32, kFloat32 };

  SampleType sampleType = SampleType::kSigned16;
  int channels = 0;
  int sampleRate = 0;
  QByteArray samples;  // interleaved, little-endian, whole frames only

  int bytesPerFrame() const;
  double seconds() const;
};

// Reads a RIFF/WAVE file holding PCM (8, 16 or 32 bits) or 32-bit float samples; nullopt for anything else.
// A data chunk that claims more bytes than the file has is cut to what is there.
std::optional<WaveSound> parseWave(const QByteArray& file);
std::optional<WaveSound> readWaveFile(const QString& path);

}  // namespace kamerol::shell
