#pragma once

#include <QLabel>
#include <QUrl>

#include <functional>

namespace kamerol::shell {

inline constexpr char kBrandCaption[] = "Kamerol";
inline constexpr char kHomePageUrl[] = "https://github.com/kamerol/kamerol#readme";
inline constexpr char kNoBrowserTitle[] = "Страница программы";
inline constexpr char kNoBrowserText[] =
    "На этом компьютере не найден браузер, чтобы открыть страницу программы:\n"
    "https://github.com/kamerol/kamerol#readme";

// The brand caption after "Компания" in the form's header: drawn as a link, with the pointing hand over it; a
// click opens the program's home page in the desktop's browser. Where that fails (no browser is known), it
// says so through openFailed; the window shows kNoBrowserText.
class BrandLabel : public QLabel {
  Q_OBJECT

 public:
  using UrlOpener = std::function<bool(const QUrl&)>;

  // `openUrl` defaults to QDesktopServices::openUrl.
  explicit BrandLabel(QWidget* parent = nullptr, UrlOpener openUrl = {});

 signals:
  void clicked();
  // The home page could not be opened.
  void openFailed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  UrlOpener openUrl_;
  bool pressed_ = false;
};

}  // namespace kamerol::shell
