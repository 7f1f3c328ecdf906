#pragma once

// The Qt platform the widget suites run on, unless QT_QPA_PLATFORM names one:
// the offscreen one, with no display needed. On Windows the system's own (under
// Wine, on its virtual display): there the offscreen one finds no fonts, and
// Wine does not pass QT_QPA_PLATFORM on.

#include <QByteArray>
#include <QtGlobal>

namespace kamerol::testing_support {

// `screens`, where given, is a configuration file of the offscreen platform
// that gives its screens; the offscreen one is then run on them.
inline void chooseTestPlatform(const char* screens = nullptr) {
#ifndef Q_OS_WIN
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || (screens && platform == "offscreen"))
    qputenv("QT_QPA_PLATFORM", screens ? "offscreen:configfile=" + QByteArray(screens) : QByteArray("offscreen"));
#else
  (void)screens;
#endif
}

}  // namespace kamerol::testing_support
