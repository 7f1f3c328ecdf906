#include "shell/settings_store.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include "shell/settings_dialog.h"
#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

struct SwitchCase {
  const char* stored;  // nullptr: absent
  int expected;
  friend void PrintTo(const SwitchCase& c, std::ostream* out) { *out << (c.stored ? c.stored : "(absent)"); }
};

class ReadSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ReadSwitchTest, NonIntegersCountAsTheDefault) {
  MemorySettingsStore store;
  if (GetParam().stored != nullptr) store.write(QLatin1String(kSoundKey), QString::fromUtf8(GetParam().stored));
  EXPECT_EQ(readSwitch(store, QLatin1String(kSoundKey)), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, ReadSwitchTest,
                         ::testing::Values(SwitchCase{nullptr, 1}, SwitchCase{"0", 0}, SwitchCase{"1", 1},
                                           SwitchCase{"2", 2}, SwitchCase{"-1", -1}, SwitchCase{"", 1},
                                           SwitchCase{"yes", 1}, SwitchCase{"1.0", 1}, SwitchCase{"0x0", 1},
                                           SwitchCase{"70000", 1}));

TEST(AppSettingsTest, EmptyStoreGivesSoundAndLogoOnTheChartOffAndTheProgramFolder) {
  const MemorySettingsStore store;
  const AppSettings settings = readAppSettings(store, QStringLiteral("/opt/kamerol"));
  EXPECT_EQ(settings.sound, 1);
  EXPECT_EQ(settings.logo, 1);
  EXPECT_EQ(settings.chartInReport, 0);
  EXPECT_EQ(settings.traceInReport, 0);
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/opt/kamerol"));
}

TEST(AppSettingsTest, StoredValuesAreRead) {
  MemorySettingsStore store;
  store.write(QStringLiteral("1232"), QStringLiteral("0"));
  store.write(QStringLiteral("1229"), QStringLiteral("0"));
  store.write(QStringLiteral("P"), QStringLiteral("/home/engineer/Расчеты"));
  store.write(QStringLiteral("Chart"), QStringLiteral("1"));
  store.write(QStringLiteral("Trace"), QStringLiteral("1"));
  const AppSettings settings = readAppSettings(store, QStringLiteral("/opt/kamerol"));
  EXPECT_EQ(settings.sound, 0);
  EXPECT_EQ(settings.logo, 0);
  EXPECT_EQ(settings.chartInReport, 1);
  EXPECT_EQ(settings.traceInReport, 1);
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/home/engineer/Расчеты"));
}

TEST(RecentFilesTest, LatestFirstOnceEightAtMostAndMissingOnesDropped) {
  QTemporaryDir dir;
  QStringList files{QString()};  // files[n] is "n.tpl"
  for (int n = 1; n <= 10; ++n) {
    files << QDir::toNativeSeparators(dir.filePath(QStringLiteral("%1.tpl").arg(n)));
    QFile(files.back()).open(QIODevice::WriteOnly);
  }
  MemorySettingsStore store;
  for (int n = 1; n <= 10; ++n) rememberRecentFile(store, files[n]);
  rememberRecentFile(store, files[5]);  // again: to the top, once
  QStringList expected{files[5], files[10], files[9], files[8], files[7], files[6], files[4], files[3]};
  EXPECT_EQ(readRecentFiles(store), expected);
  QFile::remove(files[10]);
  expected.removeAll(files[10]);
  EXPECT_EQ(readRecentFiles(store), expected);
}

// In the user's own store: a file under XDG_CONFIG_HOME, the registry under HKEY_CURRENT_USER on Windows.
TEST(QSettingsStoreTest, RoundTripsUnderTheProgramsSectionInTheUsersStore) {
  const QString application = QStringLiteral("kamerol-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  {
    QSettingsStore store(application);
    EXPECT_EQ(store.read(QStringLiteral("P"), QStringLiteral("default")), QStringLiteral("default"));
    store.write(QStringLiteral("P"), QStringLiteral("/data/Расчеты холод"));
    store.write(QStringLiteral("1232"), QStringLiteral("0"));
  }
  const QSettingsStore reopened(application);
  EXPECT_EQ(reopened.read(QStringLiteral("P"), QString()), QStringLiteral("/data/Расчеты холод"));
  EXPECT_EQ(readSwitch(reopened, QStringLiteral("1232")), 0);
  EXPECT_EQ(readSwitch(reopened, QStringLiteral("1229")), 1);

#ifdef Q_OS_WIN
  const QSettings registry(
      QStringLiteral("HKEY_CURRENT_USER\\Software\\Kamerol\\") + application + QStringLiteral("\\6142"),
      QSettings::NativeFormat);
  EXPECT_EQ(registry.value(QStringLiteral("1232")).toString(), QStringLiteral("0"));
  QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Kamerol"), QSettings::NativeFormat).remove(application);
#else
  QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Kamerol/") + application +
             QStringLiteral(".conf"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("[6142]"));
#endif
}

TEST(QSettingsStoreTest, IsNamedAfterTheExecutable) {
  EXPECT_EQ(QSettingsStore().applicationName(), QStringLiteral("shell_tests"));
}

// The settings dialog.

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialog* open() {
    dialog = SettingsDialog::open(store, settings, &form);
    return dialog;
  }
  QCheckBox* logoBox() const { return dialog->findChild<QCheckBox*>(QStringLiteral("Check1")); }
  QCheckBox* soundBox() const { return dialog->findChild<QCheckBox*>(QStringLiteral("Check2")); }
  QPushButton* okButton() const { return dialog->findChild<QPushButton*>(QStringLiteral("OKButton")); }

