// kamerol-cli's Qt part (see cli_qt_part.h): loaded for `report`, `chart`, `project report` and
// `sensitivity -o` only.

#include "app/cli_qt_part.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <iostream>

#include "report/chart_export.h"
#include "report/report_export.h"
#include "report/report_painter.h"

namespace kamerol {
namespace {

// Standard error carries the calculation's messages ("TITLE: TEXT") for
// scripts to read; Qt's own chatter stays out of it unless it is serious.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "kamerol-cli: " << message.toStdString() << '\n';
}

// Drawing needs a Qt application; a headless tool draws on the offscreen platform.
template <typename Draw>
auto withGuiApplication(Draw draw) {
  qInstallMessageHandler(quietQtMessages);
  if (QGuiApplication::instance()) return draw();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "kamerol-cli";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  return draw();
}

WriteResult writeReportPdf(const CalculationRecord& record, bool showLogo, bool withChart,
                           const CalculationTrace* trace, const std::filesystem::path& path) {
  return withGuiApplication([&] { return exportReportPdf(record, showLogo, path, withChart, trace); });
}

WriteResult writeChart(const CalculationRecord& record, const std::filesystem::path& path) {
  return withGuiApplication([&] { return exportGainChart(record, path); });
}

WriteResult writeReportPages(std::span<const ReportPage> pages, const std::filesystem::path& path) {
  return withGuiApplication([&] { return kamerol::writeReportPdf(pages, path); });
}

WriteResult writeSensitivityChart(const SensitivityAnalysis& analysis, const std::filesystem::path& path) {
  return withGuiApplication([&] { return exportSensitivityChart(analysis, path); });
}

constexpr CliQtPart kPart{&writeReportPdf, &writeChart, &writeReportPages, &writeSensitivityChart};

}  // namespace
}  // namespace kamerol

extern "C" Q_DECL_EXPORT const kamerol::CliQtPart* kamerolCliQtPart() { return &kamerol::kPart; }
