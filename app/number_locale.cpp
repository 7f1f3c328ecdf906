#include "app/number_locale.h"

namespace kamerol {

NumberLocale numberLocaleOf(const QLocale& locale) {
  NumberLocale numbers;
  numbers.decimalSeparator = locale.decimalPoint().toStdString();
  numbers.groupSeparator = locale.groupSeparator().toStdString();
  if (numbers.groupSeparator == numbers.decimalSeparator) numbers.groupSeparator.clear();
  return numbers;
}

}  // namespace kamerol
