#include "window/trace_window.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/trace.h"
#include "core/trace_text.h"
#include "platform/file_access.h"
#include "report/default_printer.h"
#include "report/report_page.h"
#include "report/report_painter.h"
#include "window/calculation_window.h"

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
    Node heading{QString::fromStdString(lines.front().text + " = " + formatNumber(entry.shown) + " " + entry.unit), {}};
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

constexpr auto kTextFilter = "Текст (*.txt)";
constexpr auto kPdfFilter = "PDF (*.pdf)";
constexpr auto kMessageTitle = "Сообщение программы";

bool isPdf(const std::filesystem::path& file) {
  return QString::fromStdU16String(file.extension().u16string()).compare(u".pdf", Qt::CaseInsensitive) == 0;
}

// The report's pages of the trace alone, in the report's font and frame.
ReportPage tracePages(const CalculationForm& form) {
  ReportPage page = buildReportPage(form.record(), false);
  page.withResults = false;
  page.trace = traceOf(form);
  return page;
}

class QtTraceWindowServices final : public TraceWindowServices {
 public:
  std::optional<std::filesystem::path> askSavePath(QWidget* parent, const std::filesystem::path& suggested) override {
    QFileDialog dialog(parent, QStringLiteral("Сохранить ход расчёта"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QString::fromUtf8(kTextFilter), QString::fromUtf8(kPdfFilter)});
    dialog.setDirectory(QString::fromStdU16String(suggested.parent_path().u16string()));
    dialog.selectFile(QString::fromStdU16String(suggested.filename().u16string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    std::filesystem::path file(dialog.selectedFiles().front().toStdU16String());
    if (!file.has_extension()) file += dialog.selectedNameFilter() == QString::fromUtf8(kPdfFilter) ? ".pdf" : ".txt";
    return file;
  }
  bool hasPrinter() override {
    const DefaultPrinter* printer = defaultPrinter();
    return printer != nullptr && printer->available();
  }
  bool print(const ReportPage& page) override {
    const DefaultPrinter* printer = defaultPrinter();
    return printer != nullptr && printer->print(page);
  }
  void showError(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
  }
};

// Rows as high as their lines wrapped to the width the tree leaves them: the
// tree itself measures a row as one unbroken line.
class WrappingDelegate : public QStyledItemDelegate {
 public:
  explicit WrappingDelegate(QTreeWidget* tree) : QStyledItemDelegate(tree), tree_(tree) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem wrapped = option;
    int level = tree_->rootIsDecorated() ? 1 : 0;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) ++level;
    const int width = tree_->header()->sectionSize(index.column()) - level * tree_->indentation();
    // The style wraps only within a valid rectangle; the height it finds.
    wrapped.rect = QRect(option.rect.topLeft(), QSize(std::max(width, 1), 1));
    wrapped.features |= QStyleOptionViewItem::WrapText;
    return QStyledItemDelegate::sizeHint(wrapped, index);
  }

 private:
  QTreeWidget* tree_;
};

// The line's place in the tree, as the trace's text indents it.
int depthOf(const QTreeWidgetItem* item) {
  int depth = 0;
  for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++depth;
  return depth;
}

bool sameShape(const QTreeWidgetItem* item, const Node& node) {
  if (item->childCount() != static_cast<int>(node.children.size())) return false;
  for (int i = 0; i < item->childCount(); ++i)
    if (!sameShape(item->child(i), node.children[static_cast<std::size_t>(i)])) return false;
  return true;
}

void setTexts(QTreeWidgetItem* item, const Node& node) {
  if (item->text(0) != node.text) item->setText(0, node.text);
  for (int i = 0; i < item->childCount(); ++i) setTexts(item->child(i), node.children[static_cast<std::size_t>(i)]);
}

