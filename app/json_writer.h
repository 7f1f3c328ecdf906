#pragma once

// A JSON text written member by member, with the separators, line breaks and
// indentation of calc's JSON output: the trace, the checks and the
// sensitivity write their members with it.

#include <string>
#include <string_view>
#include <vector>

#include "app/calculation_json.h"
#include "core/number_text.h"

namespace kamerol::cli {

// Writes members and elements with their separators and line breaks.
class JsonWriter {
 public:
  JsonWriter(std::string& out, int indent) : out_(out), indent_(indent) {}

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
  JsonWriter& next(std::string_view key = {}) {
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
  void raw(std::string_view json) { out_ += json; }

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

}  // namespace kamerol::cli
