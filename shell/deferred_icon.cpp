#include "shell/deferred_icon.h"

#include <utility>

namespace kamerol::shell {

DeferredIconEngine::DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

QIcon& DeferredIconEngine::icon() {
  if (!icon_) icon_ = make_();
  return *icon_;
}

void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) {
  icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  return icon().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  return icon().pixmap(size, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) {
  // `size` is in device pixels; the icon is asked in logical ones.
  return icon().pixmap(size / scale, scale, mode, state);
}

void DeferredIconEngine::addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) {
  icon().addPixmap(pixmap, mode, state);
}

void DeferredIconEngine::addFile(const QString& fileName, const QSize& size, QIcon::Mode mode, QIcon::State state) {
  icon().addFile(fileName, size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
  return icon().availableSizes(mode, state);
}

QString DeferredIconEngine::iconName() { return icon().name(); }

bool DeferredIconEngine::isNull() { return icon().isNull(); }

QString DeferredIconEngine::key() const { return QStringLiteral("kamerol-deferred"); }

QIconEngine* DeferredIconEngine::clone() const {
  auto* copy = new DeferredIconEngine(make_);
  copy->icon_ = icon_;  // a made icon is shared until either copy changes it
  return copy;
}

QIcon deferredIcon(std::function<QIcon()> make) { return QIcon(new DeferredIconEngine(std::move(make))); }

}  // namespace kamerol::shell
