#include "core/trace_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "core/number_text.h"

namespace kamerol {
namespace {

// A value held as a 32-bit float as the boxes write it; a double (a
// resistance, a constant) with the digits it has.
std::string numberText(double value) {
  const auto single = static_cast<float>(value);
  if (static_cast<double>(single) == value) return formatNumber(single);
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

std::string withUnit(double value, const std::string& unit) {
  std::string text = numberText(value);
  if (!unit.empty()) text += " " + unit;
  return text;
}

}  // namespace

std::string traceInputText(const TraceInput& input) {
  // A constant that is its own symbol is not written twice.
  const std::string value = withUnit(input.value, input.unit);
  if (value == input.symbol) return input.symbol + " — " + input.name + " (" + input.source + ")";
  return input.symbol + " — " + input.name + " = " + value + " (" + input.source + ")";
}

std::string traceStepText(const TraceStep& step) {
  return step.symbol + " — " + step.name + " = " + withUnit(step.value, step.unit);
}

std::string traceResultText(const TraceEntry& entry) {
  return entry.symbol + " = " + withUnit(entry.value, "кВт") + ", на панели " + withUnit(entry.shown, "кВт");
}

std::string traceFormulaWithNumbers(const TraceEntry& entry) {
  std::vector<std::pair<std::string_view, double>> values;
  for (const TraceInput& i : entry.inputs) values.emplace_back(i.symbol, i.value);
  for (const TraceStep& s : entry.steps) values.emplace_back(s.symbol, s.value);
  const std::string& formula = entry.formula.empty() ? entry.symbol : entry.formula.front();
  // The left-hand side stays; the comment after two blanks goes.
  std::size_t start = formula.find(" = ");
  start = start == std::string::npos ? 0 : start + 3;
  const std::size_t end = std::min(formula.find("  ", start), formula.size());
  std::string out = formula.substr(0, start);
  const auto isSymbolChar = [](unsigned char c) { return c >= 0x80 || std::isalnum(c) || c == '.' || c == '_'; };
  for (std::size_t at = start; at < end;) {
    // The longest symbol that starts here and ends at a word boundary.
    const std::pair<std::string_view, double>* match = nullptr;
    if (at == start || !isSymbolChar(static_cast<unsigned char>(formula[at - 1]))) {
      for (const auto& v : values) {
        const std::string_view rest = std::string_view(formula).substr(at, end - at);
        if (!rest.starts_with(v.first)) continue;
        if (v.first.size() < rest.size() && isSymbolChar(static_cast<unsigned char>(rest[v.first.size()]))) continue;
        if (!match || v.first.size() > match->first.size()) match = &v;
      }
    }
    if (match) {
      out += numberText(match->second);
      at += match->first.size();
    } else {
      out += formula[at++];
    }
  }
  return out + " = " + withUnit(entry.shown, "кВт");
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
