// Writes the report of the engine's worked example to a PDF, to look at the
// layout: report-preview OUT.pdf [--no-logo] [--analysis FILE.tpl]
// then, for instance, pdftoppm -png -r 100 OUT.pdf preview.
// --analysis reports the calculation FILE instead, with its trace, checks and
// sensitivity pages.

#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "analysis/checks.h"
#include "analysis/sensitivity.h"
#include "document/startup.h"
#include "report/report_export.h"
#include "report/report_painter.h"
#include "report/report_sample.h"

namespace {

class IgnoredMessages : public kamerol::MessageSink {
 public:
  void showMessage(const kamerol::Message&) override {}
};

kamerol::WriteResult writeAnalysedReport(const std::filesystem::path& file, bool showLogo,
                                         const std::filesystem::path& out) {
  IgnoredMessages messages;
  kamerol::CalculationForm form(messages, kamerol::NumberLocale::point());
  if (!kamerol::startCalculation(form, file, messages)) return {};
  kamerol::ReportPage page = kamerol::buildReportPage(form.record(), showLogo);
  page.trace = kamerol::buildTrace(form.inputs(), form.heatLoad());
  page.checks.emplace();
  for (const kamerol::CheckFinding& finding : kamerol::checkCalculation(form)) page.checks->push_back(finding.text);
  page.sensitivity = kamerol::buildSensitivityChart(kamerol::analyseSensitivity(form));
  return kamerol::writeReportPdf(page, out);
}

}  // namespace

int main(int argc, char* argv[]) {
  // A preview needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QStringList args = QCoreApplication::arguments().mid(1);
  const bool showLogo = !args.removeAll(QStringLiteral("--no-logo"));
  QString analysed;
  if (const qsizetype at = args.indexOf(QStringLiteral("--analysis")); at >= 0 && at + 1 < args.size()) {
    analysed = args.takeAt(at + 1);
    args.removeAt(at);
  }
  if (args.size() != 1) {
    std::fputs("usage: report-preview OUT.pdf [--no-logo] [--analysis FILE.tpl]\n", stderr);
    return 2;
  }
  const std::filesystem::path out = QFileInfo(args.front()).filesystemFilePath();
  kamerol::CalculationRecord record = kamerol::workedExampleRecord();
  record.inputs.clientInfo = "ООО \"Север\", г. Мурманск, тел. 8 (8152) 00-00-00";
  const kamerol::WriteResult written =
      analysed.isEmpty() ? kamerol::exportReportPdf(record, showLogo, out)
                         : writeAnalysedReport(QFileInfo(analysed).filesystemFilePath(), showLogo, out);
  if (!written) {
    std::fprintf(stderr, "report-preview: cannot write %s\n", qPrintable(args.front()));
    return 1;
  }
  return 0;
}
