#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

#include <utility>

#include "window/calculation_window.h"
#include "window/form_widgets.h"
#include "window/window_layout.h"
#include "window/window_parts.h"

// The binding of the window's widgets to the form model: each widget's edits
// go to the model, each change of the model reaches its widget.

namespace kamerol {

using enum Control;
using namespace window_parts;

namespace {

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

}  // namespace

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
  combo->lineEdit()->setAccessibleName(caption);  // it is what has the focus
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
  arrows->setGeometry(field.right() + 1, field.top(), px(layout::kSpinnerWidth), field.height());
  widgets_[static_cast<std::size_t>(indexOf(upDown))] = arrows;
  arrows->setObjectName(q(nameOf(upDown)));
  connect(arrows, &ArrowPair::stepped, this,
          [this, upDown](int direction) { forward([&] { form_.spin(upDown, direction); }); });
}

void CalculationWindow::addPageKeys() {
  const std::pair<QKeySequence, int> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), +1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), +1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},  // Shift+Tab arrives as Backtab
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [sequence, step] : keys)
    connect(new QShortcut(sequence, this), &QShortcut::activated, this, [this, step = step] { stepPage(step); });
}

// As a click on the tab would: through the model's page selection, so the
// frame, the red rows and the recalculation follow. The keyboard user then
// stands in the page's first field.
void CalculationWindow::stepPage(int step) {
  drainFocusLosses();
  const int next = (form_.currentPage() - 1 + step + kPageCount) % kPageCount + 1;
  forward([&] { form_.selectPage(next); });
  for (Control c : tabOrder()) {
    QWidget* w = widget(c);
    if (pageOf(c) != next || w == nullptr || !w->isVisible() || !w->isEnabled()) continue;
    w->setFocus(Qt::TabFocusReason);
    break;
  }
}

QWidget* CalculationWindow::addCheckBox(QWidget* parent, Control c, const QRect& twips, const QString& text) {
  auto* check = new QCheckBox(text, parent);
  check->setGeometry(twips);
  bind(c, check, text);
  connect(check, &QCheckBox::clicked, this, [this, c] {
    forward([&] { form_.click(c); });
    refresh(c);
  });
  return check;
}

QWidget* CalculationWindow::addOption(QWidget* parent, Control c, const QRect& twips, const QString& text) {
  auto* option = new QRadioButton(text, parent);
  option->setGeometry(twips);
  option->setAutoExclusive(false);  // the model decides which one is on
  bind(c, option, text);
  connect(option, &QRadioButton::clicked, this, [this, c] {
    forward([&] { form_.click(c); });
    refresh(storageOption);
    refresh(freezingOption);
  });
  return option;
}

// --- Model to widgets --------------------------------------------------------------

void CalculationWindow::refreshAll() {
  for (Control c : allControls()) refresh(c);
  for (int i = 0; i < kCaptionCount; ++i) captionChanged(static_cast<Caption>(i));
  pageChanged();
  sketchChanged();
}

void CalculationWindow::controlChanged(Control c) {
  refresh(c);
  if (isWindowModified() != form_.modified()) setWindowModified(form_.modified());
}

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
      for (std::string_view item : s.items)
        items << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
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
      // Up and Down in a field with arrows press them.
      if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && key->modifiers() == Qt::NoModifier) {
        if (const auto spinner = spinnerOf(c)) {
          forward([&] { form_.spin(*spinner, key->key() == Qt::Key_Up ? +1 : -1); });
          return true;
        }
      }
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

}  // namespace kamerol
