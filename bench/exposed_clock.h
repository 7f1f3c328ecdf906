#pragma once

// For the start-up probes: shows a window, waits until it is on the screen and
// painted, writes the steady clock's reading then, in nanoseconds, to standard
// output, and ends the process at once. The benchmark read the same clock just
// before it started the probe, so the difference is the start-up time; the
// process's CPU time is the start-up's too, with no tear-down in it.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace kamerol::bench {

[[noreturn]] inline void showReportExposureAndExit(QWidget& window) {
  window.show();
  const QDeadlineTimer deadline(std::chrono::seconds(10));
  QTimer wakeUp;  // so that a missing expose cannot block the wait for ever
  wakeUp.start(100);
  while (!window.windowHandle()->isExposed()) {
    if (deadline.hasExpired()) std::_Exit(1);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  std::printf("%lld\n", static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::fflush(stdout);
  std::_Exit(0);
}

}  // namespace kamerol::bench
