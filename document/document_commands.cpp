#include "document/document_commands.h"

#include "document/calculation_file.h"
#include "platform/utf8_path.h"

namespace kamerol {

bool DocumentCommands::settleUnsavedChanges() {
  if (!form_.modified()) return true;
  switch (ui_.askToSaveChanges()) {
    case SaveAnswer::Yes:
      return save();
    case SaveAnswer::No:
      return true;
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

bool DocumentCommands::newCalculation() {
  if (!settleUnsavedChanges()) return false;
  form_.loadDefaults();
  return true;
}

FileDialogRequest DocumentCommands::dialogRequest(std::string_view filter) const {
  // The calculations folder is only where the dialogs start; once a file was
  // chosen, the next dialog offers it again in its own folder.
  if (lastFile_.empty()) return {std::string(filter), ui_.calculationsFolder(), {}};
  return {std::string(filter), lastFile_.parent_path(), lastFile_};
}

bool DocumentCommands::open() {
  if (!settleUnsavedChanges()) return false;
  const auto path = ui_.chooseFileToOpen(dialogRequest(kOpenFilter));
  if (!path) return false;
  lastFile_ = *path;
  const ReadStatus status = readCalculationFile(form_, *path, ReadMode::Dialog, ui_);
  if (status == ReadStatus::CannotOpen)
    ui_.showMessage(
        Message{"Сообщение программы", "Не удалось открыть файл расчета\n" + path->string(), MessageIcon::Error});
  return status == ReadStatus::Ok;
}

bool DocumentCommands::save() {
  auto path = ui_.chooseFileToSave(dialogRequest(kSaveFilter));
  if (!path) return false;
  if (!path->has_extension()) *path += ".tpl";
  lastFile_ = *path;
  if (writeCalculationFile(form_, *path)) return true;
  ui_.showMessage(
      Message{"Сообщение программы", "Не удалось сохранить файл расчета\n" + utf8Of(*path), MessageIcon::Error});
  return false;
}

bool DocumentCommands::mayClose() { return settleUnsavedChanges(); }

}  // namespace kamerol
