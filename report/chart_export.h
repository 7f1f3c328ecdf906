#pragma once

// The load-breakdown chart (and the sensitivity's chart) of a calculation straight to a file, for callers
// without a window (the command line): SVG through Qt SVG's generator, PNG
// through an image, drawn into memory and written as every file is
// (writeWholeFile). Needs a QGuiApplication; the offscreen platform will do.

#include <filesystem>

#include "analysis/sensitivity.h"
#include "core/record.h"
#include "platform/file_access.h"

namespace kamerol {

// The format comes from the file's extension, .svg or .png in any case. Fails
// when there is no QGuiApplication, the name has neither extension or the
// file cannot be written.
WriteResult exportGainChart(const CalculationRecord& record, const std::filesystem::path& path);

// The sensitivity's tornado chart with its table, likewise.
WriteResult exportSensitivityChart(const SensitivityAnalysis& analysis, const std::filesystem::path& path);

}  // namespace kamerol
