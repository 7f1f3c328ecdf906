#pragma once

// Where the tool windows (the load chart, the trace, ...) open: in one column
// beside the calculation window, never over it, stacked and sharing the
// screen's height, wholly on the screen. A window the user moves or resizes
// leaves the column and, for the session, opens where the user left it.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QWidget;

namespace kamerol {

inline constexpr int kBesideGap = 8;  // pixels between two windows

struct BesidePlacement {
  QRect window;  // the new window's frame
  QRect anchor;  // the calculation window's frame, moved only when it must be
};

// Frames (window borders included) on the screen area `screen`. The new
// window would like `wanted` and needs at least `minimum`. It takes the right
// side where the wanted width fits there, else the left side where it fits,
// else the wider side, narrowed to it, where that leaves the minimum width.
// Where neither does, the anchor moves left, as far as the wanted width
// needs and the screen allows, and the window stands on its right. The window
// is lowered to the screen's height and moved up so that its bottom stays on
// the screen. Only a screen narrower than both windows' least widths puts one
// over the other.
BesidePlacement placeBeside(const QRect& anchor, QSize wanted, QSize minimum, const QRect& screen);

struct ToolWindowSize {
  QSize wanted;
  QSize minimum;
};

struct ColumnPlacement {
  std::vector<QRect> windows;  // frames, top to bottom in the order given
  QRect anchor;
};

// Frames as for placeBeside. The column is placed as one window by
// placeBeside: as wide as the widest wants, at least as wide as the widest
// needs, as high as the windows with the gaps between them want. Every window
// takes the column's width. Where the screen is lower than the column wants,
// the windows share its height in proportion to what each wants, none below
// its minimum while the minimums fit.
ColumnPlacement placeColumn(const QRect& anchor, const std::vector<ToolWindowSize>& windows, const QRect& screen);

// The column of the calculation window's tool windows. Each window is known
// by its object name, and is a top-level window that its owner deletes when
// it closes; the windows left in the column then share the room again.
class ToolWindowColumn : public QObject {
 public:
  explicit ToolWindowColumn(QWidget& form);

  // Shows `window` where the user last put a window of its name in this
  // session, else at the column's bottom, the column rearranged to make room
  // (its wanted and least client sizes are its sizeHint and
  // minimumSizeHint); brings it forward where it is shown already.
  void show(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Placed {
    QPointer<QWidget> window;
    QRect geometry;  // the client geometry the column gave it
  };

  void layOut();

  QWidget& form_;
  std::vector<Placed> column_;        // in the order they opened
  QHash<QString, QRect> userPlaced_;  // by object name: where the user put each window
  bool placing_ = false;
};

}  // namespace kamerol
