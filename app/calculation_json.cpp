#include "app/calculation_json.h"

#include <concepts>
#include <string>
#include <utility>

#include "app/trace_json.h"
#include "core/cp1251.h"
#include "core/number_text.h"
#include "core/record_fields.h"
#include "core/text.h"
#include "core/trace.h"

namespace kamerol::cli {

// Always valid UTF-8, whatever bytes a file or an argument brought in.
void appendJsonString(std::string& out, std::string_view text) {
  std::string repaired;
  if (!isValidUtf8(text)) text = repaired = validUtf8(text);
  out += '"';
  std::size_t plainFrom = 0;
  const auto escape = [&](std::size_t i, std::string_view escaped) {
    out.append(text.substr(plainFrom, i - plainFrom)).append(escaped);
    plainFrom = i + 1;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    switch (c) {
      case '"':
        escape(i, "\\\"");
        break;
      case '\\':
        escape(i, "\\\\");
        break;
      case '\n':
        escape(i, "\\n");
        break;
      case '\r':
        escape(i, "\\r");
        break;
      case '\t':
        escape(i, "\\t");
        break;
      default: {
        static constexpr char kHex[] = "0123456789abcdef";
        const char code[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
        escape(i, std::string_view(code, sizeof code));
      }
    }
  }
  out.append(text.substr(plainFrom)) += '"';
}

std::string jsonString(std::string_view text) {
  std::string s;
  s.reserve(text.size() + 2);
  appendJsonString(s, text);
  return s;
}

namespace {

// One JSON object, written member by member; a negative indent writes it on one line.
// The JSON text as it is built: appending to a string costs a fraction of
// writing each piece to a stream, which matters for thousands of files.
class JsonText {
 public:
  JsonText& operator<<(std::string_view text) {
    text_ += text;
    return *this;
  }
  JsonText& operator<<(char ch) {
    text_ += ch;
    return *this;
  }
  template <std::integral T>
  JsonText& operator<<(T value) {
    return *this << std::string_view(std::to_string(value));
  }
  // A text value, quoted and escaped.
  JsonText& quoted(std::string_view text) {
    appendJsonString(text_, text);
    return *this;
  }
  std::string& str() { return text_; }

 private:
  std::string text_;
};

class JsonObject {
  static constexpr char kBlanks[] = "            ";  // the objects nest three deep (a project's rooms)

 public:
  JsonObject(JsonText& out, int indent) : out_(out), indent_(indent) { out_ << "{"; }
  JsonText& key(std::string_view name) {
    if (indent_ < 0)
      out_ << (first_ ? "" : ", ");
    else
      out_ << (first_ ? "\n" : ",\n") << std::string_view(kBlanks).substr(0, static_cast<std::size_t>(indent_ + 2));
    // Keys are the program's own ASCII identifiers: nothing to escape.
    out_ << '"' << name << "\": ";
    first_ = false;
    return out_;
  }
  void close() {
    if (indent_ >= 0 && !first_) out_ << "\n" << std::string_view(kBlanks).substr(0, static_cast<std::size_t>(indent_));
    out_ << "}";
  }
  int indent() const { return indent_ < 0 ? indent_ : indent_ + 2; }

 private:
  JsonText& out_;
  int indent_;
  bool first_ = true;
};

void writeResults(JsonObject& results, const CalculationResults& r) {
  for (const auto& f : floatResultFields()) results.key(f.name) << formatNumberExact(r.*(f.member));
  for (const auto& f : integerResultFields()) results.key(f.name) << r.*(f.member);
}

}  // namespace

std::string resultsJson(const CalculationResults& results, int indent) {
  JsonText text;
  JsonObject object(text, indent);
  writeResults(object, results);
  object.close();
  return std::move(text.str());
}

std::string jsonText(const CalculationForm& form, const std::vector<Message>& messages, JsonLayout layout,
                     std::optional<std::string_view> file, bool withTrace, std::span<const JsonMember> extra) {
  const CalculationInputs& in = form.inputs();
  const CalculationResults& r = form.results();
  JsonText text;
  JsonObject root(text, layout == JsonLayout::OneLine ? -1 : 0);
  if (layout == JsonLayout::OneLine) {
    JsonText& value = root.key("file");
    if (file)
      value.quoted(*file);
    else
      value << "null";
  }

  JsonObject inputs(root.key("inputs"), root.indent());
  for (const auto& f : floatInputFields()) inputs.key(f.name) << formatNumberExact(in.*(f.member));
  for (const auto& f : textInputFields()) inputs.key(f.name).quoted(in.*(f.member));
  for (const auto& f : flagInputFields()) inputs.key(f.name) << (in.*(f.member) ? "true" : "false");
  inputs.key("processMode").quoted(processModeName(in.processMode));
  inputs.close();

  JsonObject results(root.key("results"), root.indent());
  writeResults(results, r);
  results.close();

  JsonObject texts(root.key("texts"), root.indent());
  for (Control c : allControls())
    if (kindOf(c) == ControlKind::TextBox || kindOf(c) == ControlKind::ComboBox)
      texts.key(nameOf(c)).quoted(form.text(c));
  texts.close();

  JsonObject states(root.key("states"), root.indent());
  for (Control c : allControls())
    if (kindOf(c) == ControlKind::CheckBox || kindOf(c) == ControlKind::OptionButton)
      states.key(nameOf(c)) << form.control(c).value;
  states.close();

  root.key("modified") << (form.modified() ? "true" : "false");
  JsonText& list = root.key("messages");
  list << "[";
  for (std::size_t i = 0; i < messages.size(); ++i) {
    (list << (i ? ", " : "") << "{\"title\": ").quoted(messages[i].title) << ", \"text\": ";
    list.quoted(messages[i].text) << "}";
  }
  list << "]";
  for (const JsonMember& member : extra) member.append(root.key(member.key).str(), root.indent());
  if (withTrace) appendTraceJson(root.key("trace").str(), buildTrace(form.inputs(), form.heatLoad()), root.indent());
  root.close();
  text << '\n';
  return std::move(text.str());
}

void printJson(const CalculationForm& form, const std::vector<Message>& messages, std::ostream& out, JsonLayout layout,
               std::optional<std::string_view> file, bool withTrace, std::span<const JsonMember> extra) {
  out << jsonText(form, messages, layout, file, withTrace, extra);
}

}  // namespace kamerol::cli
