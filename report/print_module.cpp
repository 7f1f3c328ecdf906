// The print module: Qt Print Support, loaded by the desktop program the first
// time the report asks for the printer.

#include <QtGlobal>

#include "report/report_print.h"

extern "C" Q_DECL_EXPORT const kamerol::DefaultPrinter* kamerolDefaultPrinter() {
  return kamerol::printSupportPrinter();
}
