#include "window/trace_window.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/trace.h"
#include "core/trace_text.h"
#include "window/calculation_window.h"
#include "window/window_placement.h"

namespace kamerol {
namespace {

CalculationTrace traceOf(const CalculationForm& form) { return buildTrace(form.inputs(), form.heatLoad()); }

// The tree the window shows: a node per line, the deeper lines under the
// line before them.
struct Node {
  QString text;
  std::vector<Node> children;
};

std::vector<Node> nodesOf(const CalculationTrace& trace) {
  std::vector<Node> top;
  top.push_back({QString::fromUtf8(kTraceRoundingNote), {}});
  int number = 0;
  const auto add = [&](const TraceEntry& entry) {
    std::vector<TraceLine> lines = traceEntryLines(entry, ++number);
    Node heading{QString::fromStdString(lines.front().text + " = " + formatNumber(entry.shown) + " кВт"), {}};
    for (std::size_t i = 1; i < lines.size(); ++i) {
      Node node{QString::fromStdString(lines[i].text), {}};
      if (lines[i].depth > 1 && !heading.children.empty())
        heading.children.back().children.push_back(std::move(node));
      else
        heading.children.push_back(std::move(node));
    }
    top.push_back(std::move(heading));
  };
  for (const TraceEntry& g : trace.gains) add(g);
  add(trace.sum);
  add(trace.requiredCapacity);
  return top;
}

bool sameShape(const QTreeWidgetItem* item, const Node& node) {
  if (item->childCount() != static_cast<int>(node.children.size())) return false;
  for (int i = 0; i < item->childCount(); ++i)
    if (!sameShape(item->child(i), node.children[static_cast<std::size_t>(i)])) return false;
  return true;
}

void setTexts(QTreeWidgetItem* item, const Node& node) {
  if (item->text(0) != node.text) {
    item->setText(0, node.text);
    item->setToolTip(0, node.text);
  }
  for (int i = 0; i < item->childCount(); ++i) setTexts(item->child(i), node.children[static_cast<std::size_t>(i)]);
}

QTreeWidgetItem* itemOf(const Node& node) {
  auto* item = new QTreeWidgetItem(QStringList(node.text));
  item->setToolTip(0, node.text);  // the whole line where the window is narrower
  for (const Node& child : node.children) item->addChild(itemOf(child));
  return item;
}

// Tooltips of the result boxes, made from the form as it stands when asked.
class ResultTooltips : public QObject {
 public:
  explicit ResultTooltips(CalculationWindow& window) : QObject(&window), window_(window) {
    for (const GainRow& row : kGains) watch(resultBoxOf(row.gain), static_cast<int>(row.gain));
    watch(Control::totalGainBox, kSum);
    watch(Control::requiredCapacityBox, kCapacity);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const int entry = watched->property(kEntryProperty).toInt();
    const CalculationTrace trace = traceOf(window_.form());
    const TraceEntry& e = entry == kSum        ? trace.sum
                          : entry == kCapacity ? trace.requiredCapacity
                                               : trace.gains[static_cast<std::size_t>(entry)];
    QString tip = QString::fromStdString(traceFormulaWithNumbers(e));
    if (!e.note.empty()) tip += QLatin1Char('\n') + QString::fromStdString(e.note);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, static_cast<QWidget*>(watched));
    return true;
  }

 private:
  static constexpr int kSum = kGainCount;
  static constexpr int kCapacity = kGainCount + 1;
  static constexpr char kEntryProperty[] = "kamerolTraceEntry";

  void watch(Control box, int entry) {
    QWidget* widget = window_.widget(box);
    if (!widget) return;
    widget->setProperty(kEntryProperty, entry);
    widget->installEventFilter(this);
  }

  CalculationWindow& window_;
};

}  // namespace

TraceWindow::TraceWindow(CalculationForm& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), tree_(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("traceWindow"));
  setWindowTitle(QString::fromUtf8(kTraceTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  tree_->setObjectName(QStringLiteral("traceTree"));
  tree_->setAccessibleName(QString::fromUtf8(kTraceTitle));
  tree_->setAccessibleDescription(
      QStringLiteral("Формулы, исходные данные, промежуточные величины и результат "
                     "каждого теплопритока, суммы и потребной холодопроизводительности"));
  tree_->setHeaderHidden(true);
  // Long lines scroll sideways rather than lose their end.
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(false);
  tree_->setTextElideMode(Qt::ElideNone);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  form_.addObserver(this);
  refresh();
  tree_->setCurrentItem(tree_->topLevelItem(0));
}

TraceWindow::~TraceWindow() { form_.removeObserver(this); }

void TraceWindow::placeBeside(QWidget* formWindow) {
  const QSize wanted(640, formWindow ? formWindow->height() : 640);
  placeWindowBeside(*this, formWindow, wanted, QSize(360, 240).boundedTo(wanted));
}

// One rebuild for all the boxes a keystroke changes.
void TraceWindow::refreshLater() {
  if (std::exchange(refreshPending_, true)) return;
  QMetaObject::invokeMethod(
      this, [this] { refresh(); }, Qt::QueuedConnection);
}

void TraceWindow::refresh() {
  refreshPending_ = false;
  const std::vector<Node> nodes = nodesOf(traceOf(form_));
  bool same = tree_->topLevelItemCount() == static_cast<int>(nodes.size());
  for (int i = 0; same && i < tree_->topLevelItemCount(); ++i)
    same = sameShape(tree_->topLevelItem(i), nodes[static_cast<std::size_t>(i)]);
  if (same) {
    // The same lines with new numbers: what the user opened and selected stays.
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
      setTexts(tree_->topLevelItem(i), nodes[static_cast<std::size_t>(i)]);
    return;
  }
  tree_->clear();
  for (const Node& node : nodes) {
    QTreeWidgetItem* item = itemOf(node);
    if (!node.children.empty()) {
      QFont bold = item->font(0);
      bold.setBold(true);
      item->setFont(0, bold);
    }
    tree_->addTopLevelItem(item);
  }
  tree_->expandAll();
}

void installResultTooltips(CalculationWindow& window) { new ResultTooltips(window); }

}  // namespace kamerol
