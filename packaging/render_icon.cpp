// render_icon SVG SIZE PNG: the program icon as a bitmap for the desktops that do not draw SVG, rendered at build
// time by Qt's SVG image plugin, as the program itself draws it.
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: render_icon SVG SIZE PNG\n", stderr);
    return 1;
  }
  // No display at build time.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int size = QByteArray(argv[2]).toInt();
  QImageReader reader(QString::fromLocal8Bit(argv[1]));
  reader.setScaledSize(QSize(size, size));
  const QImage image = reader.read();
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}
