#pragma once

// Rounding helpers. Every rounding of the calculation sends an exact half to
// the even neighbour, and "exact" means the binary value the float really
// holds: 0.125 is a half and rounds to 0.12, while 1.005 (really 1.00499...)
// rounds down.

#include <cstdint>
#include <optional>

namespace kamerol {

// x rounded to `decimals` decimal places (0 to 8), an exact half to even.
double roundHalfEven(double x, int decimals);

// R2: rounded to two places and held as a 32-bit float.
float r2(double x);

// R0: rounded to a whole number and held as a 32-bit float.
float r0(double x);

// Saturating conversion to a 32-bit float: values beyond its range become
// infinities instead of undefined behaviour. NaN stays NaN.
float toSingle(double x);

// True when x is finite and fits a 32-bit float.
bool fitsSingle(double x);

// Conversion to a 16-bit integer rounding to nearest, a half to even.
// Empty when x is not finite or falls outside the 16-bit range.
std::optional<std::int16_t> toInt16(double x);

// A fixed-point decimal with four fraction digits, held in ten-thousandths
// (the room sketch computes its box in this form). Its range is that of a
// 64-bit integer; conversions that leave it are empty.
struct Fixed4 {
  std::int64_t units = 0;  // value × 10000

  static std::optional<Fixed4> fromDouble(double x);  // rounds, half to even
  double toDouble() const { return static_cast<double>(units) / 10000.0; }
};

}  // namespace kamerol
