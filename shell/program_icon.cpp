#include "shell/program_icon.h"

#include <QImageReader>
#include <QPixmap>

#include <initializer_list>

#include "shell/deferred_icon.h"

namespace kamerol::shell {
namespace {

// Read as PNG and nothing else: an image whose format Qt is left to find out
// loads every image format plugin first.
QIcon fromBitmaps(const QString& name, std::initializer_list<int> sizes) {
  QIcon icon;
  for (const int size : sizes) {
    QImageReader reader(QStringLiteral(":/kamerol/%1-%2.png").arg(name).arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

}  // namespace

QString kamerolIconSvgPath() { return QStringLiteral(":/kamerol/kamerol.svg"); }

QIcon kamerolIcon() { return QIcon(kamerolIconSvgPath()); }

// Read when a window system first asks for it (an X display does as the
// window is shown; the offscreen platform never does).
QIcon kamerolWindowIcon() {
  return deferredIcon([] { return fromBitmaps(QStringLiteral("kamerol"), {16, 24, 32, 48, 64, 128}); });
}

QIcon bitmapIcon(const QString& name) { return fromBitmaps(name, {16, 32}); }

}  // namespace kamerol::shell
