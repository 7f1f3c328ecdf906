// kamerol: the desktop program.

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QStyleFactory>

#include "app/command_line.h"
#include "app/number_locale.h"
#include "docs/startup.h"
#include "shell/calculation_window.h"
#include "shell/desktop_services.h"
#include "shell/file_association.h"
#include "shell/message_boxes.h"
#include "shell/program_icon.h"
#include "shell/settings_store.h"
#include "shell/sound.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The program ends only through closing the calculation form or "Выход";
  // while the report stands in for the hidden form, closing it is no end.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(kamerol::shell::kamerolIcon());
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.5);
  QApplication::setFont(font);

  // The file association when it is absent, then the settings.
  kamerol::shell::writeFileAssociationIfAbsent(QCoreApplication::applicationFilePath());
  kamerol::shell::QSettingsStore store;
  kamerol::shell::AppSettings settings = kamerol::shell::readAppSettings(store, kamerol::shell::programFolder());
  const auto player = kamerol::shell::createSoundPlayer();
  const kamerol::shell::SoundCues cues(*player, settings, kamerol::shell::programFolder());

  // The form with its first page shown, the lists, the defaults, the file
  // named on the command line, one engine run; then the window is shown.
  kamerol::MessageBoxes messages;
  kamerol::CalculationForm form(messages, kamerol::numberLocaleOf(QLocale::system()));
  kamerol::DesktopServices services(store, settings, cues, form);
  kamerol::CalculationWindow window(form, services, messages);
  messages.setParentWidget(&window);
  services.setWindow(&window);
  kamerol::startCalculation(form, kamerol::commandLineFile(QCoreApplication::arguments()), messages);
  window.show();
  return QApplication::exec();
}
