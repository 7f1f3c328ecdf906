#pragma once

// kamerol-cli's Qt part: the commands that draw with Qt (the report), in a
// module the tool loads only for them, so that `calc` runs without Qt. The
// tool and the module are built together; a drawing command adds its entry
// at the end of CliQtPart.

#include <filesystem>

#include "core/record.h"
#include "document/file_access.h"

namespace kamerol {

struct CliQtPart {
  // The results report of `record` as a PDF, written as every file is.
  WriteResult (*writeReportPdf)(const CalculationRecord& record, bool showLogo, const std::filesystem::path& path);
};

// The module's one entry point, extern "C": const CliQtPart* kamerolCliQtPart().
inline constexpr char kCliQtPartEntry[] = "kamerolCliQtPart";
using CliQtPartEntry = const CliQtPart* (*)();

}  // namespace kamerol
