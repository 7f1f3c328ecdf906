#include "report/report_page.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/gains.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "core/version.h"

namespace kamerol {
namespace {

// Font sizes in points. Captions are bold and values regular at the normal
// size; the rows that matter most to the reader are larger.
constexpr float kNormal = 9.75f;
constexpr float kGainRow = 11.25f;
constexpr float kLarge = 12.0f;
constexpr float kCapacityRow = 14.25f;

// Every value column of the results that has no column of its own.
constexpr int kValueColumn = 10050;
constexpr int kBoxValueColumn = 6900;  // inside the air-change and door boxes

std::string number(float value) { return formatNumber(value); }
std::string gainCaption(Gain gain) { return reportCaption(gainRow(gain), true); }
std::string rounded2(float value) { return formatNumber(r2(value)); }

class PageBuilder {
 public:
  void caption(ReportField field, std::string text, int left, int top, float size = kNormal, bool bold = true) {
    add({field, TextRole::Caption, std::move(text), left, top, 0, 0, size, bold, false});
  }
  void value(ReportField field, std::string text, int left, int top, float size = kNormal, bool bold = false) {
    add({field, TextRole::Value, std::move(text), left, top, 0, 0, size, bold, false});
  }
  // A text that breaks into lines inside a box of the given width.
  void boxed(ReportText text, int width, int height = 0) {
    text.width = width;
    text.height = height;
    text.wrap = true;
    add(std::move(text));
  }
  void add(ReportText text) { page_.texts.push_back(std::move(text)); }

  void line(RuleRole role, int x1, int y1, int x2, int y2) { page_.lines.push_back({role, x1, y1, x2, y2}); }
  void rect(RuleRole role, int left, int top, int right, int bottom) {
    page_.rects.push_back({role, left, top, right, bottom});
  }

  ReportPage take() { return std::move(page_); }

