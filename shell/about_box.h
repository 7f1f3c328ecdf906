#pragma once

#include <QDialog>

namespace kamerol::shell {

// The program's licence as the About box names it.
inline constexpr char kLicenceText[] = "Лицензия: GNU GPL версии 3 или более поздней";

// "О программе Kamerol": the program's name, version, purpose, licence and icon. The form is disabled while it is
// open.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // `form` is the calculation form (may be null).
  explicit AboutBox(QWidget* form);

  // Creates the box, shows it without waiting and deletes it when it closes.
  static AboutBox* open(QWidget* form);
};

}  // namespace kamerol::shell
