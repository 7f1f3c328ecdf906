#include "shell/program_look.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <optional>

#include "shell/deferred_icon.h"

namespace kamerol::shell {
namespace {

// Qt's raster painter hands a fill of more than about a hundred spans (runs
// of pixels on a row) to worker threads and waits for them. Before the first
// frame that costs more than the drawing: the threads start, and on a busy
// machine each fill waits for a processor. A large frame, or a long line in a
// partly transparent colour (a span for every pixel), is such a fill. Drawn in
// strips of a few dozen pixels, clipped, each fill stays on this thread, and
// the pixels are the same.
template <typename Draw>
void drawInStrips(QPainter* painter, const QRect& area, Qt::Orientation strips, int width, Draw draw) {
  const bool rows = strips == Qt::Horizontal;
  const int end = rows ? area.bottom() : area.right();
  for (int from = rows ? area.top() : area.left(); from <= end; from += width) {
    painter->save();
    painter->setClipRect(
        rows ? QRect(area.left(), from, area.width(), width) : QRect(from, area.top(), width, area.height()),
        Qt::IntersectClip);
    draw();
    painter->restore();
  }
}

}  // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const {
  // The option lives only for the call: a plain one is kept as a copy, a
  // derived one (which would be sliced) is answered at once.
  if (option != nullptr && option->type != QStyleOption::SO_Default)
    return QProxyStyle::standardIcon(standardIcon, option, widget);
  std::optional<QStyleOption> kept;
  if (option != nullptr) kept = *option;
  return deferredIcon(
      [style = QPointer<QStyle>(baseStyle()), standardIcon, kept, asker = QPointer<const QWidget>(widget)] {
        return style ? style->standardIcon(standardIcon, kept ? &*kept : nullptr, asker.data()) : QIcon();
      });
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  if (element != PE_FrameGroupBox || option == nullptr)
    return QProxyStyle::drawPrimitive(element, option, painter, widget);
  // Fusion's frame: below the title's line, a soft outline, a fainter one
  // inside it and a faint shade, all as darkenings of what lies beneath.
  constexpr int kTopMargin = 3;
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const int top =
      box != nullptr && !box->isCheckable() && box->title().isEmpty()
          ? kTopMargin
          : std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height()) +
                kTopMargin;
  const QRectF frame = QRectF(option->rect.adjusted(1, top + 1, 0, 0));
  // A row of the frame is about three spans.
  drawInStrips(painter, option->rect, Qt::Horizontal, 24, [&] {
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QColor(0, 0, 0, 24));
    painter->setBrush(QColor(0, 0, 0, 3));
    painter->drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->setPen(QColor(0, 0, 0, 5));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(frame.adjusted(1.5, 1.5, -1.5, -1.5), 1, 1);
  });
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  if (element != CE_ToolBar || option == nullptr) return QProxyStyle::drawControl(element, option, painter, widget);
  // Fusion's tool bar: a gradient and lines along it, drawn in strips across it.
  drawInStrips(painter, option->rect, (option->state & State_Horizontal) ? Qt::Vertical : Qt::Horizontal, 64,
               [&] { QProxyStyle::drawControl(element, option, painter, widget); });
}

void applyProgramLook() {
  QApplication::setStyle(new ProgramStyle);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.5);
  QApplication::setFont(font);
}

}  // namespace kamerol::shell
