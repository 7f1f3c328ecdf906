#include "window/message_boxes.h"

#include <QMessageBox>

namespace kamerol {

void MessageBoxes::showMessage(const Message& message) {
  const QMessageBox::Icon icon = message.icon == MessageIcon::Error     ? QMessageBox::Critical
                                 : message.icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                        : QMessageBox::NoIcon;
  QMessageBox box(icon, QString::fromStdString(message.title), QString::fromStdString(message.text), QMessageBox::Ok,
                  parent_);
  box.exec();
}

SaveAnswer askToSaveChanges(QWidget* parent, std::string_view question) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kSaveChangesTitle.data(), kSaveChangesTitle.size()),
                  QString::fromUtf8(question.data(), static_cast<qsizetype>(question.size())),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveAnswer::Yes;
    case QMessageBox::No:
      return SaveAnswer::No;
    default:
      return SaveAnswer::Cancel;
  }
}

}  // namespace kamerol
