#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;

namespace kamerol::shell {

// The button row of the program's small dialogs: one default button at the
// right that accepts the dialog (through its own accept(), where it has one).
QHBoxLayout* acceptButtonRow(QDialog* dialog, const QString& text, const QString& objectName);

// The same row with "Отмена" beside the button, which closes the dialog as
// its close box does.
QHBoxLayout* acceptCancelButtonRow(QDialog* dialog, const QString& text, const QString& objectName);

}  // namespace kamerol::shell
