#pragma once

// Draws the report page with Qt. One routine paints screen, printer and PDF:
// the page is laid out in twips and the painter's transform scales it, so
// lines and glyphs are drawn as vectors at the device's own resolution.
//
// Everything here needs a QGuiApplication (the fonts come from it); the
// offscreen platform will do.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/file_access.h"
#include "report/report_page.h"

class QPainter;

namespace kamerol {

// Paints `page` scaled uniformly into `target` (painter coordinates), centred
// where the aspect ratios differ, on a white background.
void paintReportPage(QPainter& painter, const ReportPage& page, const QRectF& target);

// Paints the report's second page, its chart, scaled like the first into `target`.
void paintChartPage(QPainter& painter, const ReportPage& page, const QRectF& target);

// Paints the report's last page, the sensitivity's chart and table, likewise.
void paintSensitivityPage(QPainter& painter, const ReportPage& page, const QRectF& target);

// Writes `page` as an A4 PDF, drawn at full scale with its frame in the
// sheet's middle, with the chart on a second page where the page has one, as
// writeWholeFile writes: an existing PDF is replaced only by a complete one.
// Fails without a QGuiApplication.
WriteResult writeReportPdf(const ReportPage& page, const std::filesystem::path& path);
WriteResult writeReportPdf(const ReportPage& page, const QString& path);
// Several pages as one PDF, each followed by its own chart and trace sheets;
// a page wider than high (a project's summary) on a landscape sheet.
WriteResult writeReportPdf(std::span<const ReportPage> pages, const std::filesystem::path& path);
WriteResult writeReportPdf(std::span<const ReportPage> pages, const QString& path);

// How one text is laid out on the page, in twips: the lines the painter
// draws, each with its baseline origin. A boxed text that needs more lines
// than its box holds ends with an elided line.
struct ReportTextLine {
  QString text;
  QPointF baseline;
  qreal width = 0;  // of the inked text, trailing blanks excluded
};

struct ReportTextLayout {
  QFont font;
  std::vector<ReportTextLine> lines;
  QRectF bounds;  // the lines' extent, from ascent to descent
  bool elided = false;
};

QFont reportFont(const ReportPage& page, const ReportText& text);
ReportTextLayout layoutReportText(const ReportPage& page, const ReportText& text);

}  // namespace kamerol
