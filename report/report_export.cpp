#include "report/report_export.h"

#include "report/report_page.h"
#include "report/report_painter.h"

namespace kamerol {

WriteResult exportReportPdf(const CalculationRecord& record, bool showLogo, const std::filesystem::path& path,
                            bool withChart, const CalculationTrace* trace) {
  ReportPage page = buildReportPage(record, showLogo);
  if (withChart) page.chart = buildGainChart(record);
  if (trace) page.trace = *trace;
  return writeReportPdf(page, path);
}

}  // namespace kamerol
