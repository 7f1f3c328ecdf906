#pragma once

// Small text helpers shared by the form, the calculation file and the
// command line.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kamerol {

// Characters of a UTF-8 text, as the user counts them (and as they take one
// column each in a table): every byte that does not continue a sequence.
inline std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A whole text that is a decimal integer of the type, with an optional sign
// ("+" allowed); nothing else, not even blanks.
template <typename Integer>
std::optional<Integer> parseInteger(std::string_view text) {
  Integer value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

// The text as one line: every CR and LF becomes a blank.
inline std::string singleLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

}  // namespace kamerol
