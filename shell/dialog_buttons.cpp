#include "shell/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace kamerol::shell {

QHBoxLayout* acceptButtonRow(QDialog* dialog, const QString& text, const QString& objectName) {
  auto* ok = new QPushButton(text);
  ok->setObjectName(objectName);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  return row;
}

QHBoxLayout* acceptCancelButtonRow(QDialog* dialog, const QString& text, const QString& objectName) {
  QHBoxLayout* row = acceptButtonRow(dialog, text, objectName);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"));
  cancel->setObjectName(QStringLiteral("CancelButton"));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::close);
  row->addWidget(cancel);
  return row;
}

}  // namespace kamerol::shell
