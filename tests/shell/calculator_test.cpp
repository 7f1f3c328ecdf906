#include "shell/calculator.h"

#include <gtest/gtest.h>

#include <QMap>

#include <utility>

#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

class FakeLauncher final : public ProgramLauncher {
 public:
  explicit FakeLauncher(QMap<QString, QString> onPath, bool startSucceeds = true)
      : onPath_(std::move(onPath)), startSucceeds_(startSucceeds) {}

  QString findExecutable(const QString& name) const override { return onPath_.value(name); }
  bool startDetached(const QString& program) override {
    started.append(program);
    return startSucceeds_;
  }

  QStringList started;

 private:
  QMap<QString, QString> onPath_;
  bool startSucceeds_;
};

struct CalculatorCase {
  const char* name;
  QMap<QString, QString> onPath;
  QStringList expectedStarts;
  friend void PrintTo(const CalculatorCase& c, std::ostream* out) { *out << c.name; }
};

class CalculatorTest : public ::testing::TestWithParam<CalculatorCase> {};

#ifdef Q_OS_WIN
// Windows' own calculator, in the system folder that "windir" names.
TEST(CalculatorTest, StartsTheSystemCalculator) {
  FakeLauncher launcher({});
  EXPECT_TRUE(startCalculator(launcher));
  EXPECT_EQ(launcher.started, QStringList{qEnvironmentVariable("windir") + QStringLiteral("\\System32\\calc.exe")});
}
#else
TEST_P(CalculatorTest, StartsTheFirstCalculatorFoundOnly) {
  FakeLauncher launcher(GetParam().onPath);
  EXPECT_EQ(startCalculator(launcher), !GetParam().expectedStarts.isEmpty());  // none: the caller tells the user
  EXPECT_EQ(launcher.started, GetParam().expectedStarts) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Path, CalculatorTest,
    ::testing::Values(
        CalculatorCase{"none", {}, {}}, CalculatorCase{"unknown ones only", {{"bc", "/usr/bin/bc"}}, {}},
        CalculatorCase{"the last choice", {{"xcalc", "/usr/bin/xcalc"}}, {"/usr/bin/xcalc"}},
        CalculatorCase{
            "preference order", {{"xcalc", "/usr/bin/xcalc"}, {"kcalc", "/opt/kde/kcalc"}}, {"/opt/kde/kcalc"}},
        CalculatorCase{"gnome first",
                       {{"gnome-calculator", "/usr/bin/gnome-calculator"}, {"mate-calc", "/usr/bin/mate-calc"}},
                       {"/usr/bin/gnome-calculator"}}));

TEST(CalculatorTest, AFailedStartIsNotRetriedElsewhere) {
  FakeLauncher launcher({{"kcalc", "/usr/bin/kcalc"}, {"xcalc", "/usr/bin/xcalc"}}, false);
  EXPECT_FALSE(startCalculator(launcher));
  EXPECT_EQ(launcher.started, QStringList{"/usr/bin/kcalc"});
}
#endif

TEST(CalculatorTest, SystemLauncherSearchesPath) {
  const SystemProgramLauncher launcher;
#ifdef Q_OS_WIN
  EXPECT_FALSE(launcher.findExecutable(QStringLiteral("cmd")).isEmpty());
#else
  EXPECT_FALSE(launcher.findExecutable(QStringLiteral("sh")).isEmpty());
#endif
  EXPECT_TRUE(launcher.findExecutable(QStringLiteral("no-such-calculator-here")).isEmpty());
}

}  // namespace
}  // namespace kamerol::shell
