#include "window/checks_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace kamerol {

ChecksWindow::ChecksWindow(CalculationForm& form, std::function<void(Control)> goToField, QWidget* parent)
    : QWidget(parent, Qt::Window),
      form_(form),
      goToField_(std::move(goToField)),
      list_(new QListWidget(this)),
      empty_(new QLabel(QString::fromUtf8(kNoChecksText), this)),
      go_(new QPushButton(QStringLiteral("&Перейти к полю"), this)) {
  setObjectName(QStringLiteral("checksWindow"));
  setWindowTitle(QString::fromUtf8(kChecksTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  list_->setObjectName(QStringLiteral("checksList"));
  list_->setAccessibleName(QString::fromUtf8(kChecksTitle));
  list_->setWordWrap(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  empty_->setObjectName(QStringLiteral("checksEmpty"));
  go_->setObjectName(QStringLiteral("checksGo"));
  go_->setAccessibleDescription(QStringLiteral("Показывает поле выбранного замечания в форме"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(empty_, 1);
  buttons->addWidget(go_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  connect(list_, &QListWidget::itemActivated, this, [this] { goToSelected(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { go_->setEnabled(row >= 0); });
  connect(go_, &QPushButton::clicked, this, &ChecksWindow::goToSelected);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &ChecksWindow::refresh);
  form_.addObserver(this);
  refresh();
}

ChecksWindow::~ChecksWindow() { form_.removeObserver(this); }

void ChecksWindow::goToSelected() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(findings_.size())) return;
  goToField_(findings_[static_cast<std::size_t>(row)].field);
}

void ChecksWindow::refresh() {
  std::vector<CheckFinding> findings = checkCalculation(form_);
  const int row = list_->currentRow();
  list_->clear();
  for (const CheckFinding& finding : findings) {
    auto* item = new QListWidgetItem(QString::fromStdString(finding.text), list_);
    item->setData(Qt::UserRole, QString::fromUtf8(finding.key.data(), static_cast<qsizetype>(finding.key.size())));
  }
  findings_ = std::move(findings);
  if (list_->count() > 0) list_->setCurrentRow(std::clamp(row, 0, list_->count() - 1));
  go_->setEnabled(list_->currentRow() >= 0);
  empty_->setVisible(findings_.empty());
}

}  // namespace kamerol
