#pragma once

// Names for the rows of table-driven tests, so that a failure says which case
// failed ("Length_AboveLimit", not "/17").

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace kamerol {

// A row's description as a test name: each word capitalised, letters, digits
// and underscores only ("frozen through, 18 h" → "FrozenThrough18H"). Other
// characters (Russian letters among them) separate words.
inline std::string rowName(std::string_view description) {
  std::string name;
  bool wordStart = true;
  for (const char ch : description) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80 && (std::isalnum(c) || c == '_')) {
      name += static_cast<char>(wordStart ? std::toupper(c) : c);
      wordStart = false;
    } else {
      wordStart = true;
    }
  }
  return name;
}

// A number or a short typed text as a test name: "-1,5" → "Minus1Comma5",
// "" → "Empty".
inline std::string textName(std::string_view text) {
  std::string name;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80 && std::isalnum(c)) {
      name += ch;
      continue;
    }
    switch (ch) {
      case '-':
        name += "Minus";
        break;
      case '+':
        name += "Plus";
        break;
      case '.':
        name += "Point";
        break;
      case ',':
        name += "Comma";
        break;
      case ' ':
        name += "Blank";
        break;
      case '\t':
        name += "Tab";
        break;
      case '\n':
        name += "Newline";
        break;
      default:
        name += c < 0x80 ? "_" : (c >= 0xC0 ? "U" : "");  // one letter for each non-ASCII character
    }
  }
  return name.empty() ? "Empty" : name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for rows that describe
// themselves in a `name` or `what` member; a row whose description has no
// letter or digit is named by its index.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    std::string name;
    if constexpr (requires { info.param.name; })
      name = rowName(info.param.name);
    else
      name = rowName(info.param.what);
    return name.empty() ? "Row" + std::to_string(info.index) : name;
  }
};

}  // namespace kamerol
