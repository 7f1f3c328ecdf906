#include "report/report_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
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

void QtReportWindowServices::showError(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
  box.exec();
}

ReportPageView::ReportPageView(ReportPage page, QWidget* parent) : QWidget(parent), page_(std::move(page)) {
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);  // the scroll area then sizes the page from its width
  setSizePolicy(policy);
  setMinimumWidth(100);
  setAttribute(Qt::WA_OpaquePaintEvent);
  sheets_ = std::make_unique<const ReportSheets>(page_);
}

ReportPageView::~ReportPageView() = default;

int ReportPageView::heightForWidth(int width) const {
  if (page_.width <= 0) return 0;
  const int sheet = static_cast<int>(std::lround(static_cast<double>(width) * page_.height / page_.width));
  const int sheets = sheets_->count();
  return sheets * sheet + (sheets - 1) * kPageGap;
}

QSize ReportPageView::sizeHint() const {
  // The page at 96 dpi.
  const int width = page_.width / 15;
  return {width, heightForWidth(width)};
}

void ReportPageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  // The chart's and the trace's pages below the report's, as they print.
  const int sheets = sheets_->count();
  const qreal sheet = (height() - (sheets - 1) * kPageGap) / static_cast<qreal>(sheets);
  for (int i = 0; i < sheets; ++i) sheets_->paint(painter, i, QRectF(0, i * (sheet + kPageGap), width(), sheet));
}

ReportWindow::ReportWindow(ReportPage page, QString pdfName, std::unique_ptr<ReportWindowServices> services,
                           QWidget* parent)
    : QMainWindow(parent),
      pdfName_(withPdfSuffix(std::move(pdfName))),
      services_(services ? std::move(services) : std::make_unique<QtReportWindowServices>()) {
  setWindowTitle(QStringLiteral("Печать"));

  view_ = new ReportPageView(std::move(page));
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
    else if (!services_->print(view_->page()))
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
    if (!writeReportPdf(view_->page(), pdf))
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
