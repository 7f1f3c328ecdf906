#include "window/project_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

#include "core/gains.h"
#include "core/rounding.h"
#include "platform/utf8_path.h"
#include "project/project_file.h"
#include "report/project_report.h"
#include "report/report_window.h"
#include "window/calculation_window.h"
#include "window/message_boxes.h"
#include "window/window_layout.h"
#include "window/window_parts.h"

namespace kamerol {

using window_parts::q;

namespace {

QString number(double value) { return q(formatNumber(static_cast<float>(value))); }
// A load as the results panel writes its sum and the required capacity: to hundredths of a kW.
QString load(double value) { return q(formatNumber(r2(value))); }

// The caption of a processing mode: its option button's text on the form.
QString modeCaption(ProcessMode mode) {
  const Control option = mode == ProcessMode::Freezing ? Control::freezingOption : Control::storageOption;
  for (const layout::Placement& p : layout::placements())
    if (p.piece == layout::Piece::Option && p.control == option) return q(p.text);
  return {};
}

// A gain's caption as a column's: a word a line, so that nine fit side by side.
QString columnCaption(std::string_view caption) { return q(caption).replace(QLatin1Char(' '), QLatin1Char('\n')); }

QStringList roomHeader() {
  QStringList header{QStringLiteral("Помещение"), QStringLiteral("Д × Ш × В,\nм"), QStringLiteral("t,\n°C"),
                     QStringLiteral("Режим")};
  for (const GainRow& row : kGains) header << columnCaption(row.caption);
  header << columnCaption(kTotal.caption) << QStringLiteral("Потребная\nмощность") << QStringLiteral("Система");
  return header;
}

QStringList systemHeader() {
  QStringList header{QStringLiteral("Система"), QStringLiteral("t0,\n°C"), QStringLiteral("Коэфф.\nодновр."),
                     QStringLiteral("Поме-\nщений")};
  for (const GainRow& row : kGains) header << columnCaption(row.caption);
  header << columnCaption(kTotal.caption) << QStringLiteral("Потребная\nмощность");
  return header;
}

constexpr int kLoadColumnWidth = 70;

enum class Cell { Number, Text, EditableNumber, EditableText };

// Sets a cell's text, reusing its item: an item being edited must survive.
void setCell(QTableWidget* table, int row, int column, const QString& text, Cell kind = Cell::Number) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    table->setItem(row, column, item);
  }
  item->setText(text);
  const bool number = kind == Cell::Number || kind == Cell::EditableNumber;
  item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (kind == Cell::EditableNumber || kind == Cell::EditableText) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
}

void setSums(QTableWidget* table, int row, int firstColumn, const LoadSums& sums) {
  for (int g = 0; g < kGainCount; ++g)
    setCell(table, row, firstColumn + g, load(sums.gains[static_cast<std::size_t>(g)]));
  setCell(table, row, firstColumn + kGainCount, load(sums.qTotal));
}

}  // namespace

// --- The dialogs ---------------------------------------------------------------------

class ProjectWindow::Dialogs final : public ProjectUi {
 public:
  Dialogs(ProjectWindow& window, WindowServices& services) : window_(window), services_(services) {}

