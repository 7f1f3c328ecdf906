#include "app/trace_json.h"

#include <vector>

#include "app/calculation_json.h"
#include "core/number_text.h"

namespace kamerol::cli {
namespace {

// Writes members and elements with their separators and line breaks.
class Writer {
 public:
  Writer(std::string& out, int indent) : out_(out), indent_(indent) {}

  // Opens an object or array whose members go on lines of their own, or on
  // this line when `inLine` (or the whole text is on one line).
  void open(char bracket, bool inLine = false) {
    out_ += bracket;
    levels_.push_back({inLine || indent_ < 0, true});
  }
  void close(char bracket) {
    const Level level = levels_.back();
    if (!level.inLine && !level.first) newLine(levels_.size() - 1);
    levels_.pop_back();
    out_ += bracket;
  }
  // Starts the next member (with its key) or element.
  Writer& next(std::string_view key = {}) {
    Level& level = levels_.back();
    if (!level.first) out_ += ',';
    if (level.inLine)
      out_ += level.first ? "" : " ";
    else
      newLine(levels_.size());
    level.first = false;
    if (!key.empty()) (out_ += '"').append(key) += "\": ";
    return *this;
  }
  void text(std::string_view s) { appendJsonString(out_, s); }
  void number(double v) { out_ += formatNumberExact(v); }
  void boolean(bool b) { out_ += b ? "true" : "false"; }

 private:
  struct Level {
    bool inLine;
    bool first;
  };
  void newLine(std::size_t depth) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(indent_) + 2 * depth, ' ');
  }
  std::string& out_;
  int indent_;
  std::vector<Level> levels_;
};

std::string formulaText(const TraceEntry& e) {
  std::string text;
  for (const std::string& line : e.formula) (text += text.empty() ? "" : "; ") += line;
  return text;
}

void entry(Writer& w, const TraceEntry& e) {
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
  Writer w(out, indent);
  w.open('{');
  w.next("gains").open('[');
  for (const TraceEntry& g : trace.gains) entry(w.next(), g);
  w.close(']');
  entry(w.next("sum"), trace.sum);
  entry(w.next("requiredCapacity"), trace.requiredCapacity);
  w.close('}');
}

}  // namespace kamerol::cli
