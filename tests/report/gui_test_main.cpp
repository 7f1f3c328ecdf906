// main() of the report's Qt test suites: the tests need a (GUI) application
// object for fonts and widgets; without a display they run offscreen.

#include <gtest/gtest.h>

#include "tests/test_platform.h"

#ifdef KAMEROL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char* argv[]) {
  kamerol::testing_support::chooseTestPlatform();
  ::testing::InitGoogleTest(&argc, argv);
  TestApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
