#include "core/tables.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kamerol {
namespace {

constexpr int kWarmestRow = 20;
constexpr int kColdestRow = -40;

// One row per whole degree, from 20 °C down to -40 °C.
constexpr std::array<float, kWarmestRow - kColdestRow + 1> kVentilation = {
    0.0002064f,  // 20 °C
    0.0002421f,  // 19 °C
    0.000278f,   // 18 °C
    0.0003142f,  // 17 °C
    0.0003506f,  // 16 °C
    0.0003873f,  // 15 °C
    0.0004214f,  // 14 °C
    0.0004557f,  // 13 °C
    0.0004903f,  // 12 °C
    0.0005251f,  // 11 °C
    0.0005601f,  // 10 °C
    0.0005911f,  // 9 °C
    0.0006223f,  // 8 °C
    0.0006537f,  // 7 °C
    0.0006853f,  // 6 °C
    0.0007172f,  // 5 °C
    0.0007433f,  // 4 °C
    0.0007698f,  // 3 °C
    0.0007963f,  // 2 °C
    0.0008231f,  // 1 °C
    0.00085f,    // 0 °C
    0.0008757f,  // -1 °C
    0.0009015f,  // -2 °C
    0.0009276f,  // -3 °C
    0.0009538f,  // -4 °C
    0.0009802f,  // -5 °C
    0.0010053f,  // -6 °C
    0.0010306f,  // -7 °C
    0.001056f,   // -8 °C
    0.0010818f,  // -9 °C
    0.0011075f,  // -10 °C
    0.0011321f,  // -11 °C
    0.0011567f,  // -12 °C
    0.0011816f,  // -13 °C
    0.0012067f,  // -14 °C
    0.0012319f,  // -15 °C
    0.0012527f,  // -16 °C
    0.0012735f,  // -17 °C
    0.0012945f,  // -18 °C
    0.0013157f,  // -19 °C
    0.0013371f,  // -20 °C
    0.0013585f,  // -21 °C
    0.0013803f,  // -22 °C
    0.0014021f,  // -23 °C
    0.0014242f,  // -24 °C
    0.0014464f,  // -25 °C
    0.0014687f,  // -26 °C
    0.0014913f,  // -27 °C
    0.0015141f,  // -28 °C
    0.001537f,   // -29 °C
    0.0015601f,  // -30 °C
    0.0015885f,  // -31 °C
    0.0016172f,  // -32 °C
    0.001646f,   // -33 °C
    0.0016751f,  // -34 °C
    0.0017044f,  // -35 °C
    0.0017282f,  // -36 °C
    0.0017521f,  // -37 °C
    0.0017762f,  // -38 °C
    0.0018007f,  // -39 °C
    // No measured row for -40 °C: extrapolated linearly from the two rows
    // above it (-39 °C exceeds -38 °C by 0.0000245).
    0.0018252f,  // -40 °C
};

constexpr std::array<Curtain, 3> kCurtains = {{
    {"Нет", 0.0f},
    {"Штора", 0.2f},
    {"Воздушная", 0.7f},
}};

}  // namespace

float ventilationSpecificHeat(float roomTemp) {
  // Only an exact whole degree has a row; -0 matches 0.
  if (!(roomTemp >= kColdestRow && roomTemp <= kWarmestRow)) return 0;
  if (std::trunc(roomTemp) != roomTemp) return 0;
  const int row = kWarmestRow - static_cast<int>(roomTemp);
  return kVentilation[static_cast<std::size_t>(row)];
}

std::span<const Curtain> curtains() { return kCurtains; }

std::optional<Curtain> findCurtain(std::string_view text) {
  const auto it = std::find_if(kCurtains.begin(), kCurtains.end(), [text](const Curtain& c) { return c.name == text; });
  if (it == kCurtains.end()) return std::nullopt;
  return *it;
}

}  // namespace kamerol
