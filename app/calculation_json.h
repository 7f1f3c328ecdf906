#pragma once

// The calculation as JSON: what `kamerol-cli calc --json` prints, and each
// line of `calc --jsonl`. Its keys are a public interface: the record's field
// names, the form's control names.

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form/calculation_form.h"
#include "form/messages.h"

namespace kamerol::cli {

// `text` as a JSON string, quoted and escaped; always valid UTF-8.
std::string jsonString(std::string_view text);
void appendJsonString(std::string& out, std::string_view text);

// The "results" object of --json alone: opened at the current column, its
// members indented by indent + 2 blanks (up to 10), closed at `indent`; a
// negative indent writes it on one line. No line feed at the end.
std::string resultsJson(const CalculationResults& results, int indent);

// The calculation as --json prints it: indented over several lines, or on one
// line with the file's name first (--jsonl); `withTrace` adds the calculation
// trace as its last member. Ends with a line feed.
enum class JsonLayout { Indented, OneLine };

// A member an option adds after the messages (before the trace): its key, and
// what appends its value, given the indentation of the line it starts on (a
// negative indent: all on one line).
struct JsonMember {
  std::string_view key;
  std::function<void(std::string& out, int indent)> append;
};

std::string jsonText(const CalculationForm& form, const std::vector<Message>& messages,
                     JsonLayout layout = JsonLayout::Indented, std::optional<std::string_view> file = std::nullopt,
                     bool withTrace = false, std::span<const JsonMember> extra = {});
void printJson(const CalculationForm& form, const std::vector<Message>& messages, std::ostream& out,
               JsonLayout layout = JsonLayout::Indented, std::optional<std::string_view> file = std::nullopt,
               bool withTrace = false, std::span<const JsonMember> extra = {});

}  // namespace kamerol::cli