  FakeForm form;
  MemorySettingsStore store;
  AppSettings settings{.sound = 7, .logo = 7, .calculationsFolder = {}};
  QPointer<SettingsDialog> dialog;
};

TEST_F(SettingsDialogTest, ShowsItsCaptionsAndDisablesTheForm) {
  open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Настройка"));
  ASSERT_NE(logoBox(), nullptr);
  ASSERT_NE(soundBox(), nullptr);
  ASSERT_NE(okButton(), nullptr);
  EXPECT_EQ(logoBox()->text(), QStringLiteral("Печатать Лого"));
  EXPECT_EQ(soundBox()->text(), QStringLiteral("Звуковое оформление"));
  EXPECT_EQ(okButton()->text(), QStringLiteral("OK"));
  EXPECT_LT(logoBox()->y(), soundBox()->y());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_FALSE(form.isEnabled());
  EXPECT_TRUE(dialog->isEnabled());
}

struct OpeningCase {
  const char* logo;  // nullptr: absent
  const char* sound;
  int logoSetting;
  int soundSetting;
  bool logoTicked;
  bool soundTicked;
  friend void PrintTo(const OpeningCase& c, std::ostream* out) {
    *out << "logo " << (c.logo ? c.logo : "(absent)") << ", sound " << (c.sound ? c.sound : "(absent)");
  }
};

class SettingsDialogOpeningTest : public SettingsDialogTest, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(SettingsDialogOpeningTest, ReadsTheStoreIntoMemoryAndTicksWhatIsOne) {
  const OpeningCase& c = GetParam();
  if (c.logo != nullptr) store.write(QStringLiteral("1229"), QString::fromUtf8(c.logo));
  if (c.sound != nullptr) store.write(QStringLiteral("1232"), QString::fromUtf8(c.sound));
  open();
  EXPECT_EQ(settings.logo, c.logoSetting);
  EXPECT_EQ(settings.sound, c.soundSetting);
  EXPECT_EQ(logoBox()->isChecked(), c.logoTicked);
  EXPECT_EQ(soundBox()->isChecked(), c.soundTicked);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, SettingsDialogOpeningTest,
                         ::testing::Values(OpeningCase{nullptr, nullptr, 1, 1, true, true},
                                           OpeningCase{"0", "1", 0, 1, false, true},
                                           OpeningCase{"1", "0", 1, 0, true, false},
                                           OpeningCase{"2", "x", 2, 1, false, true}));

TEST_F(SettingsDialogTest, OkStoresBothSwitchesLogoFirstAndCloses) {
  open();
  logoBox()->setChecked(false);
  okButton()->click();
  EXPECT_EQ(settings.logo, 0);
  EXPECT_EQ(settings.sound, 1);
  EXPECT_EQ(store.writtenKeys(), QStringList({QStringLiteral("1229"), QStringLiteral("1232")}));
  EXPECT_EQ(store.read(QStringLiteral("1229"), QString()), QStringLiteral("0"));
  EXPECT_EQ(store.read(QStringLiteral("1232"), QString()), QStringLiteral("1"));
  EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.isNull(); }));
  EXPECT_TRUE(form.isEnabled());
}

TEST_F(SettingsDialogTest, OkWritesOneForAStoredTwoThatStaysTicked) {
  store.write(QStringLiteral("1232"), QStringLiteral("2"));
  open();
  soundBox()->setChecked(true);
  okButton()->click();
  EXPECT_EQ(settings.sound, 1);
  EXPECT_EQ(store.read(QStringLiteral("1232"), QString()), QStringLiteral("1"));
}

TEST_F(SettingsDialogTest, CloseBoxSavesNothingAndKeepsTheValuesRead) {
  open();
  logoBox()->setChecked(false);
  soundBox()->setChecked(false);
  dialog->close();
  EXPECT_TRUE(store.writtenKeys().isEmpty());
  EXPECT_EQ(settings.logo, 1);
  EXPECT_EQ(settings.sound, 1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.isNull(); }));
  EXPECT_TRUE(form.isEnabled());
}

TEST_F(SettingsDialogTest, EscapeActsAsTheCloseBox) {
  open();
  soundBox()->setChecked(false);
  QTest::keyClick(dialog, Qt::Key_Escape);
  EXPECT_TRUE(store.writtenKeys().isEmpty());
  EXPECT_EQ(settings.sound, 1);
  EXPECT_TRUE(form.isEnabled());
}

}  // namespace
}  // namespace kamerol::shell
