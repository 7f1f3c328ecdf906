#pragma once

// The report of a calculation straight to a PDF file, for callers without a
// report window (the command line). Needs a QGuiApplication; the offscreen
// platform will do.

#include <filesystem>

#include "core/record.h"
#include "core/trace.h"
#include "platform/file_access.h"

namespace kamerol {

// Fails when there is no QGuiApplication or the file cannot be written.
// `withChart` adds the load-breakdown chart as a second page, and `trace`
// (where not null) its pages at the end.
WriteResult exportReportPdf(const CalculationRecord& record, bool showLogo, const std::filesystem::path& path,
                            bool withChart = false, const CalculationTrace* trace = nullptr);

}  // namespace kamerol
