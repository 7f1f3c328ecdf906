#pragma once

// The document commands of the calculation form: New, Open, Save, the close
// prompt and Exit, over an interface to the dialogs so that their logic runs
// and is tested without a window.

#include <filesystem>
#include <optional>
#include <string>

#include "form/calculation_form.h"
#include "form/messages.h"

namespace kamerol {

enum class SaveAnswer { Yes, No, Cancel };

// Whether the user may go on after the question about unsaved changes: "Да"
// goes on where `save` succeeds, "Нет" goes on, "Отмена" stays.
template <typename Save>
bool goesOnAfter(SaveAnswer answer, Save save) {
  switch (answer) {
    case SaveAnswer::Yes:
      return save();
    case SaveAnswer::No:
      return true;
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

struct FileDialogRequest {
  // Entries "Caption (*.tpl)" with their patterns, first the default one.
  std::string filter;
  std::filesystem::path folder;     // where the dialog starts (DocumentCommands::dialogFolder)
  std::filesystem::path suggested;  // the calculation's own file, offered again; empty for a new calculation
};

class DocumentUi : public MessageSink {
 public:
  // Empty when the user cancels.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) = 0;
  // "Файл расчетов претерпел изменения, хотите их сохранить?" with Yes, No and Cancel.
  virtual SaveAnswer askToSaveChanges() = 0;
  // The folder the open and save dialogs start in.
  virtual std::filesystem::path calculationsFolder() const = 0;
  // A calculation was opened from or saved to `file` (for the recent files).
  virtual void fileUsed(const std::filesystem::path& /*file*/) {}
  // Projects (.kamerol) open beside calculations: "Открыть" offers them too,
  // and a file the UI opens as a project is not read as a calculation.
  virtual bool opensProjects() const { return false; }
  virtual bool openedAsProject(const std::filesystem::path& /*file*/) { return false; }
};

inline constexpr std::string_view kOpenFilter = "Файлы (*.tpl);;Все файлы(*.*)";
inline constexpr std::string_view kOpenWithProjectsFilter =
    "Файлы (*.tpl *.kamerol);;Файлы расчета (*.tpl);;Объекты (*.kamerol);;Все файлы(*.*)";
inline constexpr std::string_view kSaveFilter = "Файлы расчета (*.tpl);;Все файлы(*.*)";
inline constexpr std::string_view kSaveChangesQuestion = "Файл расчетов претерпел изменения, хотите их сохранить?";
inline constexpr std::string_view kSaveChangesTitle = "Kamerol ";

class DocumentCommands {
 public:
  DocumentCommands(CalculationForm& form, DocumentUi& ui) : form_(form), ui_(ui) {}

  // Each returns whether it was carried out. Unsaved changes are never thrown
  // away silently: New, Open and Exit ask first, as closing does.
  bool newCalculation();
  // A file that cannot be opened (missing, unreadable, not a regular file) is reported.
  bool open();
  // Opens `file` without a dialog (a recent file), as open() does otherwise.
  bool open(const std::filesystem::path& file);
  // "Сохранить": writes the calculation's own file without asking; a
  // calculation that has none yet asks for a name as saveAs() does.
  bool save();
  // The save dialog, then the write. A name without an extension gets ".tpl".
  // A failed write is reported and leaves `modified` set.
  bool saveAs();
  // The close prompt: true when the program may end. "Yes" saves as save()
  // does, and goes on only when the calculation was saved.
  bool mayClose();
  // "Выход": as the close prompt.
  bool mayExit() { return mayClose(); }

  // The file the calculation was last read from or written to whole, as an
  // absolute path; empty for a new calculation.
  const std::filesystem::path& ownFile() const { return ownFile_; }
  // Where the file dialogs start: the own file's folder; for a new
  // calculation the folder a file was last chosen in, else the calculations
  // folder.
  std::filesystem::path dialogFolder() const;
  // What "Сохранить в PDF" offers: the calculation's name (else "Отчет") with
  // ".pdf", in the dialog folder.
  std::filesystem::path reportPdfPath() const;
  // The calculation was read whole from `file` at start-up.
  void startedFrom(const std::filesystem::path& file);

 private:
  FileDialogRequest dialogRequest(std::string_view filter) const;
  // When there are unsaved changes: asks, saves on Yes; false to abort.
  bool settleUnsavedChanges();
  bool read(const std::filesystem::path& file);
  bool write(const std::filesystem::path& file);

  CalculationForm& form_;
  DocumentUi& ui_;
  std::filesystem::path lastFolder_;
  std::filesystem::path ownFile_;
};

// The calculation window's title: the program's caption, the name of the
// calculation's own file if it has one, and Qt's "[*]" where the mark of
// unsaved changes goes.
std::string calculationWindowTitle(const std::filesystem::path& ownFile);

}  // namespace kamerol
