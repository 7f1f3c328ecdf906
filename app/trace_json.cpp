#include "app/trace_json.h"

#include "app/json_writer.h"

namespace kamerol::cli {
namespace {

std::string formulaText(const TraceEntry& e) {
  std::string text;
  for (const std::string& line : e.formula) (text += text.empty() ? "" : "; ") += line;
  return text;
}

void entry(JsonWriter& w, const TraceEntry& e) {
  w.open('{');
  w.next("key").text(e.key);
  w.next("caption").text(e.caption);
  w.next("symbol").text(e.symbol);
  w.next("formula").text(formulaText(e));
  w.next("inputs").open('[');
  for (const TraceInput& i : e.inputs) {
    w.next().open('{', true);
    w.next("symbol").text(i.symbol);
    w.next("name").text(i.name);
    w.next("value").number(i.value);
    w.next("unit").text(i.unit);
    w.next("source").text(i.source);
    w.close('}');
  }
  w.close(']');
  w.next("steps").open('[');
  for (const TraceStep& s : e.steps) {
    w.next().open('{', true);
    w.next("symbol").text(s.symbol);
    w.next("name").text(s.name);
    w.next("value").number(s.value);
    w.next("unit").text(s.unit);
    w.close('}');
  }
  w.close(']');
  w.next("value").number(e.value);
  w.next("shown").number(e.shown);
  w.next("included").boolean(e.included);
  if (!e.note.empty()) w.next("note").text(e.note);
  w.close('}');
}

}  // namespace

void appendTraceJson(std::string& out, const CalculationTrace& trace, int indent) {
  JsonWriter w(out, indent);
  w.open('{');
  w.next("gains").open('[');
  for (const TraceEntry& g : trace.gains) entry(w.next(), g);
  w.close(']');
  entry(w.next("sum"), trace.sum);
  entry(w.next("requiredCapacity"), trace.requiredCapacity);
  w.close('}');
}

}  // namespace kamerol::cli
