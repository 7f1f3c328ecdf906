#pragma once

// Keyboard navigation and the pages of the calculation form, as data.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "form/calculation_fields.h"

namespace kamerol {

inline constexpr int kPageCount = 10;

struct PageInfo {
  int number;  // 1..10, the tab index
  std::string_view tabCaption;
  std::string_view frameName;  // "Frame1" .. "Frame11" (there is no Frame7)
  std::string_view frameCaption;
  int helpPopup;                // 1..9, the popup its "?" button opens; 0: none
  std::string_view helpButton;  // "Command1" .. "Command9"; empty: none
  // The result boxes of the rows drawn red while the page is shown.
  std::array<std::optional<Control>, 2> highlightedRows;
};

std::span<const PageInfo> pages();
const PageInfo& page(int number);  // 1..10

// The page a control stands on; empty for the header, the results panel and
// the client details, which are always visible.
std::optional<int> pageOf(Control control);

// Where the Enter key sends the focus from this control; empty when it does
// not react to Enter.
std::optional<Control> nextOnEnter(Control control);

// The Tab key's order; controls on hidden pages are skipped, and the
// inclusion check boxes of the results panel come last.
std::span<const Control> tabOrder();

}  // namespace kamerol
