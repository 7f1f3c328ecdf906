#pragma once

// The controls of the calculation form, under the names the form gives them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kamerol {

enum class Control : std::uint8_t {
  Text1,
  Text2,
  Text3,
  Text4,
  Text5,
  Text6,
  Text7,
  Text8,
  Text9,
  Text10,
  Text11,
  Text12,
  Text13,
  Text14,
  Text15,
  Text16,
  Text17,
  Text18,
  Text19,
  Text20,
  Text21,
  Text22,
  Text23,
  Text24,
  Text25,
  Text26,
  Text27,
  Text31,
  Text32,
  Text33,
  Text34,
  Text35,
  Text36,
  Text37,
  Text38,
  Text39,
  Text40,
  Text41,
  Text42,
  Text43,
  Text44,
  Text45,
  Text46,
  Text47,
  Text48,
  Text49,
  Combo1,
  Combo2,
  Combo3,
  Combo4,
  Combo5,
  Combo6,
  Combo8,
  Combo9,
  Combo10,
  Check2,
  Check3,
  Check4,
  Check5,
  Check6,
  Check7,
  Check8,
  Check9,
  Check10,
  Check11,
  Check12,
  Option1,
  Option2,
  UpDown1,
  UpDown2,
  UpDown3,
  UpDown4,
  UpDown5,
  UpDown6,
  UpDown7,
  UpDown8,
  UpDown9,
  UpDown10,
  UpDown11,
  UpDown12,
  UpDown13,
  UpDown14,
  UpDown15,
  UpDown16,
  UpDown17,
  UpDown18,
  UpDown19,
  UpDown20,
  UpDown21,
  UpDown22,
  UpDown23,
  UpDown24,
  UpDown25,
  UpDown26,
  UpDown27,
  UpDown28,
  UpDown29,
};

inline constexpr int kControlCount = 97;

enum class ControlKind : std::uint8_t { TextBox, ComboBox, CheckBox, OptionButton, UpDown };

ControlKind kindOf(Control control);
std::string_view nameOf(Control control);
std::optional<Control> controlNamed(std::string_view name);

// Every control, in declaration order.
std::span<const Control> allControls();

inline constexpr int indexOf(Control control) { return static_cast<int>(control); }

}  // namespace kamerol
