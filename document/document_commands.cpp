#include "document/document_commands.h"

#include <system_error>

#include "document/calculation_file.h"
#include "platform/utf8_path.h"

namespace kamerol {
namespace {

// A file named on the command line may be relative to a folder the process
// leaves: the dialogs and the recent files need where it really is.
std::filesystem::path absolutePath(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(file, error);
  return error ? file : absolute;
}

}  // namespace

bool DocumentCommands::settleUnsavedChanges() {
  if (!form_.modified()) return true;
  return goesOnAfter(ui_.askToSaveChanges(), [this] { return save(); });
}

bool DocumentCommands::newCalculation() {
  if (!settleUnsavedChanges()) return false;
  form_.loadDefaults();
  ownFile_.clear();
  return true;
}

std::filesystem::path DocumentCommands::dialogFolder() const {
  if (!ownFile_.empty()) return ownFile_.parent_path();
  if (!lastFolder_.empty()) return lastFolder_;
  return ui_.calculationsFolder();
}

std::filesystem::path DocumentCommands::reportPdfPath() const {
  std::filesystem::path name = ownFile_.empty() ? std::filesystem::path(u8"Отчет") : ownFile_.stem();
  return dialogFolder() / name.concat(".pdf");
}

// A new calculation is offered no name: one Enter must not write it over the
// file of the calculation before.
FileDialogRequest DocumentCommands::dialogRequest(std::string_view filter) const {
  return {std::string(filter), dialogFolder(), ownFile_};
}

bool DocumentCommands::open() {
  if (!settleUnsavedChanges()) return false;
  const auto path = ui_.chooseFileToOpen(dialogRequest(ui_.opensProjects() ? kOpenWithProjectsFilter : kOpenFilter));
  return path && read(*path);
}

bool DocumentCommands::open(const std::filesystem::path& file) { return settleUnsavedChanges() && read(file); }

bool DocumentCommands::read(const std::filesystem::path& chosen) {
  const std::filesystem::path file = absolutePath(chosen);
  lastFolder_ = file.parent_path();
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
  return write(absolutePath(*path));
}

bool DocumentCommands::write(const std::filesystem::path& file) {
  if (!writeCalculationFile(form_, file)) {
    ui_.showMessage(
        Message{"Сообщение программы", "Не удалось сохранить файл расчета\n" + utf8Of(file), MessageIcon::Error});
    return false;
  }
  ownFile_ = file;
  lastFolder_ = file.parent_path();
  ui_.fileUsed(file);
  return true;
}

void DocumentCommands::startedFrom(const std::filesystem::path& file) {
  ownFile_ = absolutePath(file);
  lastFolder_ = ownFile_.parent_path();
  ui_.fileUsed(ownFile_);
}

bool DocumentCommands::mayClose() { return settleUnsavedChanges(); }

std::string calculationWindowTitle(const std::filesystem::path& ownFile) {
  std::string title = "Расчет теплопритоков в холодильной камере";
  if (!ownFile.empty()) title += " — " + utf8Of(ownFile.filename());
  return title + "[*]";
}

}  // namespace kamerol
