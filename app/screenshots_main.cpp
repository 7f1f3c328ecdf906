// kamerol-screenshots OUT_DIR [FILE.tpl]: the calculation window with each of
// its ten pages, the load chart, trace, sensitivity and checks windows, and
// the screen with the form and its tool windows beside it (the chart with the
// trace, and the sensitivity), as PNG images. For looking at the layout.
// kamerol-screenshots OUT_DIR FILE.kamerol: the project window on a 1366 × 768 screen.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

#include "app/number_locale.h"
#include "core/gains.h"
#include "document/startup.h"
#include "shell/program_look.h"
#include "window/calculation_window.h"
#include "window/chart_window.h"
#include "window/checks_window.h"
#include "window/message_boxes.h"
#include "window/project_window.h"
#include "window/sensitivity_window.h"
#include "window/trace_window.h"

int main(int argc, char* argv[]) {
#ifndef _WIN32
  // Drawn offscreen, with no display, on a laptop's screen of 1366 × 768. (Under Wine the offscreen platform finds
  // no fonts: there the windows are drawn by the Windows platform, on the display Wine has.)
  QTemporaryDir screens;
  const QString screensFile = screens.filePath(QStringLiteral("screens.json"));
  QFile config(screensFile);
  if (!config.open(QIODevice::WriteOnly) ||
      config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768}]})") < 0)
    return 2;
  config.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screensFile));
#endif
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kamerol-screenshots OUT_DIR [FILE.tpl]\n");
    return 1;
  }
  kamerol::shell::applyProgramLook();
  const QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));

  if (argc > 2 && kamerol::isProjectFileName(argv[2])) {
    kamerol::MessageBoxes messages;
    kamerol::WindowServices services;
    const kamerol::RoomCalculator calculator(kamerol::numberLocaleOf(QLocale::system()));
    kamerol::ProjectWindow window(calculator, services, messages);
    if (!window.openProject(argv[2])) return 2;
    window.resize(1366, 768 - 40);  // the screen less a task bar
    window.show();
    window.selectRoom(0);
    QApplication::processEvents();
    const QString path = out.filePath(QStringLiteral("project-window.png"));
    if (!window.grab().save(path)) return 2;
    std::printf("%s\n", qPrintable(path));
    return 0;
  }

  kamerol::MessageBoxes messages;
  kamerol::CalculationForm form(messages, kamerol::numberLocaleOf(QLocale::system()));
  kamerol::WindowServices services;
  kamerol::CalculationWindow window(form, services, messages);
  std::optional<std::filesystem::path> file;
  if (argc > 2) file = argv[2];
  kamerol::startCalculation(form, file, messages);
  window.show();
  for (int page = 1; page <= kamerol::kPageCount; ++page) {
    form.selectPage(page);
    QApplication::processEvents();
    const QString path = out.filePath(QStringLiteral("page-%1.png").arg(page, 2, 10, QLatin1Char('0')));
    if (!window.grab().save(path)) return 2;
    std::printf("%s\n", qPrintable(path));
  }
  // The load chart beside the form.
  window.showChart();
  QApplication::processEvents();
  const QString chart = out.filePath(QStringLiteral("chart-window.png"));
  if (!window.chartWindow()->grab().save(chart)) return 2;
  std::printf("%s\n", qPrintable(chart));
  // The calculation trace beside the form.
  window.showTrace();
  QApplication::processEvents();
  // At the product, whose phases show the most of the method.
  QTreeWidget* tree = window.traceWindow()->tree();
  tree->scrollToItem(tree->topLevelItem(static_cast<int>(kamerol::Gain::Product) + 1),
                     QAbstractItemView::PositionAtTop);
  QApplication::processEvents();
  const QString trace = out.filePath(QStringLiteral("trace-window.png"));
  if (!window.traceWindow()->grab().save(trace)) return 2;
  std::printf("%s\n", qPrintable(trace));

  // The screen with the form and tool windows where they opened, each frame drawn as a line.
  const auto drawScreen = [&](const char* name, std::initializer_list<QWidget*> shown) {
    QImage desktop(window.screen()->geometry().size(), QImage::Format_RGB32);
    desktop.fill(QColor(58, 110, 165));
    {
      QPainter painter(&desktop);
      painter.translate(-window.screen()->geometry().topLeft());
      for (QWidget* w : shown) {
        painter.setPen(Qt::black);
        painter.drawRect(w->frameGeometry().adjusted(0, 0, -1, -1));
        painter.drawPixmap(w->geometry().topLeft(), w->grab());
      }
    }
    const QString path = out.filePath(QString::fromUtf8(name));
    if (!desktop.save(path)) return false;
    std::printf("%s\n", qPrintable(path));
    return true;
  };
  if (!drawScreen("screen.png", {&window, window.chartWindow(), window.traceWindow()})) return 2;
  window.traceWindow()->close();
  window.chartWindow()->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window.showSensitivity();
  QApplication::processEvents();
  if (!drawScreen("sensitivity-beside-form.png", {&window, window.sensitivityWindow()})) return 2;
  window.showChecks();
  QApplication::processEvents();
  const QString checks = out.filePath(QStringLiteral("checks-window.png"));
  if (!window.checksWindow()->grab().save(checks)) return 2;
  std::printf("%s\n", qPrintable(checks));
  return 0;
}
