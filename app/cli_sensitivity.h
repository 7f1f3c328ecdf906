#pragma once

// kamerol-cli sensitivity FILE.tpl [--set NAME=TEXT]... [--json] [-o OUT.svg|OUT.png]:
// how the required capacity of one calculation follows each of its main
// inputs, varied down and up one at a time through the form.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/sensitivity.h"
#include "app/cli.h"

namespace kamerol::cli {

// The analysis as one JSON object: "base" and "variations", the gains under
// the result keys of calc --json. `indent` as for JsonMember.
void appendSensitivityJson(std::string& out, const SensitivityAnalysis& analysis, int indent);

// The analysis as a table: one row per input, largest swing first, the
// capacities rounded as the result box shows them.
void printSensitivity(const SensitivityAnalysis& analysis, std::ostream& out);

// Runs the command on the prepared form; the exit code.
int runSensitivity(const CalculationForm& form, bool json, const std::optional<std::filesystem::path>& chart,
                   CliContext& context);

}  // namespace kamerol::cli
