#pragma once

// File names as UTF-8 text. A std::filesystem::path made from a plain
// std::string is read in the ANSI code page on Windows, which cannot hold
// most names (Cyrillic on a Western system, "№" on any); through char8_t the
// text is UTF-8 on every system and reaches the wide Windows API whole.

#include <filesystem>
#include <string>
#include <string_view>

namespace kamerol {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kamerol
