#include "core/sketch.h"

#include <cmath>

#include "core/rounding.h"

namespace kamerol {
namespace {

constexpr std::int64_t kX0 = 2700;  // front-bottom-left corner of the box
constexpr std::int64_t kY0 = 3480;
constexpr std::int64_t kScale = 440;  // twips per unit
constexpr double kMagnification = 1.186;
constexpr double kDepthFactor = 0.424;
constexpr double kDoorOffset = 50;         // twips from the wall's inner face
constexpr double kDoorWidthMargin = 0.15;  // m
constexpr double kMillimetre = 0.001;

std::optional<Fixed4> magnified(float metres) {
  const auto held = Fixed4::fromDouble(metres);
  if (!held) return std::nullopt;
  return Fixed4::fromDouble(held->toDouble() * kMagnification);
}

// origin ± 440 × value, exactly in the fixed-point decimal, then as a float.
std::optional<float> offset(std::int64_t origin, int sign, Fixed4 value) {
  std::int64_t scaled = 0;
  std::int64_t result = 0;
  if (__builtin_mul_overflow(value.units, kScale * sign, &scaled)) return std::nullopt;
  if (__builtin_add_overflow(origin * 10000, scaled, &result)) return std::nullopt;
  return static_cast<float>(Fixed4{result}.toDouble());
}

SketchSegment solid(SketchPoint a, SketchPoint b) { return {a, b, true, false}; }
SketchSegment dashed(SketchPoint a, SketchPoint b) { return {a, b, true, true}; }

bool finite(float v) { return std::isfinite(v); }

}  // namespace

SketchInput sketchInputOf(const CalculationInputs& in) {
  SketchInput s;
  s.roomLength = std::fabs(in.roomLength);
  s.roomWidth = std::fabs(in.roomWidth);
  s.roomHeight = std::fabs(in.roomHeight);
  s.wallMaterialThickness = in.wallMaterialThickness;
  s.wallInsulationThickness = in.wallInsulationThickness;
  s.floorMaterialThickness = in.floorMaterialThickness;
  s.floorInsulationThickness = in.floorInsulationThickness;
  s.ceilingMaterialThickness = in.ceilingMaterialThickness;
  s.ceilingInsulationThickness = in.ceilingInsulationThickness;
  s.doorWidth = in.doorWidth;
  s.doorHeight = in.doorHeight;
  return s;
}

std::optional<RoomSketch> computeRoomSketch(const SketchInput& in) {
  // 1-4. The box, in the four-digit fixed-point decimal.
  const auto ls = magnified(in.roomLength);
  const auto ws = magnified(in.roomWidth);
  const auto hs = magnified(std::fabs(in.roomHeight));
  if (!ls || !ws || !hs) return std::nullopt;

  const auto xr = offset(kX0, +1, *ls);
  const auto yt = offset(kY0, -1, *hs);
  if (!xr || !yt) return std::nullopt;
  const double depth = ws->toDouble() * kDepthFactor * kScale;
  const float xd = toSingle(kX0 + depth);
  const float yb = toSingle(kY0 - depth);
  const auto ybRounded = Fixed4::fromDouble(yb);
  if (!ybRounded) return std::nullopt;
  std::int64_t ybtUnits = 0;
  std::int64_t heightUnits = 0;
  if (__builtin_mul_overflow(hs->units, kScale, &heightUnits) ||
      __builtin_sub_overflow(ybRounded->units, heightUnits, &ybtUnits))
    return std::nullopt;
  const float ybt = static_cast<float>(Fixed4{ybtUnits}.toDouble());
  const float xrd = toSingle(*xr + depth);
  const float ytd = toSingle(*yt - depth);
  if (!finite(xrd) || !finite(ytd)) return std::nullopt;

  // 5. The twelve edges; the three that meet at the hidden back-bottom-left
  // corner are dashed.
  const SketchPoint origin{static_cast<float>(kX0), static_cast<float>(kY0)};
  RoomSketch s;
  s.l1[0] = solid(origin, {*xr, origin.y});
  s.l2[0] = dashed(origin, {xd, yb});
  s.l3[0] = solid(origin, {origin.x, *yt});
  s.l3[1] = solid({*xr, origin.y}, {*xr, *yt});
  s.l2[1] = solid({*xr, origin.y}, {xrd, yb});
  s.l1[1] = solid({origin.x, *yt}, {*xr, *yt});
  s.l2[2] = solid({*xr, *yt}, {xrd, ytd});
  s.l3[2] = solid({xrd, yb}, {xrd, ybt});
  s.l1[2] = solid({xd, ybt}, {xrd, ybt});
  s.l3[3] = dashed({xd, yb}, {xd, ybt});
  s.l1[3] = dashed({xd, yb}, {xrd, yb});
  s.l2[3] = solid({origin.x, *yt}, {xd, ybt});

  // 6-10. The door, near the left wall, at the floor, only when it fits.
  for (int i = 4; i < 8; ++i) s.l3[i] = SketchSegment{origin, origin, false, false};
  const float fullHeight =
      toSingle(in.floorMaterialThickness * kMillimetre + in.doorHeight + in.floorInsulationThickness * kMillimetre +
               in.ceilingMaterialThickness * kMillimetre + in.ceilingInsulationThickness * kMillimetre);
  if (!(fullHeight <= std::fabs(in.roomHeight))) return s;
  const double fullWidth = in.wallMaterialThickness * kMillimetre + in.doorWidth +
                           in.wallInsulationThickness * kMillimetre + in.wallMaterialThickness * kMillimetre +
                           in.wallInsulationThickness * kMillimetre;
  if (!(in.roomLength - kDoorWidthMargin >= fullWidth)) return s;

  const auto twips = [](double metres) { return metres * static_cast<double>(kScale) * kMagnification; };
  const float xL =
      toSingle(kX0 + twips((static_cast<double>(in.wallInsulationThickness) + in.wallMaterialThickness) * kMillimetre) +
               kDoorOffset);
  const float yS = toSingle(
      kY0 - twips((static_cast<double>(in.floorInsulationThickness) + in.floorMaterialThickness) * kMillimetre));
  const float xR = toSingle(xL + twips(in.doorWidth));
  const float yH = toSingle(yS - twips(in.doorHeight));
  if (!finite(xL) || !finite(yS) || !finite(xR) || !finite(yH)) return s;
  s.l3[4] = solid({xL, yS}, {xR, yS});
  s.l3[5] = solid({xL, yS}, {xL, yH});
  s.l3[6] = solid({xL, yH}, {xR, yH});
  s.l3[7] = solid({xR, yH}, {xR, yS});
  return s;
}

}  // namespace kamerol
