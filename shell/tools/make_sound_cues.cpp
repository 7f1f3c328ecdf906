// Writes the program's two sound cues as 16-bit PCM mono wave files:
//   make_sound_cues <report cue> <exit cue>
// The report cue is a soft two-note chime, the exit cue a short falling tone. Both are synthesised here, so the
// build needs no audio assets.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
constexpr double kPeak = 0.5;  // of full scale: gentle, and far from clipping
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

// A bell-like note: a few slightly inharmonic partials under a fast attack and an exponential decay.
void addBell(Samples& out, double start, double frequency, double amplitude) {
  constexpr double kAttack = 0.004;
  constexpr double kDecay = 0.22;
  constexpr double kPartials[][2] = {{1.0, 1.0}, {2.01, 0.35}, {3.0, 0.12}, {4.2, 0.05}};
  const auto first = static_cast<std::size_t>(start * kSampleRate);
  for (std::size_t i = first; i < out.size(); ++i) {
    const double t = static_cast<double>(i - first) / kSampleRate;
    const double envelope = std::min(1.0, t / kAttack) * std::exp(-t / kDecay);
    double value = 0.0;
    for (const auto& [ratio, weight] : kPartials) value += weight * std::sin(kTwoPi * frequency * ratio * t);
    out[i] += amplitude * envelope * value;
  }
}

Samples chime() {
  Samples out(static_cast<std::size_t>(0.9 * kSampleRate), 0.0);
  addBell(out, 0.0, 783.99, 1.0);    // G5
  addBell(out, 0.14, 1046.50, 0.9);  // C6
  return out;
}

// A sine gliding down an octave and a fifth, with a soft start and end.
Samples fallingTone() {
  constexpr double kLength = 0.45;
  constexpr double kFrom = 880.0;
  constexpr double kTo = 293.66;
  constexpr double kFade = 0.03;
  Samples out(static_cast<std::size_t>(kLength * kSampleRate), 0.0);
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double frequency = kFrom * std::pow(kTo / kFrom, t / kLength);
    const double envelope = std::min({1.0, t / kFade, (kLength - t) / kFade});
    out[i] = envelope * (std::sin(phase) + 0.2 * std::sin(2.0 * phase));
    phase = std::fmod(phase + kTwoPi * frequency / kSampleRate, kTwoPi);
  }
  return out;
}

// The samples scaled to kPeak and faded to silence at both ends, so that the cue starts and stops without a click.
std::vector<std::int16_t> toPcm(Samples samples) {
  double peak = 0.0;
  for (const double s : samples) peak = std::max(peak, std::abs(s));
  const double scale = peak > 0.0 ? kPeak * 32767.0 / peak : 0.0;
  constexpr std::size_t kEdge = kSampleRate / 200;  // 5 ms
  std::vector<std::int16_t> pcm(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t fromEdge = std::min(i, samples.size() - 1 - i);
    const double edge = fromEdge < kEdge ? static_cast<double>(fromEdge) / kEdge : 1.0;
    pcm[i] = static_cast<std::int16_t>(std::lround(samples[i] * scale * edge));
  }
  return pcm;
}

void putLittleEndian(std::vector<char>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putTag(std::vector<char>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

bool writeWave(const char* path, const std::vector<std::int16_t>& pcm) {
  constexpr std::uint32_t kChannels = 1;
  constexpr std::uint32_t kBits = 16;
  constexpr std::uint32_t kBlockAlign = kChannels * kBits / 8;
  const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * kBlockAlign);

  std::vector<char> file;
  putTag(file, "RIFF");
  putLittleEndian(file, 36 + dataBytes, 4);
  putTag(file, "WAVE");
  putTag(file, "fmt ");
  putLittleEndian(file, 16, 4);  // fmt chunk size
  putLittleEndian(file, 1, 2);   // PCM
  putLittleEndian(file, kChannels, 2);
  putLittleEndian(file, kSampleRate, 4);
  putLittleEndian(file, kSampleRate * kBlockAlign, 4);
  putLittleEndian(file, kBlockAlign, 2);
  putLittleEndian(file, kBits, 2);
  putTag(file, "data");
  putLittleEndian(file, dataBytes, 4);
  for (const std::int16_t sample : pcm) putLittleEndian(file, static_cast<std::uint16_t>(sample), 2);

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <report cue> <exit cue>\n", argv[0]);
    return 2;
  }
  if (!writeWave(argv[1], toPcm(chime())) || !writeWave(argv[2], toPcm(fallingTone()))) {
    std::fprintf(stderr, "%s: cannot write the sound cues\n", argv[0]);
    return 1;
  }
  return 0;
}
