#include "window/sensitivity_window.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <utility>

#include "analysis/sensitivity.h"
#include "report/sensitivity_chart_painter.h"

namespace kamerol {

SensitivityChartView::SensitivityChartView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);  // so that a screen reader can reach it by keyboard
  setAccessibleName(QString::fromUtf8(kSensitivityChartTitle));
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
  setMinimumSize(320, 200);
}

void SensitivityChartView::setChart(SensitivityChart chart) {
  chart_ = std::move(chart);
  setAccessibleDescription(QString::fromStdString(chart_.description()));
  updateGeometry();
  update();
}

int SensitivityChartView::heightForWidth(int width) const {
  const QSizeF canvas = sensitivityChartSize(chart_, false);
  return static_cast<int>(std::lround(width * canvas.height() / canvas.width()));
}

QSize SensitivityChartView::sizeHint() const { return (sensitivityChartSize(chart_, false) * 0.75).toSize(); }

void SensitivityChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  paintSensitivityChart(painter, chart_, QRectF(rect()), false);
}

SensitivityWindow::SensitivityWindow(CalculationForm& form, QWidget* parent)
    : QWidget(parent, Qt::Window),
      form_(form),
      view_(new SensitivityChartView(this)),
      table_(new QTableWidget(this)),
      notes_(new QLabel(this)) {
  setObjectName(QStringLiteral("sensitivityWindow"));
  setWindowTitle(QString::fromUtf8(kSensitivityTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  view_->setObjectName(QStringLiteral("sensitivityChart"));
  table_->setObjectName(QStringLiteral("sensitivityTable"));
  table_->setAccessibleName(QStringLiteral("Таблица чувствительности"));
  table_->setColumnCount(static_cast<int>(std::size(kSensitivityColumns)));
  QStringList headings;
  for (const char* heading : kSensitivityColumns) headings << QString::fromUtf8(heading);
  table_->setHorizontalHeaderLabels(headings);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  // One line a row, every column as wide as its texts: a narrow window scrolls sideways.
  table_->setWordWrap(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  notes_->setObjectName(QStringLiteral("sensitivityNotes"));
  notes_->setWordWrap(true);
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  notes_->setFocusPolicy(Qt::StrongFocus);
  notes_->setAccessibleName(QStringLiteral("Пропущенные изменения"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 4);
  layout->addWidget(view_, 3);
  layout->addWidget(table_, 2);
  layout->addWidget(notes_);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  // A zero timer: the edits of one event, and of the events already waiting,
  // come to one analysis.
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &SensitivityWindow::refresh);
  form_.addObserver(this);
  refresh();
}

SensitivityWindow::~SensitivityWindow() { form_.removeObserver(this); }

void SensitivityWindow::refresh() {
  ++analyses_;
  SensitivityChart chart = buildSensitivityChart(analyseSensitivity(form_));
  table_->setRowCount(static_cast<int>(chart.rows.size()));
  QStringList notes;
  for (int r = 0; r < table_->rowCount(); ++r) {
    const TornadoRow& row = chart.rows[static_cast<std::size_t>(r)];
    const std::array<const std::string*, 7> texts = {&row.caption,        &row.baseText,         &row.low.valueText,
                                                     &row.high.valueText, &row.low.capacityText, &row.high.capacityText,
                                                     &row.swingText};
    for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
      QTableWidgetItem* item = table_->item(r, c);
      if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, c, item);
      }
      item->setText(QString::fromStdString(*texts[static_cast<std::size_t>(c)]));
    }
    for (const bool high : {false, true})
      if (const std::string note = skippedNote(row, high); !note.empty()) notes << QString::fromStdString(note);
  }
  notes_->setText(notes.join(QLatin1Char('\n')));
  notes_->setVisible(!notes.isEmpty());
  view_->setChart(std::move(chart));
}

}  // namespace kamerol
