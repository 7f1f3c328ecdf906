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

// The name generator of INSTANTIATE_TEST_SUITE_P for rows with a `name`
// member; a row whose name has no letter or digit is named by its index.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    std::string name = rowName(info.param.name);
    return name.empty() ? "Row" + std::to_string(info.index) : name;
  }
};

}  // namespace kamerol
