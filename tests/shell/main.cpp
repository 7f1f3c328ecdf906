// The shell suites need a QApplication, so they bring their own main.

#include <gtest/gtest.h>

#include "tests/test_platform.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // ctest runs the suites on the offscreen platform; so does test discovery, which runs without that setting.
  kamerol::testing_support::chooseTestPlatform();

  // The settings store and the file association write into the user's folders: point them at a scratch
  // folder before Qt reads the variables.
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());

  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
