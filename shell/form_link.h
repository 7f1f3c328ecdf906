#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace kamerol::shell {

// Links a secondary window to the calculation form. The window is a top-level widget without a QObject parent,
// because a child window would be disabled together with the form; the link gives it what a parent would: it
// stays above the form, opens centred over it, is destroyed with it, and does not keep the program running
// once the form has closed.
//
// With FormLink::kDisableForm the form is disabled while the window is shown and enabled again however the
// window goes away: closed, hidden or destroyed.
class FormLink : public QObject {
 public:
  enum Mode { kKeepFormEnabled, kDisableForm };

  // Owned by `window`. `form` may be null (nothing to link to).
  FormLink(QWidget* window, QWidget* form, Mode mode);
  ~FormLink() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void lockForm();
  void unlockForm();
  void placeOverForm();

  QWidget* window_;
  QPointer<QWidget> form_;
  Mode mode_;
  bool locked_ = false;
  bool placed_ = false;
};

}  // namespace kamerol::shell
