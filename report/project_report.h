#pragma once

// The project's report as plain data: a summary (title block, the rooms
// table, the systems with their totals, the grand total and the warnings) on
// landscape pages, then each room's report page as a single calculation
// prints it, with its chart and trace where asked. No toolkit: the pages are
// drawn by report_painter.h like any other report page.

#include <span>
#include <string>
#include <vector>

#include "core/record.h"
#include "project/project.h"
#include "report/report_page.h"

namespace kamerol {

// The summary's page, landscape: the portrait report page turned.
inline constexpr int kSummaryPageWidth = kReportPageHeight;
inline constexpr int kSummaryPageHeight = kReportPageWidth;

// A table of the summary as the reader sees it: its column captions and its
// rows of texts, each row as long as the header.
struct SummaryTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// What the summary shows, before it is placed on pages.
struct ProjectSummary {
  ProjectDetails details;
  // One row per room: name, L × B × H, room temperature, mode, the nine
  // shown gains, their sum, the required capacity, the system; then the
  // rooms' totals ("Итого").
  SummaryTable rooms;
  // One row per system: name, factor, t0, rooms, the sums of the nine gains,
  // of the rooms' sums and of their required capacities, then the system's
  // required capacity (the factor applied); then the rooms of no system where
  // there are any.
  SummaryTable systems;
  std::string requiredCapacity;  // the grand total
  std::vector<std::string> warnings;
};

// `records[i]` is room i's computed record.
ProjectSummary buildProjectSummary(const Project& project, std::span<const CalculationRecord> records);

// The summary on as many landscape pages as its tables need, the tables'
// headings repeated on each page they continue on.
std::vector<ReportPage> layoutProjectSummary(const ProjectSummary& summary);

struct ProjectReportOptions {
  bool showLogo = true;    // the header block of each room's page
  bool withChart = false;  // each room's load chart after its page
  bool withTrace = false;  // each room's calculation trace after that
};

// The whole report: the summary's pages, then every room's page (with its
// chart and trace as asked), in the rooms' order.
std::vector<ReportPage> buildProjectReport(const Project& project, std::span<const CalculationRecord> records,
                                           const ProjectReportOptions& options = {});

}  // namespace kamerol
