#pragma once

// The report of a calculation straight to a PDF file, for callers without a
// report window (the command line). Needs a QGuiApplication; the offscreen
// platform will do.

#include <QString>

#include "core/record.h"

namespace kamerol {

// False when there is no QGuiApplication or the file cannot be written.
bool exportReportPdf(const CalculationRecord& record, bool showLogo, const QString& path);

}  // namespace kamerol
