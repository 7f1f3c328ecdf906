#pragma once

// The report of the calculation a form shows, with the sheets the settings
// ask for: the one place that decides what a calculation's report holds, for
// the program's own calculation and for a project's room alike. No toolkit.

#include "form/calculation_form.h"
#include "report/report_page.h"

namespace kamerol {

struct CalculationReportOptions {
  bool showLogo = true;
  bool withChart = false;
  bool withTrace = false;  // the trace with the checks after it
  bool withSensitivity = false;
};

ReportPage buildCalculationReport(const CalculationForm& form, const CalculationReportOptions& options);

}  // namespace kamerol
