#pragma once

// "Проверка расчёта" beside the calculation window: the likely omissions and
// slips of the calculation as a list, each with the field it points at.
// Enter, a double click or "Перейти к полю" shows that field's page and puts
// the focus in it. It follows the form model as the sensitivity window does.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "analysis/checks.h"
#include "form/calculation_form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kamerol {

class ChecksWindow : public QWidget, private FormObserver {
  Q_OBJECT

 public:
  // `form` must outlive the window; `goToField` shows a field in the form
  // and focuses it. The window deletes itself when closed.
  ChecksWindow(CalculationForm& form, std::function<void(Control)> goToField, QWidget* parent = nullptr);
  ~ChecksWindow() override;

  QListWidget* list() const { return list_; }
  QPushButton* goButton() const { return go_; }
  const std::vector<CheckFinding>& findings() const { return findings_; }

  // The size it would like and the least it needs, in the tool windows' column.
  QSize sizeHint() const override { return {480, 260}; }
  QSize minimumSizeHint() const override { return {320, 180}; }

  // Goes to the field of the selected finding.
  void goToSelected();

 private:
  void controlChanged(Control) override { timer_.start(); }
  void pageChanged() override {}

  void refresh();

  CalculationForm& form_;
  std::function<void(Control)> goToField_;
  QListWidget* list_;
  QLabel* empty_;
  QPushButton* go_;
  QTimer timer_;
  std::vector<CheckFinding> findings_;
};

}  // namespace kamerol
