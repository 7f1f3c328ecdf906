#include "window/calculation_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <utility>

#include "core/engine.h"
#include "shell/brand_label.h"
#include "window/form_widgets.h"
#include "window/twips.h"

namespace kamerol {

namespace {

using enum Control;

constexpr const char* kWindowTitle = "Расчет теплопритоков в холодильной камере";

// The client area is laid out from the top of the form's toolbar; the
// window's own toolbar takes those 420 twips.
constexpr int kToolbarTwips = 420;
constexpr int kClientWidth = 11925;
constexpr int kClientHeight = 7875;

constexpr int kBoxHeight = 300;     // a text box
constexpr int kSpinnerWidth = 255;  // an arrow pair

QRect client(int x, int y, int width, int height) { return twipRect(x, y - kToolbarTwips, width, height); }

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const QColor kFocusGreen(128, 255, 128);
const QColor kGrey(224, 224, 224);
const QColor kDarkBlue(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kPurple(128, 0, 128);

QColor backgroundColour(Background b, const QPalette& palette) {
  switch (b) {
    case Background::Focus:
      return kFocusGreen;
    case Background::Grey:
      return kGrey;
    case Background::DarkBlue:
      return kDarkBlue;
    case Background::Black:
      return Qt::black;
    case Background::Window:
      break;
  }
  return palette.color(QPalette::Base);
}

// Where the icon theme has no icon of the name, the program's own stands in
// (also for the printer, which Qt's own icons lack).
struct ToolbarButton {
  const char* key;
  const char* tooltip;
  const char* themeIcon;
  const char* ownIcon;
};

constexpr ToolbarButton kToolbar[] = {
    {"New", "Обновить", "document-new", ":/kamerol/toolbar/new.svg"},
    {"Open", "Открыть файл", "document-open", ":/kamerol/toolbar/open.svg"},
    {"Save", "Сохранить как...", "document-save-as", ":/kamerol/toolbar/save.svg"},
    {"Print", "Печать с предв. осм.", "document-print", ":/kamerol/report/print.svg"},
    {"Help", "Помощь", "help-about", ":/kamerol/toolbar/help.svg"},
};

}  // namespace

// The file dialogs, the close question and the message boxes of the window.
class CalculationWindow::DocumentDialogs final : public DocumentUi {
 public:
  DocumentDialogs(CalculationWindow& window, WindowServices& services) : window_(window), services_(services) {}

  void showMessage(const Message& message) override { window_.messages_.showMessage(message); }

  std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& request) override {
    return choose(request, QFileDialog::AcceptOpen);
  }
  std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& request) override {
    return choose(request, QFileDialog::AcceptSave);
  }

