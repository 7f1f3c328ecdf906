#include "window/chart_window.h"

#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <utility>

#include "report/gain_chart_painter.h"

namespace kamerol {
namespace {

using enum Control;

// What the chart shows: the gains' boxes and check boxes, the sum and the
// required capacity. Every other change reaches the chart through these.
bool showsOnChart(Control c) {
  if (c == totalGainBox || c == requiredCapacityBox) return true;
  for (const GainRow& row : kGains)
    if (c == resultBoxOf(row.gain) || c == includeCheckOf(row.gain)) return true;
  return false;
}

}  // namespace

GainChartView::GainChartView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);  // so that a screen reader can reach it by keyboard
  setAccessibleName(QString::fromUtf8(kGainChartTitle));
  setMinimumSize((gainChartSize() / 2).toSize());
}

void GainChartView::setChart(GainChart chart) {
  chart_ = std::move(chart);
  setAccessibleDescription(QString::fromStdString(chart_.description()));
  update();
}

QSize GainChartView::sizeHint() const { return (gainChartSize() * 0.9).toSize(); }

void GainChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  paintGainChart(painter, chart_, QRectF(rect()));
}

ChartWindow::ChartWindow(CalculationForm& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), view_(new GainChartView(this)) {
  setObjectName(QStringLiteral("chartWindow"));
  setWindowTitle(QString::fromUtf8(kGainChartTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  view_->setObjectName(QStringLiteral("gainChart"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  form_.addObserver(this);
  refresh();
}

ChartWindow::~ChartWindow() { form_.removeObserver(this); }

void ChartWindow::controlChanged(Control c) {
  if (showsOnChart(c)) refreshLater();
}

// One redraw for all the boxes a keystroke changes.
void ChartWindow::refreshLater() {
  if (std::exchange(refreshPending_, true)) return;
  QMetaObject::invokeMethod(
      this, [this] { refresh(); }, Qt::QueuedConnection);
}

void ChartWindow::refresh() {
  refreshPending_ = false;
  view_->setChart(buildGainChart(form_.record()));
}

}  // namespace kamerol
