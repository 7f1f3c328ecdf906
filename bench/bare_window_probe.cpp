// bare_window_probe bare|text: the yardsticks of kamerol's start-up, linked
// with Qt Widgets alone. "bare" is an empty main window; "text" has a menu bar
// and a line of text, so it pays what any window showing text pays (the font
// database, the first glyphs).

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

#include "bench/exposed_clock.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
    for (const char* menu : {"Файл", "Настройки", "Инструменты", "Помощь"}) window.menuBar()->addMenu(menu);
    window.setCentralWidget(new QLabel(QStringLiteral("Расчет теплопритоков в холодильной камере")));
  }
  window.resize(795, 560);
  kamerol::bench::showReportExposureAndExit(window);
}
