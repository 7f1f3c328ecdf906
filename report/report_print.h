#pragma once

// Printing the report with Qt Print Support. The desktop program on Linux
// reaches the default printer through the print module (default_printer.h),
// so that neither Qt Print Support nor the printing system's client is loaded
// before the report is first printed.

#include <span>

class QPrinter;

namespace kamerol {

struct DefaultPrinter;
struct ReportPage;

// Prints `page` as one portrait page (two with its chart) on the printer's paper, at full scale
// where it fits the printable area and scaled down where it does not.
// False when the printer cannot start or finish the job, or there is no QGuiApplication.
bool printReportPage(const ReportPage& page, QPrinter& printer);
// Several pages in one job, each with its chart and trace sheets; a page wider
// than high (a project's summary) on a landscape sheet.
bool printReportPages(std::span<const ReportPage> pages, QPrinter& printer);

// Whether the system has a default printer.
bool hasDefaultPrinter();

// Prints `page` on the system's default printer. False when there is none or
// the job fails.
bool printOnDefaultPrinter(const ReportPage& page);
bool printPagesOnDefaultPrinter(std::span<const ReportPage> pages);

// The two above, as the report window reaches them.
const DefaultPrinter* printSupportPrinter();

}  // namespace kamerol
