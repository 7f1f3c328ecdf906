#include "shell/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

#include <cstring>
#include <initializer_list>
#include <utility>

#include "shell/deferred_icon.h"

namespace kamerol::shell {
namespace {

// The bitmaps are raw pixels, each SIZE rows of SIZE red, green, blue and
// alpha bytes, rendered at build time. Qt's image reader would cost more than
// the rest of the toolbar: its first use reads the description of every image
// format plugin, even for a format it has built in, such as PNG.
QIcon fromBitmaps(const QString& name, std::initializer_list<int> sizes) {
  QIcon icon;
  for (const int size : sizes) {
    const QByteArray pixels = QResource(QStringLiteral(":/kamerol/%1-%2.rgba").arg(name).arg(size)).uncompressedData();
    QImage image(size, size, QImage::Format_RGBA8888);
    if (pixels.size() != image.sizeInBytes()) continue;
    std::memcpy(image.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
    icon.addPixmap(QPixmap::fromImage(std::move(image)));
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
