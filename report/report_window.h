#pragma once

// The report frame: a top-level window "Печать" that shows the report page
// fitted to its width and prints it, saves it as PDF or closes it from its
// toolbar. It shows one page built once by the caller, or a project's pages
// (project_report.h) one below another; the caller plays the report sound,
// reads the logo setting and shows the calculation form again on closed().

#include <QMainWindow>
#include <QString>
#include <QWidget>
#include <memory>
#include <span>
#include <vector>

#include "report/report_page.h"

class QAction;
class QScrollArea;

namespace kamerol {
class ReportSheets;
}

namespace kamerol {

// What the window needs from the desktop: a file dialog and the printer.
// Tests replace it to run the window without either.
class ReportWindowServices {
 public:
  virtual ~ReportWindowServices() = default;

  // The path the user chose for the PDF, or an empty string when cancelled.
  virtual QString askPdfPath(QWidget* parent, const QString& suggestedName) = 0;

  // Whether the system has a default printer to print on.
  virtual bool hasPrinter() { return true; }

  // Prints `page` as one page on the default printer. False when there is no
  // printer or the job fails.
  virtual bool print(const ReportPage& page) = 0;

  // Prints several pages (a project's report) as one job. By default each
  // page through print(), for services that print one page at a time.
  virtual bool printPages(std::span<const ReportPage> pages);

  // A modal message with an OK button.
  virtual void showError(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The save dialog of the platform and the system's default printer.
class QtReportWindowServices final : public ReportWindowServices {
 public:
  QString askPdfPath(QWidget* parent, const QString& suggestedName) override;
  bool hasPrinter() override;
  bool print(const ReportPage& page) override;
  bool printPages(std::span<const ReportPage> pages) override;
  void showError(QWidget* parent, const QString& title, const QString& text) override;
};

// Paints the pages one below another, each over the whole width; the height
// follows the width.
class ReportPageView : public QWidget {
  Q_OBJECT

 public:
  explicit ReportPageView(ReportPage page, QWidget* parent = nullptr);
  // `pages` must not be empty.
  explicit ReportPageView(std::vector<ReportPage> pages, QWidget* parent = nullptr);
  ~ReportPageView() override;

  const ReportPage& page() const { return pages_.front(); }
  const std::vector<ReportPage>& pages() const { return pages_; }
  // Every sheet shown: each page's own, its chart's and its trace's.
  int sheetCount() const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The height of the sheets of page `index` at `width`.
  qreal sheetHeight(std::size_t index, int width) const;

  std::vector<ReportPage> pages_;
  std::vector<std::unique_ptr<const ReportSheets>> sheets_;  // laid out once, for every paint, by page
};

class ReportWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `pdfName` is the file name the save dialog suggests, such as the
  // calculation's base name, or a whole path, which also gives the folder the
  // dialog starts in; ".pdf" is added when it has no such extension.
  // Without `services` the window uses the platform's dialog and printer.
  // The caller owns the window; Qt::WA_DeleteOnClose makes it go on closing.
  ReportWindow(ReportPage page, QString pdfName, std::unique_ptr<ReportWindowServices> services = nullptr,
               QWidget* parent = nullptr);
  // Several pages, such as a project's report (buildProjectReport): shown,
  // printed and saved as one document. `pages` must not be empty.
  ReportWindow(std::vector<ReportPage> pages, QString pdfName, std::unique_ptr<ReportWindowServices> services = nullptr,
               QWidget* parent = nullptr);
  ~ReportWindow() override;

  const ReportPage& page() const { return view_->page(); }
  const std::vector<ReportPage>& pages() const { return view_->pages(); }
  QAction* printAction() const { return printAction_; }
  QAction* closeAction() const { return closeAction_; }
  QAction* savePdfAction() const { return savePdfAction_; }
  ReportPageView* pageView() const { return view_; }
  QScrollArea* scrollArea() const { return scrollArea_; }

 signals:
  // The window has closed, through "Закрыть" or its close box.
  void closed();

 public slots:
  // Ctrl+P. Without a printer, or when the job fails, a message box says so
  // and the report stays as it is.
  void printPage();
  void savePdf();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ReportPageView* view_ = nullptr;
  QScrollArea* scrollArea_ = nullptr;
  QAction* printAction_ = nullptr;
  QAction* closeAction_ = nullptr;
  QAction* savePdfAction_ = nullptr;
  QString pdfName_;
  std::unique_ptr<ReportWindowServices> services_;
};

}  // namespace kamerol
