#pragma once

// kamerol-cli calc --checks: the checks of the calculation after the result
// boxes, or as the "checks" member of the JSON output.

#include <ostream>
#include <string>
#include <vector>

#include "analysis/checks.h"
#include "app/calculation_json.h"

namespace kamerol::cli {

// [{"key", "text", "field"}, ...]; `indent` as for JsonMember.
void appendChecksJson(std::string& out, const std::vector<CheckFinding>& findings, int indent);

// The "checks" member of the JSON output; it keeps `findings` by reference.
JsonMember checksJsonMember(const std::vector<CheckFinding>& findings);

// Under the heading "Проверка расчёта": one line per finding with the field
// it points at, or a line that says there is nothing to note.
void printChecks(const std::vector<CheckFinding>& findings, std::ostream& out);

}  // namespace kamerol::cli
