#include "report/default_printer.h"

#ifdef KAMEROL_PRINT_MODULE
#include <filesystem>

#include "platform/program_module.h"
#else
#include "report/report_print.h"
#endif

namespace kamerol {

#ifdef KAMEROL_PRINT_MODULE

using PrintModuleEntry = const DefaultPrinter* (*)();

const DefaultPrinter* defaultPrinter() {
  static const DefaultPrinter* const printer = []() -> const DefaultPrinter* {
    // Beside the program (as built), then in its library folder (as installed).
    const std::filesystem::path folder = programFolder();
    const auto entry = reinterpret_cast<PrintModuleEntry>(
        loadModuleEntry({folder, folder / KAMEROL_PRINT_MODULE_DIR}, KAMEROL_PRINT_MODULE, "kamerolDefaultPrinter"));
    return entry != nullptr ? entry() : nullptr;
  }();
  return printer;
}

#else

const DefaultPrinter* defaultPrinter() { return printSupportPrinter(); }

#endif

}  // namespace kamerol
