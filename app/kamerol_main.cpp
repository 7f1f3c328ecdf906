// kamerol: the desktop program.

#include <QApplication>
#include <QTimer>

#include "app/desktop_program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kamerol::DesktopProgram program(QCoreApplication::arguments());
  program.window().show();
  // What the window shows, for a check from outside (see DesktopProgram::writeCheckFiles).
  if (const QString folder = qEnvironmentVariable("KAMEROL_CHECK_DIR"); !folder.isEmpty())
    QTimer::singleShot(0, &program.window(), [&program, folder] { program.writeCheckFiles(folder); });
  return QApplication::exec();
}
