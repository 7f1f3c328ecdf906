#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <array>

#include "shell/help_texts.h"

namespace kamerol::shell {

// One help popup ("frmhlp1" to "frmhlp9"): a title and word-wrapped labels, nothing that takes input.
// It does not disable the form. Popups 1 to 8 close as soon as they lose the focus.
class HelpPopup : public QDialog {
  Q_OBJECT

 public:
  // `number` is 1 to 9; `form` is the calculation form (may be null).
  HelpPopup(int number, QWidget* form);

  int number() const { return number_; }

 protected:
  bool event(QEvent* event) override;

 private:
  int number_;
};

// The popups of one calculation form: at most one of each, created on the first request and discarded when it
// closes.
class HelpPopups : public QObject {
  Q_OBJECT

 public:
  // `form` is the calculation form; the popups stay above it. Owned by `form` when given.
  explicit HelpPopups(QWidget* form);
  ~HelpPopups() override;

  // Shows popup `number` (1 to 9) without waiting, creating it if needed, and brings it to the front.
  // Other numbers do nothing.
  void show(int number);

  // Popup `number` while it is open, else nullptr.
  HelpPopup* popup(int number) const;

 private:
  QWidget* form_;
  std::array<QPointer<HelpPopup>, kHelpPopupCount> popups_;
};

}  // namespace kamerol::shell
