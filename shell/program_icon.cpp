#include "shell/program_icon.h"

namespace kamerol::shell {

QString kamerolIconSvgPath() { return QStringLiteral(":/kamerol/kamerol.svg"); }

QIcon kamerolIcon() { return QIcon(kamerolIconSvgPath()); }

}  // namespace kamerol::shell
