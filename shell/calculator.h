#pragma once

#include <QString>
#include <QStringList>

namespace kamerol::shell {

// Finds and starts other programs; a seam for tests.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;

  // The full path of `name` found on PATH, or the empty text.
  virtual QString findExecutable(const QString& name) const = 0;
  // Starts `program` without a shell and without waiting for it. Returns whether it started.
  virtual bool startDetached(const QString& program) = 0;
};

// QStandardPaths::findExecutable and QProcess::startDetached.
class SystemProgramLauncher final : public ProgramLauncher {
 public:
  QString findExecutable(const QString& name) const override;
  bool startDetached(const QString& program) override;
};

// The calculators looked for on PATH, in order of preference (not used on Windows).
QStringList calculatorCandidates();

// The calculator to start: on Windows %windir%\System32\calc.exe, elsewhere the first candidate found on PATH.
// The empty text when there is none.
QString findCalculator(const ProgramLauncher& launcher);

// The menu command "Калькулятор": whether a calculator started. Where none
// did, the caller says so (kNoCalculatorText).
bool startCalculator(ProgramLauncher& launcher);
bool startCalculator();

inline constexpr char kNoCalculatorTitle[] = "Калькулятор";
inline constexpr char kNoCalculatorText[] = "На этом компьютере не найдена программа-калькулятор.";

}  // namespace kamerol::shell
