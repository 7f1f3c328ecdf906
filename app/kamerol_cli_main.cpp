// kamerol-cli: the calculation without a display (see app/cli.h).

#include <QGuiApplication>
#include <QLocale>
#include <QtGlobal>

#include <iostream>
#include <memory>

#include "app/cli.h"
#include "app/number_locale.h"
#include "report/report_export.h"

namespace {

// Standard error carries the calculation's messages ("TITLE: TEXT") for
// scripts to read; Qt's own chatter stays out of it unless it is serious.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "kamerol-cli: " << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  qInstallMessageHandler(quietQtMessages);

  // The report is drawn with Qt; a headless tool needs no display for it.
  std::unique_ptr<QGuiApplication> app;
  const auto needsApplication = [&] { return !args.empty() && args[0] == "report"; };
  if (needsApplication()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }

  kamerol::CliContext context{kamerol::numberLocaleOf(QLocale::system()), std::cout, std::cerr, {}};
  context.writeReportPdf = [](const kamerol::CalculationRecord& record, bool showLogo,
                              const std::filesystem::path& path) {
    return kamerol::exportReportPdf(record, showLogo, path);
  };
  return kamerol::runCli(args, context);
}
