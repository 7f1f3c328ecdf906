// kamerol-cli: the calculation without a display (see app/cli.h). The tool
// itself uses no toolkit; the report's Qt part is loaded for `report` only.

#include <iostream>

#include "app/cli.h"
#include "app/cli_qt_part.h"
#include "app/console.h"
#include "app/system_number_locale.h"
#include "platform/program_module.h"

namespace {

#ifdef KAMEROL_CLI_QT_MODULE
const kamerol::CliQtPart* loadQtPart() {
  const std::filesystem::path folder = kamerol::programFolder();
  // Beside the tool as built, in the library folder as installed.
  const auto entry = reinterpret_cast<kamerol::CliQtPartEntry>(
      kamerol::loadModuleEntry({folder, folder / KAMEROL_MODULE_DIR}, KAMEROL_CLI_QT_MODULE, kamerol::kCliQtPartEntry));
  if (!entry) std::cerr << "kamerol-cli: cannot load " << KAMEROL_CLI_QT_MODULE << '\n';
  return entry ? entry() : nullptr;
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
  kamerol::useUtf8Streams();
  kamerol::bufferStandardOutput();
  const std::vector<std::string> args = kamerol::utf8Arguments(argc, argv);
  kamerol::CliContext context{kamerol::systemNumberLocale(), std::cout, std::cerr, {}, {}, {}};
#ifdef KAMEROL_CLI_QT_MODULE
  context.writeReportPdf = [](const kamerol::CalculationRecord& record, bool showLogo, bool withChart,
                              const std::optional<kamerol::CalculationTrace>& trace,
                              const std::filesystem::path& path) {
    const kamerol::CliQtPart* part = loadQtPart();
    return part ? part->writeReportPdf(record, showLogo, withChart, trace ? &*trace : nullptr, path)
                : kamerol::WriteResult{};
  };
  context.writeChart = [](const kamerol::CalculationRecord& record, const std::filesystem::path& path) {
    const kamerol::CliQtPart* part = loadQtPart();
    return part ? part->writeChart(record, path) : kamerol::WriteResult{};
  };
  context.writeReportPages = [](std::span<const kamerol::ReportPage> pages, const std::filesystem::path& path) {
    const kamerol::CliQtPart* part = loadQtPart();
    return part ? part->writeReportPages(pages, path) : kamerol::WriteResult{};
  };
  context.writeSensitivityChart = [](const kamerol::SensitivityAnalysis& analysis, const std::filesystem::path& path) {
    const kamerol::CliQtPart* part = loadQtPart();
    return part ? part->writeSensitivityChart(analysis, path) : kamerol::WriteResult{};
  };
#endif
  return kamerol::runCli(args, context);
}
