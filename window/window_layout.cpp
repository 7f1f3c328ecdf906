#include "window/window_layout.h"

#include <algorithm>
#include <array>

namespace kamerol::layout {
namespace {

using enum Control;

// A page's caption column and field column.
struct Columns {
  int labelX;
  int labelWidth;
  int fieldX;
  int fieldWidth;
};

// The caption of a calculation field: the caption of the record's number it
// holds; empty for the other controls.
constexpr std::string_view fieldCaption(Control field) {
  for (const CalculationField& f : kCalculationFields)
    if (f.control == field && f.held) return captionOf(f.held);
  return {};
}

// A field with its caption to the left, right-aligned, a little taller than
// the box so that two lines fit.
constexpr Placement row(int page, Control field, int y, std::string_view caption, Columns c,
                        std::optional<Caption> modelCaption = std::nullopt) {
  return {.page = page,
          .piece = Piece::Field,
          .control = field,
          .box = {c.fieldX, y, c.fieldWidth, kBoxHeight},
          .text = caption,
          .label = {c.labelX, y - 60, c.labelWidth, kBoxHeight + 120},
          .modelCaption = modelCaption};
}

// A calculation field, captioned as its number.
constexpr Placement field(int page, Control c, int y, Columns columns) {
  return row(page, c, y, fieldCaption(c), columns);
}

constexpr Placement list(int page, Control c, TwipBox box, std::string_view caption, TwipBox label = {}) {
  return {.page = page, .piece = Piece::List, .control = c, .box = box, .text = caption, .label = label};
}

constexpr Placement label(int page, TwipBox box, std::string_view text, Align align) {
  return {.page = page, .piece = Piece::Label, .box = box, .text = text, .align = align};
}

constexpr Placement check(int page, Piece piece, Control c, TwipBox box, std::string_view text) {
  return {.page = page, .piece = piece, .control = c, .box = box, .text = text};
}

constexpr Columns kRoom{120, 1260, 1410, 960};
constexpr Columns kWide{240, 4200, 4560, 900};  // one column of fields, long captions
constexpr Columns kProductLeft{120, 2160, 2400, 900};
constexpr Columns kProductRight{3720, 3000, 6840, 900};

// The enclosure page: a grid of rows (walls, ceiling, floor) by five columns.
// The lists are wide enough for their longest names ("Пробковая плита").
constexpr int kGridX[] = {960, 3060, 4020, 6120, 7080};
constexpr int kGridWidth[] = {2040, 660, 2040, 660, 660};
constexpr int gridY(int r) { return 960 + 540 * r; }
constexpr TwipBox gridHeading(int column) {
  return {kGridX[column] - 120, 420, kGridWidth[column] + kSpinnerWidth + 240, 420};
}
constexpr Placement gridList(Control c, int column, int r, std::string_view name) {
  return list(3, c, {kGridX[column], gridY(r), kGridWidth[column], kListHeight}, name);
}
constexpr Placement gridField(Control c, int column, int r) {
  return {.page = 3,
          .piece = Piece::Field,
          .control = c,
          .box = {kGridX[column], gridY(r), kGridWidth[column], kBoxHeight},
          .text = fieldCaption(c)};
}

constexpr Placement kPlacements[] = {
    // The form around the pages.
    {.piece = Piece::Field, .control = roomTempBox, .box = {6300, 585, 660, 360}, .text = fieldCaption(roomTempBox)},
    {.piece = Piece::Field,
     .control = clientInfoField,
     .box = {2520, 7410, 6885, kBoxHeight},
     .text = "Сведения о клиенте:",
     .label = {870, 7410, 1620, kBoxHeight}},

    // 1: the room, beside its sketch.
    field(1, roomLengthField, 420, kRoom),
    field(1, roomWidthField, 840, kRoom),
    field(1, roomHeightField, 1260, kRoom),
    row(1, floorAreaBox, 1860, "Площадь (кв м)", kRoom),
    row(1, roomVolumeBox, 2280, "Объём (куб м)", kRoom),

    // 2: processing.
    row(2, airHumidityBox, 480, "Влажность воздуха %", kWide),
    row(2, equipHoursField, 960, "", kWide, Caption::Hours),
    field(2, reservePercentField, 1440, kWide),
    check(2, Piece::Option, storageOption, {4560, 2040, 2400, kBoxHeight}, "Хранение"),
    check(2, Piece::Option, freezingOption, {4560, 2460, 2400, kBoxHeight}, "Заморозка"),

    // 3: walls, ceiling and floor.
    label(3, gridHeading(0), "Материал", Align::Centre),
    label(3, gridHeading(1), "Толщина (мм)", Align::Centre),
    label(3, gridHeading(2), "Термоизоляция", Align::Centre),
    label(3, gridHeading(3), "Толщина (мм)", Align::Centre),
    label(3, gridHeading(4), "Темп-ра снаружи", Align::Centre),
    label(3, {90, gridY(0), 840, kBoxHeight}, " Стены", Align::Left),
    gridList(wallMaterialList, 0, 0, "Материал: Стены"),
    gridField(wallMaterialThicknessField, 1, 0),
    gridList(wallInsulationList, 2, 0, "Термоизоляция: Стены"),
    gridField(wallInsulationThicknessField, 3, 0),
    gridField(outsideTempWallsField, 4, 0),
    label(3, {90, gridY(1), 840, kBoxHeight}, "Потолок", Align::Left),
    gridList(ceilingMaterialList, 0, 1, "Материал: Потолок"),
    gridField(ceilingMaterialThicknessField, 1, 1),
    gridList(ceilingInsulationList, 2, 1, "Термоизоляция: Потолок"),
    gridField(ceilingInsulationThicknessField, 3, 1),
    gridField(outsideTempCeilingField, 4, 1),
    label(3, {90, gridY(2), 840, kBoxHeight}, "Пол", Align::Left),
    gridList(floorMaterialList, 0, 2, "Материал: Пол"),
    gridField(floorMaterialThicknessField, 1, 2),
    gridList(floorInsulationList, 2, 2, "Термоизоляция: Пол"),
    gridField(floorInsulationThicknessField, 3, 2),
    gridField(outsideTempFloorField, 4, 2),

    // 4: ventilation; the caption says more than the field's name.
    {.page = 4,
     .piece = Piece::Field,
     .control = airChangeRateBox,
     .box = {5280, 1080, 900, kBoxHeight},
     .text = "Кратность вентиляции в камере    (объёмов  незагруженной камеры в сутки)",
     .label = {600, 900, 4500, 660},
     .name = "Кратность вентиляции в камере"},

    // 5: the door.
    field(5, doorHeightField, 480, kWide),
    field(5, doorWidthField, 960, kWide),
    field(5, doorOpenMinutesField, 1440, kWide),
    list(5, curtainList, {4560, 1920, 1800, kListHeight}, "Завеса", {240, 1920, 4200, kBoxHeight}),

    // 6: the product.
    list(6, productCategoryList, {1200, 480, 2280, kListHeight}, "Категория", {120, 480, 1000, kBoxHeight}),
    list(6, productList, {1200, 960, 2280, kListHeight}, "Продукт", {120, 960, 1000, kBoxHeight}),
    row(6, freezingPointBox, 1680, "Точка замерзания (град)", kProductLeft),
    row(6, storedMassField, 480, "", kProductRight, Caption::StoredMass),
    row(6, dailyMassField, 960, "", kProductRight, Caption::Mass),
    field(6, productInitialTempField, 1440, kProductRight),
    field(6, productFinalTempField, 1920, kProductRight),

    // 7: lighting.
    field(7, lightingHoursField, 600, kWide),
    field(7, lightingPowerField, 1080, kWide),
    check(7, Piece::Check, recommendedLightingCheck, {4560, 1560, 3900, kBoxHeight},
          "Установить рекомендуемое значение"),

    // 8: staff; 9: loading vehicles.
    field(8, staffCountField, 960, kWide),
    field(9, vehiclePowerField, 960, kWide),

    // 10: the air-cooler fans.
    row(10, fanPercentField, 540, "", kWide, Caption::FanPercent),
    check(10, Piece::Check, refinedFanCheck, {4560, 1080, 3000, kBoxHeight}, "Уточняющий расчет"),
    field(10, fanCountField, 1620, kWide),
    field(10, fanPowerField, 2100, kWide),
};

// Every field has a caption, its own or the model's.
static_assert(std::ranges::all_of(kPlacements, [](const Placement& p) {
  return p.piece != Piece::Field || !p.text.empty() || p.modelCaption;
}));

}  // namespace

std::span<const Placement> placements() { return kPlacements; }

}  // namespace kamerol::layout
