#include "report/report_export.h"

#include "report/report_page.h"
#include "report/report_painter.h"

namespace kamerol {

bool exportReportPdf(const CalculationRecord& record, bool showLogo, const QString& path) {
  return writeReportPdf(buildReportPage(record, showLogo), path);
}

}  // namespace kamerol
