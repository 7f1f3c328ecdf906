#pragma once

// The calculation trace beside the calculation window: every gain, the sum
// and the required capacity with formula, inputs, intermediate values and
// result, as a tree the keyboard walks. It follows the form model: any change
// of a control rebuilds it once the event that caused it is handled.

#include <QWidget>

#include "form/calculation_form.h"

class QTreeWidget;

namespace kamerol {

class TraceWindow : public QWidget, private FormObserver {
  Q_OBJECT

 public:
  // `form` must outlive the window. The window deletes itself when closed.
  explicit TraceWindow(CalculationForm& form, QWidget* parent = nullptr);
  ~TraceWindow() override;

  QTreeWidget* tree() const { return tree_; }

  // Stands beside `form`'s window where the screen has room, else over its edge.
  void placeBeside(QWidget* formWindow);

 private:
  void controlChanged(Control) override { refreshLater(); }
  void pageChanged() override {}

  void refreshLater();
  void refresh();

  CalculationForm& form_;
  QTreeWidget* tree_;
  bool refreshPending_ = false;
};

// Gives each result box of `window` a tooltip with its formula and numbers,
// made when it is asked for.
class CalculationWindow;
void installResultTooltips(CalculationWindow& window);

}  // namespace kamerol
