#pragma once

// The Qt platform the widget suites run on, unless QT_QPA_PLATFORM names one:
// the offscreen one, with no display needed. On Windows the system's own (under
// Wine, on its virtual display): there the offscreen one finds no fonts, and
// Wine does not pass QT_QPA_PLATFORM on.

#include <QByteArray>
#include <QtGlobal>

namespace kamerol::testing_support {

inline void chooseTestPlatform() {
#ifndef Q_OS_WIN
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

}  // namespace kamerol::testing_support
