#include "report/report_export.h"

#include "report/report_page.h"
#include "report/report_painter.h"

namespace kamerol {

WriteResult exportReportPdf(const CalculationRecord& record, bool showLogo, const std::filesystem::path& path) {
  return writeReportPdf(buildReportPage(record, showLogo), path);
}

}  // namespace kamerol
