#include "window/calculation_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QToolButton>

#include "core/gains.h"
#include "shell/brand_label.h"
#include "window/form_widgets.h"
#include "window/trace_window.h"
#include "window/window_layout.h"
#include "window/window_parts.h"
#include "window/window_placement.h"

namespace kamerol {

using enum Control;
using namespace window_parts;
using layout::kBoxHeight;

namespace {

QRect rectOf(const layout::TwipBox& b, int page) {
  return page == 0 ? client(b.x, b.y, b.width, b.height) : twipRect(b.x, b.y, b.width, b.height);
}

Qt::Alignment alignmentOf(layout::Align a) {
  switch (a) {
    case layout::Align::Left:
      return Qt::AlignLeft;
    case layout::Align::Centre:
      return Qt::AlignHCenter;
    case layout::Align::Right:
      break;
  }
  return Qt::AlignRight;
}

}  // namespace

CalculationWindow::CalculationWindow(CalculationForm& form, WindowServices& services, MessageSink& messages,
                                     QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      services_(services),
      messages_(messages),
      dialogs_(makeDocumentDialogs()),
      commands_(std::make_unique<DocumentCommands>(form, *dialogs_)) {
  buildMenus();
  buildToolbar();

  auto* clientArea = new QWidget(this);
  clientArea->setFixedSize(px(kClientWidth), px(kClientHeight - kToolbarTwips));
  buildPage(0, clientArea);
  buildHeader(clientArea);
  buildResultsPanel(clientArea);
  buildTabs(clientArea);
  setCentralWidget(clientArea);
  setTabOrder();
  addPageKeys();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // A fixed window says so to every window manager: no maximize button, no resizing frame. (Windows would offer
  // both, and a maximized window leaves all beyond the fixed client area unpainted.)
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  form_.setObserver(this);
  refreshAll();
  showDocumentState();
  installResultTooltips(*this);
}

CalculationWindow::~CalculationWindow() {
  form_.setObserver(nullptr);
  // The widgets outlive this part of the window while QWidget deletes them;
  // whatever they still send must not reach it.
  for (auto it = controlOf_.constBegin(); it != controlOf_.constEnd(); ++it)
    const_cast<QObject*>(it.key())->removeEventFilter(this);
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
}

// Pages are built when they are first shown: start-up pays only for the
// first one.
void CalculationWindow::ensurePage(int number) {
  if (number < 1 || number > kPageCount || frame(number)) return;
  QGroupBox* box = addFrame(clientArea_, number);
  if (number == 1) buildRoomSketch();
  buildPage(number, box);
  if (number == 1) sketch_->lower();
  setTabOrder();
  for (Control c : allControls())
    if (pageOf(c) == number) refresh(c);
  for (int i = 0; i < kCaptionCount; ++i) captionChanged(static_cast<Caption>(i));
  if (number == 1) sketchChanged();
}

void CalculationWindow::buildPage(int page, QWidget* parent) {
  for (const layout::Placement& p : layout::placements())
    if (p.page == page) place(p, parent);
}

void CalculationWindow::place(const layout::Placement& p, QWidget* parent) {
  const QRect box = rectOf(p.box, p.page);
  const QString text = q(p.text);
  QLabel* label = nullptr;
  if (p.label.width > 0) label = addLabel(parent, text, rectOf(p.label, p.page), Qt::AlignRight);
  QWidget* w = nullptr;
  switch (p.piece) {
    case layout::Piece::Label:
      addLabel(parent, text, box, alignmentOf(p.align));
      return;
    case layout::Piece::Field:
      w = addField(parent, p.control, box, p.name.empty() ? text.trimmed() : q(p.name));
      if (const auto spinner = spinnerOf(p.control)) addSpinner(parent, *spinner, box);
      break;
    case layout::Piece::List:
      w = addList(parent, p.control, box, text);
      break;
    case layout::Piece::Check:
      w = addCheckBox(parent, p.control, box, text);
      break;
    case layout::Piece::Option:
      w = addOption(parent, p.control, box, text);
      break;
  }
  if (label) label->setBuddy(w);
  if (p.modelCaption) captions_[static_cast<std::size_t>(*p.modelCaption)] = label;
}

void CalculationWindow::buildRoomSketch() {
  sketch_ = new RoomSketchView(frame(1));
  sketch_->setGeometry(0, 0, px(8775), px(3675));
}

QLabel* CalculationWindow::addLabel(QWidget* parent, const QString& text, const QRect& twips, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(twips);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setWordWrap(true);
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
  connect(brand, &shell::BrandLabel::openFailed, this, [this] {
    messages_.showMessage(Message{shell::kNoBrowserTitle, shell::kNoBrowserText, MessageIcon::None});
  });

  auto* temperatureLabel = new QLabel(QStringLiteral("Температура в камере (град)"), clientArea);
  temperatureLabel->setGeometry(client(3300, 570, 2970, 390));
  QFont large = temperatureLabel->font();
  large.setPointSizeF(large.pointSizeF() * 1.2);
  temperatureLabel->setFont(large);
  QPalette blue = temperatureLabel->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  temperatureLabel->setPalette(blue);

  QWidget* temperature = widget(roomTempBox);
  QFont bold = temperature->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  temperature->setFont(bold);
  temperatureLabel->setBuddy(temperature);
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
    const Control check = includeCheckOf(row.gain);
    addCheckBox(clientArea, check, client(2280, y, 255, kBoxHeight), QString());
    widget(check)->setAccessibleName(QStringLiteral("Учитывать: ") + label->text());
  }

  QWidget* total = addField(clientArea, totalGainBox, client(240, 5850, 1080, kBoxHeight), q(kTotal.caption));
  QFont totalFont = total->font();
  totalFont.setBold(true);
  total->setFont(totalFont);
  addLabel(clientArea, q(kTotal.caption), client(1380, 5850, 1300, kBoxHeight), Qt::AlignLeft)->setBuddy(total);
  const QString capacityCaption = q(kRequiredCapacity.caption);
  QWidget* capacity = addField(clientArea, requiredCapacityBox, client(240, 6360, 1080, kBoxHeight), capacityCaption);
  capacity->setFont(totalFont);
  QLabel* capacityLabel = addLabel(clientArea, capacityCaption, client(1380, 6180, 1440, 660), Qt::AlignLeft);
  QFont small = capacityLabel->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  capacityLabel->setFont(small);
  capacityLabel->setBuddy(capacity);
}

void CalculationWindow::buildTabs(QWidget* clientArea) {
  installFormWidgetsAccessibility();
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

}  // namespace kamerol
