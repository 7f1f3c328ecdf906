#include "window/form_widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
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
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::Selection);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
  }
}

void PageTabs::choose(int index) {
  if (index < 0 || index >= count()) return;
  setCurrent(index);
  emit selected(index);
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
    choose(i);
    return;
  }
}

void PageTabs::keyPressEvent(QKeyEvent* event) {
  const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
  if (step == 0) return QWidget::keyPressEvent(event);
  choose((current_ + step + count()) % count());
}

// --- PageTabs for accessibility -----------------------------------------------------

namespace {

class AccessiblePageTab final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  AccessiblePageTab(PageTabs* tabs, int index) : tabs_(tabs), index_(index) {}

  bool isValid() const override { return !tabs_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return tabs_ ? tabs_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(tabs_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QString text(QAccessible::Text t) const override {
    return tabs_ && t == QAccessible::Name ? tabs_->caption(index_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!tabs_) return {};
    const QRect r = tabs_->tabRect(index_);
    return QRect(tabs_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.selectable = true;
    if (!tabs_) return s;
    s.selected = tabs_->current() == index_;
    s.invisible = !tabs_->isVisible();
    s.disabled = !tabs_->isEnabled();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (tabs_ && tabs_->isEnabled() && name == pressAction()) tabs_->choose(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<PageTabs> tabs_;
  int index_;
};

class AccessiblePageTabs final : public QAccessibleWidget {
 public:
  explicit AccessiblePageTabs(PageTabs* tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}
  ~AccessiblePageTabs() override {
    for (QAccessible::Id id : std::as_const(children_)) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return tabs()->count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (const auto it = children_.constFind(index); it != children_.constEnd())
      return QAccessible::accessibleInterface(*it);
    auto* tab = new AccessiblePageTab(tabs(), index);
    children_.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (auto it = children_.constBegin(); it != children_.constEnd(); ++it)
      if (QAccessible::accessibleInterface(*it) == child) return it.key();
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = tabs()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i)
      if (tabs()->tabRect(i).contains(local)) return child(i);
    return nullptr;
  }

 private:
  PageTabs* tabs() const { return static_cast<PageTabs*>(widget()); }
  mutable QHash<int, QAccessible::Id> children_;
};

// Qt names an editable drop-down list on Linux by its text, which loses the
// list's caption for screen readers: this one keeps its accessible name as
// the name and gives the text as the value.
class AccessibleFormComboBox final : public QAccessibleWidget {
 public:
  explicit AccessibleFormComboBox(FormComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return combo()->currentText();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return 2; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1) return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i)
      if (this->child(i) == child) return i;
    return -1;
  }
  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& name) override {
    if (name == showMenuAction() || name == pressAction()) combo()->showPopup();
  }

 private:
  FormComboBox* combo() const { return static_cast<FormComboBox*>(widget()); }
};

QAccessibleInterface* formWidgetsFactory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String(PageTabs::staticMetaObject.className()))
    return new AccessiblePageTabs(static_cast<PageTabs*>(object));
  if (className == QLatin1String(FormComboBox::staticMetaObject.className()))
    return new AccessibleFormComboBox(static_cast<FormComboBox*>(object));
  return nullptr;
}

}  // namespace

void installFormWidgetsAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(formWidgetsFactory);
    return true;
  }();
  (void)installed;
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
