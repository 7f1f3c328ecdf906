#pragma once

#include <QDialog>

#include "shell/settings_store.h"

class QCheckBox;

namespace kamerol::shell {

// "Настройка": the logo and sound switches. One dialog serves one opening: it reads the switches when it is
// created, OK stores them, the close box drops the changes. The form is disabled while the dialog is open.
class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `store` and `settings` must outlive the dialog; `form` is the calculation form (may be null).
  SettingsDialog(SettingsStore& store, AppSettings& settings, QWidget* form);

  // Creates the dialog, shows it without waiting and deletes it when it closes.
  static SettingsDialog* open(SettingsStore& store, AppSettings& settings, QWidget* form);

 public slots:
  void accept() override;

 private:
  SettingsStore& store_;
  AppSettings& settings_;
  QCheckBox* logoBox_;
  QCheckBox* soundBox_;
};

}  // namespace kamerol::shell
