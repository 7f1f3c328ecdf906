#pragma once

// The calculation trace as lines of text: the command line prints them, the
// trace window lists them and the report sets them on its pages. Each line
// knows its kind and its depth, so that each reader can style it.

#include <string>
#include <vector>

#include "core/trace.h"

namespace kamerol {

struct TraceLine {
  enum class Kind { Title, Notation, Heading, Formula, Label, Item, Result, Note };
  Kind kind;
  int depth = 0;  // 0 for titles and headings, 1 for an entry's body, 2 for its items
  std::string text;
};

// A constant of the method as its formulas write it: the decimal of the
// source, every digit of it (150.775376, 0.00004167).
std::string constantText(double value);

// "L — длина камеры = 5 м (форма: «Длина камеры»)": a computed or typed value
// with at most six significant digits, a constant of the method as written.
std::string traceInputText(const TraceInput& input);
std::string traceStepText(const TraceStep& step);
// "Qстен = 0.633392 кВт, на панели 0.63 кВт": what the panel shows as it shows it.
std::string traceResultText(const TraceEntry& entry);

// The entry's main formula with the numbers put in for its symbols, and its
// result: "Qвен = R2(9.03696 · 60 · 0.00085) = 0.46 кВт". A result box's tooltip.
std::string traceFormulaWithNumbers(const TraceEntry& entry);

// The lines of one entry: its heading, formula, inputs, steps and result.
std::vector<TraceLine> traceEntryLines(const TraceEntry& entry, int number);
// The title and notation, then every entry.
std::vector<TraceLine> traceLines(const CalculationTrace& trace);

// The lines as plain text, two blanks per depth, each ending with a line feed.
std::string traceText(const CalculationTrace& trace);

}  // namespace kamerol
