#pragma once

// The calculation window is laid out in twips, as its printed page is; 15
// twips make one logical pixel, so the layout follows Qt's high-DPI scaling.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

namespace kamerol {

inline constexpr double kTwipsPerPixel = 15.0;

inline int px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

inline QRect twipRect(double x, double y, double width, double height) { return {px(x), px(y), px(width), px(height)}; }

}  // namespace kamerol
