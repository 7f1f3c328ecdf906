#include "app/system_number_locale.h"

#include <clocale>
#include <iterator>
#include <string>

#include "platform/windows_api.h"

namespace kamerol {

#ifdef _WIN32

namespace {

// The C library's separators on Windows are in the ANSI code page (the
// Russian group separator, a no-break space, is one byte there): the wide
// regional settings give them as UTF-8.
std::string localeText(LCTYPE item) {
  wchar_t text[16] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, static_cast<int>(std::size(text))) == 0) return {};
  return utf8OfWide(text);
}

}  // namespace

NumberLocale systemNumberLocale() {
  NumberLocale numbers = NumberLocale::point();
  if (std::string decimal = localeText(LOCALE_SDECIMAL); !decimal.empty()) {
    numbers.decimalSeparator = decimal;
    numbers.groupSeparator = localeText(LOCALE_STHOUSAND);
  }
  if (numbers.groupSeparator == numbers.decimalSeparator) numbers.groupSeparator.clear();
  return numbers;
}

#else

NumberLocale systemNumberLocale() {
  NumberLocale numbers = NumberLocale::point();
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  const std::string previous = current ? current : "C";
  const char* user = std::setlocale(LC_NUMERIC, "");
  const std::string name = user ? user : "C";
  // The C locale groups nothing in the C library; Qt's C locale groups with commas.
  if (name != "C" && name != "POSIX" && !name.starts_with("C.")) {
    const std::lconv* conventions = std::localeconv();
    if (conventions->decimal_point && *conventions->decimal_point) {
      numbers.decimalSeparator = conventions->decimal_point;
      numbers.groupSeparator = conventions->thousands_sep ? conventions->thousands_sep : "";
    }
  }
  // Everything else reads and writes numbers with a point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, previous.c_str());
  if (numbers.groupSeparator == numbers.decimalSeparator) numbers.groupSeparator.clear();
  return numbers;
}

#endif

}  // namespace kamerol
