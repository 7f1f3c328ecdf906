#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace kamerol {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Converts an ASCII number of the form [-]digits[.digits][e[-]digits] with
// from_chars, which does not depend on the C library's locale. Out-of-range
// values saturate to an infinity or to 0 instead of failing.
double toDouble(const std::string& ascii) {
  double value = 0;
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Decide between overflow and underflow from the decimal exponent.
    const bool negative = ascii.front() == '-';
    long exponent = 0;
    long leadingDigits = 0;
    bool seenNonZero = false;
    bool inFraction = false;
    for (const char* p = first; p != last; ++p) {
      if (*p == '.') {
        inFraction = true;
      } else if (*p == 'e' || *p == 'E') {
        exponent = std::strtol(p + 1, nullptr, 10);
        break;
      } else if (isDigit(*p)) {
        if (*p != '0') seenNonZero = true;
        if (!inFraction && seenNonZero) ++leadingDigits;
        if (inFraction && !seenNonZero) --leadingDigits;
      }
    }
    const bool overflow = leadingDigits + exponent > 0;
    if (!overflow) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  (void)end;
  return value;
}

// Appends an optional exponent "e[+-]digits" starting at text[i]; returns the
// index after it, or i when there is none.
std::size_t scanExponent(std::string_view text, std::size_t i, std::string& out) {
  if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) return i;
  std::size_t j = i + 1;
  std::string exponent = "e";
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
    if (text[j] == '-') exponent += '-';
    ++j;
  }
  if (j >= text.size() || !isDigit(text[j])) return i;
  // Clamp absurd exponents: anything beyond six digits over- or underflows anyway.
  std::string digits;
  while (j < text.size() && isDigit(text[j])) {
    if (!digits.empty() || text[j] != '0') digits += text[j];
    ++j;
  }
  if (digits.empty()) digits = "0";
  if (digits.size() > 6) digits = "999999";
  out += exponent + digits;
  return j;
}

}  // namespace

namespace {

// Fast path for the common case, a value with at most two decimals (every
// rounded gain): when the float is the one nearest to n / 100 and n has at
// most seven digits, the float lies closer to n / 100 than half a unit of its
// seventh digit, so n / 100 is also its seven-digit rounding.
std::optional<std::string> formatHundredths(float value) {
  const double scaled = std::nearbyint(static_cast<double>(value) * 100.0);
  if (!(std::fabs(scaled) < 1e7) || static_cast<float>(scaled / 100.0) != value) return std::nullopt;
  auto n = static_cast<long>(std::fabs(scaled));
  char text[16];
  char* end = text + sizeof text;
  char* p = end;
  const long cents = n % 100;
  if (cents != 0) {
    if (cents % 10 != 0) *--p = static_cast<char>('0' + cents % 10);
    *--p = static_cast<char>('0' + cents / 10);
    *--p = '.';
  }
  n /= 100;
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  if (value < 0) *--p = '-';
  return std::string(p, end);
}

}  // namespace

namespace {

// Lays out the significant digits of a number with the decimal exponent of its
// first digit as the boxes write numbers: positional from 1e-7 up to 1e15, with
// an exponent outside; trailing zeros dropped. `digits` holds at least one digit.
std::string layOut(bool negative, std::string_view digits, int exponent) {
  std::size_t count = digits.size();
  while (count > 1 && digits[count - 1] == '0') --count;
  digits = digits.substr(0, count);
  const int digitCount = static_cast<int>(count);
  std::string text;
  if (negative) text += '-';
  if (exponent >= 15 || exponent < -7) {
    text += digits[0];
    if (digitCount > 1) (text += '.').append(digits.substr(1));
    text += 'E';
    text += exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    text += static_cast<char>('0' + magnitude / 10);
    text += static_cast<char>('0' + magnitude % 10);
  } else if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text.append(digits);
  } else {
    for (int i = 0; i <= exponent || i < digitCount; ++i) {
      if (i == exponent + 1) text += '.';
      text += i < digitCount ? digits[static_cast<std::size_t>(i)] : '0';
    }
  }
  return text;
}

// Splits to_chars' scientific text ("-d.ddde±XX") into its parts and lays it out.
std::string layOutScientific(const char* first, const char* last) {
  const char* p = first;
  const bool negative = *p == '-';
  if (negative) ++p;
  std::string digits;
  for (; *p != 'e'; ++p)
    if (isDigit(*p)) digits += *p;
  int exponent = 0;
  ++p;  // 'e'
  std::from_chars(p + (*p == '+' ? 1 : 0), last, exponent);
  return layOut(negative, digits, exponent);
}

}  // namespace

std::string formatNumber(float value) {
  if (!std::isfinite(value) || value == 0) return "0";
  if (auto text = formatHundredths(value)) return *std::move(text);
  // The shortest text that reads back as this float. When it needs more than
  // seven significant digits, the float's exact value rounded to seven digits
  // instead (the slower conversion).
  char sci[32];
  auto result = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
  if (std::count_if(sci, std::find(sci, result.ptr, 'e'), isDigit) > 7)
    result = std::to_chars(sci, sci + sizeof sci, static_cast<double>(value), std::chars_format::scientific, 6);
  return layOutScientific(sci, result.ptr);
}

