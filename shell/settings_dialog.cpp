#include "shell/settings_dialog.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialog_buttons.h"
#include "shell/form_link.h"

namespace kamerol::shell {
namespace {

// The icon and the buttons of a title bar, a generous guess across window managers.
constexpr int kTitleBarButtonsWidth = 160;

}  // namespace

SettingsDialog::SettingsDialog(SettingsStore& store, AppSettings& settings, QWidget* form)
    : store_(store),
      settings_(settings),
      logoBox_(new QCheckBox(QStringLiteral("Печатать Лого"))),
      soundBox_(new QCheckBox(QStringLiteral("Звуковое оформление"))) {
  setWindowTitle(QStringLiteral("Настройка"));
  new FormLink(this, form, FormLink::kDisableForm);

  settings_.logo = readSwitch(store_, QLatin1String(kLogoKey));
  settings_.sound = readSwitch(store_, QLatin1String(kSoundKey));

  logoBox_->setObjectName(QStringLiteral("Check1"));
  logoBox_->setChecked(settings_.logo == 1);
  soundBox_->setObjectName(QStringLiteral("Check2"));
  soundBox_->setChecked(settings_.sound == 1);

  auto* buttons = acceptCancelButtonRow(this, QStringLiteral("OK"), QStringLiteral("OKButton"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(logoBox_);
  layout->addWidget(soundBox_);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The window's own title bar must show "Настройка" whole beside its icon
  // and buttons, which the two check boxes alone would not leave room for.
  QFont titleFont = font();
  titleFont.setBold(true);
  layout->addStrut(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarButtonsWidth);
}

SettingsDialog* SettingsDialog::open(SettingsStore& store, AppSettings& settings, QWidget* form) {
  auto* dialog = new SettingsDialog(store, settings, form);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return dialog;
}

void SettingsDialog::accept() {
  settings_.logo = logoBox_->isChecked() ? 1 : 0;
  settings_.sound = soundBox_->isChecked() ? 1 : 0;
  store_.write(QLatin1String(kLogoKey), QString::number(settings_.logo));
  store_.write(QLatin1String(kSoundKey), QString::number(settings_.sound));
  QDialog::accept();
}

}  // namespace kamerol::shell