 private:
  ReportPage page_;
};

// Program name and version at the top left, between two short rules.
void addHeaderBlock(PageBuilder& b) {
  b.add({ReportField::ProgramName, TextRole::Header, kProgramName, 1125, 975, 0, 0, kCapacityRow, true, false});
  b.add({ReportField::ProgramVersion, TextRole::Header, std::string("Версия ") + kVersion, 1125, 1500, 0, 0, kNormal,
         false, false});
  b.line(RuleRole::Header, 1125, 825, 3525, 825);
  b.line(RuleRole::Header, 1050, 2550, 3450, 2550);
}

void addCaptions(PageBuilder& b) {
  using F = ReportField;
  // The blanks push the second half of the title onto its own line.
  b.boxed({F::Title, TextRole::Caption, "Результаты расчета теплового баланса                    холодильной камеры",
           4500, 600, 0, 0, kLarge, true, false},
          5265);
  b.caption(F::RoomTemp, "Температура в камере, С", 4830, 1320, kGainRow);
  // The climate rows are fixed texts: no input feeds them.
  b.caption(F::AmbientTemp, "Темп-ра окр. среды, С", 3750, 1710);
  b.value(F::AmbientTemp, "28", 6150, 1710);
  b.caption(F::Humidity, "Относит. влажность %", 3750, 2115);
  b.value(F::Humidity, "64", 6150, 2115);
  b.caption(F::Reserve, "Запас %", 5130, 2475);
  // The processing-mode captions of the form do not reach the report.
  b.caption(F::EquipHours, "Время р-ты оборудоания, Ч ", 3150, 2850);
  b.caption(F::RoomLength, "Длина камеры, М", 7950, 1725);
  b.caption(F::RoomWidth, "Ширина камеры, М", 7800, 2100);
  b.caption(F::RoomHeight, "Высота камеры, М", 7875, 2475);
  b.caption(F::RoomVolume, "Объем камеры, М", 7950, 2850);

  // Enclosure table. The two-line headings break at their blanks inside boxes
  // narrower than their full text.
  b.caption(F::MaterialHeading, "Материал", 2325, 3675);
  b.boxed({F::MaterialThicknessHeading, TextRole::Caption, "Толщ.    мм", 3825, 3450, 0, 0, kNormal, true, false}, 900);
  b.caption(F::InsulationHeading, "Теплоизоляция", 4875, 3675);
  b.boxed({F::InsulationThicknessHeading, TextRole::Caption, "Толщ.   мм", 6750, 3450, 0, 0, kNormal, true, false},
          900);
  b.boxed({F::OutsideTempHeading, TextRole::Caption, "Темп-ра снаружи, С", 7875, 3450, 0, 0, kNormal, true, false},
          1500);
  b.boxed({F::GainHeading, TextRole::Caption, "Теплоприток,           кВт", 9450, 3450, 0, 0, kNormal, true, false},
          1350);
  b.caption(F::WallsRow, "Стены", 1065, 4050);
  b.caption(F::CeilingRow, "Потолок", 1065, 4500);
  b.caption(F::FloorRow, "Пол", 1065, 4950);

  b.caption(F::ShownWalls, gainCaption(Gain::Walls), 4125, 5550, kGainRow);
  b.caption(F::AirChangeRate, "Кратность вентиляции в камере", 3375, 6150);
  b.caption(F::ShownVentilation, gainCaption(Gain::Ventilation), 4200, 6750, kGainRow);
  b.caption(F::DoorHeight, "Высота двери, М", 4875, 7350);
  b.caption(F::DoorWidth, "Ширина двери, М", 4875, 7875);
  b.caption(F::DoorOpenMinutes, "Время открытой двери, мин/сутки", 3225, 8325);
  b.caption(F::CurtainName, "Тип завесы", 5475, 8850);
  b.caption(F::ShownDoor, gainCaption(Gain::Door), 5475, 9375, kGainRow);
  b.caption(F::ProductName, "Продукт", 1500, 9975);
  b.caption(F::StoredMass, "Хранимая масса, кг", 3225, 9975);
  b.caption(F::ProductInitialTemp, "Начальная темп-ра, С", 6300, 9975);
  b.caption(F::DailyMass, "Суточный оборот, кг", 3150, 10350);
  b.caption(F::ProductFinalTemp, "Конечная темп-ра, С", 6450, 10350);
  b.caption(F::ShownProduct, gainCaption(Gain::Product), 5475, 11025, kGainRow);
  b.caption(F::ShownRespiration, gainCaption(Gain::Respiration), 4350, 11400, kGainRow);
  b.caption(F::ShownLighting, gainCaption(Gain::Lighting), 5400, 11805, kGainRow);
  b.caption(F::ShownStaff, gainCaption(Gain::Staff), 5325, 12180, kGainRow);
  b.caption(F::ShownVehicles, gainCaption(Gain::Vehicles), 6225, 12570, kGainRow);
  b.caption(F::ShownFans, gainCaption(Gain::Fans), 4845, 12975, kGainRow);
  b.caption(F::Total, reportCaption(kTotal, false), 6000, 13380, kLarge);
  b.caption(F::RequiredCapacity, reportCaption(kRequiredCapacity, false), 3150, 14550, kCapacityRow);
  b.caption(F::ClientInfo, "Клиент:", 990, 15330);
}

void addRules(PageBuilder& b) {
  b.rect(RuleRole::PageFrame, 840, 300, 11220, 15825);

  b.line(RuleRole::RoomBlock, 7200, 1650, 7200, 3225);
  b.line(RuleRole::RoomBlock, 3150, 3225, 10425, 3225);

  for (const int y : {3975, 4350, 4800, 5250}) b.line(RuleRole::EnclosureGrid, 975, y, 10875, y);
  for (const int x : {975, 1950, 10875}) b.line(RuleRole::EnclosureGrid, x, 3975, x, 5250);

  b.rect(RuleRole::AirChangeBox, 2925, 6000, 8025, 6525);
  b.rect(RuleRole::DoorBox, 2925, 7200, 8025, 9225);
  b.rect(RuleRole::ProductBox, 975, 9825, 9225, 10725);

  b.line(RuleRole::CapacityRule, 840, 14310, 11220, 14310);
  b.line(RuleRole::ClientRule, 825, 15075, 11220, 15075);
}

void addValues(PageBuilder& b, const CalculationRecord& record) {
  using F = ReportField;
  const CalculationInputs& in = record.inputs;
  const CalculationResults& r = record.results;
  // The shown gains are already rounded, and 0 where the panel excludes them.
  const auto gain = [&](Gain g, ReportField field, int y) {
    b.value(field, number(r.*(gainRow(g).shown)), kValueColumn, y, kGainRow, true);
  };

  // A negative dimension counts as its magnitude, as in the engine.
  b.value(F::RoomLength, number(std::fabs(in.roomLength)), kValueColumn, 1725);
  b.value(F::RoomWidth, number(std::fabs(in.roomWidth)), kValueColumn, 2100);
  b.value(F::RoomHeight, number(std::fabs(in.roomHeight)), kValueColumn, 2475);
  b.value(F::RoomVolume, number(r.roomVolume), kValueColumn, 2850);
  b.value(F::RoomTemp, number(in.roomTemp), 8100, 1320, kLarge);
  b.value(F::EquipHours, number(in.equipHours), 6150, 2850);

  b.value(F::WallMaterial, in.wallMaterial, 2175, 4050);
  b.value(F::CeilingMaterial, in.ceilingMaterial, 2175, 4500);
  b.value(F::FloorMaterial, in.floorMaterial, 2175, 4950);
  b.value(F::WallMaterialThickness, number(in.wallMaterialThickness), 3975, 4050);
  b.value(F::CeilingMaterialThickness, number(in.ceilingMaterialThickness), 3975, 4500);
  b.value(F::FloorMaterialThickness, number(in.floorMaterialThickness), 3975, 4950);
  b.value(F::WallInsulation, in.wallInsulation, 4875, 4050);
  b.value(F::CeilingInsulation, in.ceilingInsulation, 4875, 4500);
  b.value(F::FloorInsulation, in.floorInsulation, 4875, 4950);
  b.value(F::WallInsulationThickness, number(in.wallInsulationThickness), 6900, 4050);
  b.value(F::CeilingInsulationThickness, number(in.ceilingInsulationThickness), 6900, 4500);
  b.value(F::FloorInsulationThickness, number(in.floorInsulationThickness), 6900, 4950);
  b.value(F::OutsideTempWalls, number(in.outsideTempWalls), 8325, 4050);
  b.value(F::OutsideTempCeiling, number(in.outsideTempCeiling), 8325, 4500);
  b.value(F::OutsideTempFloor, number(in.outsideTempFloor), 8325, 4950);
  b.value(F::WallPartGain, rounded2(r.qWallPart), kValueColumn, 4050);
  b.value(F::CeilingGain, rounded2(r.qCeiling), kValueColumn, 4500);
  b.value(F::FloorGain, rounded2(r.qFloor), kValueColumn, 4950);

  gain(Gain::Walls, F::ShownWalls, 5550);
  gain(Gain::Ventilation, F::ShownVentilation, 6750);
  b.value(F::AirChangeRate, rounded2(r.airChangeRate), kBoxValueColumn, 6150);
  b.value(F::DoorHeight, rounded2(in.doorHeight), kBoxValueColumn, 7350);
  b.value(F::DoorWidth, rounded2(in.doorWidth), kBoxValueColumn, 7875);
  b.value(F::DoorOpenMinutes, rounded2(in.doorOpenMinutes), kBoxValueColumn, 8325);
  b.value(F::CurtainName, in.curtainName, 6825, 8850);
  gain(Gain::Door, F::ShownDoor, 9375);

  b.value(F::ProductName, in.productName, 1425, 10350);
  b.value(F::StoredMass, number(in.storedMass), 5400, 9975);
  b.value(F::DailyMass, number(in.dailyMass), 5400, 10350);
  b.value(F::ProductInitialTemp, number(in.productInitialTemp), 8700, 9975);
  b.value(F::ProductFinalTemp, number(in.productFinalTemp), 8700, 10350);

  gain(Gain::Product, F::ShownProduct, 11025);
  gain(Gain::Respiration, F::ShownRespiration, 11400);
  gain(Gain::Lighting, F::ShownLighting, 11805);
  gain(Gain::Staff, F::ShownStaff, 12180);
  gain(Gain::Vehicles, F::ShownVehicles, 12570);
  gain(Gain::Fans, F::ShownFans, 12975);
  // The sum stands out like its caption.
  b.value(F::Total, rounded2(r.qTotal), kValueColumn, 13380, kLarge, true);

  // The only figure the report works out itself. The factor is the float the
  // record holds, so 7.5 % (1.07500005) is no exact half and shows 8.
  const double reservePercent = (static_cast<double>(in.reserveFactor) - 1.0) * 100.0;
  b.value(F::Reserve, formatNumber(r0(reservePercent)), 6180, 2475);
  b.value(F::RequiredCapacity, rounded2(r.requiredCapacity), kValueColumn, 14550, kCapacityRow, true);
  // One line up to the page frame; a longer text is cut there.
  b.boxed({F::ClientInfo, TextRole::Value, in.clientInfo, 1950, 15330, 0, 0, kGainRow, true, false}, 9150, 495);
}

}  // namespace

const ReportText* ReportPage::find(ReportField field, TextRole role) const {
  for (const ReportText& t : texts) {
    if (t.field == field && t.role == role) return &t;
  }
  return nullptr;
}

ReportPage buildReportPage(const CalculationRecord& record, bool showLogo) {
  PageBuilder b;
  if (showLogo) addHeaderBlock(b);
  addCaptions(b);
  addRules(b);
  addValues(b, record);
  return b.take();
}

}  // namespace kamerol
