#pragma once

#include <QLabel>
#include <QUrl>

#include <functional>

namespace kamerol::shell {

inline constexpr char kBrandCaption[] = "Kamerol";
inline constexpr char kHomePageUrl[] = "https://github.com/kamerol/kamerol#readme";

// The brand caption after "Компания" in the form's header: drawn as a link, with the pointing hand over it; a
// click opens the program's home page in the desktop's browser. A failure to open it is ignored.
class BrandLabel : public QLabel {
  Q_OBJECT

 public:
  using UrlOpener = std::function<bool(const QUrl&)>;

  // `openUrl` defaults to QDesktopServices::openUrl.
  explicit BrandLabel(QWidget* parent = nullptr, UrlOpener openUrl = {});

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  UrlOpener openUrl_;
  bool pressed_ = false;
};

}  // namespace kamerol::shell
