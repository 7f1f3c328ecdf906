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
  ownFile_.clear();
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
  const auto path = ui_.chooseFileToOpen(dialogRequest(ui_.opensProjects() ? kOpenWithProjectsFilter : kOpenFilter));
  return path && read(*path);
}

bool DocumentCommands::open(const std::filesystem::path& file) { return settleUnsavedChanges() && read(file); }

bool DocumentCommands::read(const std::filesystem::path& file) {
  lastFile_ = file;
  if (ui_.openedAsProject(file)) return true;
  const ReadStatus status = readCalculationFile(form_, file, ReadMode::Dialog, ui_);
  if (status == ReadStatus::CannotOpen)
    ui_.showMessage(
        Message{"Сообщение программы", "Не удалось открыть файл расчета\n" + file.string(), MessageIcon::Error});
  // A file read in part leaves a mixture that is no longer the file it had:
  // "Сохранить" must ask for a name rather than overwrite that one.
  if (status == ReadStatus::FormatError) ownFile_.clear();
  if (status != ReadStatus::Ok) return false;
  ownFile_ = file;
  ui_.fileUsed(file);
  return true;
}

bool DocumentCommands::save() { return ownFile_.empty() ? saveAs() : write(ownFile_); }

bool DocumentCommands::saveAs() {
  auto path = ui_.chooseFileToSave(dialogRequest(kSaveFilter));
  if (!path) return false;
  if (!path->has_extension()) *path += ".tpl";
  lastFile_ = *path;
  return write(*path);
}

bool DocumentCommands::write(const std::filesystem::path& file) {
  if (!writeCalculationFile(form_, file)) {
    ui_.showMessage(
        Message{"Сообщение программы", "Не удалось сохранить файл расчета\n" + utf8Of(file), MessageIcon::Error});
    return false;
  }
  ownFile_ = file;
  ui_.fileUsed(file);
  return true;
}

void DocumentCommands::startedFrom(const std::filesystem::path& file) {
  lastFile_ = file;
  ownFile_ = file;
  ui_.fileUsed(file);
}

bool DocumentCommands::mayClose() { return settleUnsavedChanges(); }

std::string calculationWindowTitle(const std::filesystem::path& ownFile) {
  std::string title = "Расчет теплопритоков в холодильной камере";
  if (!ownFile.empty()) title += " — " + utf8Of(ownFile.filename());
  return title + "[*]";
}

}  // namespace kamerol
