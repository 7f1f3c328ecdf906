#include "form/navigation.h"

#include <algorithm>
#include <utility>

#include "form/calculation_fields.h"

namespace kamerol {
namespace {

using enum Control;

constexpr std::array<PageInfo, kPageCount> kPages = {{
    {1, "Р-ры камеры", "Frame1", "Размер камеры", 0, "", {}},
    {2, "Пар-ры обработки", "Frame2", "Параметры обработки продукта", 3, "Command3", {}},
    {3, "Через стены", "Frame3", "Теплопритоки через стены пол и потолок", 4, "Command4", {wallsGainBox, std::nullopt}},
    {4,
     "От вентиляции",
     "Frame4",
     "Теплоприток от обменной вентиляции",
     2,
     "Command2",
     {ventilationGainBox, std::nullopt}},
    {5,
     "Через дверь",
     "Frame5",
     "Теплоприток от инфильтрации (через дверь)",
     7,
     "Command7",
     {doorGainBox, std::nullopt}},
    {6,
     "От продукта",
     "Frame6",
     "Теплоприток от охлаждаемого продукта",
     5,
     "Command5",
     {productGainBox, respirationGainBox}},
    {7, "От освещения", "Frame8", "Теплоприток от освещения камеры", 6, "Command6", {lightingGainBox, std::nullopt}},
    {8, "От персонала", "Frame9", "Теплоприток от персонала", 8, "Command8", {staffGainBox, std::nullopt}},
    {9,
     "От ПТС",
     "Frame10",
     "Теплоприток от Погрузочно Транспортных Средств",
     9,
     "Command9",
     {vehiclesGainBox, std::nullopt}},
    {10,
     "От вентиляторов ВО",
     "Frame11",
     "Теплоприток от вентиляторов воздухоохладителя",
     1,
     "Command1",
     {fansGainBox, std::nullopt}},
}};

struct Placement {
  Control control;
  int page;
};

// The boxes that stand on a page; the calculation's fields name their own.
constexpr Placement kBoxPlacements[] = {
    {floorAreaBox, 1},
    {roomVolumeBox, 1},
    {airHumidityBox, 2},
    {freezingPointBox, 6},
};

// Enter in a box; Enter in a field goes where the field's row says.
constexpr std::pair<Control, Control> kBoxEnter[] = {
    {floorAreaBox, roomVolumeBox},
    {roomVolumeBox, roomLengthField},
    {freezingPointBox, productCategoryList},
};

// The Tab key's order, from the fields' places in it.
constexpr std::size_t kTabCount = static_cast<std::size_t>(
    std::ranges::count_if(kCalculationFields, [](const CalculationField& f) { return f.tab > 0; }));

constexpr std::array<std::optional<Control>, kTabCount> kTabPlaces = [] {
  std::array<std::optional<Control>, kTabCount> places{};
  for (const CalculationField& f : kCalculationFields)
    if (f.tab > 0) places.at(static_cast<std::size_t>(f.tab - 1)) = f.control;
  return places;
}();
static_assert(std::ranges::all_of(kTabPlaces, [](const std::optional<Control>& c) { return c.has_value(); }),
              "the fields' places in the Tab order run from 1 without a gap or a repeat");

constexpr std::array<Control, kTabCount> kTabOrder = [] {
  std::array<Control, kTabCount> order{};
  for (std::size_t i = 0; i < kTabCount; ++i) order[i] = *kTabPlaces[i];
  return order;
}();

}  // namespace

std::span<const PageInfo> pages() { return kPages; }

const PageInfo& page(int number) { return kPages[static_cast<std::size_t>(std::clamp(number, 1, kPageCount) - 1)]; }

std::optional<int> pageOf(Control control) {
  for (const CalculationField& f : kCalculationFields) {
    if (f.control != control && !(f.spinner && f.spinner->upDown == control)) continue;
    if (f.page == 0) return std::nullopt;
    return f.page;
  }
  for (const Placement& p : kBoxPlacements)
    if (p.control == control) return p.page;
  return std::nullopt;
}

std::optional<Control> nextOnEnter(Control control) {
  for (const CalculationField& f : kCalculationFields)
    if (f.control == control) return f.enter;
  for (const auto& [from, to] : kBoxEnter)
    if (from == control) return to;
  return std::nullopt;
}

std::span<const Control> tabOrder() { return kTabOrder; }

}  // namespace kamerol
