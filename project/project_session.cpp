#include "project/project_session.h"

#include <algorithm>
#include <cassert>

#include "document/calculation_file.h"
#include "platform/utf8_path.h"
#include "project/project_export.h"
#include "project/project_file.h"

namespace kamerol {
namespace {

Message error(std::string text) { return Message{"Сообщение программы", std::move(text), MessageIcon::Error}; }

std::string lowerExtension(const std::filesystem::path& file) {
  std::string extension = utf8Of(file.extension());
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

ProjectSession::ProjectSession(const RoomCalculator& calculator, ProjectUi& ui) : calculator_(calculator), ui_(ui) {
  totals_ = projectTotals(project_, records_);
}

void ProjectSession::changed() {
  totals_ = projectTotals(project_, records_);
  warnings_ = projectWarnings(project_, records_);
  modified_ = true;
}

void ProjectSession::replace(Project project, std::vector<CalculationRecord> records) {
  if (openRoom_) {
    openRoom_.reset();
    ui_.openRoomGone();
  }
  project_ = std::move(project);
  records_ = std::move(records);
  changed();
  modified_ = false;
}

// --- The document ---------------------------------------------------------------------

FileDialogRequest ProjectSession::dialogRequest(std::string_view filter) const {
  if (lastFile_.empty()) return {std::string(filter), ui_.calculationsFolder(), {}};
  return {std::string(filter), lastFile_.parent_path(), lastFile_};
}

bool ProjectSession::settleUnsavedChanges() {
  if (!modified_) return true;
  return goesOnAfter(ui_.askToSaveChanges(), [this] { return save(); });
}

bool ProjectSession::newProject() {
  if (!settleUnsavedChanges()) return false;
  replace({}, {});
  ownFile_.clear();
  return true;
}

bool ProjectSession::open() {
  if (!settleUnsavedChanges()) return false;
  const auto file = ui_.chooseFileToOpen(dialogRequest(kProjectFilter));
  return file && open(*file);
}

bool ProjectSession::open(const std::filesystem::path& file) {
  lastFile_ = file;
  ProjectReadResult read = readProjectFile(file, calculator_);
  if (!read) {
    // Nothing that is open changes: the project was read into a new one.
    ui_.showMessage(read.message);
    return false;
  }
  std::vector<CalculationRecord> records;
  records.reserve(read.opened->rooms.size());
  for (RoomCalculation& room : read.opened->rooms) records.push_back(std::move(room.record));
  replace(std::move(read.opened->project), std::move(records));
  ownFile_ = file;
  ui_.fileUsed(file);
  return true;
}

bool ProjectSession::save() { return ownFile_.empty() ? saveAs() : write(ownFile_); }

bool ProjectSession::saveAs() {
  auto file = ui_.chooseFileToSave(dialogRequest(kProjectFilter));
  if (!file) return false;
  if (!file->has_extension()) *file += std::string(kProjectExtension);
  lastFile_ = *file;
  return write(*file);
}

bool ProjectSession::write(const std::filesystem::path& file) {
  if (!writeProjectFile(project_, file)) {
    ui_.showMessage(error("Не удалось сохранить объект\n" + utf8Of(file)));
    return false;
  }
  ownFile_ = file;
  modified_ = false;
  ui_.fileUsed(file);
  return true;
}

bool ProjectSession::exportTables() {
  FileDialogRequest request = dialogRequest(kExportFilter);
  request.suggested =
      request.suggested.empty() ? std::filesystem::path() : request.suggested.replace_extension(".xlsx");
  auto file = ui_.chooseFileToSave(request);
  if (!file) return false;
  if (!file->has_extension()) *file += ".xlsx";
  const std::vector<ExportSheet> sheets = projectSheets(project_, records_, calculator_.locale());
  const bool csv = lowerExtension(*file) == ".csv";
  if (!csv && !canWriteXlsx()) {
    ui_.showMessage(error("Эта сборка программы не записывает XLSX: выберите CSV."));
    return false;
  }
  const WriteResult written = csv ? writeWholeFile(*file, projectCsv(sheets, csvConventionsFor(calculator_.locale())))
                                  : writeProjectXlsx(sheets, *file);
  if (!written) {
    ui_.showMessage(error("Не удалось записать таблицу объекта\n" + utf8Of(*file)));
    return false;
  }
  return true;
}

bool ProjectSession::mayClose() { return settleUnsavedChanges(); }

// --- Rooms -----------------------------------------------------------------------------

std::size_t ProjectSession::insertRoom(std::size_t index, ProjectRoom room, const CalculationRecord& record) {
  index = project_.insertRoom(index, std::move(room));
  records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(index), record);
  if (openRoom_ && *openRoom_ >= index) ++*openRoom_;
  changed();
  return index;
}

std::size_t ProjectSession::addRoom(std::optional<std::size_t> after) {
  const std::size_t index = after ? *after + 1 : project_.rooms().size();
  return insertRoom(index, {newRoomName(project_), std::nullopt, calculator_.defaultTexts()},
                    calculator_.preparedForm().record());
}

std::size_t ProjectSession::addRoomsFromFiles() {
  const std::vector<std::filesystem::path> files = ui_.chooseFilesToOpen(dialogRequest(kRoomFilesFilter));
  return addRoomsFromFiles(files);
}

std::size_t ProjectSession::addRoomsFromFiles(std::span<const std::filesystem::path> files) {
  std::size_t added = 0;
  for (const std::filesystem::path& file : files) {
    lastFile_ = file;
    // Read as "Открыть" reads it: a file of another format is reported by the form.
    CalculationForm form(calculator_.preparedForm(), ui_);
    const ReadStatus status = readCalculationFile(form, file, ReadMode::Dialog, ui_);
    if (status == ReadStatus::CannotOpen) ui_.showMessage(error("Не удалось открыть файл расчета\n" + utf8Of(file)));
    if (status != ReadStatus::Ok) continue;
    insertRoom(project_.rooms().size(), {utf8Of(file.stem()), std::nullopt, roomTextsOf(form)}, form.record());
    ++added;
  }
  return added;
}

std::size_t ProjectSession::duplicateRoom(std::size_t room) {
  ProjectRoom copy = project_.room(room);
  copy.name += " (копия)";
  const CalculationRecord record = records_[room];
  return insertRoom(room + 1, std::move(copy), record);
}

bool ProjectSession::renameRoom(std::size_t room) {
  const auto name = ui_.askName("Переименовать помещение", "Название помещения:", project_.room(room).name);
  if (!name || name->empty() || *name == project_.room(room).name) return false;
  project_.renameRoom(room, *name);
  changed();
  return true;
}

bool ProjectSession::removeRoom(std::size_t room) {
  if (!ui_.confirm("Удалить помещение «" + project_.room(room).name + "» из объекта?")) return false;
  project_.removeRoom(room);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(room));
  if (openRoom_ == room) {
    openRoom_.reset();
    ui_.openRoomGone();
  } else if (openRoom_ && *openRoom_ > room) {
    --*openRoom_;
  }
  changed();
  return true;
}

std::size_t ProjectSession::moveRoom(std::size_t room, int step) {
  const auto target = static_cast<std::ptrdiff_t>(room) + step;
  if (target < 0 || target >= static_cast<std::ptrdiff_t>(project_.rooms().size())) return room;
  const auto to = static_cast<std::size_t>(target);
  project_.moveRoom(room, to);
  std::swap(records_[room], records_[to]);
  if (openRoom_ == room)
    openRoom_ = to;
  else if (openRoom_ == to)
    openRoom_ = room;
  changed();
  return to;
}

void ProjectSession::assignSystem(std::size_t room, std::optional<std::size_t> system) {
  if (project_.room(room).system == system) return;
  project_.assignSystem(room, system);
  changed();
}

bool ProjectSession::exportRoom(std::size_t room) {
  FileDialogRequest request = dialogRequest(kRoomFilesFilter);
  request.suggested = request.folder / pathFromUtf8(roomFileName(project_.room(room).name, room) + ".tpl");
  auto file = ui_.chooseFileToSave(request);
  if (!file) return false;
  if (!file->has_extension()) *file += ".tpl";
  lastFile_ = *file;
  if (!writeWholeFile(*file, roomFileBytes(project_.room(room).texts))) {
    ui_.showMessage(error("Не удалось сохранить файл расчета\n" + utf8Of(*file)));
    return false;
  }
  return true;
}

// --- Systems ---------------------------------------------------------------------------

std::optional<std::size_t> ProjectSession::addSystem() {
  const std::string offered = "Система " + std::to_string(project_.systems().size() + 1);
  const auto name = ui_.askName("Новая холодильная система", "Название системы:", offered);
  if (!name || name->empty()) return std::nullopt;
  const std::size_t index = project_.addSystem({*name, kNewSystemT0, kDefaultSimultaneityFactor});
  changed();
  return index;
}

bool ProjectSession::renameSystem(std::size_t system) {
  const auto name = ui_.askName("Переименовать систему", "Название системы:", project_.system(system).name);
  if (!name || name->empty() || *name == project_.system(system).name) return false;
  renameSystem(system, *name);
  return true;
}

void ProjectSession::renameSystem(std::size_t system, std::string name) {
  if (name.empty() || name == project_.system(system).name) return;
  project_.renameSystem(system, std::move(name));
  changed();
}

bool ProjectSession::removeSystem(std::size_t system) {
  if (!ui_.confirm("Удалить систему «" + project_.system(system).name +
                   "» из объекта? Её помещения останутся без системы."))
    return false;
  project_.removeSystem(system);
  changed();
  return true;
}

void ProjectSession::setSystemT0(std::size_t system, double t0) {
  if (project_.system(system).t0 == t0) return;
  project_.setSystemT0(system, t0);
  changed();
}

void ProjectSession::setSystemFactor(std::size_t system, double factor) {
  const double before = project_.system(system).factor;
  project_.setSystemFactor(system, factor);
  if (project_.system(system).factor != before) changed();
}

// --- The open room ---------------------------------------------------------------------

void ProjectSession::roomEdited(RoomTexts texts, const CalculationRecord& record) {
  if (!openRoom_) return;
  const std::size_t room = *openRoom_;
  records_[room] = record;
  // A page picked colours the result rows but changes no text: no unsaved change.
  const bool edited = texts != project_.room(room).texts;
  if (edited) project_.setRoomTexts(room, std::move(texts));
  totals_ = projectTotals(project_, records_);
  warnings_ = projectWarnings(project_, records_);
  if (edited) modified_ = true;
}

std::string projectWindowTitle(const Project& project, const std::filesystem::path& ownFile) {
  std::string title = "Объект";
  if (!project.details.title.empty()) title += " «" + project.details.title + "»";
  if (!ownFile.empty()) title += " — " + utf8Of(ownFile.filename());
  return title + "[*]";
}

bool isProjectFileName(const std::filesystem::path& file) { return lowerExtension(file) == kProjectExtension; }

std::string newRoomName(const Project& project) {
  for (std::size_t n = project.rooms().size() + 1;; ++n) {
    std::string name = "Помещение " + std::to_string(n);
    if (std::ranges::none_of(project.rooms(), [&](const ProjectRoom& r) { return r.name == name; })) return name;
  }
}

}  // namespace kamerol
