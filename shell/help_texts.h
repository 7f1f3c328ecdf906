#pragma once

#include <span>
#include <string_view>

namespace kamerol::shell {

// The texts of the nine help popups, which explain how each heat gain is computed. Toolkit-free, UTF-8.
// A popup shows its labels top to bottom; a label shows its segments on rows of their own.
struct HelpLabel {
  std::span<const std::string_view> segments;
};

struct HelpText {
  std::string_view title;
  std::span<const HelpLabel> labels;
};

inline constexpr int kHelpPopupCount = 9;

// Popup `number` (1 to 9); nullptr for any other number.
const HelpText* helpText(int number);

// Help popups 1 to 8 close when they lose the focus; popup 9 (loading vehicles) only through its close box.
constexpr bool helpPopupClosesOnFocusLoss(int number) { return number >= 1 && number <= 8; }

}  // namespace kamerol::shell
