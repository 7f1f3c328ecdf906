#include "core/rounding.h"

#include <cmath>
#include <limits>

namespace kamerol {
namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Rounds the exact product x * scale to a whole number, a half to even.
// The product in double may round onto a half that the exact product is not
// on; fma() gives the exact rounding error, which settles such a tie.
double roundScaled(double x, double scale) {
  const double y = x * scale;
  if (!std::isfinite(y)) return y;
  const double floorY = std::floor(y);
  if (y - floorY != 0.5) return std::nearbyint(y);
  const double error = std::fma(x, scale, -y);
  if (error > 0) return floorY + 1;
  if (error < 0) return floorY;
  return std::fmod(floorY, 2.0) == 0 ? floorY : floorY + 1;
}

}  // namespace

double roundHalfEven(double x, int decimals) {
  if (decimals <= 0) return roundScaled(x, 1.0);
  const double scale = kPow10[decimals > 8 ? 8 : decimals];
  // Beyond 2^52 / scale every double is already a whole number of the unit.
  if (!std::isfinite(x) || std::fabs(x) >= 4.5e15 / scale) return x;
  return roundScaled(x, scale) / scale;
}

float r2(double x) { return toSingle(roundHalfEven(x, 2)); }

float r0(double x) { return toSingle(roundHalfEven(x, 0)); }

float toSingle(double x) {
  // Doubles below the midpoint between FLT_MAX and 2^128 round to FLT_MAX;
  // from the midpoint on they round to infinity.
  constexpr double kOverflow = 0x1.ffffffp+127;
  if (x >= kOverflow) return std::numeric_limits<float>::infinity();
  if (x <= -kOverflow) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(x);  // NaN stays NaN
}

bool fitsSingle(double x) { return std::isfinite(toSingle(x)); }

std::optional<std::int16_t> toInt16(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double r = roundScaled(x, 1.0);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::optional<Fixed4> Fixed4::fromDouble(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double units = roundScaled(x, 10000.0);
  if (!(units >= -0x1p63 && units < 0x1p63)) return std::nullopt;
  return Fixed4{static_cast<std::int64_t>(units)};
}

}  // namespace kamerol
