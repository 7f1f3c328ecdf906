#include "app/console.h"

#include "shell/windows_api.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#else
#include <langinfo.h>
#include <locale.h>

#include <cstring>
#endif

namespace kamerol {

#ifdef _WIN32

namespace {

std::string utf8OfWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

std::string localeText(LCTYPE item) {
  wchar_t text[16] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, static_cast<int>(std::size(text))) == 0) return {};
  return utf8OfWide(text);
}

}  // namespace

std::vector<std::string> utf8Arguments(int argc, char* argv[]) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(utf8OfWide(wide[i]));
  LocalFree(wide);
  return args;
}

void useUtf8Streams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The code page belongs to the console, not to the process: it is given
  // back as the program ends, so the command prompt after it stays as it was.
  static const UINT previous = GetConsoleOutputCP();
  if (previous != 0 && previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    std::atexit([] { SetConsoleOutputCP(previous); });
}

NumberLocale systemNumberLocale() {
  NumberLocale numbers;
  if (std::string decimal = localeText(LOCALE_SDECIMAL); !decimal.empty()) numbers.decimalSeparator = decimal;
  numbers.groupSeparator = localeText(LOCALE_STHOUSAND);
  if (numbers.groupSeparator == numbers.decimalSeparator) numbers.groupSeparator.clear();
  return numbers;
}

#else

std::vector<std::string> utf8Arguments(int argc, char* argv[]) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Streams() {}

NumberLocale systemNumberLocale() {
  NumberLocale numbers;
  const locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (!locale) return numbers;
  // A separator in another encoding than UTF-8 would never match typed text.
  const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
  const auto usable = [&](const char* text) { return utf8 || static_cast<unsigned char>(*text) < 0x80; };
  if (const char* decimal = nl_langinfo_l(RADIXCHAR, locale); *decimal && usable(decimal))
    numbers.decimalSeparator = decimal;
  const char* group = nl_langinfo_l(THOUSEP, locale);
  numbers.groupSeparator = usable(group) ? group : "";
  if (numbers.groupSeparator == numbers.decimalSeparator) numbers.groupSeparator.clear();
  freelocale(locale);
  return numbers;
}

#endif

}  // namespace kamerol
