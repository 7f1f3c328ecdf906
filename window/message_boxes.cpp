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

}  // namespace kamerol
