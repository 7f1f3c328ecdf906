#include "report/report_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSizePolicy>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <utility>

#include "report/default_printer.h"
#include "report/report_painter.h"
#include "report/trace_pages.h"

namespace kamerol {
namespace {

constexpr auto kPdfSuffix = ".pdf";
constexpr int kPageGap = 12;  // pixels between the pages on screen

QString withPdfSuffix(QString path) {
  if (!path.endsWith(QLatin1String(kPdfSuffix), Qt::CaseInsensitive)) path += QLatin1String(kPdfSuffix);
  return path;
}

}  // namespace

QString QtReportWindowServices::askPdfPath(QWidget* parent, const QString& suggestedName) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить в PDF"), suggestedName,
                                      QStringLiteral("PDF (*.pdf)"));
}

bool QtReportWindowServices::hasPrinter() {
  const DefaultPrinter* printer = defaultPrinter();
  return printer != nullptr && printer->available();
}

bool QtReportWindowServices::print(const ReportPage& page) {
  const DefaultPrinter* printer = defaultPrinter();
  return printer != nullptr && printer->print(page);
}

bool QtReportWindowServices::printPages(std::span<const ReportPage> pages) {
  const DefaultPrinter* printer = defaultPrinter();
  return printer != nullptr && printer->printPages(pages);
}

bool ReportWindowServices::printPages(std::span<const ReportPage> pages) {
  for (const ReportPage& page : pages)
    if (!print(page)) return false;
  return true;
}

void QtReportWindowServices::showError(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
  box.exec();
}

ReportPageView::ReportPageView(ReportPage page, QWidget* parent)
    : ReportPageView(std::vector{std::move(page)}, parent) {}

ReportPageView::ReportPageView(std::vector<ReportPage> pages, QWidget* parent)
    : QWidget(parent), pages_(std::move(pages)) {
  Q_ASSERT(!pages_.empty());
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);  // the scroll area then sizes the page from its width
  setSizePolicy(policy);
  setMinimumWidth(100);
  setAttribute(Qt::WA_OpaquePaintEvent);
  for (const ReportPage& page : pages_) sheets_.push_back(std::make_unique<const ReportSheets>(page));
}

ReportPageView::~ReportPageView() = default;

int ReportPageView::sheetCount() const {
  int count = 0;
  for (const auto& sheets : sheets_) count += sheets->count();
  return count;
}

qreal ReportPageView::sheetHeight(std::size_t index, int width) const {
  const ReportPage& page = pages_[index];
  return page.width > 0 ? static_cast<qreal>(width) * page.height / page.width : 0;
}

int ReportPageView::heightForWidth(int width) const {
  qreal height = (sheetCount() - 1) * kPageGap;
  for (std::size_t p = 0; p < pages_.size(); ++p) height += sheets_[p]->count() * sheetHeight(p, width);
  return static_cast<int>(std::lround(height));
}

QSize ReportPageView::sizeHint() const {
  // The first page at 96 dpi.
  const int width = page().width / 15;
  return {width, heightForWidth(width)};
}

void ReportPageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  // Each page's chart and trace sheets below it, as they print; each sheet
  // across the whole width. Only the sheets in view are painted.
  qreal top = 0;
  for (std::size_t p = 0; p < pages_.size(); ++p) {
    const qreal sheet = sheetHeight(p, width());
    for (int i = 0; i < sheets_[p]->count(); ++i) {
      const QRectF target(0, top, width(), sheet);
      if (target.intersects(event->rect())) sheets_[p]->paint(painter, i, target);
      top += sheet + kPageGap;
    }
  }
}

ReportWindow::ReportWindow(ReportPage page, QString pdfName, std::unique_ptr<ReportWindowServices> services,
                           QWidget* parent)
    : ReportWindow(std::vector{std::move(page)}, std::move(pdfName), std::move(services), parent) {}

ReportWindow::ReportWindow(std::vector<ReportPage> pages, QString pdfName,
                           std::unique_ptr<ReportWindowServices> services, QWidget* parent)
    : QMainWindow(parent),
      pdfName_(withPdfSuffix(std::move(pdfName))),
      services_(services ? std::move(services) : std::make_unique<QtReportWindowServices>()) {
  setWindowTitle(QStringLiteral("Печать"));

  view_ = new ReportPageView(std::move(pages));
  scrollArea_ = new QScrollArea;
  scrollArea_->setWidget(view_);
  scrollArea_->setWidgetResizable(true);
  scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollArea_->setBackgroundRole(QPalette::Dark);
  setCentralWidget(scrollArea_);

  QToolBar* toolBar = addToolBar(QString());
  toolBar->setObjectName(QStringLiteral("reportToolBar"));
  toolBar->setMovable(false);
  toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

  QStyle* s = style();
  printAction_ = toolBar->addAction(
      QIcon::fromTheme(QStringLiteral("document-print"), QIcon(QStringLiteral(":/kamerol/report/print.svg"))),
      QStringLiteral("Распечатать"), this, &ReportWindow::printPage);
  printAction_->setObjectName(QStringLiteral("Print"));
  printAction_->setToolTip(QStringLiteral("Распечатать"));
  printAction_->setShortcut(QKeySequence::Print);

  closeAction_ = toolBar->addAction(
      QIcon::fromTheme(QStringLiteral("window-close"), s->standardIcon(QStyle::SP_DialogCloseButton)),
      QStringLiteral("Закрыть"), this, &QWidget::close);
  closeAction_->setObjectName(QStringLiteral("Delete"));
  closeAction_->setToolTip(QStringLiteral("Закрыть"));

  savePdfAction_ = toolBar->addAction(
      QIcon::fromTheme(QStringLiteral("document-save"), s->standardIcon(QStyle::SP_DialogSaveButton)),
      QStringLiteral("Сохранить в PDF"), this, &ReportWindow::savePdf);
  savePdfAction_->setObjectName(QStringLiteral("SavePdf"));
  savePdfAction_->setToolTip(QStringLiteral("Сохранить в PDF"));
  // Print and close are known by their icons; this one needs its words.
  if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(savePdfAction_)))
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

  // Esc closes the report as "Закрыть" does.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

  // Wide enough to read, at most most of the screen's height.
  QSize size(820, 1000);
  if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::printPage() {
  const char* failure = nullptr;
  try {
    if (!services_->hasPrinter())
      failure = "Нет принтера: отчет не распечатан.";
    else if (!(view_->pages().size() == 1 ? services_->print(view_->page()) : services_->printPages(view_->pages())))
      failure = "Не удалось распечатать отчет.";
  } catch (...) {
    failure = "Не удалось распечатать отчет.";
  }
  // A print that does nothing must not look like one that worked.
  if (failure != nullptr) services_->showError(this, QStringLiteral("Сообщение программы"), QString::fromUtf8(failure));
}

void ReportWindow::savePdf() {
  try {
    const QString path = services_->askPdfPath(this, pdfName_);
    if (path.isEmpty()) return;
    const QString pdf = withPdfSuffix(path);
    if (!writeReportPdf(std::span(view_->pages()), pdf))
      services_->showError(this, QStringLiteral("Сообщение программы"),
                           QStringLiteral("Не удалось сохранить отчет в PDF\n") + QDir::toNativeSeparators(pdf));
  } catch (...) {
    // An error inside a toolbar command is not raised further.
  }
}

void ReportWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

}  // namespace kamerol
