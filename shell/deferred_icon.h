#pragma once

// An icon made only when it is first drawn or measured. Qt's widgets ask the
// style for icons as they are built, also for buttons that are seldom or never
// shown (the overflow arrows of the menu bar and the toolbar); making each one
// decodes its images and, for the first, loads every image format plugin.

#include <QIcon>
#include <QIconEngine>

#include <functional>
#include <optional>

namespace kamerol::shell {

class DeferredIconEngine final : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> make);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
  void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override;
  void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QString iconName() override;
  bool isNull() override;
  QString key() const override;
  QIconEngine* clone() const override;

 private:
  QIcon& icon();

  std::function<QIcon()> make_;
  std::optional<QIcon> icon_;
};

// The icon `make` gives, made when it is first needed.
QIcon deferredIcon(std::function<QIcon()> make);

}  // namespace kamerol::shell
