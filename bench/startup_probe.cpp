// startup_probe bare|text|kamerol: starts, shows one window and exits as soon
// as it is on the screen. window_bench times whole processes of each kind:
// a bare main window, one with a menu bar and a line of text (what any window
// showing text pays for the font database), and the calculation window.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <cstring>

#include "docs/startup.h"
#include "shell/calculation_window.h"
#include "shell/message_boxes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "bare") == 0) {
    QMainWindow window;
    window.resize(795, 560);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
    QMainWindow window;
    for (const char* menu : {"Файл", "Настройки", "Инструменты", "Помощь"}) window.menuBar()->addMenu(menu);
    window.setCentralWidget(new QLabel(QStringLiteral("Расчет теплопритоков в холодильной камере")));
    window.resize(795, 560);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
  }
  kamerol::MessageBoxes messages;
  kamerol::CalculationForm form(messages, kamerol::NumberLocale::point());
  kamerol::WindowServices services;
  kamerol::CalculationWindow window(form, services, messages);
  kamerol::startCalculation(form, std::nullopt, messages);
  window.show();
  return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}
