#pragma once

// The one way Kamerol includes the Windows API: windows.h first (the other
// Windows headers build on it), without its min and max macros, which would
// break std::min and std::max; and its wide texts as UTF-8. No Qt here: the
// toolkit-free programs use it too.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace kamerol {

// A NUL-terminated wide text of the Windows API as UTF-8.
inline std::string utf8OfWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

}  // namespace kamerol
#endif
