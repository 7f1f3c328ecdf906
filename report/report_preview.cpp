// Writes the report of the engine's worked example to a PDF, to look at the
// layout: report-preview OUT.pdf [--no-logo]
// then, for instance, pdftoppm -png -r 100 OUT.pdf preview

#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "report/report_export.h"
#include "report/report_sample.h"

int main(int argc, char* argv[]) {
  // A preview needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QStringList args = QCoreApplication::arguments().mid(1);
  const bool showLogo = !args.removeAll(QStringLiteral("--no-logo"));
  if (args.size() != 1) {
    std::fputs("usage: report-preview OUT.pdf [--no-logo]\n", stderr);
    return 2;
  }
  kamerol::CalculationRecord record = kamerol::workedExampleRecord();
  record.inputs.clientInfo = "ООО \"Север\", г. Мурманск, тел. 8 (8152) 00-00-00";
  if (!kamerol::exportReportPdf(record, showLogo, QFileInfo(args.front()).filesystemFilePath())) {
    std::fprintf(stderr, "report-preview: cannot write %s\n", qPrintable(args.front()));
    return 1;
  }
  return 0;
}
