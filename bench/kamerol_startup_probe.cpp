// kamerol_startup_probe: the desktop program as it starts, linked as kamerol
// is, up to its window on the screen.

#include <QApplication>

#include "app/desktop_program.h"
#include "bench/exposed_clock.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kamerol::DesktopProgram program(QCoreApplication::arguments());
  kamerol::bench::showReportExposureAndExit(program.window());
}
