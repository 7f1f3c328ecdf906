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
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setPen(QColor(0, 0, 0, 24));
  painter->setBrush(QColor(0, 0, 0, 3));
  painter->drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  painter->setPen(QColor(0, 0, 0, 5));
  painter->setBrush(Qt::NoBrush);
  painter->drawRoundedRect(frame.adjusted(1.5, 1.5, -1.5, -1.5), 1, 1);
  painter->restore();
}

void applyProgramLook() {
  QApplication::setStyle(new ProgramStyle);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.5);
  QApplication::setFont(font);
}

}  // namespace kamerol::shell
