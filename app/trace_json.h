#pragma once

// The calculation trace as the "trace" member of calc's JSON output.

#include <string>

#include "core/trace.h"

namespace kamerol::cli {

// Appends the trace as one JSON object. `indent` is the indentation of the
// line the object starts on; a negative indent writes it on one line.
void appendTraceJson(std::string& out, const CalculationTrace& trace, int indent);

}  // namespace kamerol::cli
