#include "window/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <numeric>
#include <utility>

namespace kamerol {
namespace {

// Heights that add up to `room`: the wanted ones where they fit, else shares
// in proportion to them, a share below its window's minimum raised to it and
// the rest shared again among the others.
std::vector<int> shareHeight(const std::vector<ToolWindowSize>& windows, int room) {
  std::vector<int> heights;
  heights.reserve(windows.size());
  for (const ToolWindowSize& w : windows) heights.push_back(std::max(w.wanted.height(), 0));
  const auto sum = [](const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0LL); };
  if (heights.empty() || sum(heights) <= room) return heights;

  std::vector<int> least;
  for (std::size_t i = 0; i < windows.size(); ++i)
    least.push_back(std::clamp(windows[i].minimum.height(), 0, heights[i]));
  const std::vector<int> wanted = heights;
  // Proportional shares of what the fixed ones leave; the last takes what rounding leaves over.
  const auto share = [&](const std::vector<int>& weights, const std::vector<bool>& fixed) {
    long long rest = room;
    long long weight = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
      if (fixed[i])
        rest -= least[i];
      else
        weight += weights[i];
    }
    for (std::size_t i = 0; i < weights.size(); ++i)
      heights[i] = fixed[i] ? least[i] : weight > 0 ? static_cast<int>(rest * weights[i] / weight) : 0;
  };
  std::vector<bool> fixed(windows.size(), false);
  if (sum(least) >= room) {
    share(least, fixed);  // not even the minimums fit: shares of them
  } else {
    for (bool changed = true; changed;) {
      share(wanted, fixed);
      changed = false;
      for (std::size_t i = 0; i < windows.size(); ++i)
        if (!fixed[i] && heights[i] < least[i]) fixed[i] = changed = true;
    }
  }
  heights.back() += static_cast<int>(room - sum(heights));
  return heights;
}

}  // namespace

BesidePlacement placeBeside(const QRect& anchor, QSize wanted, QSize minimum, const QRect& screen) {
  const int height = std::min(wanted.height(), screen.height());
  const int top = std::max(screen.top(), std::min(anchor.top(), screen.bottom() + 1 - height));
  const auto rightRoom = [&](const QRect& a) { return screen.right() - a.right() - kBesideGap; };
  const int leftRoom = anchor.left() - screen.left() - kBesideGap;
  const int width = wanted.width();
  const auto onTheRight = [&](const QRect& a, int w) {
    return BesidePlacement{{a.right() + 1 + kBesideGap, top, w, height}, a};
  };

  if (width <= rightRoom(anchor)) return onTheRight(anchor, width);
  if (width <= leftRoom) return {{anchor.left() - kBesideGap - width, top, width, height}, anchor};
  const int least = std::min(minimum.width(), width);
  if (rightRoom(anchor) >= std::max(least, leftRoom)) return onTheRight(anchor, rightRoom(anchor));
  if (leftRoom >= least) return {{screen.left(), top, leftRoom, height}, anchor};

  // No side has room: the anchor moves left, as far as the screen allows.
  QRect moved = anchor;
  moved.moveLeft(std::max(screen.left(), screen.right() + 1 - kBesideGap - width - anchor.width()));
  const int room = rightRoom(moved);
  if (room >= least) return onTheRight(moved, std::min(width, room));
  return {{screen.right() + 1 - least, top, least, height}, moved};
}

ColumnPlacement placeColumn(const QRect& anchor, const std::vector<ToolWindowSize>& windows, const QRect& screen) {
  if (windows.empty()) return {{}, anchor};
  const int gaps = kBesideGap * static_cast<int>(windows.size() - 1);
  QSize wanted(0, gaps);
  QSize minimum(0, gaps);
  for (const ToolWindowSize& w : windows) {
    wanted = {std::max(wanted.width(), w.wanted.width()), wanted.height() + w.wanted.height()};
    minimum = {std::max(minimum.width(), w.minimum.width()), minimum.height() + w.minimum.height()};
  }
  const BesidePlacement column = placeBeside(anchor, wanted, minimum, screen);
  ColumnPlacement placement{{}, column.anchor};
  int top = column.window.top();
  for (const int height : shareHeight(windows, std::max(column.window.height() - gaps, 0))) {
    placement.windows.emplace_back(column.window.left(), top, column.window.width(), height);
    top += height + kBesideGap;
  }
  return placement;
}

ToolWindowColumn::ToolWindowColumn(QWidget& form) : form_(form) {}

void ToolWindowColumn::show(QWidget* window) {
  if (!window) return;
  if (!window->isVisible()) {
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, &ToolWindowColumn::layOut, Qt::UniqueConnection);
    if (const auto user = userPlaced_.constFind(window->objectName()); user != userPlaced_.cend()) {
      window->setGeometry(*user);
    } else if (std::ranges::none_of(column_, [window](const Placed& p) { return p.window == window; })) {
      column_.push_back({window, {}});
      layOut();
    }
    window->show();
    // Shown, the window has its own borders: the column is laid out with them.
    if (std::ranges::any_of(column_, [window](const Placed& p) { return p.window == window; })) layOut();
  }
  window->raise();
  window->activateWindow();
}

bool ToolWindowColumn::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() != QEvent::Move && event->type() != QEvent::Resize) || placing_) return false;
  auto* window = qobject_cast<QWidget*>(watched);
  if (!window || !window->isVisible()) return false;
  // Moved or resized other than the column put it: by the user.
  const auto placed = std::ranges::find(column_, window, [](const Placed& p) { return p.window.data(); });
  if (placed != column_.end()) {
    if (window->geometry() == placed->geometry) return false;
    column_.erase(placed);
  }
  userPlaced_.insert(window->objectName(), window->geometry());
  return false;
}

void ToolWindowColumn::layOut() {
  std::erase_if(column_, [](const Placed& p) { return p.window.isNull(); });
  if (column_.empty()) return;
  const QScreen* screen = form_.screen() ? form_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const bool wasPlacing = std::exchange(placing_, true);
  const auto bordersOf = [](const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
  };
  // Before a tool window is shown the window system has not told its borders:
  // they are taken to be the form's until it has. The form is a fixed window,
  // whose borders may be thinner than a resizable one's (Windows).
  const QRect formFrame = form_.frameGeometry();
  const QMargins formBorders = bordersOf(form_);
  std::vector<QMargins> borders;
  std::vector<ToolWindowSize> sizes;
  for (const Placed& p : column_) {
    const QMargins own = p.window->isVisible() ? bordersOf(*p.window) : QMargins();
    borders.push_back(own.isNull() ? formBorders : own);
    const QSize extra(borders.back().left() + borders.back().right(), borders.back().top() + borders.back().bottom());
    const QSize wanted = p.window->sizeHint();
    sizes.push_back({wanted + extra, p.window->minimumSizeHint().boundedTo(wanted) + extra});
  }
  const ColumnPlacement placement = placeColumn(formFrame, sizes, screen->availableGeometry());
  if (placement.anchor != formFrame) form_.move(placement.anchor.topLeft());
  for (std::size_t i = 0; i < column_.size(); ++i) {
    column_[i].window->setGeometry(placement.windows[i].marginsRemoved(borders[i]));
    column_[i].geometry = column_[i].window->geometry();  // as the window's own limits left it
  }
  placing_ = wasPlacing;
}

}  // namespace kamerol