QTreeWidgetItem* itemOf(const Node& node) {
  auto* item = new QTreeWidgetItem(QStringList(node.text));
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

TraceWindow::TraceWindow(CalculationForm& form, std::function<std::filesystem::path()> saveName,
                         std::unique_ptr<TraceWindowServices> services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      form_(form),
      saveName_(std::move(saveName)),
      services_(services ? std::move(services) : std::make_unique<QtTraceWindowServices>()),
      tree_(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("traceWindow"));
  setWindowTitle(QString::fromUtf8(kTraceTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  tree_->setObjectName(QStringLiteral("traceTree"));
  tree_->setAccessibleName(QString::fromUtf8(kTraceTitle));
  tree_->setAccessibleDescription(
      QStringLiteral("Формулы, исходные данные, промежуточные величины и результат "
                     "каждого теплопритока, суммы и потребной холодопроизводительности"));
  tree_->setHeaderHidden(true);
  // Long lines wrap to the window's width, as on the report's pages.
  tree_->setWordWrap(true);
  tree_->setItemDelegate(new WrappingDelegate(tree_));
  tree_->setTextElideMode(Qt::ElideNone);
  tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tree_->header()->setStretchLastSection(true);
  tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The rows' heights follow the width the lines wrap to.
  connect(tree_->header(), &QHeaderView::sectionResized, tree_, [this] { tree_->doItemsLayout(); });

  selectAll_ = addCommand("traceSelectAll", QStringLiteral("Выделить всё"), QKeySequence::SelectAll,
                          [this] { tree_->selectAll(); });
  copy_ = addCommand("traceCopy", QStringLiteral("Копировать"), QKeySequence::Copy, [this] { copy(); });
  save_ = addCommand("traceSave", QStringLiteral("Сохранить…"), QKeySequence::Save, [this] { save(); });
  print_ = addCommand("tracePrint", QStringLiteral("Распечатать"), QKeySequence::Print, [this] { print(); });
  auto* toolBar = new QToolBar(this);
  toolBar->setObjectName(QStringLiteral("traceToolBar"));
  toolBar->setAccessibleName(QStringLiteral("Команды хода расчёта"));
  toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar->addActions({copy_, save_, print_});
  // The keyboard's menu key and Shift+F10 open it too.
  tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
  tree_->addActions({selectAll_, copy_, save_, print_});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(tree_);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  form_.addObserver(this);
  refresh();
  tree_->setCurrentItem(tree_->topLevelItem(0));
}

TraceWindow::~TraceWindow() { form_.removeObserver(this); }

QAction* TraceWindow::addCommand(const char* name, const QString& text, const QKeySequence& keys,
                                 std::function<void()> command) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromUtf8(name));
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
  connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
  addAction(action);
  return action;
}

void TraceWindow::copy() {
  QList<QTreeWidgetItem*> selected;
  bool all = true;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if ((*it)->isSelected())
      selected << *it;
    else
      all = false;
  }
  if (all) return QGuiApplication::clipboard()->setText(QString::fromStdString(traceText(traceOf(form_))));
  if (selected.isEmpty() && tree_->currentItem()) selected << tree_->currentItem();
  QString text;
  for (const QTreeWidgetItem* item : selected)
    text += QString(depthOf(item) * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char('\n');
  QGuiApplication::clipboard()->setText(text);
}

void TraceWindow::save() {
  try {
    const std::filesystem::path suggested = saveName_ ? saveName_() : std::filesystem::path(u8"Ход расчёта");
    const std::optional<std::filesystem::path> file = services_->askSavePath(this, suggested);
    if (!file) return;
    const WriteResult written =
        isPdf(*file) ? writeReportPdf(tracePages(form_), *file) : writeWholeFile(*file, traceText(traceOf(form_)));
    if (!written)
      services_->showError(this, QString::fromUtf8(kMessageTitle),
                           QStringLiteral("Не удалось сохранить ход расчёта\n") +
                               QDir::toNativeSeparators(QString::fromStdU16String(file->u16string())));
  } catch (...) {
    // An error inside a command is not raised further.
  }
}

void TraceWindow::print() {
  const char* failure = nullptr;
  try {
    if (!services_->hasPrinter())
      failure = "Нет принтера: ход расчёта не распечатан.";
    else if (!services_->print(tracePages(form_)))
      failure = "Не удалось распечатать ход расчёта.";
  } catch (...) {
    failure = "Не удалось распечатать ход расчёта.";
  }
  // A print that does nothing must not look like one that worked.
  if (failure != nullptr) services_->showError(this, QString::fromUtf8(kMessageTitle), QString::fromUtf8(failure));
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
