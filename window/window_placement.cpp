#include "window/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kamerol {

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

void placeWindowBeside(QWidget& window, QWidget* formWindow, QSize wanted, QSize minimum) {
  window.resize(wanted);
  if (!formWindow) return;
  const QScreen* screen = formWindow->screen() ? formWindow->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // The new window's borders are taken to be the form's: before it is first
  // shown the window system has not told its own.
  const QRect formFrame = formWindow->frameGeometry();
  const QRect formClient = formWindow->geometry();
  const QMargins borders(formClient.left() - formFrame.left(), formClient.top() - formFrame.top(),
                         formFrame.right() - formClient.right(), formFrame.bottom() - formClient.bottom());
  const QSize extra(borders.left() + borders.right(), borders.top() + borders.bottom());
  const BesidePlacement placement =
      placeBeside(formFrame, wanted + extra, minimum + extra, screen->availableGeometry());
  if (placement.anchor != formFrame) formWindow->move(placement.anchor.topLeft());
  window.setGeometry(placement.window.marginsRemoved(borders));
}

}  // namespace kamerol
