#include "app/system_number_locale.h"

#include <clocale>
#include <string>

namespace kamerol {

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

}  // namespace kamerol
