#include "app/cli_checks.h"

#include "app/json_writer.h"

namespace kamerol::cli {

void appendChecksJson(std::string& out, const std::vector<CheckFinding>& findings, int indent) {
  JsonWriter w(out, indent);
  w.open('[');
  for (const CheckFinding& f : findings) {
    w.next().open('{', true);
    w.next("key").text(f.key);
    w.next("text").text(f.text);
    w.next("field").text(nameOf(f.field));
    w.close('}');
  }
  w.close(']');
}

JsonMember checksJsonMember(const std::vector<CheckFinding>& findings) {
  return {"checks", [&findings](std::string& out, int indent) { appendChecksJson(out, findings, indent); }};
}

void printChecks(const std::vector<CheckFinding>& findings, std::ostream& out) {
  out << "\nПроверка расчёта\n";
  if (findings.empty()) out << "Замечаний нет.\n";
  for (const CheckFinding& f : findings) out << "- " << f.text << " [" << nameOf(f.field) << "]\n";
}

}  // namespace kamerol::cli
