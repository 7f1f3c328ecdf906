#pragma once

#include <QIcon>
#include <QString>

namespace kamerol::shell {

// The program's icon (a cold-room box with a snowflake), for the windows and the About box.
QIcon kamerolIcon();

// The resource path of the icon's SVG source.
QString kamerolIconSvgPath();

// The program's icon from its bitmaps, for the windows' title bars and the
// task bar: drawn without Qt's SVG engine, so the start-up need not load it.
QIcon kamerolWindowIcon();

// An icon from the bitmaps rendered at build time ("toolbar/new": its 16 and
// 32 pixel images).
QIcon bitmapIcon(const QString& name);

}  // namespace kamerol::shell
