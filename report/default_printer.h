#pragma once

// The system's default printer as the report window reaches it. Where Qt is
// a set of shared libraries, Qt Print Support, and the printing system's
// client behind it, come with the print module, loaded the first time the
// report asks for the printer: the program's start loads neither. Where Qt is
// linked in, the functions are the program's own.

#include <span>

namespace kamerol {

struct ReportPage;

struct DefaultPrinter {
  // Whether the system has a default printer.
  bool (*available)();
  // Prints the page on it; false without one or when the job fails.
  bool (*print)(const ReportPage& page);
  // Prints several pages (a project's report) as one job.
  bool (*printPages)(std::span<const ReportPage> pages);
};

// Null where the print module cannot be loaded: then there is no printer.
const DefaultPrinter* defaultPrinter();

}  // namespace kamerol