std::string formatSignificant(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return "0";
  digits = std::clamp(digits, 1, 17);
  char sci[40];
  const auto result = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1);
  return layOutScientific(sci, result.ptr);
}

std::string formatNumberExact(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0) return "0";
  char buf[40];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 9);
  return std::string(buf, result.ptr);
}

namespace {

std::optional<double> numberInLocale(std::string_view text, const NumberLocale& locale) {
  std::size_t i = 0;
  std::size_t end = text.size();
  while (i < end && isBlank(text[i])) ++i;
  while (end > i && isBlank(text[end - 1])) --end;
  text = text.substr(i, end - i);
  if (text.empty()) return std::nullopt;

  std::string ascii;
  std::size_t pos = 0;
  if (text[pos] == '+' || text[pos] == '-') {
    if (text[pos] == '-') ascii += '-';
    ++pos;
  }

  // Integer part, optionally grouped in threes.
  const std::string_view group = locale.groupSeparator;
  const std::string_view decimal = locale.decimalSeparator;
  std::size_t integerDigits = 0;
  std::size_t groupDigits = 0;  // digits since the last group separator
  bool grouped = false;
  while (pos < text.size()) {
    if (isDigit(text[pos])) {
      ascii += text[pos];
      ++integerDigits;
      ++groupDigits;
      ++pos;
    } else if (!group.empty() && text.substr(pos, group.size()) == group && integerDigits > 0 &&
               pos + group.size() < text.size() && isDigit(text[pos + group.size()])) {
      if ((grouped && groupDigits != 3) || (!grouped && groupDigits > 3)) return std::nullopt;
      grouped = true;
      groupDigits = 0;
      pos += group.size();
    } else {
      break;
    }
  }
  if (grouped && groupDigits != 3) return std::nullopt;

  std::size_t fractionDigits = 0;
  if (!decimal.empty() && text.substr(pos, decimal.size()) == decimal) {
    pos += decimal.size();
    ascii += '.';
    while (pos < text.size() && isDigit(text[pos])) {
      ascii += text[pos];
      ++fractionDigits;
      ++pos;
    }
  }
  if (integerDigits == 0 && fractionDigits == 0) return std::nullopt;
  if (ascii.back() == '.') ascii += '0';
  if (ascii.front() == '.' || (ascii.front() == '-' && ascii[1] == '.'))
    ascii.insert(ascii.front() == '-' ? 1 : 0, "0");

  const std::size_t afterExponent = scanExponent(text, pos, ascii);
  if (afterExponent != text.size()) return std::nullopt;
  return toDouble(ascii);
}

// A plain decimal number, blanks around it allowed: an optional sign, digits
// and at most one `separator` ("2,5", "-0.75", "3." as it is being typed).
std::optional<double> plainDecimal(std::string_view text, char separator) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  std::string ascii;
  std::size_t pos = first;
  if (pos < last && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') ascii += '-';
    ++pos;
  }
  if (pos < last && text[pos] == separator) ascii += '0';
  bool digits = false;
  bool separated = false;
  for (; pos < last; ++pos) {
    if (isDigit(text[pos])) {
      digits = true;
      ascii += text[pos];
    } else if (text[pos] == separator && !separated) {
      separated = true;
      ascii += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  if (ascii.back() == '.') ascii += '0';
  return toDouble(ascii);
}

}  // namespace

std::optional<double> localeNumber(std::string_view text, const NumberLocale& locale) {
  if (auto number = numberInLocale(text, locale)) return number;
  // Files and habits travel between machines set for a decimal point and for a
  // decimal comma: the other one reads too, where it cannot mean anything else.
  for (const char separator : {'.', ','})
    if (locale.decimalSeparator != std::string_view(&separator, 1))
      if (auto number = plainDecimal(text, separator)) return number;
  return std::nullopt;
}

double leadingNumber(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') compact += c;

  std::string ascii;
  std::size_t pos = 0;
  if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
    if (compact[pos] == '-') ascii += '-';
    ++pos;
  }
  std::size_t mantissaDigits = 0;
  while (pos < compact.size() && isDigit(compact[pos])) {
    ascii += compact[pos++];
    ++mantissaDigits;
  }
  if (pos < compact.size() && compact[pos] == '.') {
    std::size_t fraction = 0;
    std::string part = ".";
    std::size_t p = pos + 1;
    while (p < compact.size() && isDigit(compact[p])) {
      part += compact[p++];
      ++fraction;
    }
    if (mantissaDigits > 0 || fraction > 0) {
      ascii += part;
      mantissaDigits += fraction;
      pos = p;
    }
  }
  if (mantissaDigits == 0) return 0;
  if (ascii.back() == '.') ascii += '0';
  if (ascii.front() == '.' || (ascii.front() == '-' && ascii[1] == '.'))
    ascii.insert(ascii.front() == '-' ? 1 : 0, "0");
  scanExponent(compact, pos, ascii);
  return toDouble(ascii);
}

}  // namespace kamerol
