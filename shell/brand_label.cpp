#include "shell/brand_label.h"

#include <QDesktopServices>
#include <QMouseEvent>

#include <utility>

namespace kamerol::shell {

BrandLabel::BrandLabel(QWidget* parent, UrlOpener openUrl)
    : QLabel(QLatin1String(kBrandCaption), parent), openUrl_(std::move(openUrl)) {
  if (!openUrl_) openUrl_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  setObjectName(QStringLiteral("brandLabel"));
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setToolTip(QLatin1String(kHomePageUrl));

  QFont linkFont = font();
  linkFont.setUnderline(true);
  setFont(linkFont);
  QPalette linkPalette = palette();
  linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
  setPalette(linkPalette);

  connect(this, &BrandLabel::clicked, this, [this] {
    if (!openUrl_(QUrl(QLatin1String(kHomePageUrl)))) emit openFailed();
  });
}

void BrandLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

// A click is a left press and release over the caption, as with a button.
void BrandLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

}  // namespace kamerol::shell
