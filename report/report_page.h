#pragma once

// The one-page results report as plain data: every text, rule line and
// rectangle with its position in twips (1/1440 inch). The page knows nothing
// of any toolkit; report_painter.h draws it on screen, paper or PDF.

#include <optional>
#include <string>
#include <vector>

#include "core/record.h"
#include "core/trace.h"
#include "report/gain_chart.h"
#include "report/sensitivity_chart.h"

namespace kamerol {

inline constexpr int kReportPageWidth = 11625;   // twips, portrait
inline constexpr int kReportPageHeight = 16725;  // twips
inline constexpr int kReportRuleWidth = 15;      // twips: one pixel at 96 dpi

// What a text shows. A field names both its caption and its value where the
// page has both; TextRole tells them apart.
enum class ReportField {
  // The optional header block.
  ProgramName,
  ProgramVersion,

  Title,
  RoomTemp,
  AmbientTemp,
  Humidity,
  Reserve,
  EquipHours,
  RoomLength,
  RoomWidth,
  RoomHeight,
  RoomVolume,

  // Enclosure table: column headings, row captions, then the cells.
  MaterialHeading,
  MaterialThicknessHeading,
  InsulationHeading,
  InsulationThicknessHeading,
  OutsideTempHeading,
  GainHeading,
  WallsRow,
  CeilingRow,
  FloorRow,
  WallMaterial,
  CeilingMaterial,
  FloorMaterial,
  WallMaterialThickness,
  CeilingMaterialThickness,
  FloorMaterialThickness,
  WallInsulation,
  CeilingInsulation,
  FloorInsulation,
  WallInsulationThickness,
  CeilingInsulationThickness,
  FloorInsulationThickness,
  OutsideTempWalls,
  OutsideTempCeiling,
  OutsideTempFloor,
  WallPartGain,
  CeilingGain,
  FloorGain,

  ShownWalls,
  AirChangeRate,
  ShownVentilation,
  DoorHeight,
  DoorWidth,
  DoorOpenMinutes,
  CurtainName,
  ShownDoor,
  ProductName,
  StoredMass,
  DailyMass,
  ProductInitialTemp,
  ProductFinalTemp,
  ShownProduct,
  ShownRespiration,
  ShownLighting,
  ShownStaff,
  ShownVehicles,
  ShownFans,
  Total,
  RequiredCapacity,
  ClientInfo,

  // A project's report (project_report.h): the summary's title block, its
  // section captions, its two tables (headings as captions, cells as values),
  // the grand total and the warnings; and the line naming a room's page.
  ProjectTitle,
  ProjectClient,
  ProjectAuthor,
  ProjectDate,
  ProjectSection,
  ProjectRoomsTable,
  ProjectSystemsTable,
  ProjectTotal,
  ProjectWarningText,
  ProjectRoomName,
};

enum class TextRole { Caption, Value, Header };

struct ReportText {
  ReportField field;
  TextRole role;
  std::string text;  // UTF-8
  int left = 0;      // twips from the page's left edge
  int top = 0;       // twips from the page's top edge to the top of the first line
  // Width of the text's box in twips; 0 means no box: one line as long as the text.
  int width = 0;
  // Height of the box in twips; 0 means as tall as the wrapped lines need.
  int height = 0;
  float pointSize = 9.75f;
  bool bold = false;
  bool wrap = false;        // breaks into lines at the box's width
  bool alignRight = false;  // one line ending at the box's right edge (a box without wrap)
};

// Which part of the page a rule belongs to.
enum class RuleRole {
  PageFrame,
  RoomBlock,
  EnclosureGrid,
  AirChangeBox,
  DoorBox,
  ProductBox,
  CapacityRule,
  ClientRule,
  Header,
  ProjectTable,  // the rules of a project summary's tables
};

struct ReportLine {
  RuleRole role;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

struct ReportRect {
  RuleRole role;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ReportPage {
  int width = kReportPageWidth;
  int height = kReportPageHeight;
  std::string fontFamily = "Arial";  // of every text
  std::vector<ReportText> texts;
  std::vector<ReportLine> lines;
  std::vector<ReportRect> rects;
  // The load-breakdown chart, printed as a second page of the same size when
  // the user asks for it.
  std::optional<GainChart> chart;
  // The calculation trace, printed on pages of its own after these.
  std::optional<CalculationTrace> trace;
  // The checks' findings ("Проверка расчёта"), one sentence each, printed
  // after the trace on its pages, where the report has the trace; none when
  // the checks were not run (the section is left out), empty when they found
  // nothing.
  std::optional<std::vector<std::string>> checks;
  // The sensitivity's chart and table, printed as the last page.
  std::optional<SensitivityChart> sensitivity;
  // False where the trace's pages are printed alone (the trace window's
  // print and PDF): the results page, the chart's and the sensitivity's are
  // left out.
  bool withResults = true;

  // The text with this field and role, or null when the page has none.
  const ReportText* find(ReportField field, TextRole role = TextRole::Value) const;
};

// Lays out the report of `record` as the engine last left it. The header
// block (program name and version) is on the page only with `showLogo`.
// Texts come in the order the page is filled: the header block, the fixed
// captions, then the values in the order the record is read.
ReportPage buildReportPage(const CalculationRecord& record, bool showLogo);

}  // namespace kamerol
