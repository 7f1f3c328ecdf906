#include "core/trace_text.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/number_text.h"

namespace kamerol {
namespace {

// Every computed value of the trace with at most six significant digits:
// enough to check the arithmetic by hand, without the noise of the float
// (9.940001) or of the double (4150.775376). What the panel shows is quoted as
// the panel writes it; machine-readable output keeps full precision.
constexpr int kTraceDigits = 6;

std::string numberText(double value) { return formatSignificant(value, kTraceDigits); }

// The method's constants have at most nine significant digits.
constexpr int kConstantDigits = 9;

std::string withUnit(std::string text, const std::string& unit) {
  if (!unit.empty()) text += " " + unit;
  return text;
}

// Where an input comes from decides how it is written.
std::string valueText(const TraceInput& input) {
  return input.kind == TraceSourceKind::Method ? constantText(input.value) : numberText(input.value);
}

// The entry's value as its result box shows it.
std::string panelText(const TraceEntry& entry) { return formatNumber(entry.shown) + " " + entry.unit; }

}  // namespace

std::string constantText(double value) { return formatSignificant(value, kConstantDigits); }

std::string traceInputText(const TraceInput& input) {
  // A constant that is its own symbol is not written twice.
  const std::string value = withUnit(valueText(input), input.unit);
  if (value == input.symbol) return input.symbol + " — " + input.name + " (" + input.source + ")";
  return input.symbol + " — " + input.name + " = " + value + " (" + input.source + ")";
}

std::string traceStepText(const TraceStep& step) {
  return step.symbol + " — " + step.name + " = " + withUnit(numberText(step.value), step.unit);
}

std::string traceResultText(const TraceEntry& entry) {
  return entry.symbol + " = " + withUnit(numberText(entry.value), entry.unit) + ", на панели " + panelText(entry);
}

std::string traceFormulaWithNumbers(const TraceEntry& entry) {
  std::vector<std::pair<std::string_view, std::string>> values;
  for (const TraceInput& i : entry.inputs) values.emplace_back(i.symbol, valueText(i));
  for (const TraceStep& s : entry.steps) values.emplace_back(s.symbol, numberText(s.value));
  const std::string& formula = entry.formula.empty() ? entry.symbol : entry.formula.front();
  // The left-hand side stays; the comment after two blanks goes.
  std::size_t start = formula.find(" = ");
  start = start == std::string::npos ? 0 : start + 3;
  const std::size_t end = std::min(formula.find("  ", start), formula.size());
  std::string out = formula.substr(0, start);
  const auto isSymbolChar = [](unsigned char c) { return c >= 0x80 || std::isalnum(c) || c == '.' || c == '_'; };
  for (std::size_t at = start; at < end;) {
    // The longest symbol that starts here and ends at a word boundary.
    const std::pair<std::string_view, std::string>* match = nullptr;
    if (at == start || !isSymbolChar(static_cast<unsigned char>(formula[at - 1]))) {
      for (const auto& v : values) {
        const std::string_view rest = std::string_view(formula).substr(at, end - at);
        if (!rest.starts_with(v.first)) continue;
        if (v.first.size() < rest.size() && isSymbolChar(static_cast<unsigned char>(rest[v.first.size()]))) continue;
        if (!match || v.first.size() > match->first.size()) match = &v;
      }
    }
    if (match) {
      out += match->second;
      at += match->first.size();
    } else {
      out += formula[at++];
    }
  }
  return out + " = " + panelText(entry);
}

std::vector<TraceLine> traceEntryLines(const TraceEntry& entry, int number) {
  using enum TraceLine::Kind;
  std::vector<TraceLine> lines;
  const std::string prefix = number > 0 ? std::to_string(number) + ". " : std::string();
  lines.push_back({Heading, 0, prefix + entry.caption + ", " + entry.symbol});
  for (const std::string& f : entry.formula) lines.push_back({Formula, 1, f});
  if (!entry.inputs.empty()) {
    lines.push_back({Label, 1, "Исходные данные:"});
    for (const TraceInput& i : entry.inputs) lines.push_back({Item, 2, traceInputText(i)});
  }
  if (!entry.steps.empty()) {
    lines.push_back({Label, 1, "Промежуточные величины:"});
    for (const TraceStep& s : entry.steps) lines.push_back({Item, 2, traceStepText(s)});
  }
  lines.push_back({Result, 1, "Результат: " + traceResultText(entry)});
  if (!entry.note.empty()) lines.push_back({Note, 1, entry.note});
  return lines;
}

std::vector<TraceLine> traceLines(const CalculationTrace& trace) {
  std::vector<TraceLine> lines;
  lines.push_back({TraceLine::Kind::Title, 0, std::string(kTraceTitle)});
  lines.push_back({TraceLine::Kind::Notation, 0, std::string(kTraceRoundingNote)});
  int number = 0;
  const auto add = [&](const TraceEntry& e) {
    auto entryLines = traceEntryLines(e, ++number);
    lines.insert(lines.end(), entryLines.begin(), entryLines.end());
  };
  for (const TraceEntry& g : trace.gains) add(g);
  add(trace.sum);
  add(trace.requiredCapacity);
  return lines;
}

std::string traceText(const CalculationTrace& trace) {
  std::string text;
  for (const TraceLine& line : traceLines(trace)) {
    if (line.kind == TraceLine::Kind::Heading) text += '\n';
    text.append(static_cast<std::size_t>(line.depth) * 2, ' ') += line.text;
    text += '\n';
  }
  return text;
}

}  // namespace kamerol
