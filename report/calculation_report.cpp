#include "report/calculation_report.h"

#include "analysis/checks.h"
#include "analysis/sensitivity.h"
#include "core/trace.h"
#include "report/gain_chart.h"
#include "report/sensitivity_chart.h"

namespace kamerol {

ReportPage buildCalculationReport(const CalculationForm& form, const CalculationReportOptions& options) {
  ReportPage page = buildReportPage(form.record(), options.showLogo);
  if (options.withChart) page.chart = buildGainChart(form.record());
  if (options.withTrace) {
    page.trace = buildTrace(form.inputs(), form.heatLoad());
    page.checks.emplace();
    for (const CheckFinding& finding : checkCalculation(form)) page.checks->push_back(finding.text);
  }
  if (options.withSensitivity) page.sensitivity = buildSensitivityChart(analyseSensitivity(form));
  return page;
}

}  // namespace kamerol
