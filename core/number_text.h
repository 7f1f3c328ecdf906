#pragma once

// Number texts: how the calculation writes numbers into its boxes and reads
// numbers out of what the user typed.

#include <optional>
#include <string>
#include <string_view>

namespace kamerol {

// The plain decimal text of a 32-bit value as the boxes show it: at most 7
// significant digits, no trailing zeros, no leading blank, a decimal point
// whatever the user's locale ("0.63", "7", "-18", "9.04"). Magnitudes of 1e15
// and above, or below 1e-7, are written with an exponent ("1.5E+20") so that
// the text stays short and still reads back as the same number. A value that
// is not finite is written "0": no box ever shows "inf" or "nan".
std::string formatNumber(float value);

// A computed value for a reader: rounded to at most `digits` significant
// digits (1 to 17), laid out as formatNumber lays out its digits, so that
// 9.940001 reads 9.94 and 4150.775376 reads 4150.78 with six.
std::string formatSignificant(double value, int digits);

// A double with 9 significant digits, enough for any 32-bit value to read back
// exactly; for machine-readable output. Non-finite values give "null".
std::string formatNumberExact(double value);

// How the user's locale writes numbers: its decimal separator and the
// separator it may put between groups of three integer digits (empty: none).
// Both are UTF-8 texts, e.g. "," and "\u00a0" for Russian.
struct NumberLocale {
  std::string decimalSeparator = ".";
  std::string groupSeparator = ",";

  static NumberLocale point() { return {".", ","}; }
  static NumberLocale comma() { return {",", "\u00a0"}; }
};

// The locale number: the whole text, blanks around it allowed, must be a
// number in the locale's format (sign, digits in optional groups of three,
// the decimal separator, an exponent). The empty text is not a number.
// A number beyond the range of a double gives an infinity; one too small
// for it gives 0. A text the locale does not read that is a plain decimal
// number (sign, digits, one separator) with the other decimal separator reads
// all the same, so "2,5" and "2.5" are 2.5 in every locale, while "1,000"
// stays one thousand where the comma groups digits.
std::optional<double> localeNumber(std::string_view text, const NumberLocale& locale);

inline bool isNumber(std::string_view text, const NumberLocale& locale) {
  return localeNumber(text, locale).has_value();
}

// The leading number: blanks, tabs and line feeds are dropped wherever they
// stand, then the longest leading decimal number with "." as the decimal point
// (sign, exponent) is the value. A text that does not start with a number
// gives 0, so "1,5" reads 1 and "1 000" reads 1000.
double leadingNumber(std::string_view text);

}  // namespace kamerol
