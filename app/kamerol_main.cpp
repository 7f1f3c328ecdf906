// kamerol: the desktop program.

#include <QApplication>

#include "app/desktop_program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kamerol::DesktopProgram program(QCoreApplication::arguments());
  program.window().show();
  return QApplication::exec();
}