  void showMessage(const Message& message) override { window_.messages_.showMessage(message); }
  std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) override {
    const auto files = choose(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
    return files.empty() ? std::nullopt : std::optional(files.front());
  }
  std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) override {
    const auto files = choose(request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    return files.empty() ? std::nullopt : std::optional(files.front());
  }
  std::vector<std::filesystem::path> chooseFilesToOpen(const FileDialogRequest& request) override {
    return choose(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
  }
  SaveAnswer askToSaveChanges() override { return kamerol::askToSaveChanges(&window_, kSaveProjectQuestion); }
  bool confirm(std::string_view question) override {
    QMessageBox box(QMessageBox::Question, q(kSaveChangesTitle), q(question), QMessageBox::Yes | QMessageBox::No,
                    &window_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }
  std::optional<std::string> askName(std::string_view title, std::string_view label,
                                     std::string_view current) override {
    bool ok = false;
    const QString name = QInputDialog::getText(&window_, q(title), q(label), QLineEdit::Normal, q(current), &ok);
    if (!ok) return std::nullopt;
    return name.trimmed().toStdString();
  }
  std::filesystem::path calculationsFolder() const override { return services_.calculationsFolder(); }
  void fileUsed(const std::filesystem::path& file) override { services_.rememberFile(file); }
  void openRoomGone() override { window_.closeRoomWindow(); }

 private:
  std::vector<std::filesystem::path> choose(const FileDialogRequest& request, QFileDialog::AcceptMode mode,
                                            QFileDialog::FileMode fileMode) {
    QFileDialog dialog(&window_);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setNameFilters(q(request.filter).split(QStringLiteral(";;")));
    dialog.setDirectory(QString::fromStdU16String(request.folder.u16string()));
    if (!request.suggested.empty())
      dialog.selectFile(QString::fromStdU16String(request.suggested.filename().u16string()));
    std::vector<std::filesystem::path> files;
    if (dialog.exec() != QDialog::Accepted) return files;
    for (const QString& file : dialog.selectedFiles()) files.emplace_back(file.toStdU16String());
    return files;
  }

  ProjectWindow& window_;
  WindowServices& services_;
};

// A room's calculation window is served as the program's is, but closing it
// ends nothing: its changes are the project's.
class ProjectWindow::RoomServices final : public WindowServices {
 public:
  RoomServices(ProjectWindow& window, WindowServices& program) : window_(window), program_(program) {}
  void showHelp(int popup) override { program_.showHelp(popup); }
  void showAbout() override { program_.showAbout(); }
  void showSettings() override { program_.showSettings(); }
  void showFolderChooser() override { program_.showFolderChooser(); }
  void startCalculator() override { program_.startCalculator(); }
  bool chartInReport() const override { return program_.chartInReport(); }
  void setChartInReport(bool on) override { program_.setChartInReport(on); }
  bool traceInReport() const override { return program_.traceInReport(); }
  void setTraceInReport(bool on) override { program_.setTraceInReport(on); }
  bool sensitivityInReport() const override { return program_.sensitivityInReport(); }
  void setSensitivityInReport(bool on) override { program_.setSensitivityInReport(on); }
  bool logoInReport() const override { return program_.logoInReport(); }
  // The room's own report, beside the project: the program's report shows its own calculation.
  void showReport() override { window_.showRoomReport(); }
  std::filesystem::path calculationsFolder() const override { return program_.calculationsFolder(); }
  std::vector<std::filesystem::path> recentFiles() const override { return program_.recentFiles(); }
  void rememberFile(const std::filesystem::path& file) override { program_.rememberFile(file); }
  void newProject() override { program_.newProject(); }
  void openProject(const std::filesystem::path& file) override { program_.openProject(file); }
  bool showsProjectRoom() const override { return true; }
  void saveProject() override { window_.saveProject(); }
  void saveRoomAs() override { window_.exportOpenRoom(); }

 private:
  ProjectWindow& window_;
  WindowServices& program_;
};

// --- The window --------------------------------------------------------------------

ProjectWindow::ProjectWindow(const RoomCalculator& calculator, WindowServices& services, MessageSink& messages,
                             QWidget* parent)
    : QMainWindow(parent),
      calculator_(calculator),
      services_(services),
      messages_(messages),
      dialogs_(std::make_unique<Dialogs>(*this, services)),
      session_(std::make_unique<ProjectSession>(calculator, *dialogs_)),
      roomServices_(std::make_unique<RoomServices>(*this, services)) {
  setObjectName(QStringLiteral("projectWindow"));
  buildTables();
  buildMenus();
  statusBar();
  resize(1280, 700);  // within a 1366 × 768 screen with its task bar
  showAll(std::nullopt);
}

ProjectWindow::~ProjectWindow() { closeRoomWindow(); }

QAction* ProjectWindow::action(const QString& name) const { return findChild<QAction*>(name); }

CalculationWindow* ProjectWindow::roomWindow() const { return roomWindow_.get(); }

void ProjectWindow::buildTables() {
  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);

  const auto caption = [&](const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, client);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(buddy);
    column->addWidget(label);
  };

  rooms_ = new QTableWidget(0, kRoomColumnCount, client);
  rooms_->setObjectName(QStringLiteral("projectRooms"));
  rooms_->setAccessibleName(QStringLiteral("Помещения объекта"));
  rooms_->setHorizontalHeaderLabels(roomHeader());
  rooms_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rooms_->setSelectionMode(QAbstractItemView::SingleSelection);
  rooms_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The systems' sums stand under the rooms' gains: the columns before them are as wide in both tables.
  rooms_->horizontalHeader()->setDefaultSectionSize(kLoadColumnWidth);
  for (const auto& [column, width] : {std::pair{kRoomNameColumn, 170}, {1, 96}, {2, 40}, {3, 80}})
    rooms_->horizontalHeader()->resizeSection(column, width);
  rooms_->horizontalHeader()->resizeSection(kRoomCapacityColumn, 80);
  rooms_->horizontalHeader()->setStretchLastSection(true);
  rooms_->horizontalHeaderItem(kRoomCapacityColumn)->setToolTip(q(kRequiredCapacity.caption));
  rooms_->verticalHeader()->setDefaultSectionSize(24);
  connect(rooms_, &QTableWidget::activated, this,
          [this](const QModelIndex& index) { openRoom(static_cast<std::size_t>(index.row())); });
  caption(QStringLiteral("&Помещения (кВт)"), rooms_);
  column->addWidget(rooms_, 3);

  systems_ = new QTableWidget(0, static_cast<int>(systemHeader().size()), client);
  systems_->setObjectName(QStringLiteral("projectSystems"));
  systems_->setAccessibleName(QStringLiteral("Холодильные системы"));
  systems_->setHorizontalHeaderLabels(systemHeader());
  systems_->setSelectionBehavior(QAbstractItemView::SelectItems);
  systems_->setSelectionMode(QAbstractItemView::SingleSelection);
  systems_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
  systems_->horizontalHeader()->setDefaultSectionSize(kLoadColumnWidth);
  for (const auto& [column, width] : {std::pair{kSystemNameColumn, 170},
                                      {kSystemT0Column, 72},
                                      {kSystemFactorColumn, 80},
                                      {kSystemFactorColumn + 1, 64}})
    systems_->horizontalHeader()->resizeSection(column, width);
  systems_->horizontalHeader()->setStretchLastSection(true);
  systems_->verticalHeader()->setDefaultSectionSize(24);
  connect(systems_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!showing_) systemEdited(row, column);
  });
  caption(QStringLiteral("&Холодильные системы (кВт): название, t0 и коэффициент правятся в таблице"), systems_);
  column->addWidget(systems_, 2);

  grandTotal_ = new QLabel(client);
  grandTotal_->setObjectName(QStringLiteral("projectGrandTotal"));
  grandTotal_->setAccessibleName(QStringLiteral("Итого по объекту"));
  grandTotal_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  grandTotal_->setFocusPolicy(Qt::StrongFocus);
  QFont large = grandTotal_->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.15);
  grandTotal_->setFont(large);
  column->addWidget(grandTotal_);

  warnings_ = new QListWidget(client);
  warnings_->setObjectName(QStringLiteral("projectWarnings"));
  warnings_->setAccessibleName(QStringLiteral("Предупреждения"));
  warnings_->setWordWrap(true);
  caption(QStringLiteral("П&редупреждения"), warnings_);
  column->addWidget(warnings_, 1);
  setCentralWidget(client);
}

