#pragma once

#include <QPointer>
#include <QWidget>

#include <string_view>

#include "document/document_commands.h"
#include "form/messages.h"

namespace kamerol {

// The form's messages as modal message boxes with one OK button, over the
// calculation window once it exists (they can come before it is shown: a
// file named on the command line is read at start-up).
class MessageBoxes final : public MessageSink {
 public:
  void setParentWidget(QWidget* parent) { parent_ = parent; }
  void showMessage(const Message& message) override;

 private:
  QPointer<QWidget> parent_;
};

// The question about unsaved changes, over `parent`: "Да" saves, "Нет" goes on without saving, "Отмена" and
// Esc keep things as they are.
SaveAnswer askToSaveChanges(QWidget* parent, std::string_view question);

}  // namespace kamerol
