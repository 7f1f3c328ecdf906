#include "report/report_print.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <span>

#include "core/version.h"
#include "report/default_printer.h"
#include "report/report_page.h"
#include "report/trace_pages.h"

namespace kamerol {

bool printReportPages(std::span<const ReportPage> pages, QPrinter& printer) {
  constexpr int kTwipsPerInch = 1440;
  // Printing needs the GUI application's font database; without one Qt would abort.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr || pages.empty()) return false;
  for (const ReportPage& page : pages)
    if (page.width <= 0 || page.height <= 0) return false;
  const auto orientationOf = [](const ReportPage& page) {
    return page.width > page.height ? QPageLayout::Landscape : QPageLayout::Portrait;
  };
  printer.setDocName(QLatin1String(kProgramName));
  printer.setPageOrientation(orientationOf(pages.front()));
  QPageLayout layout = printer.pageLayout();
  layout.setMargins(layout.minimumMargins());
  printer.setPageLayout(layout);

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  bool first = true;
  for (const ReportPage& page : pages) {
    const ReportSheets sheets(page);
    for (int i = 0; i < sheets.count(); ++i) {
      if (!first) {
        // The orientation set here is the next sheet's.
        printer.setPageOrientation(orientationOf(page));
        if (!printer.newPage()) return false;
      }
      first = false;
      // The painter's origin is the printable area's top left.
      const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
      const qreal devicePerTwip = printer.resolution() / double(kTwipsPerInch);
      QSizeF size(page.width * devicePerTwip, page.height * devicePerTwip);
      if (size.width() > area.width() || size.height() > area.height()) size.scale(area, Qt::KeepAspectRatio);
      sheets.paint(painter, i, QRectF(QPointF((area.width() - size.width()) / 2, 0), size));
    }
  }
  return painter.end();
}

bool printReportPage(const ReportPage& page, QPrinter& printer) {
  return printReportPages(std::span(&page, 1), printer);
}

bool hasDefaultPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

bool printOnDefaultPrinter(const ReportPage& page) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return false;
  QPrinter printer(info, QPrinter::HighResolution);
  return printReportPage(page, printer);
}

bool printPagesOnDefaultPrinter(std::span<const ReportPage> pages) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return false;
  QPrinter printer(info, QPrinter::HighResolution);
  return printReportPages(pages, printer);
}

const DefaultPrinter* printSupportPrinter() {
  static constexpr DefaultPrinter printer{&hasDefaultPrinter, &printOnDefaultPrinter, &printPagesOnDefaultPrinter};
  return &printer;
}

}  // namespace kamerol
