#pragma once

// The two small tables of the engine and the door: the specific heat of fresh
// air by room temperature, and the door curtains.

#include <optional>
#include <span>
#include <string_view>

namespace kamerol {

// Specific heat gain of fresh air in kW per m³ exchanged per day, for a room
// temperature that is a whole degree from -40 to 20 °C; 0 for any other
// temperature (no interpolation, no nearest row).
float ventilationSpecificHeat(float roomTemp);

struct Curtain {
  std::string_view name;
  float efficiency;  // fraction of the door infiltration it stops
};

// "Нет", "Штора", "Воздушная", in the order of the curtain list.
std::span<const Curtain> curtains();

// The curtain whose name is exactly `text`, if any.
std::optional<Curtain> findCurtain(std::string_view text);

}  // namespace kamerol
