#include "window/form_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>

#include "window/twips.h"

namespace kamerol {

// --- ArrowPair ------------------------------------------------------------------

ArrowPair::ArrowPair(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(80);
    button->setIconSize(QSize(7, 7));
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setAccessibleName(QStringLiteral("Больше"));
  down_->setAccessibleName(QStringLiteral("Меньше"));
  connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
  setFocusPolicy(Qt::NoFocus);
}

QSize ArrowPair::sizeHint() const { return {16, 20}; }

void ArrowPair::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

// --- PageTabs -------------------------------------------------------------------

PageTabs::PageTabs(const QStringList& captions, int rows, QWidget* parent)
    : QWidget(parent), captions_(captions), rows_(std::max(1, rows)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void PageTabs::setCurrent(int index) {
  if (index < 0 || index >= count() || index == current_) return;
  current_ = index;
  update();
}

QRect PageTabs::tabRect(int index) const {
  if (widths_.size() != static_cast<std::size_t>(captions_.size())) {
    // Within a row each tab gets room in proportion to its caption.
    const QFontMetrics metrics(font());
    widths_.clear();
    for (const QString& caption : captions_) widths_.push_back(metrics.horizontalAdvance(caption) + 16);
  }
  const int perRow = (count() + rows_ - 1) / rows_;
  const int row = index / perRow;
  const int first = row * perRow;
  const int last = std::min(count(), first + perRow);
  double total = 0;
  for (int i = first; i < last; ++i) total += widths_[static_cast<std::size_t>(i)];
  double left = 0;
  for (int i = first; i < index; ++i) left += widths_[static_cast<std::size_t>(i)] * width() / total;
  const double right = left + widths_[static_cast<std::size_t>(index)] * width() / total;
  const int rowHeight = height() / rows_;
  const int x = static_cast<int>(std::lround(left));
  return {x, row * rowHeight, static_cast<int>(std::lround(right)) - x, rowHeight};
}

void PageTabs::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) widths_.clear();
  QWidget::changeEvent(event);
}

QSize PageTabs::sizeHint() const { return {px(8895), px(840)}; }

void PageTabs::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab option;
    option.initFrom(this);
    option.rect = tabRect(i);
    option.text = captions_[i];
    option.shape = QTabBar::RoundedNorth;
    option.position = QStyleOptionTab::Middle;
    option.state &= ~QStyle::State_HasFocus;
    if (i == current_) option.state |= QStyle::State_Selected;
    if (!option.rect.contains(mapFromGlobal(QCursor::pos()))) option.state &= ~QStyle::State_MouseOver;
    painter.drawControl(QStyle::CE_TabBarTab, option);
  }
}

void PageTabs::mousePressEvent(QMouseEvent* event) {
  for (int i = 0; i < count(); ++i) {
    if (!tabRect(i).contains(event->position().toPoint())) continue;
    current_ = i;
    update();
    emit selected(i);
    return;
  }
}

void PageTabs::keyPressEvent(QKeyEvent* event) {
  const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
  if (step == 0) return QWidget::keyPressEvent(event);
  const int next = (current_ + step + count()) % count();
  current_ = next;
  update();
  emit selected(next);
}

// --- RoomSketchView ---------------------------------------------------------------

RoomSketchView::RoomSketchView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(QStringLiteral("Эскиз камеры"));
}

void RoomSketchView::setSketch(const RoomSketch& sketch) {
  sketch_ = sketch;
  update();
}

void RoomSketchView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(rect());
  painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
  QPen solid(QColor(255, 0, 0), 1);
  solid.setCosmetic(true);
  QPen dashed = solid;
  dashed.setStyle(Qt::DashLine);
  const auto draw = [&](const SketchSegment& s) {
    if (!s.visible) return;
    painter.setPen(s.dashed ? dashed : solid);
    painter.drawLine(QPointF(s.start.x, s.start.y), QPointF(s.end.x, s.end.y));
  };
  for (const auto& s : sketch_.l1) draw(s);
  for (const auto& s : sketch_.l2) draw(s);
  for (const auto& s : sketch_.l3) draw(s);
}

// --- FormComboBox -------------------------------------------------------------------

FormComboBox::FormComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(16);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (picking_ && index >= 0) emit picked(index);
  });
}

void FormComboBox::hidePopup() {
  // An entry chosen in the list is activated right after the list closes.
  picking_ = true;
  QComboBox::hidePopup();
  QTimer::singleShot(0, this, [this] { picking_ = false; });
}

void FormComboBox::keyPressEvent(QKeyEvent* event) {
  picking_ = true;
  QComboBox::keyPressEvent(event);
  picking_ = false;
}

void FormComboBox::wheelEvent(QWheelEvent* event) {
  picking_ = true;
  QComboBox::wheelEvent(event);
  picking_ = false;
}

}  // namespace kamerol
