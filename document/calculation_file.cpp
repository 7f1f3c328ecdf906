#include "document/calculation_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "core/cp1251.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/text.h"
#include "platform/file_access.h"

namespace kamerol {
namespace {

using enum Control;

using Kind = LineKind;
using Extra = LineExtra;
using Line = CalculationField;

constexpr const auto& kLines = kCalculationFields;

constexpr int kRequiredLines = 52;
constexpr std::size_t kLightingPowerLine = 35;  // line 36, counted from 0

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// "True" or "False" in any case, or a number: 0 is false, any other true.
std::optional<bool> readTruth(std::string_view line, const NumberLocale& locale) {
  const std::string_view word = trimBlanks(line);
  if (equalsIgnoringCase(word, "true")) return true;
  if (equalsIgnoringCase(word, "false")) return false;
  if (const auto number = localeNumber(word, locale)) return *number != 0;
  return std::nullopt;
}

// A 16-bit integer that is a check box state: 0, 1, or 2 (greyed).
std::optional<int> readCheck(std::string_view line) {
  const auto value = parseInteger<std::int16_t>(trimBlanks(line));
  if (!value || *value < 0 || *value > 2) return std::nullopt;
  return *value;
}

// Splits at CR LF or a lone CR; a lone LF stays part of the line. Stops after
// the stored lines. Empty on a line too long to be a calculation file's.
std::optional<std::vector<std::string_view>> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < kStoredLines) {
    const std::size_t cr = bytes.find('\r', start);
    const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
    if (end - start > kMaxLineBytes) return std::nullopt;
    lines.push_back(bytes.substr(start, end - start));
    start = end;
    if (start < bytes.size()) {  // at a CR
      ++start;
      if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
  }
  return lines;
}

// UTF-8 when every byte is valid UTF-8 and some are not ASCII (Windows-1251
// Cyrillic is never valid UTF-8 in practice); otherwise Windows-1251. A UTF-8
// byte-order mark is dropped, but does not vouch for what follows: an editor
// may have put it before Windows-1251 text.
std::string decodeText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  if (hasNonAscii(bytes) && isValidUtf8(bytes)) return std::string(bytes);
  return decodeWindows1251(bytes);
}

struct ParsedLine {
  std::string text;
  int state = 0;        // option and check lines
  float heldValue = 0;  // lines with an extra step
};

// Checks every line that can fail before anything is applied.
std::optional<std::vector<ParsedLine>> parse(std::string_view bytes, const NumberLocale& locale) {
  const std::string text = decodeText(bytes);
  const auto lines = splitLines(text);
  if (!lines || lines->size() < kRequiredLines) return std::nullopt;
  std::vector<ParsedLine> parsed;
  parsed.reserve(lines->size());
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const Line& entry = kLines[i];
    ParsedLine p{std::string((*lines)[i])};
    if (entry.kind == Kind::Option) {
      const auto truth = readTruth(p.text, locale);
      if (!truth) return std::nullopt;
      p.state = *truth ? 1 : 0;
    } else if (entry.kind == Kind::Check) {
      const auto state = readCheck(p.text);
      if (!state) return std::nullopt;
      p.state = *state;
    }
    if (entry.extra != Extra::None) {
      const auto number =
          entry.extra == Extra::Locale ? localeNumber(p.text, locale) : std::optional(leadingNumber(p.text));
      if (!number) return std::nullopt;
      double value = *number;
      // Held in the record's unit, as the form reads it (the reserve as a factor).
      if (entry.held) value = heldValue(numberInput(entry.held).typed, value);
      if (!fitsSingle(value)) return std::nullopt;  // too large for its type
      p.heldValue = static_cast<float>(value);
    }
    parsed.push_back(std::move(p));
  }
  return parsed;
}

std::string encodeLine(std::string_view text) { return encodeWindows1251(singleLine(text)) + "\r\n"; }

}  // namespace

Message formatErrorMessage() { return Message{"Сообщение программы", "Другой формат файла", MessageIcon::Error}; }

ReadStatus readCalculationBytes(CalculationForm& form, std::string_view bytes, ReadMode mode, MessageSink& messages) {
  const auto parsed = parse(bytes, form.locale());
  if (!parsed) {
    if (mode == ReadMode::Dialog) messages.showMessage(formatErrorMessage());
    return ReadStatus::FormatError;
  }
  if (mode == ReadMode::Dialog) form.setModified(false);
  // Restoring the controls is no edit: only changed results mark the calculation.
  const CalculationForm::ProgramChanges program(form);
  for (std::size_t i = 0; i < kRequiredLines; ++i) {
    const Line& entry = kLines[i];
    const ParsedLine& line = (*parsed)[i];
    if (entry.kind == Kind::Text)
      form.setText(entry.control, line.text);
    else
      form.setState(entry.control, line.state);
    if (entry.extra != Extra::None) form.setHeldValue(entry.held, line.heldValue);
    // The lighting power (line 36) is read while the recommendation is still
    // in force, and the engine replaces it by the recommended power. When the
    // recommendation turns out to be off (line 37), the stored power is read
    // once more; otherwise a saved power would never come back.
    if (entry.control == recommendedLightingCheck && line.state == 0)
      form.setText(lightingPowerField, (*parsed)[kLightingPowerLine].text);
  }
  form.setText(clientInfoField, "");
  if (parsed->size() > kRequiredLines) form.setText(clientInfoField, (*parsed)[kRequiredLines].text);
  form.recalculate();
  if (mode == ReadMode::Dialog) form.setModified(false);
  return ReadStatus::Ok;
}

ReadStatus readCalculationFile(CalculationForm& form, const std::filesystem::path& path, ReadMode mode,
                               MessageSink& messages) {
  // Nothing past the stored lines matters; a longer file need not be read.
  constexpr std::size_t kLimit = kStoredLines * (kMaxLineBytes + 2) + 3;
  const auto bytes = readRegularFile(path, kLimit);
  if (!bytes) return ReadStatus::CannotOpen;
  return readCalculationBytes(form, *bytes, mode, messages);
}

std::string calculationFileBytes(const CalculationForm& form) {
  std::string bytes;
  for (const Line& line : kLines) {
    switch (line.kind) {
      case Kind::Text:
        bytes += encodeLine(form.text(line.control));
        break;
      case Kind::Option:
        bytes += form.control(line.control).value != 0 ? "True\r\n" : "False\r\n";
        break;
      case Kind::Check:
        bytes += " " + std::to_string(form.control(line.control).value) + " \r\n";
        break;
    }
  }
  return bytes;
}

WriteResult writeCalculationFile(CalculationForm& form, const std::filesystem::path& path) {
  const WriteResult result = writeWholeFile(path, calculationFileBytes(form));
  if (result) form.setModified(false);
  return result;
}

}  // namespace kamerol
