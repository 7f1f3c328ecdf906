#pragma once

// kamerol-cli: runs and scripts calculations without a display.
//
//   kamerol-cli calc   [FILE.tpl] [--set NAME=TEXT]... [--json] [-o OUT.tpl]
//   kamerol-cli calc   FILE... [--files-from LIST] [--set NAME=TEXT]... (--jsonl | --csv) [--out-dir DIR] [-j N]
//   kamerol-cli report [FILE.tpl] [--set NAME=TEXT]... [--no-logo] [--chart] -o OUT.pdf
//   kamerol-cli chart  [FILE.tpl] [--set NAME=TEXT]... -o OUT.svg|OUT.png
//   kamerol-cli sensitivity [FILE.tpl] [--set NAME=TEXT]... [--json] [-o OUT.svg|OUT.png]
//   kamerol-cli project ... (see cli_project.h)
//
// Exit codes: 0 done, 1 usage error, 2 a file cannot be opened or written,
// 3 the input is not a calculation file.

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "analysis/sensitivity.h"
#include "core/number_text.h"
#include "core/record.h"
#include "core/trace.h"
#include "platform/file_access.h"

namespace kamerol {

struct ReportPage;

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitCannotOpen = 2;
inline constexpr int kExitFormatError = 3;

struct CliContext {
  NumberLocale locale;
  std::ostream& out;
  std::ostream& err;
  // Writes the results report of a record as a PDF, with the trace's pages
  // where there is one; empty where the program was built without the report.
  std::function<WriteResult(const CalculationRecord&, bool showLogo, bool withChart,
                            const std::optional<CalculationTrace>& trace, const std::filesystem::path&)>
      writeReportPdf;
  // Writes the load-breakdown chart of a record as SVG or PNG, by the file's
  // extension; empty where the program was built without it.
  std::function<WriteResult(const CalculationRecord&, const std::filesystem::path&)> writeChart;
  // Writes the sensitivity's tornado chart as SVG or PNG, by the file's
  // extension; empty where the program was built without it.
  std::function<WriteResult(const SensitivityAnalysis&, const std::filesystem::path&)> writeSensitivityChart = {};
  // Writes report pages (a project's report) as one PDF of many pages; empty
  // where the program was built without the report.
  std::function<WriteResult(std::span<const ReportPage>, const std::filesystem::path&)> writeReportPages{};
};

// `args` excludes the program name.
int runCli(const std::vector<std::string>& args, CliContext& context);

}  // namespace kamerol
