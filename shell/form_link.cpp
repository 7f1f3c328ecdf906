#include "shell/form_link.h"

#include <QEvent>
#include <QHideEvent>
#include <QWindow>

namespace kamerol::shell {
namespace {

// Several windows may hold the form at once; it is enabled again when the last of them lets go.
constexpr char kLockCountProperty[] = "kamerolFormLocks";

}  // namespace

FormLink::FormLink(QWidget* window, QWidget* form, Mode mode)
    : QObject(window), window_(window), form_(form), mode_(mode) {
  window_->setAttribute(Qt::WA_QuitOnClose, false);
  window_->installEventFilter(this);
  if (form_ != nullptr) {
    // The connection dies with the window, so a window deleted earlier is never touched.
    connect(form_, &QObject::destroyed, window_, [window = window_] { delete window; });
  }
}

FormLink::~FormLink() { unlockForm(); }

bool FormLink::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    switch (event->type()) {
      case QEvent::Show:
        if (form_ != nullptr) {
          if (QWindow* handle = window_->windowHandle()) handle->setTransientParent(form_->window()->windowHandle());
        }
        placeOverForm();
        if (mode_ == kDisableForm) lockForm();
        break;
      case QEvent::Hide:
        // A minimised window is hidden spontaneously; it is still open.
        if (!static_cast<QHideEvent*>(event)->spontaneous()) unlockForm();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void FormLink::lockForm() {
  if (locked_ || form_ == nullptr) return;
  locked_ = true;
  form_->setProperty(kLockCountProperty, form_->property(kLockCountProperty).toInt() + 1);
  form_->setEnabled(false);
}

void FormLink::unlockForm() {
  if (!locked_) return;
  locked_ = false;
  if (form_ == nullptr) return;
  const int remaining = form_->property(kLockCountProperty).toInt() - 1;
  form_->setProperty(kLockCountProperty, remaining);
  if (remaining <= 0) form_->setEnabled(true);
}

void FormLink::placeOverForm() {
  if (placed_ || form_ == nullptr || !form_->isVisible()) return;
  placed_ = true;
  const QRect formFrame = form_->window()->frameGeometry();
  window_->move(formFrame.center() - QPoint(window_->width() / 2, window_->height() / 2));
}

}  // namespace kamerol::shell
