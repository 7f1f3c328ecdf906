#pragma once

// Small widgets the calculation window needs beyond Qt's own: a spinner that
// is a bare pair of arrows beside its field, a tab strip that wraps its tabs
// onto two rows, and the room sketch.

#include <QComboBox>
#include <QWidget>

#include <vector>

#include "core/sketch.h"

class QToolButton;

namespace kamerol {

// An up/down arrow pair attached to a text box. It has no value of its own:
// each press asks the owner to step the field.
class ArrowPair : public QWidget {
  Q_OBJECT

 public:
  explicit ArrowPair(QWidget* parent = nullptr);

  QSize sizeHint() const override;

 signals:
  void stepped(int direction);  // +1 up, -1 down

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

// A tab strip whose tabs wrap onto as many rows as they need, drawn with the
// style's own tabs. Selecting a tab emits `selected`. Screen readers see it as
// a page tab list whose tabs have their captions and can be pressed
// (installFormWidgetsAccessibility).
class PageTabs : public QWidget {
  Q_OBJECT

 public:
  PageTabs(const QStringList& captions, int rows, QWidget* parent = nullptr);

  int current() const { return current_; }
  void setCurrent(int index);  // does not emit
  void choose(int index);      // as a click on the tab: emits
  QRect tabRect(int index) const;
  int count() const { return static_cast<int>(captions_.size()); }
  QString caption(int index) const { return captions_.value(index); }

  QSize sizeHint() const override;

 signals:
  void selected(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QStringList captions_;
  mutable std::vector<int> widths_;  // each caption's room, measured once
  int rows_;
  int current_ = 0;
};

// Lets accessibility clients see PageTabs as a page tab list and a
// FormComboBox by its caption; once per application, before the first is shown.
void installFormWidgetsAccessibility();

// The room sketch: the 16 segments of the core geometry in twips of the
// group box it covers, red, one pixel wide, three of them dashed, clipped by
// the box.
class RoomSketchView : public QWidget {
  Q_OBJECT

 public:
  explicit RoomSketchView(QWidget* parent = nullptr);

  void setSketch(const RoomSketch& sketch);
  const RoomSketch& sketch() const { return sketch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  RoomSketch sketch_;
};

// An editable drop-down list that does not complete or insert what is typed:
// typing and picking are separate events of the form. `picked` tells an
// entry chosen by the user (from the list, or stepped to with the arrow keys
// or the wheel); QComboBox's own `activated` also fires when the focus leaves
// a typed text that happens to name an entry, which is typing, not a pick.
class FormComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit FormComboBox(QWidget* parent = nullptr);

  void hidePopup() override;

 signals:
  void picked(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool picking_ = false;
};

}  // namespace kamerol
