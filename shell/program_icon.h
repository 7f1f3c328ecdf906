#pragma once

#include <QIcon>
#include <QString>

namespace kamerol::shell {

// The program's icon (a cold-room box with a snowflake), for the windows and the About box.
QIcon kamerolIcon();

// The resource path of the icon's SVG source.
QString kamerolIconSvgPath();

}  // namespace kamerol::shell
