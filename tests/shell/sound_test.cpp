#include "shell/sound.h"
#include "shell/wave_file.h"
#ifdef KAMEROL_HAVE_SOUND_MODULE
#include "shell/qt_sound_player.h"
#endif

#include <gtest/gtest.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "tests/shell/test_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kamerol::shell {
namespace {

class RecordingPlayer final : public SoundPlayer {
 public:
  void playAndWait(const QString& path) override { played.append(path); }
  QStringList played;
};

struct CueCase {
  int sound;
  bool reportPlays;
  bool closePlays;
  friend void PrintTo(const CueCase& c, std::ostream* out) { *out << "sound setting " << c.sound; }
};

class SoundCuesTest : public ::testing::TestWithParam<CueCase> {};

TEST_P(SoundCuesTest, EachCueFollowsItsCondition) {
  RecordingPlayer player;
  AppSettings settings;
  settings.sound = GetParam().sound;
  const SoundCues cues(player, settings, QStringLiteral("/opt/kamerol"));

  cues.reportShown();
  EXPECT_EQ(player.played, GetParam().reportPlays ? QStringList{"/opt/kamerol/Aldfd.lts"} : QStringList{});
  player.played.clear();
  cues.formClosing();
  EXPECT_EQ(player.played, GetParam().closePlays ? QStringList{"/opt/kamerol/Fcmcs.trc"} : QStringList{});
  player.played.clear();
  cues.exitCommand();
  EXPECT_EQ(player.played, QStringList{"/opt/kamerol/Fcmcs.trc"});
}

// The report sound needs exactly 1; the closing sound anything but 0; "Выход" plays always.
INSTANTIATE_TEST_SUITE_P(SoundSetting, SoundCuesTest,
                         ::testing::Values(CueCase{1, true, true}, CueCase{0, false, false}, CueCase{2, false, true},
                                           CueCase{-1, false, true}));

TEST(SoundCuesTest, FollowsASettingChangedAfterStartUp) {
  RecordingPlayer player;
  AppSettings settings;
  const SoundCues cues(player, settings, QStringLiteral("/opt/kamerol"));
  settings.sound = 0;
  cues.reportShown();
  cues.formClosing();
  EXPECT_TRUE(player.played.isEmpty());
}

TEST(SoundPlayerTest, AlertPlayerOnlyAlerts) {
  int alerts = 0;
  AlertSoundPlayer player([&alerts] { ++alerts; });
  player.playAndWait(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Aldfd.lts"));
  EXPECT_EQ(alerts, 1);
  EXPECT_NE(createSoundPlayer(), nullptr);
}

TEST(SoundModuleTest, WithoutTheModuleEveryCueIsTheAlert) {
  QTemporaryDir empty;
  int alerts = 0;
  const std::function<void()> alert = [&alerts] { ++alerts; };
  EXPECT_EQ(loadSoundModule({empty.path(), empty.filePath("missing")}, alert), nullptr);
  ModuleSoundPlayer player({empty.path()}, alert);
  player.playAndWait(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Aldfd.lts"));
  player.playAndWait(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Fcmcs.trc"));
  EXPECT_EQ(alerts, 2);
}

TEST(SoundModuleTest, FoldersAreBesideTheProgramThenItsLibraryFolder) {
  const QStringList folders = soundModuleFolders(QStringLiteral("/opt/kamerol/bin"));
  ASSERT_EQ(folders.size(), 2);
  EXPECT_EQ(folders[0], QStringLiteral("/opt/kamerol/bin"));
  EXPECT_TRUE(folders[1].startsWith(QStringLiteral("/opt/kamerol/"))) << folders[1].toStdString();
  EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/kamerol"))) << folders[1].toStdString();
}

#ifdef KAMEROL_HAVE_SOUND_MODULE
TEST(SoundModuleTest, ModuleIsFoundInTheSecondFolderAndGivesItsAlert) {
  QTemporaryDir empty;
  int alerts = 0;
  const std::function<void()> alert = [&alerts] { ++alerts; };
  const std::unique_ptr<SoundPlayer> player =
      loadSoundModule({empty.path(), QStringLiteral(KAMEROL_SOUND_MODULE_FOLDER)}, alert);
  ASSERT_NE(player, nullptr);
  player->playAndWait(empty.filePath("missing.lts"));  // the module's player, with our alert
  EXPECT_EQ(alerts, 1);
}
#endif

#if defined(KAMEROL_HAVE_SOUND_MODULE) && !defined(_WIN32)
// With no sound server to reach, the module's first cue gives the alert and
// leaves standard error as it was. Under ctest each test runs in a process of
// its own, so Qt Multimedia starts here.
TEST(SoundModuleTest, NoSoundServerLeavesStandardErrorQuiet) {
  qputenv("PULSE_SERVER", "unix:/nonexistent/kamerol-sound-test");
  QTemporaryDir scratch;
  const QByteArray log = QFile::encodeName(scratch.filePath("stderr.txt"));
  std::fflush(stderr);
  const int saved = ::dup(2);
  const int file = ::open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(file, 0);
  ::dup2(file, 2);
  ::close(file);
  const std::unique_ptr<SoundPlayer> player = loadSoundModule({QStringLiteral(KAMEROL_SOUND_MODULE_FOLDER)}, [] {});
  if (player) player->playAndWait(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Fcmcs.trc"));
  std::fflush(stderr);
  ::dup2(saved, 2);
  ::close(saved);
  ASSERT_NE(player, nullptr);
  QFile written(QFile::decodeName(log));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().toStdString(), "");
}
#endif

#ifdef KAMEROL_HAVE_SOUND_MODULE
class QtSoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch.isValid()); }

  // Plays `path` and returns how long the call took, in milliseconds.
  qint64 timedPlay(const QString& path) {
    QtSoundPlayer player(std::chrono::milliseconds(1500), [this] { ++alerts; });
    QElapsedTimer timer;
    timer.start();
    player.playAndWait(path);
    return timer.elapsed();
  }

  QTemporaryDir scratch;
  int alerts = 0;
};

TEST_F(QtSoundPlayerTest, MissingFileGivesTheAlertAtOnce) {
  EXPECT_LT(timedPlay(scratch.filePath("missing.lts")), 500);
  EXPECT_EQ(alerts, 1);
}

TEST_F(QtSoundPlayerTest, FileThatIsNoWaveGivesTheAlert) {
  QFile file(scratch.filePath("broken.lts"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is not a wave file");
  file.close();
  EXPECT_LT(timedPlay(file.fileName()), 2500);
  EXPECT_EQ(alerts, 1);
}

TEST_F(QtSoundPlayerTest, CueReturnsWithinTheLimitWithOrWithoutAnAudioDevice) {
  EXPECT_LT(timedPlay(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Fcmcs.trc")), 2500);
  EXPECT_LE(alerts, 1);
}
#endif

// The wave reader.

// A wave file: the header chunks, then a data chunk with `dataBytes` bytes (whose size field says `claimed`).
QByteArray waveFile(quint16 format, quint16 channels, quint32 rate, quint16 bits, qsizetype dataBytes,
                    qsizetype claimed = -1, bool extensible = false) {
  const auto put = [](QByteArray& out, quint32 value, int size) {
    for (int i = 0; i < size; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  QByteArray fmt;
  put(fmt, extensible ? 0xFFFE : format, 2);
  put(fmt, channels, 2);
  put(fmt, rate, 4);
  put(fmt, rate * channels * bits / 8, 4);
  put(fmt, channels * bits / 8, 2);
  put(fmt, bits, 2);
  if (extensible) {
    put(fmt, 22, 2);
    put(fmt, bits, 2);
    put(fmt, 0, 4);
    put(fmt, format, 2);
    fmt.append(14, '\x11');  // the rest of the subformat GUID
  }
  QByteArray body = "WAVE";
  body += "LIST";  // a chunk to skip, of odd length
  put(body, 3, 4);
  body += "abc";
  body += '\0';
  body += "fmt ";
  put(body, static_cast<quint32>(fmt.size()), 4);
  body += fmt;
  body += "data";
  put(body, static_cast<quint32>(claimed < 0 ? dataBytes : claimed), 4);
  body += QByteArray(dataBytes, '\x01');
  QByteArray file = "RIFF";
  put(file, static_cast<quint32>(body.size()), 4);
  return file + body;
}

struct WaveCase {
  const char* name;
  QByteArray file;
  bool readable;
  int samplesBytes;
  friend void PrintTo(const WaveCase& c, std::ostream* out) { *out << c.name; }
};

class ParseWaveTest : public ::testing::TestWithParam<WaveCase> {};

TEST_P(ParseWaveTest, ReadsUncompressedWavesOnly) {
  const std::optional<WaveSound> wave = parseWave(GetParam().file);
  ASSERT_EQ(wave.has_value(), GetParam().readable);
  if (wave) {
    EXPECT_EQ(wave->samples.size(), GetParam().samplesBytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ParseWaveTest,
                         ::testing::Values(WaveCase{"pcm16 mono", waveFile(1, 1, 22050, 16, 100), true, 100},
                                           WaveCase{"pcm8 stereo", waveFile(1, 2, 8000, 8, 10), true, 10},
                                           WaveCase{"float", waveFile(3, 2, 48000, 32, 64), true, 64},
                                           WaveCase{"extensible pcm", waveFile(1, 2, 44100, 16, 40, -1, true), true,
                                                    40},
                                           WaveCase{"partial last frame", waveFile(1, 2, 22050, 16, 10), true, 8},
                                           WaveCase{"data cut short", waveFile(1, 1, 22050, 16, 100, 1000), true, 100},
                                           WaveCase{"compressed", waveFile(2, 1, 22050, 4, 100), false, 0},
                                           WaveCase{"24 bits", waveFile(1, 1, 22050, 24, 99), false, 0},
                                           WaveCase{"no channels", waveFile(1, 0, 22050, 16, 100), false, 0},
                                           WaveCase{"no samples", waveFile(1, 1, 22050, 16, 0), false, 0},
                                           WaveCase{"not RIFF", QByteArray("RIFX\0\0\0\0WAVE"), false, 0},
                                           WaveCase{"header only", waveFile(1, 1, 22050, 16, 100).left(20), false, 0},
                                           WaveCase{"empty", QByteArray(), false, 0}));

// The cue files the build synthesises.

std::vector<std::int16_t> samples16(const WaveSound& wave) {
  std::vector<std::int16_t> samples;
  for (qsizetype i = 0; i + 1 < wave.samples.size(); i += 2) {
    samples.push_back(static_cast<std::int16_t>(static_cast<quint8>(wave.samples[i]) |
                                                (static_cast<quint8>(wave.samples[i + 1]) << 8)));
  }
  return samples;
}

// Sign changes per second within [from, to) seconds: a measure of the pitch.
double crossingsPerSecond(const std::vector<std::int16_t>& samples, int rate, double from, double to) {
  const auto first = static_cast<std::size_t>(from * rate);
  const auto last = std::min(samples.size(), static_cast<std::size_t>(to * rate));
  int crossings = 0;
  for (std::size_t i = first + 1; i < last; ++i) {
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
  }
  return crossings / (to - from);
}

struct CueFileCase {
  const char* name;
  double minSeconds;
  double maxSeconds;
  friend void PrintTo(const CueFileCase& c, std::ostream* out) { *out << c.name; }
};

class CueFileTest : public ::testing::TestWithParam<CueFileCase> {};

TEST_P(CueFileTest, IsAShortCleanMonoPcmWave) {
  const std::optional<WaveSound> wave = readWaveFile(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/") + GetParam().name);
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(wave->sampleType, WaveSound::SampleType::kSigned16);
  EXPECT_EQ(wave->channels, 1);
  EXPECT_GE(wave->sampleRate, 22050);
  EXPECT_GE(wave->seconds(), GetParam().minSeconds);
  EXPECT_LE(wave->seconds(), GetParam().maxSeconds);

  const std::vector<std::int16_t> samples = samples16(*wave);
  int peak = 0;
  for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 32767 / 4) << "audible";
  EXPECT_LT(peak, 32767 * 9 / 10) << "not clipped";
  EXPECT_LT(std::abs(samples.front()), 328) << "no click at the start";
  EXPECT_LT(std::abs(samples.back()), 328) << "no click at the end";
}

INSTANTIATE_TEST_SUITE_P(Cues, CueFileTest,
                         ::testing::Values(CueFileCase{"Aldfd.lts", 0.4, 1.5}, CueFileCase{"Fcmcs.trc", 0.2, 1.0}));

TEST(CueFileTest, ExitCueFalls) {
  const std::optional<WaveSound> wave = readWaveFile(QStringLiteral(KAMEROL_SOUND_CUE_DIR "/Fcmcs.trc"));
  ASSERT_TRUE(wave.has_value());
  const std::vector<std::int16_t> samples = samples16(*wave);
  const double length = wave->seconds();
  EXPECT_GT(crossingsPerSecond(samples, wave->sampleRate, 0.0, length / 4),
            1.5 * crossingsPerSecond(samples, wave->sampleRate, 3 * length / 4, length));
}

}  // namespace
}  // namespace kamerol::shell
