#pragma once

// kamerol-cli's Qt part: the commands that draw with Qt (the reports, the load chart, the sensitivity's chart), in a
// module the tool loads only for them, so that `calc` runs without Qt. The
// tool and the module are built together; a drawing command adds its entry
// at the end of CliQtPart.

#include <filesystem>
#include <span>

#include "analysis/sensitivity.h"
#include "core/record.h"
#include "core/trace.h"
#include "platform/file_access.h"

namespace kamerol {

struct ReportPage;

struct CliQtPart {
  // The results report of `record` as a PDF, written as every file is; with
  // `withChart` the load chart as its second page, and the pages of `trace`
  // (if not null) at the end.
  WriteResult (*writeReportPdf)(const CalculationRecord& record, bool showLogo, bool withChart,
                                const CalculationTrace* trace, const std::filesystem::path& path);
  // The load chart of `record` as SVG or PNG, by the file's extension.
  WriteResult (*writeChart)(const CalculationRecord& record, const std::filesystem::path& path);
  // Report pages (a project's report) as one PDF, each with its chart and
  // trace sheets.
  WriteResult (*writeReportPages)(std::span<const ReportPage> pages, const std::filesystem::path& path);
  // The sensitivity's tornado chart with its table as SVG or PNG, by the file's extension.
  WriteResult (*writeSensitivityChart)(const SensitivityAnalysis& analysis, const std::filesystem::path& path);
};

// The module's one entry point, extern "C": const CliQtPart* kamerolCliQtPart().
inline constexpr char kCliQtPartEntry[] = "kamerolCliQtPart";
using CliQtPartEntry = const CliQtPart* (*)();

}  // namespace kamerol
