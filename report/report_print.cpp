#include "report/report_print.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/version.h"
#include "report/default_printer.h"
#include "report/report_page.h"
#include "report/trace_pages.h"

namespace kamerol {

bool printReportPage(const ReportPage& page, QPrinter& printer) {
  constexpr int kTwipsPerInch = 1440;
  // Printing needs the GUI application's font database; without one Qt would abort.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr || page.width <= 0 || page.height <= 0)
    return false;
  printer.setDocName(QLatin1String(kProgramName));
  printer.setPageOrientation(QPageLayout::Portrait);
  QPageLayout layout = printer.pageLayout();
  layout.setMargins(layout.minimumMargins());
  printer.setPageLayout(layout);

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The painter's origin is the printable area's top left.
  const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
  const qreal devicePerTwip = printer.resolution() / double(kTwipsPerInch);
  QSizeF size(page.width * devicePerTwip, page.height * devicePerTwip);
  if (size.width() > area.width() || size.height() > area.height()) size.scale(area, Qt::KeepAspectRatio);
  const QRectF target(QPointF((area.width() - size.width()) / 2, 0), size);
  const ReportSheets sheets(page);
  for (int i = 0; i < sheets.count(); ++i) {
    if (i > 0 && !printer.newPage()) return false;
    sheets.paint(painter, i, target);
  }
  return painter.end();
}

bool hasDefaultPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

bool printOnDefaultPrinter(const ReportPage& page) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return false;
  QPrinter printer(info, QPrinter::HighResolution);
  return printReportPage(page, printer);
}

const DefaultPrinter* printSupportPrinter() {
  static constexpr DefaultPrinter printer{&hasDefaultPrinter, &printOnDefaultPrinter};
  return &printer;
}

}  // namespace kamerol
