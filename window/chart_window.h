#pragma once

// The load-breakdown chart beside the calculation window. It follows the form
// model: a change of a result box or an inclusion check box redraws it once
// the event that caused it is handled. Created on first use, so the program's
// start-up never runs any of it.

#include <QWidget>

#include "form/calculation_form.h"
#include "report/gain_chart.h"

namespace kamerol {

// Paints one chart, scaled to the widget; a screen reader reads its
// description.
class GainChartView : public QWidget {
  Q_OBJECT

 public:
  explicit GainChartView(QWidget* parent = nullptr);

  const GainChart& chart() const { return chart_; }
  void setChart(GainChart chart);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GainChart chart_;
};

class ChartWindow : public QWidget, private FormObserver {
  Q_OBJECT

 public:
  // `form` must outlive the window. The window deletes itself when closed,
  // also by Escape.
  explicit ChartWindow(CalculationForm& form, QWidget* parent = nullptr);
  ~ChartWindow() override;

  GainChartView* view() const { return view_; }

 private:
  void controlChanged(Control c) override;
  void pageChanged() override { refreshLater(); }

  void refreshLater();
  void refresh();

  CalculationForm& form_;
  GainChartView* view_;
  bool refreshPending_ = false;
};

}  // namespace kamerol
