#pragma once

// "Чувствительность" beside the calculation window: the tornado chart of the
// required capacity over the ten varied inputs, and its table. It follows the
// form model: the edits of one burst of events (a keystroke changes many
// boxes) are analysed once, after they are all handled, so typing is never
// held up by more than one analysis.

#include <QTimer>
#include <QWidget>

#include "form/calculation_form.h"
#include "report/sensitivity_chart.h"

class QLabel;
class QTableWidget;

namespace kamerol {

// Paints the chart without its table (the window shows the table as a
// table); a screen reader reads its description.
class SensitivityChartView : public QWidget {
  Q_OBJECT

 public:
  explicit SensitivityChartView(QWidget* parent = nullptr);

  const SensitivityChart& chart() const { return chart_; }
  void setChart(SensitivityChart chart);

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SensitivityChart chart_;
};

class SensitivityWindow : public QWidget, private FormObserver {
  Q_OBJECT

 public:
  // `form` must outlive the window. The window deletes itself when closed.
  explicit SensitivityWindow(CalculationForm& form, QWidget* parent = nullptr);
  ~SensitivityWindow() override;

  SensitivityChartView* view() const { return view_; }
  QTableWidget* table() const { return table_; }
  QLabel* notes() const { return notes_; }
  // How many analyses have run: one per burst of edits.
  int analysisCount() const { return analyses_; }

  // The size it would like and the least it needs, in the tool windows' column.
  QSize sizeHint() const override { return {720, 640}; }
  QSize minimumSizeHint() const override { return {420, 320}; }

 private:
  void controlChanged(Control) override { refreshLater(); }
  void pageChanged() override {}

  void refreshLater() { timer_.start(); }
  void refresh();

  CalculationForm& form_;
  SensitivityChartView* view_;
  QTableWidget* table_;
  QLabel* notes_;
  QTimer timer_;
  int analyses_ = 0;
};

}  // namespace kamerol