  SaveAnswer askToSaveChanges() override {
    QMessageBox box(QMessageBox::NoIcon, q(kSaveChangesTitle), q(kSaveChangesQuestion),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &window_);
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

  std::filesystem::path calculationsFolder() const override { return services_.calculationsFolder(); }

 private:
  std::optional<std::filesystem::path> choose(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(&window_);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::AnyFile : QFileDialog::AnyFile);
    dialog.setNameFilters(q(request.filter).split(QStringLiteral(";;")));
    dialog.setDirectory(QString::fromStdString(request.folder.string()));
    if (!request.suggested.empty()) dialog.selectFile(QString::fromStdString(request.suggested.string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
  }

  CalculationWindow& window_;
  WindowServices& services_;
};

CalculationWindow::CalculationWindow(CalculationForm& form, WindowServices& services, MessageSink& messages,
                                     QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      services_(services),
      messages_(messages),
      dialogs_(std::make_unique<DocumentDialogs>(*this, services)),
      commands_(std::make_unique<DocumentCommands>(form, *dialogs_)) {
  setWindowTitle(QString::fromUtf8(kWindowTitle));
  buildMenus();
  buildToolbar();

  auto* clientArea = new QWidget(this);
  clientArea->setFixedSize(px(kClientWidth), px(kClientHeight - kToolbarTwips));
  buildHeader(clientArea);
  buildResultsPanel(clientArea);
  buildTabs(clientArea);
  buildClientRow(clientArea);
  setCentralWidget(clientArea);
  setTabOrder();
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  form_.setObserver(this);
  refreshAll();
}

CalculationWindow::~CalculationWindow() {
  form_.setObserver(nullptr);
  // The widgets outlive this part of the window while QWidget deletes them;
  // whatever they still send must not reach it.
  for (auto it = controlOf_.constBegin(); it != controlOf_.constEnd(); ++it)
    const_cast<QObject*>(it.key())->removeEventFilter(this);
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
}

QAction* CalculationWindow::action(const QString& key) const {
  return toolbar_ ? toolbar_->findChild<QAction*>(key) : nullptr;
}

// --- Building ---------------------------------------------------------------------

void CalculationWindow::buildMenus() {
  const auto add = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->setObjectName(QStringLiteral("menuFile"));
  add(file, "menuNew", "Новый", [this] { newCalculation(); });
  file->addSeparator();
  add(file, "menuOPEN", "Открыть", [this] { openCalculation(); });
  file->addSeparator();
  add(file, "menuSAVE_AS", "Сохранить как...", [this] { saveCalculation(); });
  file->addSeparator();
  add(file, "menuPrint", "Печать", [this] { print(); });
  file->addSeparator();
  add(file, "menuEXIT", "Выход", [this] { exitProgram(); });

  QMenu* settings = menuBar()->addMenu(QStringLiteral("Настройки"));
  settings->setObjectName(QStringLiteral("menuNastr"));
  add(settings, "mnuLogo", "Настройка Лога и Звука", [this] { services_.showSettings(); });
  add(settings, "mnuPath", "Настройка пути к папке с расчетами", [this] { services_.showFolderChooser(); });

  QMenu* tools = menuBar()->addMenu(QStringLiteral("Инструменты"));
  tools->setObjectName(QStringLiteral("Menu_Tools"));
  add(tools, "Menu_Tools_Calc", "Калькулятор", [this] { services_.startCalculator(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
  help->setObjectName(QStringLiteral("menuHlp"));
  add(help, "menuProg", "О программе", [this] { services_.showAbout(); });
}

void CalculationWindow::buildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolbar_->toggleViewAction()->setVisible(false);
  for (const ToolbarButton& b : kToolbar) {
    QIcon icon = QIcon::fromTheme(QString::fromUtf8(b.themeIcon));
    if (icon.isNull()) icon = QIcon(QString::fromUtf8(b.ownIcon));
    QAction* a = toolbar_->addAction(icon, QString::fromUtf8(b.tooltip));
    a->setObjectName(QString::fromUtf8(b.key));
    a->setToolTip(QString::fromUtf8(b.tooltip));
    const QString key = QString::fromUtf8(b.key);
    connect(a, &QAction::triggered, this, [this, key] {
      if (key == "New") newCalculation();
      if (key == "Open") openCalculation();
      if (key == "Save") saveCalculation();
      if (key == "Print") print();
      if (key == "Help") services_.showAbout();
    });
  }
}

QWidget* CalculationWindow::bind(Control c, QWidget* w, const QString& accessibleName) {
  widgets_[static_cast<std::size_t>(indexOf(c))] = w;
  controlOf_.insert(w, c);
  w->setObjectName(q(nameOf(c)));
  if (!accessibleName.isEmpty()) w->setAccessibleName(accessibleName);
  w->installEventFilter(this);
  return w;
}

QWidget* CalculationWindow::addField(QWidget* parent, Control c, const QRect& twips, const QString& caption) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(twips);
  edit->setFrame(true);
  bind(c, edit, caption);
  // Every change that does not come from the model is the user's: typing,
  // pasting, an input method, or an accessibility client setting the text.
  connect(edit, &QLineEdit::textChanged, this, [this, c](const QString& text) {
    if (showingModel_) return;
    forward([&] { form_.setText(c, text.toStdString()); });
    refresh(c);
  });
  return edit;
}

QWidget* CalculationWindow::addList(QWidget* parent, Control c, const QRect& twips, const QString& caption) {
  auto* combo = new FormComboBox(parent);
  combo->setGeometry(twips);
  bind(c, combo, caption);
  controlOf_.insert(combo->lineEdit(), c);
  combo->lineEdit()->installEventFilter(this);
  connect(combo->lineEdit(), &QLineEdit::textEdited, this,
          [this, c](const QString& text) { forward([&] { form_.setText(c, text.toStdString()); }); });
  connect(combo, &FormComboBox::picked, this, [this, c](int index) {
    forward([&] { form_.pickEntry(c, static_cast<std::size_t>(index)); });
    refresh(c);
  });
  return combo;
}

void CalculationWindow::addSpinner(QWidget* parent, Control upDown, const QRect& field) {
  auto* arrows = new ArrowPair(parent);
  arrows->setGeometry(field.right() + 1, field.top(), px(kSpinnerWidth), field.height());
  widgets_[static_cast<std::size_t>(indexOf(upDown))] = arrows;
  arrows->setObjectName(q(nameOf(upDown)));
  connect(arrows, &ArrowPair::stepped, this,
          [this, upDown](int direction) { forward([&] { form_.spin(upDown, direction); }); });
}

QLabel* CalculationWindow::addLabel(QWidget* parent, const QString& text, const QRect& twips, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(twips);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setWordWrap(true);
  return label;
}

QLabel* CalculationWindow::addFieldRow(QWidget* frame, int y, const QString& caption, Control field,
                                       std::optional<Control> spinner, int labelX, int labelWidth, int fieldX,
                                       int fieldWidth) {
  QLabel* label = addLabel(frame, caption, twipRect(labelX, y - 60, labelWidth, kBoxHeight + 120), Qt::AlignRight);
  const QRect box = twipRect(fieldX, y, fieldWidth, kBoxHeight);
  QWidget* w = addField(frame, field, box, caption.trimmed());
  label->setBuddy(w);
  if (spinner) addSpinner(frame, *spinner, box);
  return label;
}

QGroupBox* CalculationWindow::addFrame(QWidget* clientArea, int number) {
  const PageInfo& info = page(number);
  auto* box = new QGroupBox(clientArea);
  box->setObjectName(q(info.frameName));
  box->setGeometry(client(2895, 1935, 8775, 3675));
  box->setAccessibleName(q(info.frameCaption));
  // The frame's caption in red, as a label: a style sheet on every frame
  // would cost more start-up time than the rest of the frame.
  auto* caption = new QLabel(QStringLiteral(" ") + q(info.frameCaption) + QStringLiteral(" "), box);
  caption->setObjectName(q(info.frameName) + QStringLiteral("Caption"));
  caption->setAutoFillBackground(true);  // breaks the frame's line, as a group box title does
  caption->move(px(120), 0);
  caption->adjustSize();
  QPalette red = caption->palette();
  red.setColor(QPalette::WindowText, kRed);
  caption->setPalette(red);
  frames_[static_cast<std::size_t>(number - 1)] = box;
  if (info.helpPopup != 0) addHelpButton(box, info.helpPopup);
  return box;
}

void CalculationWindow::addHelpButton(QGroupBox* frame, int popup) {
  auto* button = new QToolButton(frame);
  button->setText(QStringLiteral("?"));
  button->setObjectName(q(page(1).helpButton));
  button->setFocusPolicy(Qt::NoFocus);  // the Tab key skips the help buttons
  button->setToolTip(QStringLiteral("Как это считается"));
  button->setAccessibleName(QStringLiteral("Справка: ") + frame->title());
  button->setGeometry(twipRect(8775 - 375, 150, 300, 300));
  for (const PageInfo& p : pages())
    if (p.helpPopup == popup) button->setObjectName(q(p.helpButton));
  connect(button, &QToolButton::clicked, this, [this, popup] { services_.showHelp(popup); });
}

void CalculationWindow::buildHeader(QWidget* clientArea) {
  auto* company = new QLabel(QStringLiteral("Компания"), clientArea);
  company->setGeometry(client(300, 600, 1000, 330));
  auto* brand = new shell::BrandLabel(clientArea);
  brand->setObjectName(QStringLiteral("Label55"));
  brand->setGeometry(client(1320, 600, 1600, 330));
  brand_ = brand;

  auto* temperatureLabel = new QLabel(QStringLiteral("Температура в камере (град)"), clientArea);
  temperatureLabel->setGeometry(client(3300, 570, 2970, 390));
  QFont large = temperatureLabel->font();
  large.setPointSizeF(large.pointSizeF() * 1.2);
  temperatureLabel->setFont(large);
  QPalette blue = temperatureLabel->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  temperatureLabel->setPalette(blue);

  const QRect box = client(6300, 585, 660, 360);
  QWidget* temperature = addField(clientArea, roomTempBox, box, QStringLiteral("Температура в камере (град)"));
  QFont bold = temperature->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  temperature->setFont(bold);
  temperatureLabel->setBuddy(temperature);
  addSpinner(clientArea, roomTempSpinner, box);
}

void CalculationWindow::buildResultsPanel(QWidget* clientArea) {
  auto* heading = new QLabel(QStringLiteral("Теплопритоки, кВт"), clientArea);
  heading->setGeometry(client(180, 1380, 2295, 300));
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  for (const GainRow& row : kGains) {
    const int i = static_cast<int>(row.gain);
    const int y = 1740 + 420 * i;
    QLabel* label = addLabel(clientArea, q(row.caption), client(120, y - 30, 1290, kBoxHeight + 60), Qt::AlignRight);
    rowLabels_[static_cast<std::size_t>(i)] = label;
    QWidget* box = addField(clientArea, resultBoxOf(row.gain), client(1440, y, 780, kBoxHeight), label->text());
    label->setBuddy(box);
    auto* include = new QCheckBox(clientArea);
    include->setGeometry(client(2280, y, 255, kBoxHeight));
    const Control check = includeCheckOf(row.gain);
    bind(check, include, QStringLiteral("Учитывать: ") + label->text());
    connect(include, &QCheckBox::clicked, this, [this, c = check] {
      forward([&] { form_.click(c); });
      refresh(c);
    });
  }

  QWidget* total = addField(clientArea, totalGainBox, client(240, 5850, 1080, kBoxHeight), q(kTotalCaption));
  QFont totalFont = total->font();
  totalFont.setBold(true);
  total->setFont(totalFont);
  addLabel(clientArea, q(kTotalCaption), client(1380, 5850, 1300, kBoxHeight), Qt::AlignLeft)->setBuddy(total);
  const QString capacityCaption = q(kRequiredCapacityCaption);
  QWidget* capacity = addField(clientArea, requiredCapacityBox, client(240, 6360, 1080, kBoxHeight), capacityCaption);
  capacity->setFont(totalFont);
  QLabel* capacityLabel = addLabel(clientArea, capacityCaption, client(1380, 6180, 1440, 660), Qt::AlignLeft);
  QFont small = capacityLabel->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  capacityLabel->setFont(small);
  capacityLabel->setBuddy(capacity);
}

void CalculationWindow::buildTabs(QWidget* clientArea) {
  QStringList captions;
  for (const PageInfo& p : pages()) captions << q(p.tabCaption);
  tabs_ = new PageTabs(captions, 2, clientArea);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  tabs_->setGeometry(client(2820, 1080, 8895, 840));
  tabs_->setAccessibleName(QStringLiteral("Страницы расчета"));
  auto* pane = new QFrame(clientArea);
  pane->setFrameShape(QFrame::StyledPanel);
  pane->setGeometry(client(2820, 1905, 8895, 3750));
  pane->lower();
  connect(tabs_, &PageTabs::selected, this, [this](int index) { forward([&] { form_.selectPage(index + 1); }); });
  clientArea_ = clientArea;
}

// Pages are built when they are first shown: start-up pays only for the
// first one.
void CalculationWindow::ensurePage(int number) {
  if (number < 1 || number > kPageCount || frame(number)) return;
  switch (number) {
    case 1:
      buildRoomPage();
      break;
    case 2:
      buildProcessingPage();
      break;
    case 3:
      buildEnclosurePage();
      break;
    case 4:
      buildVentilationPage();
      break;
    case 5:
      buildDoorPage();
      break;
    case 6:
      buildProductPage();
      break;
    case 7:
      buildLightingPage();
      break;
    case 8:
      buildStaffPage();
      break;
    case 9:
      buildVehiclesPage();
      break;
    case 10:
      buildFansPage();
      break;
  }
  setTabOrder();
  for (Control c : allControls())
    if (pageOf(c) == number) refresh(c);
  for (int i = 0; i < kCaptionCount; ++i) captionChanged(static_cast<Caption>(i));
  if (number == 1) sketchChanged();
}

void CalculationWindow::buildRoomPage() {
  QGroupBox* room = addFrame(clientArea_, 1);
  sketch_ = new RoomSketchView(room);
  sketch_->setGeometry(0, 0, px(8775), px(3675));
  const int roomLabelX = 120, roomLabelW = 1260, roomFieldX = 1410, roomFieldW = 960;
  addFieldRow(room, 420, QStringLiteral("Длина (см)"), roomLengthField, roomLengthSpinner, roomLabelX, roomLabelW,
              roomFieldX, roomFieldW);
  addFieldRow(room, 840, QStringLiteral("Ширина (см)"), roomWidthField, roomWidthSpinner, roomLabelX, roomLabelW,
              roomFieldX, roomFieldW);
  addFieldRow(room, 1260, QStringLiteral("Высота (см)"), roomHeightField, roomHeightSpinner, roomLabelX, roomLabelW,
              roomFieldX, roomFieldW);
  addFieldRow(room, 1860, QStringLiteral("Площадь (кв м)"), floorAreaBox, std::nullopt, roomLabelX, roomLabelW,
              roomFieldX, roomFieldW);
  addFieldRow(room, 2280, QStringLiteral("Объём (куб м)"), roomVolumeBox, std::nullopt, roomLabelX, roomLabelW,
              roomFieldX, roomFieldW);
  sketch_->lower();
}

void CalculationWindow::buildProcessingPage() {
  QGroupBox* processing = addFrame(clientArea_, 2);
  const int pLabelX = 240, pLabelW = 4200, pFieldX = 4560, pFieldW = 900;
  addFieldRow(processing, 480, QStringLiteral("Влажность воздуха %"), airHumidityBox, std::nullopt, pLabelX, pLabelW,
              pFieldX, pFieldW);
  captions_[static_cast<std::size_t>(Caption::Hours)] =
      addFieldRow(processing, 960, QString(), equipHoursField, equipHoursSpinner, pLabelX, pLabelW, pFieldX, pFieldW);
  addFieldRow(processing, 1440, QStringLiteral("Запас %"), reservePercentField, reservePercentSpinner, pLabelX, pLabelW,
              pFieldX, pFieldW);
  auto* storage = new QRadioButton(QStringLiteral("Хранение"), processing);
  storage->setGeometry(twipRect(pFieldX, 2040, 2400, kBoxHeight));
  auto* freezing = new QRadioButton(QStringLiteral("Заморозка"), processing);
  freezing->setGeometry(twipRect(pFieldX, 2460, 2400, kBoxHeight));
  for (auto [button, control] : {std::pair{storage, storageOption}, {freezing, freezingOption}}) {
    button->setAutoExclusive(false);
    bind(control, button, button->text());
    connect(button, &QRadioButton::clicked, this, [this, c = control] {
      forward([&] { form_.click(c); });
      refresh(storageOption);
      refresh(freezingOption);
    });
  }
}

void CalculationWindow::buildEnclosurePage() {
  QGroupBox* walls = addFrame(clientArea_, 3);
  struct Column {
    int x;
    int width;
    const char* heading;
  };
  const Column columns[] = {{960, 1740, "Материал"},
                            {2760, 660, "Толщина (мм)"},
                            {3720, 1740, "Термоизоляция"},
                            {5520, 660, "Толщина (мм)"},
                            {6480, 660, "Темп-ра снаружи"}};
  for (const Column& c : columns)
    addLabel(walls, QString::fromUtf8(c.heading), twipRect(c.x - 120, 420, c.width + kSpinnerWidth + 240, 420),
             Qt::AlignHCenter);
  const char* rowNames[] = {" Стены", "Потолок", "Пол"};
  const Control materials[] = {wallMaterialList, ceilingMaterialList, floorMaterialList};
  const Control materialThickness[] = {wallMaterialThicknessField, ceilingMaterialThicknessField,
                                       floorMaterialThicknessField};
  const Control materialSpinners[] = {wallMaterialThicknessSpinner, ceilingMaterialThicknessSpinner,
                                      floorMaterialThicknessSpinner};
  const Control insulations[] = {wallInsulationList, ceilingInsulationList, floorInsulationList};
  const Control insulationThickness[] = {wallInsulationThicknessField, ceilingInsulationThicknessField,
                                         floorInsulationThicknessField};
  const Control insulationSpinners[] = {wallInsulationThicknessSpinner, ceilingInsulationThicknessSpinner,
                                        floorInsulationThicknessSpinner};
  const Control outside[] = {outsideTempWallsField, outsideTempCeilingField, outsideTempFloorField};
  const Control outsideSpinners[] = {outsideTempWallsSpinner, outsideTempCeilingSpinner, outsideTempFloorSpinner};
  for (int r = 0; r < 3; ++r) {
    const int y = 960 + 540 * r;
    const QString row = QString::fromUtf8(rowNames[r]);
    addLabel(walls, row, twipRect(90, y, 840, kBoxHeight), Qt::AlignLeft);
    addList(walls, materials[r], twipRect(columns[0].x, y, columns[0].width, kBoxHeight + 30),
            QStringLiteral("Материал: ") + row.trimmed());
    const QRect t1 = twipRect(columns[1].x, y, columns[1].width, kBoxHeight);
    addField(walls, materialThickness[r], t1, QStringLiteral("Толщина материала (мм): ") + row.trimmed());
    addSpinner(walls, materialSpinners[r], t1);
    addList(walls, insulations[r], twipRect(columns[2].x, y, columns[2].width, kBoxHeight + 30),
            QStringLiteral("Термоизоляция: ") + row.trimmed());
    const QRect t2 = twipRect(columns[3].x, y, columns[3].width, kBoxHeight);
    addField(walls, insulationThickness[r], t2, QStringLiteral("Толщина термоизоляции (мм): ") + row.trimmed());
    addSpinner(walls, insulationSpinners[r], t2);
    const QRect t3 = twipRect(columns[4].x, y, columns[4].width, kBoxHeight);
    addField(walls, outside[r], t3, QStringLiteral("Темп-ра снаружи: ") + row.trimmed());
    addSpinner(walls, outsideSpinners[r], t3);
  }
}

void CalculationWindow::buildVentilationPage() {
  QGroupBox* ventilation = addFrame(clientArea_, 4);
  QLabel* rate =
      addLabel(ventilation, QStringLiteral("Кратность вентиляции в камере    (объёмов  незагруженной камеры в сутки)"),
               twipRect(600, 900, 4500, 660), Qt::AlignRight);
  QWidget* rateBox = addField(ventilation, airChangeRateBox, twipRect(5280, 1080, 900, kBoxHeight),
                              QStringLiteral("Кратность вентиляции в камере"));
  rate->setBuddy(rateBox);
}

void CalculationWindow::buildDoorPage() {
  QGroupBox* door = addFrame(clientArea_, 5);
  const int dLabelX = 240, dLabelW = 4200, dFieldX = 4560, dFieldW = 900;
  addFieldRow(door, 480, QStringLiteral("Высота двери (см)"), doorHeightField, doorHeightSpinner, dLabelX, dLabelW,
              dFieldX, dFieldW);
  addFieldRow(door, 960, QStringLiteral("Ширина двери (см)"), doorWidthField, doorWidthSpinner, dLabelX, dLabelW,
              dFieldX, dFieldW);
  addFieldRow(door, 1440, QStringLiteral("Сколько минут в сутки дверь открыта"), doorOpenMinutesField,
              doorOpenMinutesSpinner, dLabelX, dLabelW, dFieldX, dFieldW);
  QLabel* curtainLabel =
      addLabel(door, QStringLiteral("Завеса"), twipRect(dLabelX, 1920, dLabelW, kBoxHeight), Qt::AlignRight);
  curtainLabel->setBuddy(
      addList(door, curtainList, twipRect(dFieldX, 1920, 1800, kBoxHeight + 30), QStringLiteral("Завеса")));
}

void CalculationWindow::buildProductPage() {
  QGroupBox* product = addFrame(clientArea_, 6);
  addLabel(product, QStringLiteral("Категория"), twipRect(120, 480, 1000, kBoxHeight), Qt::AlignRight)
      ->setBuddy(addList(product, productCategoryList, twipRect(1200, 480, 2280, kBoxHeight + 30),
                         QStringLiteral("Категория")));
  addLabel(product, QStringLiteral("Продукт"), twipRect(120, 960, 1000, kBoxHeight), Qt::AlignRight)
      ->setBuddy(addList(product, productList, twipRect(1200, 960, 2280, kBoxHeight + 30), QStringLiteral("Продукт")));
  addFieldRow(product, 1680, QStringLiteral("Точка замерзания (град)"), freezingPointBox, std::nullopt, 120, 2160, 2400,
              900);
  const int rLabelX = 3720, rLabelW = 3000, rFieldX = 6840, rFieldW = 900;
  captions_[static_cast<std::size_t>(Caption::StoredMass)] =
      addFieldRow(product, 480, QString(), storedMassField, storedMassSpinner, rLabelX, rLabelW, rFieldX, rFieldW);
  captions_[static_cast<std::size_t>(Caption::Mass)] =
      addFieldRow(product, 960, QString(), dailyMassField, dailyMassSpinner, rLabelX, rLabelW, rFieldX, rFieldW);
  addFieldRow(product, 1440, QStringLiteral("Начальная температура (град)"), productInitialTempField,
              productInitialTempSpinner, rLabelX, rLabelW, rFieldX, rFieldW);
  addFieldRow(product, 1920, QStringLiteral("Конечная температура (град)"), productFinalTempField,
              productFinalTempSpinner, rLabelX, rLabelW, rFieldX, rFieldW);
}

void CalculationWindow::buildLightingPage() {
  QGroupBox* lighting = addFrame(clientArea_, 7);
  addFieldRow(lighting, 600, QStringLiteral("Время р-ты освещения в камере (ч/сутки)"), lightingHoursField,
              lightingHoursSpinner, 240, 4200, 4560, 900);
  addFieldRow(lighting, 1080, QStringLiteral("Мощность освещения (Вт/м2) "), lightingPowerField, lightingPowerSpinner,
              240, 4200, 4560, 900);
  auto* recommended = new QCheckBox(QStringLiteral("Установить рекомендуемое значение"), lighting);
  recommended->setGeometry(twipRect(4560, 1560, 3900, kBoxHeight));
  bind(recommendedLightingCheck, recommended, recommended->text());
  connectCheckBox(recommendedLightingCheck);
}

void CalculationWindow::buildStaffPage() {
  QGroupBox* staff = addFrame(clientArea_, 8);
  addFieldRow(staff, 960, QStringLiteral("Число рабочих в камере (чел)"), staffCountField, staffCountSpinner, 240, 4200,
              4560, 900);
}

void CalculationWindow::buildVehiclesPage() {
  QGroupBox* vehicles = addFrame(clientArea_, 9);
  addFieldRow(vehicles, 960, QStringLiteral("Полная мощность ПТС (квт)"), vehiclePowerField, vehiclePowerSpinner, 240,
              4200, 4560, 900);
}

void CalculationWindow::buildFansPage() {
  QGroupBox* fans = addFrame(clientArea_, 10);
  captions_[static_cast<std::size_t>(Caption::FanPercent)] =
      addFieldRow(fans, 540, QString(), fanPercentField, fanPercentSpinner, 240, 4200, 4560, 900);
  auto* refined = new QCheckBox(QStringLiteral("Уточняющий расчет"), fans);
  refined->setGeometry(twipRect(4560, 1080, 3000, kBoxHeight));
  bind(refinedFanCheck, refined, refined->text());
  addFieldRow(fans, 1620, QStringLiteral("Кол-во вентиляторов ВО"), fanCountField, fanCountSpinner, 240, 4200, 4560,
              900);
  addFieldRow(fans, 2100, QStringLiteral("Мощность вентиляторов ВО, Вт"), fanPowerField, fanPowerSpinner, 240, 4200,
              4560, 900);
  connectCheckBox(refinedFanCheck);
}

void CalculationWindow::connectCheckBox(Control c) {
  connect(qobject_cast<QCheckBox*>(widget(c)), &QCheckBox::clicked, this, [this, c] {
    forward([&] { form_.click(c); });
    refresh(c);
  });
}

void CalculationWindow::buildClientRow(QWidget* clientArea) {
  QLabel* label =
      addLabel(clientArea, QStringLiteral("Сведения о клиенте:"), client(870, 7410, 1620, kBoxHeight), Qt::AlignRight);
  label->setBuddy(addField(clientArea, clientInfoField, client(2520, 7410, 6885, kBoxHeight),
                           QStringLiteral("Сведения о клиенте:")));
}

void CalculationWindow::setTabOrder() {
  QWidget* previous = nullptr;
  for (Control c : tabOrder()) {
    QWidget* w = widget(c);
    if (!w) continue;
    if (w->focusPolicy() == Qt::NoFocus) w->setFocusPolicy(Qt::StrongFocus);
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
  // Boxes the Tab key passes by; the mouse and the Enter cycles still reach them.
  for (Control c : {clientInfoField, roomVolumeBox, airHumidityBox, freezingPointBox, floorAreaBox, wallsGainBox,
                    ventilationGainBox, doorGainBox, productGainBox, respirationGainBox, lightingGainBox, staffGainBox,
                    vehiclesGainBox, fansGainBox, totalGainBox, requiredCapacityBox})
    if (QWidget* w = widget(c)) w->setFocusPolicy(Qt::ClickFocus);
}

// --- Model to widgets --------------------------------------------------------------

void CalculationWindow::refreshAll() {
  for (Control c : allControls()) refresh(c);
  for (int i = 0; i < kCaptionCount; ++i) captionChanged(static_cast<Caption>(i));
  pageChanged();
  sketchChanged();
}

void CalculationWindow::controlChanged(Control c) { refresh(c); }

void CalculationWindow::refresh(Control c) {
  QWidget* w = widget(c);
  if (!w) return;
  const ControlState& s = form_.control(c);
  w->setEnabled(s.enabled);
  if (w->isVisibleTo(w->parentWidget()) != s.visible) w->setVisible(s.visible);
  switch (kindOf(c)) {
    case ControlKind::TextBox: {
      auto* edit = static_cast<QLineEdit*>(w);
      const QString text = QString::fromStdString(s.text);
      if (edit->text() != text) {
        const bool wasShowing = std::exchange(showingModel_, true);
        edit->setText(text);
        showingModel_ = wasShowing;
      }
      edit->setReadOnly(s.locked);
      edit->setAlignment((s.alignment == Alignment::Left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
      const QColor base = backgroundColour(s.background, QApplication::palette());
      QColor textColour = QApplication::palette().color(QPalette::Text);
      if (s.colour == RowColour::Red) textColour = kRed;
      if (s.colour == RowColour::Purple) textColour = kPurple;
      if (s.background == Background::DarkBlue) textColour = QApplication::palette().color(QPalette::Base);
      QPalette palette = edit->palette();
      if (palette.color(QPalette::Base) == base && palette.color(QPalette::Text) == textColour) break;
      palette.setColor(QPalette::Base, base);
      palette.setColor(QPalette::Text, textColour);
      edit->setPalette(palette);
      for (int i = 0; i < kGainCount; ++i) {
        if (resultBoxOf(static_cast<Gain>(i)) != c) continue;
        QPalette labelPalette = rowLabels_[static_cast<std::size_t>(i)]->palette();
        labelPalette.setColor(QPalette::WindowText, textColour);
        rowLabels_[static_cast<std::size_t>(i)]->setPalette(labelPalette);
      }
      break;
    }
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      QStringList items;
      for (const std::string& item : s.items) items << QString::fromStdString(item);
      QStringList shown;
      for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
      const QString text = QString::fromStdString(s.text);
      const QSignalBlocker blocker(combo);
      if (shown != items) {
        combo->clear();
        combo->addItems(items);
      }
      if (combo->currentText() != text) combo->setEditText(text);
      break;
    }
    case ControlKind::CheckBox: {
      auto* check = static_cast<QCheckBox*>(w);
      const QSignalBlocker blocker(check);
      check->setCheckState(s.value == 2 ? Qt::PartiallyChecked : s.value ? Qt::Checked : Qt::Unchecked);
      break;
    }
    case ControlKind::OptionButton: {
      auto* option = static_cast<QRadioButton*>(w);
      const QSignalBlocker blocker(option);
      option->setChecked(s.value != 0);
      break;
    }
    case ControlKind::UpDown:
      break;
  }
}

void CalculationWindow::captionChanged(Caption c) {
  QLabel* label = captions_[static_cast<std::size_t>(c)];
  if (!label) return;
  const CaptionState& state = form_.caption(c);
  label->setText(QString::fromStdString(state.text));
  label->setVisible(state.visible);
  if (QWidget* buddy = label->buddy()) buddy->setAccessibleName(label->text().trimmed());
}

void CalculationWindow::pageChanged() {
  for (int p = 1; p <= kPageCount; ++p) {
    if (form_.frameVisible(p)) ensurePage(p);
    if (QGroupBox* f = frame(p)) f->setVisible(form_.frameVisible(p));
  }
  tabs_->setCurrent(form_.currentPage() - 1);
}

void CalculationWindow::sketchChanged() {
  if (sketch_) sketch_->setSketch(form_.sketch());
}

// --- Widgets to model --------------------------------------------------------------

bool CalculationWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto it = controlOf_.constFind(watched);
  if (it == controlOf_.constEnd() || ending_) return QMainWindow::eventFilter(watched, event);
  const Control c = *it;
  switch (event->type()) {
    case QEvent::FocusIn: {
      // A message box or a menu taking the focus for a moment is no focus change of the form.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      forward([&] { form_.focusGained(c); });
      break;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      // Its checks may show a message box: not from inside Qt's focus change.
      focusLostLater(c);
      break;
    }
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) break;
      if (const auto next = form_.enterPressed(c)) {
        if (QWidget* target = widget(*next); target && target->isVisible()) target->setFocus(Qt::TabFocusReason);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void CalculationWindow::focusLostLater(Control c) {
  pendingFocusLosses_.push_back(c);
  if (drainScheduled_) return;
  drainScheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    drainScheduled_ = false;
    drainFocusLosses();
  });
}

void CalculationWindow::drainFocusLosses() {
  // One event at a time: a message box's own event loop must not start the
  // next focus loss in the middle of this one.
  if (busy_ > 0) return;
  while (!pendingFocusLosses_.empty()) {
    const Control c = pendingFocusLosses_.front();
    pendingFocusLosses_.pop_front();
    const BusyScope busy(busy_);
    form_.focusLost(c);
  }
}

// --- Commands ------------------------------------------------------------------------

void CalculationWindow::newCalculation() {
  drainFocusLosses();
  forward([&] { commands_->newCalculation(); });
}

void CalculationWindow::openCalculation() {
  drainFocusLosses();
  forward([&] { commands_->open(); });
}

void CalculationWindow::saveCalculation() {
  drainFocusLosses();
  forward([&] { commands_->save(); });
}

void CalculationWindow::print() {
  drainFocusLosses();
  services_.showReport();
}

void CalculationWindow::exitProgram() {
  drainFocusLosses();
  const bool mayEnd = forward([&] { return commands_->mayExit(); });
  if (!mayEnd) return;
  ending_ = true;
  services_.programEnding(true);
  QApplication::quit();
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  if (ending_) return event->accept();
  drainFocusLosses();
  const bool mayEnd = forward([&] { return commands_->mayClose(); });
  if (!mayEnd) return event->ignore();
  ending_ = true;
  services_.programEnding(false);
  event->accept();
  QApplication::quit();
}

}  // namespace kamerol
