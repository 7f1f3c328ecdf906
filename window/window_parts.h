#pragma once

// What the parts of the calculation window share: the client area's twips
// and the colours.

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

#include "window/twips.h"

namespace kamerol::window_parts {

// The client area is laid out from the top of the form's toolbar; the
// window's own toolbar takes those 420 twips.
inline constexpr int kToolbarTwips = 420;
inline constexpr int kClientWidth = 11925;
inline constexpr int kClientHeight = 7875;

inline QRect client(int x, int y, int width, int height) { return twipRect(x, y - kToolbarTwips, width, height); }

inline QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

inline const QColor kFocusGreen(128, 255, 128);
inline const QColor kGrey(224, 224, 224);
inline const QColor kDarkBlue(0, 0, 128);
inline const QColor kRed(255, 0, 0);
inline const QColor kPurple(128, 0, 128);

}  // namespace kamerol::window_parts
