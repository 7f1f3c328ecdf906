#pragma once

#include <QDialog>

namespace kamerol::shell {

// "О программе Kamerol": the program's name, version, purpose and icon. The form is disabled while it is open.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // `form` is the calculation form (may be null).
  explicit AboutBox(QWidget* form);

  // Creates the box, shows it without waiting and deletes it when it closes.
  static AboutBox* open(QWidget* form);
};

}  // namespace kamerol::shell
