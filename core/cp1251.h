#pragma once

// The Windows-1251 (Cyrillic) code page, which calculation files are written in.

#include <string>
#include <string_view>

namespace kamerol {

// Windows-1251 bytes to UTF-8. The one byte the code page leaves undefined
// (0x98) becomes U+FFFD.
std::string decodeWindows1251(std::string_view bytes);

// UTF-8 to Windows-1251. A character the code page cannot represent, and any
// byte that is not valid UTF-8, is written as "?".
std::string encodeWindows1251(std::string_view utf8);

// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view bytes);

// `bytes` with every byte that does not belong to a well-formed UTF-8
// character replaced by U+FFFD: text that is safe to hand on as UTF-8.
std::string validUtf8(std::string_view bytes);

// True when any byte is outside ASCII.
bool hasNonAscii(std::string_view bytes);

}  // namespace kamerol
