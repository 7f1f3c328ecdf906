#include "report/default_printer.h"

#ifdef KAMEROL_PRINT_MODULE
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>
#else
#include "report/report_print.h"
#endif

namespace kamerol {

#ifdef KAMEROL_PRINT_MODULE

using PrintModuleEntry = const DefaultPrinter* (*)();

// Beside the program (as built), then in its library folder (as installed).
const DefaultPrinter* defaultPrinter() {
  static const DefaultPrinter* const printer = []() -> const DefaultPrinter* {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& folder :
         {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(KAMEROL_PRINT_MODULE_DIR)))}) {
      QLibrary module(QDir(folder).filePath(QStringLiteral(KAMEROL_PRINT_MODULE)));
      if (!module.load()) continue;  // stays loaded until the program ends
      if (const auto entry = reinterpret_cast<PrintModuleEntry>(module.resolve("kamerolDefaultPrinter")))
        return entry();
    }
    return nullptr;
  }();
  return printer;
}

#else

const DefaultPrinter* defaultPrinter() { return printSupportPrinter(); }

#endif

}  // namespace kamerol
