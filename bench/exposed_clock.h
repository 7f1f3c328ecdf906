#pragma once

// For the start-up probes: shows a window, waits until it is on the screen and
// painted, and writes the steady clock's reading then, in nanoseconds, to
// standard output. The benchmark read the same clock just before it started the
// probe, so the difference is the start-up time, without the probe's exit.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace kamerol::bench {

inline int showAndReportExposure(QWidget& window) {
  window.show();
  const QDeadlineTimer deadline(std::chrono::seconds(10));
  QTimer wakeUp;  // so that a missing expose cannot block the wait for ever
  wakeUp.start(100);
  while (!window.windowHandle()->isExposed()) {
    if (deadline.hasExpired()) return 1;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  std::printf("%lld\n", static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return 0;
}

}  // namespace kamerol::bench
