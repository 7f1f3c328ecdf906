#include "shell/calculator.h"

#include <QProcess>
#include <QStandardPaths>

namespace kamerol::shell {

QString SystemProgramLauncher::findExecutable(const QString& name) const {
  return QStandardPaths::findExecutable(name);
}

bool SystemProgramLauncher::startDetached(const QString& program) { return QProcess::startDetached(program, {}); }

QStringList calculatorCandidates() {
  return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("mate-calc"),
          QStringLiteral("galculator"),       QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QString findCalculator(const ProgramLauncher& launcher) {
#ifdef Q_OS_WIN
  Q_UNUSED(launcher);
  return qEnvironmentVariable("windir") + QStringLiteral("\\System32\\calc.exe");
#else
  for (const QString& name : calculatorCandidates()) {
    const QString path = launcher.findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return QString();
#endif
}

bool startCalculator(ProgramLauncher& launcher) {
  const QString calculator = findCalculator(launcher);
  return !calculator.isEmpty() && launcher.startDetached(calculator);
}

bool startCalculator() {
  SystemProgramLauncher launcher;
  return startCalculator(launcher);
}

}  // namespace kamerol::shell