void ProjectWindow::buildMenus() {
  QToolBar* toolbar = addToolBar(QStringLiteral("Объект"));
  toolbar->setObjectName(QStringLiteral("projectToolbar"));
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar->toggleViewAction()->setVisible(false);

  // Room commands with keys of the table's own (Del, F2) act only there:
  // in the systems table those keys edit a system.
  const auto add = [this, toolbar](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                                   auto slot, bool onToolbar = false, QWidget* scope = nullptr) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromUtf8(name));
    a->setShortcut(keys);
    if (scope) {
      a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      scope->addAction(a);
    }
    connect(a, &QAction::triggered, this, slot);
    if (onToolbar) toolbar->addAction(a);
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
  add(
      file, "projectNew", QStringLiteral("Новый о&бъект"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newProject(); },
      true);
  add(
      file, "projectOpen", QStringLiteral("&Открыть…"), QKeySequence(Qt::CTRL | Qt::Key_O),
      [this] {
        session_->open();
        showAll(std::nullopt);
      },
      true);
  file->addSeparator();
  add(
      file, "projectSave", QStringLiteral("&Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveProject(); },
      true);
  add(file, "projectSaveAs", QStringLiteral("Сохранить &как…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] {
    roomFormChanged();
    session_->saveAs();
    showState();
  });
  add(
      file, "projectExport", QStringLiteral("&Экспорт таблицы (XLSX, CSV)…"), QKeySequence(Qt::CTRL | Qt::Key_E),
      [this] { session_->exportTables(); }, true);
  file->addSeparator();
  add(
      file, "projectReport", QStringLiteral("&Отчет…"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { showReport(); },
      true);
  file->addSeparator();
  add(file, "projectClose", QStringLiteral("&Закрыть объект"), QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
  toolbar->addSeparator();

  QMenu* room = menuBar()->addMenu(QStringLiteral("&Помещение"));
  add(
      room, "projectOpenRoom", QStringLiteral("&Открыть расчет помещения"), QKeySequence(Qt::CTRL | Qt::Key_Return),
      [this] { onSelectedRoom([this](std::size_t r) { openRoom(r); }); }, true);
  room->addSeparator();
  add(
      room, "projectAddRoom", QStringLiteral("&Новое помещение"), QKeySequence(Qt::Key_Insert),
      [this] { showAll(session_->addRoom(selectedRoom())); }, true);
  add(
      room, "projectAddRoomFiles", QStringLiteral("Добавить из &файлов расчета…"), QKeySequence(Qt::CTRL | Qt::Key_I),
      [this] {
        const std::size_t before = session_->project().rooms().size();
        const std::size_t added = session_->addRoomsFromFiles();
        showAll(added ? std::optional(before) : selectedRoom());
      },
      true);
  add(
      room, "projectDuplicateRoom", QStringLiteral("&Дублировать"), QKeySequence(Qt::CTRL | Qt::Key_D),
      [this] { onSelectedRoom([this](std::size_t r) { showAll(session_->duplicateRoom(r)); }); }, true, rooms_);
  add(
      room, "projectRenameRoom", QStringLiteral("&Переименовать…"), QKeySequence(Qt::Key_F2),
      [this] {
        onSelectedRoom([this](std::size_t r) {
          session_->renameRoom(r);
          showAll(r);
        });
      },
      false, rooms_);
  add(
      room, "projectRemoveRoom", QStringLiteral("&Удалить…"), QKeySequence(Qt::Key_Delete),
      [this] {
        onSelectedRoom([this](std::size_t r) {
          if (session_->removeRoom(r)) showAll(r > 0 ? r - 1 : 0);
        });
      },
      true, rooms_);
  add(
      room, "projectRoomUp", QStringLiteral("Переместить &выше"), QKeySequence(Qt::CTRL | Qt::Key_Up),
      [this] { onSelectedRoom([this](std::size_t r) { showAll(session_->moveRoom(r, -1)); }); }, true, rooms_);
  add(
      room, "projectRoomDown", QStringLiteral("Переместить н&иже"), QKeySequence(Qt::CTRL | Qt::Key_Down),
      [this] { onSelectedRoom([this](std::size_t r) { showAll(session_->moveRoom(r, +1)); }); }, true, rooms_);
  systemMenu_ = room->addMenu(QStringLiteral("&Система помещения"));
  systemMenu_->setObjectName(QStringLiteral("projectAssignSystem"));
  connect(systemMenu_, &QMenu::aboutToShow, this, [this] { fillSystemMenu(); });
  room->addSeparator();
  add(room, "projectExportRoom", QStringLiteral("Сохранить как файл &расчета (.tpl)…"),
      QKeySequence(Qt::CTRL | Qt::Key_T),
      [this] { onSelectedRoom([this](std::size_t r) { session_->exportRoom(r); }); });
  toolbar->addSeparator();

  const auto selectedSystem = [this]() -> std::optional<std::size_t> {
    const int row = systems_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= session_->project().systems().size()) return std::nullopt;
    return static_cast<std::size_t>(row);
  };
  QMenu* systems = menuBar()->addMenu(QStringLiteral("С&истемы"));
  add(
      systems, "projectAddSystem", QStringLiteral("&Новая система…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
      [this] {
        if (const auto s = session_->addSystem()) {
          showAll(selectedRoom());
          systems_->setCurrentCell(static_cast<int>(*s), kSystemT0Column);
        }
      },
      true);
  add(systems, "projectRenameSystem", QStringLiteral("&Переименовать систему…"), QKeySequence(Qt::SHIFT | Qt::Key_F2),
      [this, selectedSystem] {
        if (const auto s = selectedSystem(); s && session_->renameSystem(*s)) showAll(selectedRoom());
      });
  add(systems, "projectRemoveSystem", QStringLiteral("&Удалить систему…"), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
      [this, selectedSystem] {
        if (const auto s = selectedSystem(); s && session_->removeSystem(*s)) showAll(selectedRoom());
      });
}

template <typename Command>
void ProjectWindow::onSelectedRoom(Command command) {
  if (const auto room = selectedRoom()) command(*room);
}

void ProjectWindow::fillSystemMenu() {
  systemMenu_->clear();
  const auto room = selectedRoom();
  const auto addChoice = [&](const QString& caption, std::optional<std::size_t> system) {
    QAction* a = systemMenu_->addAction(caption);
    a->setCheckable(true);
    a->setEnabled(room.has_value());
    a->setChecked(room && session_->project().room(*room).system == system);
    connect(a, &QAction::triggered, this, [this, room, system] {
      if (!room) return;
      session_->assignSystem(*room, system);
      showAll(*room);
    });
  };
  addChoice(QStringLiteral("&0 Без системы"), std::nullopt);
  const auto& all = session_->project().systems();
  for (std::size_t s = 0; s < all.size(); ++s) {
    QString name = q(all[s].name);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    addChoice(QStringLiteral("&%1 %2").arg(s + 1).arg(name), s);
  }
}

std::optional<std::size_t> ProjectWindow::selectedRoom() const {
  const int row = rooms_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= session_->project().rooms().size()) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void ProjectWindow::selectRoom(std::size_t room) { rooms_->setCurrentCell(static_cast<int>(room), kRoomNameColumn); }

// --- Showing the session ----------------------------------------------------------------

void ProjectWindow::showAll(std::optional<std::size_t> select) {
  showing_ = true;
  const std::size_t count = session_->project().rooms().size();
  rooms_->setRowCount(static_cast<int>(count));
  for (std::size_t r = 0; r < count; ++r) showRoom(r);
  showing_ = false;
  showTotals();
  showState();
  if (select && *select < count) selectRoom(*select);
}

void ProjectWindow::showRoom(std::size_t room) {
  const ProjectRoom& data = session_->project().room(room);
  const CalculationRecord& record = session_->record(room);
  const int row = static_cast<int>(room);
  const CalculationInputs& in = record.inputs;
  setCell(rooms_, row, kRoomNameColumn, q(data.name), Cell::Text);
  setCell(rooms_, row, 1,
          number(in.roomLength) + QStringLiteral(" × ") + number(in.roomWidth) + QStringLiteral(" × ") +
              number(in.roomHeight));
  setCell(rooms_, row, 2, number(in.roomTemp));
  setCell(rooms_, row, 3, modeCaption(in.processMode), Cell::Text);
  for (int g = 0; g < kGainCount; ++g)
    setCell(rooms_, row, kFirstGainColumn + g, number(record.results.*(kGains[static_cast<std::size_t>(g)].shown)));
  setCell(rooms_, row, kRoomTotalColumn, load(record.results.qTotal));
  setCell(rooms_, row, kRoomCapacityColumn, load(record.results.requiredCapacity));
  setCell(rooms_, row, kRoomSystemColumn, data.system ? q(session_->project().system(*data.system).name) : QString(),
          Cell::Text);
}

void ProjectWindow::showTotals() {
  showing_ = true;
  const Project& project = session_->project();
  const ProjectTotals& totals = session_->totals();
  const bool unassigned = totals.unassigned.rooms > 0 && !project.systems().empty();
  const int systemRows = static_cast<int>(project.systems().size());
  systems_->setRowCount(systemRows + (unassigned ? 1 : 0));
  const int sumsColumn = kSystemFactorColumn + 2;
  for (int s = 0; s < systemRows; ++s) {
    const RefrigerationSystem& system = project.system(static_cast<std::size_t>(s));
    const SystemTotals& sums = totals.systems[static_cast<std::size_t>(s)];
    setCell(systems_, s, kSystemNameColumn, q(system.name), Cell::EditableText);
    setCell(systems_, s, kSystemT0Column, number(system.t0), Cell::EditableNumber);
    setCell(systems_, s, kSystemFactorColumn, number(system.factor), Cell::EditableNumber);
    setCell(systems_, s, kSystemFactorColumn + 1, QString::number(sums.sums.rooms));
    setSums(systems_, s, sumsColumn, sums.sums);
    setCell(systems_, s, sumsColumn + kGainCount + 1, load(sums.requiredCapacity));
  }
  if (unassigned) {
    setCell(systems_, systemRows, kSystemNameColumn, QStringLiteral("Без системы"), Cell::Text);
    for (int c : {kSystemT0Column, kSystemFactorColumn}) setCell(systems_, systemRows, c, {});
    setCell(systems_, systemRows, kSystemFactorColumn + 1, QString::number(totals.unassigned.rooms));
    setSums(systems_, systemRows, sumsColumn, totals.unassigned);
    setCell(systems_, systemRows, sumsColumn + kGainCount + 1, load(totals.unassigned.requiredCapacity));
  }
  showing_ = false;
  grandTotal_->setText(QStringLiteral("Итого по объекту: %1 кВт потребной холодопроизводительности (%2 помещ., "
                                      "с коэффициентами одновременности систем)")
                           .arg(load(totals.requiredCapacity))
                           .arg(totals.all.rooms));

  warnings_->clear();
  for (const ProjectWarning& warning : session_->warnings()) warnings_->addItem(q(warning.text));
  if (session_->warnings().empty()) warnings_->addItem(QStringLiteral("Предупреждений нет."));
}

void ProjectWindow::showState() {
  setWindowTitle(q(projectWindowTitle(session_->project(), session_->ownFile())));
  setWindowModified(session_->modified());
  // The open room's window names its room and the project (a rename follows).
  if (const auto room = session_->openRoom(); room && roomWindow_)
    roomWindow_->setWindowTitle(
        QStringLiteral("Помещение «%1» — %2").arg(q(session_->project().room(*room).name), windowTitle()));
}

void ProjectWindow::systemEdited(int row, int column) {
  if (row < 0 || static_cast<std::size_t>(row) >= session_->project().systems().size()) return;
  const auto system = static_cast<std::size_t>(row);
  const QString text = systems_->item(row, column)->text().trimmed();
  if (column == kSystemNameColumn) {
    if (text.isEmpty()) statusBar()->showMessage(QStringLiteral("У системы должно быть название."));
    session_->renameSystem(system, text.toStdString());
  } else if (column == kSystemT0Column || column == kSystemFactorColumn) {
    const auto value = localeNumber(text.toStdString(), calculator_.locale());
    if (!value || !std::isfinite(*value)) {
      statusBar()->showMessage(QStringLiteral("«%1» — не число: значение осталось прежним.").arg(text));
    } else if (column == kSystemT0Column) {
      session_->setSystemT0(system, *value);
    } else {
      if (!isSimultaneityFactorInRange(*value))
        statusBar()->showMessage(QStringLiteral("Коэффициент одновременности — от %1 до %2.")
                                     .arg(number(kMinSimultaneityFactor), number(kMaxSimultaneityFactor)));
      session_->setSystemFactor(system, *value);
    }
  }
  // Shown again once the edit is over: the item being committed must not change under the editor.
  QTimer::singleShot(0, this, [this] { showAll(selectedRoom()); });
}

// --- The room in the calculation window -------------------------------------------------

void ProjectWindow::openRoom(std::size_t room) {
  if (room >= session_->project().rooms().size()) return;
  if (session_->openRoom() != room || !roomWindow_) {
    closeRoomWindow();
    roomForm_ = std::make_unique<CalculationForm>(calculator_.preparedForm(), messages_);
    readRoom(*roomForm_, session_->project().room(room).texts, messages_);
    roomForm_->setModified(false);
    roomWindow_ = std::make_unique<CalculationWindow>(*roomForm_, *roomServices_, messages_);
    roomForm_->addObserver(this);
    session_->setOpenRoom(room);
  }
  showState();
  roomWindow_->show();
  roomWindow_->raise();
  roomWindow_->activateWindow();
}

void ProjectWindow::closeRoomWindow() {
  if (roomForm_) roomForm_->removeObserver(this);
  roomWindow_.reset();  // before the form it shows
  roomForm_.reset();
  roomUpdatePending_ = false;
  session_->setOpenRoom(std::nullopt);
}

// Many controls change at one keystroke: the row and the totals follow once, after them.
void ProjectWindow::controlChanged(Control) {
  if (roomUpdatePending_) return;
  roomUpdatePending_ = true;
  QTimer::singleShot(0, this, [this] { roomFormChanged(); });
}

void ProjectWindow::roomFormChanged() {
  if (!roomUpdatePending_) return;
  roomUpdatePending_ = false;
  const auto room = session_->openRoom();
  if (!roomForm_ || !room) return;
  session_->roomEdited(roomTextsOf(*roomForm_), roomForm_->record());
  showing_ = true;
  showRoom(*room);
  showing_ = false;
  showTotals();
  showState();
}

// --- The document -------------------------------------------------------------------------

// The open room's last keystroke goes in first: it may still wait for its turn.
void ProjectWindow::saveProject() {
  roomFormChanged();
  session_->save();
  showState();
}

void ProjectWindow::exportOpenRoom() {
  roomFormChanged();
  if (const std::optional<std::size_t> room = session_->openRoom()) session_->exportRoom(*room);
}

bool ProjectWindow::openProject(const std::filesystem::path& file) {
  if (!session_->mayClose()) return false;
  const bool opened = session_->open(file);
  showAll(opened ? std::optional<std::size_t>(0) : selectedRoom());
  return opened;
}

void ProjectWindow::newProject() {
  if (session_->newProject()) showAll(std::nullopt);
}

// Asked once: a project closed without saving is gone, and the window starts
// a new one when shown again.
void ProjectWindow::closeEvent(QCloseEvent* event) {
  roomFormChanged();
  if (!session_->mayClose()) return event->ignore();
  closeRoomWindow();
  session_ = std::make_unique<ProjectSession>(calculator_, *dialogs_);
  showAll(std::nullopt);
  event->accept();
}

}  // namespace kamerol

namespace kamerol {

void ProjectWindow::showReport() {
  const CalculationReportOptions settings = services_.reportOptions();
  const ProjectReportOptions options{settings.showLogo, settings.withChart, settings.withTrace};
  const std::filesystem::path& file = session_->ownFile();
  const std::filesystem::path pdf = file.empty() ? services_.calculationsFolder() / u8"Объект.pdf"
                                                 : std::filesystem::path(file).replace_extension(".pdf");
  openReport(new ReportWindow(buildProjectReport(session_->project(), session_->records(), options),
                              QString::fromStdU16String(pdf.u16string())));
}

void ProjectWindow::showRoomReport() {
  const std::optional<std::size_t> room = session_->openRoom();
  if (!roomForm_ || !room) return;
  const std::filesystem::path folder =
      session_->ownFile().empty() ? services_.calculationsFolder() : session_->ownFile().parent_path();
  const std::filesystem::path pdf =
      folder / pathFromUtf8(roomFileName(session_->project().room(*room).name, *room) + ".pdf");
  openReport(new ReportWindow(buildCalculationReport(*roomForm_, roomServices_->reportOptions()),
                              QString::fromStdU16String(pdf.u16string())));
}

ReportWindow* ProjectWindow::reportWindow() const { return report_; }

void ProjectWindow::openReport(ReportWindow* report) {
  if (report_) report_->close();
  report_ = report;
  report_->setAttribute(Qt::WA_DeleteOnClose);
  report_->setWindowIcon(windowIcon());
  report_->show();
  report_->raise();
  report_->activateWindow();
}

}  // namespace kamerol
