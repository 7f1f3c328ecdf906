#pragma once

// Where a secondary window (the chart, a trace) opens: beside the calculation
// window, never over it, and wholly on the screen.

#include <QRect>
#include <QSize>

class QWidget;

namespace kamerol {

inline constexpr int kBesideGap = 8;  // pixels between the two windows

struct BesidePlacement {
  QRect window;  // the new window's frame
  QRect anchor;  // the calculation window's frame, moved only when it must be
};

// Frames (window borders included) on the screen area `screen`. The new
// window would like `wanted` and needs at least `minimum`. It takes the right
// side where the wanted width fits there, else the left side where it fits,
// else the wider side, narrowed to it, where that leaves the minimum width.
// Where neither does, the anchor moves left, as far as the wanted width
// needs and the screen allows, and the window stands on its right. The window is lowered to the screen's height and
// moved up so that its bottom stays on the screen. Only a screen narrower than both windows' least widths puts one over
// the other.
BesidePlacement placeBeside(const QRect& anchor, QSize wanted, QSize minimum, const QRect& screen);

// Places `window` (not yet shown) beside `formWindow` on the form's screen by
// placeBeside; `wanted` and `minimum` are its client sizes. Moves the form
// only where it must.
void placeWindowBeside(QWidget& window, QWidget* formWindow, QSize wanted, QSize minimum);

}  // namespace kamerol
