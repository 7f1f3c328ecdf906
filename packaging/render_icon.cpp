// render_icon SVG SIZE PNG|RGBA: the program icon as a bitmap for the desktops that do not draw SVG, rendered at
// build time by Qt's SVG image plugin, as the program itself draws it. A name ending in ".rgba" gets the pixels
// alone, SIZE rows of SIZE red, green, blue and alpha bytes (not premultiplied, as PNG has them), which the
// program reads without Qt's image reader.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: render_icon SVG SIZE PNG|RGBA\n", stderr);
    return 1;
  }
  // No display at build time.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int size = QByteArray(argv[2]).toInt();
  QImageReader reader(QString::fromLocal8Bit(argv[1]));
  reader.setScaledSize(QSize(size, size));
  const QImage image = reader.read();
  const QString output = QString::fromLocal8Bit(argv[3]);
  if (!image.isNull() && output.endsWith(QLatin1String(".rgba"))) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
    QFile file(output);
    bool written = file.open(QIODevice::WriteOnly);
    for (int y = 0; written && y < pixels.height(); ++y)
      written =
          file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4) == pixels.width() * 4;
    if (written && file.flush()) return 0;
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(file.errorString()));
    return 1;
  }
  if (image.isNull() || !image.save(output, "PNG")) {
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}
