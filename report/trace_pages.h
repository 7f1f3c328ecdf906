#pragma once

// The calculation trace as pages of the report: set in the report's font on
// sheets of the report's size, after the report page (and its chart page).
// Needs a QGuiApplication for the fonts; the offscreen platform will do.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

#include "core/trace.h"
#include "report/report_page.h"

class QPainter;

namespace kamerol {

// The trace's text area on its sheets, in twips: inside the report's frame.
inline constexpr int kTraceLeft = 1140;
inline constexpr int kTraceRight = 10920;
inline constexpr int kTraceTop = 600;
inline constexpr int kTraceBottom = 15825;

struct TraceSheetLine {
  QString text;
  QFont font;
  QPointF baseline;  // twips
  qreal width = 0;   // of the inked text, twips
};

struct TraceSheet {
  std::vector<TraceSheetLine> lines;
};

// The trace broken into lines that fit the text area, and into sheets; the
// first line of every sheet names the sheet ("Ход расчёта, лист 1 из 3").
// The page's checks, where it has them, follow the trace under their own
// heading.
std::vector<TraceSheet> layoutTraceSheets(const CalculationTrace& trace, const ReportPage& page);

// Every sheet the report prints: the report page, its chart page where it has
// one, the trace's sheets, then the sensitivity's page, laid out once; the
// trace's alone where the page is not `withResults`. `page` must outlive it.
class ReportSheets {
 public:
  explicit ReportSheets(const ReportPage& page);

  int count() const { return resultSheets() + static_cast<int>(trace_.size()) + (sensitivitySheet() ? 1 : 0); }
  // Paints sheet `index` (0 is the report page) scaled into `target` as the
  // report page is.
  void paint(QPainter& painter, int index, const QRectF& target) const;

 private:
  int resultSheets() const { return page_.withResults ? (page_.chart ? 2 : 1) : 0; }
  bool sensitivitySheet() const { return page_.withResults && page_.sensitivity; }

  const ReportPage& page_;
  std::vector<TraceSheet> trace_;
};

}  // namespace kamerol
