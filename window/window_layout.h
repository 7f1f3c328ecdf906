#pragma once

// Where each control of the calculation window stands, as data: the pages'
// controls and the form's own fields around them, in twips, in the order
// they are made.

#include <optional>
#include <span>
#include <string_view>

#include "form/calculation_fields.h"
#include "form/calculation_form.h"

namespace kamerol::layout {

struct TwipBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class Piece : unsigned char {
  Label,   // a plain caption
  Field,   // a text box, with its caption label, and its spinner (spinnerOf) to the right
  List,    // an editable drop-down list
  Check,   // a check box with its text
  Option,  // an option button with its text
};

enum class Align : unsigned char { Left, Centre, Right };

struct Placement {
  // The page whose frame holds it (frame twips); 0: the form around the
  // pages (client twips, from the top of the form's toolbar).
  int page = 0;
  Piece piece = Piece::Label;
  Control control{};  // what it shows; not for a Label
  TwipBox box;        // the control itself, or the label
  // A label's text, a check box's or option's text; the accessible name of
  // a field or list (which reads like its caption label).
  std::string_view text{};
  // A caption label beside the control, its buddy; width 0: none. Its text
  // is `text`, or the model's `modelCaption` when there is one.
  TwipBox label{};
  // The accessible name where the caption says more; empty: `text`.
  std::string_view name{};
  std::optional<Caption> modelCaption{};
  Align align = Align::Right;  // of a Label
};

inline constexpr int kBoxHeight = 300;     // a text box
inline constexpr int kListHeight = 330;    // a drop-down list
inline constexpr int kSpinnerWidth = 255;  // an arrow pair

// The controls of every page and of the form around them, in making order.
std::span<const Placement> placements();

}  // namespace kamerol::layout
