#include "form/navigation.h"

#include <algorithm>
#include <utility>

namespace kamerol {
namespace {

using enum Control;

constexpr std::array<PageInfo, kPageCount> kPages = {{
    {1, "Р-ры камеры", "Frame1", "Размер камеры", 0, "", {}},
    {2, "Пар-ры обработки", "Frame2", "Параметры обработки продукта", 3, "Command3", {}},
    {3, "Через стены", "Frame3", "Теплопритоки через стены пол и потолок", 4, "Command4", {Text39, std::nullopt}},
    {4, "От вентиляции", "Frame4", "Теплоприток от обменной вентиляции", 2, "Command2", {Text40, std::nullopt}},
    {5, "Через дверь", "Frame5", "Теплоприток от инфильтрации (через дверь)", 7, "Command7", {Text41, std::nullopt}},
    {6, "От продукта", "Frame6", "Теплоприток от охлаждаемого продукта", 5, "Command5", {Text42, Text43}},
    {7, "От освещения", "Frame8", "Теплоприток от освещения камеры", 6, "Command6", {Text44, std::nullopt}},
    {8, "От персонала", "Frame9", "Теплоприток от персонала", 8, "Command8", {Text45, std::nullopt}},
    {9, "От ПТС", "Frame10", "Теплоприток от Погрузочно Транспортных Средств", 9, "Command9", {Text46, std::nullopt}},
    {10,
     "От вентиляторов ВО",
     "Frame11",
     "Теплоприток от вентиляторов воздухоохладителя",
     1,
     "Command1",
     {Text47, std::nullopt}},
}};

struct Placement {
  Control control;
  int page;
};

// Controls that stand on a page (with their spinners).
constexpr Placement kPlacements[] = {
    {Text1, 1},    {Text2, 1},     {Text4, 1},     {Text38, 1},    {Text5, 1},    {UpDown14, 1}, {UpDown15, 1},
    {UpDown16, 1}, {Text7, 2},     {Text8, 2},     {Text9, 2},     {Option1, 2},  {Option2, 2},  {UpDown2, 2},
    {UpDown25, 2}, {Combo1, 3},    {Combo2, 3},    {Combo3, 3},    {Text10, 3},   {Text11, 3},   {Text12, 3},
    {Combo4, 3},   {Combo5, 3},    {Combo6, 3},    {Text13, 3},    {Text14, 3},   {Text15, 3},   {Text16, 3},
    {Text17, 3},   {Text18, 3},    {UpDown5, 3},   {UpDown6, 3},   {UpDown7, 3},  {UpDown8, 3},  {UpDown9, 3},
    {UpDown10, 3}, {UpDown11, 3},  {UpDown12, 3},  {UpDown13, 3},  {Text19, 4},   {Text20, 5},   {Text21, 5},
    {Text22, 5},   {Combo8, 5},    {UpDown18, 5},  {UpDown19, 5},  {UpDown20, 5}, {Combo9, 6},   {Combo10, 6},
    {Text23, 6},   {Text24, 6},    {Text25, 6},    {Text26, 6},    {Text27, 6},   {UpDown21, 6}, {UpDown22, 6},
    {UpDown23, 6}, {UpDown24, 6},  {Text31, 7},    {Text32, 7},    {Check2, 7},   {UpDown26, 7}, {UpDown27, 7},
    {Text33, 8},   {UpDown4, 8},   {Text34, 9},    {UpDown3, 9},   {Text35, 10},  {Check3, 10},  {Text36, 10},
    {Text37, 10},  {UpDown17, 10}, {UpDown28, 10}, {UpDown29, 10},
};

constexpr std::pair<Control, Control> kEnter[] = {
    // Room.
    {Text1, Text2},
    {Text2, Text4},
    {Text4, Text38},
    {Text38, Text5},
    {Text5, Text1},
    // Processing.
    {Text8, Text9},
    {Text9, Text8},
    // Enclosure.
    {Text10, Text11},
    {Text11, Text12},
    {Text12, Combo4},
    {Combo4, Combo5},
    {Combo5, Combo6},
    {Combo6, Text13},
    {Text13, Text14},
    {Text14, Text15},
    {Text15, Text16},
    {Text16, Text17},
    {Text17, Text18},
    {Text18, Combo1},
    {Combo1, Combo2},
    {Combo2, Combo3},
    {Combo3, Text10},
    // Door.
    {Text20, Text21},
    {Text21, Text22},
    {Text22, Combo8},
    {Combo8, Text20},
    // Product.
    {Combo9, Combo10},
    {Combo10, Text23},
    {Text23, Text24},
    {Text24, Text25},
    {Text25, Text26},
    {Text26, Combo9},
    {Text27, Combo9},
    // Lighting.
    {Text31, Text32},
    {Text32, Text31},
    // Fans.
    {Text36, Text37},
    {Text37, Text36},
};

constexpr Control kTabOrder[] = {
    Text6,  Text1,   Text2,  Text8,  Text9,  Option1, Option2, Combo1, Text10, Combo2, Text11,  Combo3,  Text12,
    Combo4, Text13,  Combo5, Text14, Combo6, Text15,  Text16,  Text17, Text18, Text20, Text21,  Text22,  Combo8,
    Combo9, Combo10, Text23, Text24, Text25, Text26,  Text31,  Text32, Check2, Text33, Text34,  Text35,  Check3,
    Text36, Text37,  Text4,  Text19, Check4, Check5,  Check6,  Check7, Check8, Check9, Check10, Check11, Check12,
};

}  // namespace

std::span<const PageInfo> pages() { return kPages; }

const PageInfo& page(int number) { return kPages[static_cast<std::size_t>(std::clamp(number, 1, kPageCount) - 1)]; }

std::optional<int> pageOf(Control control) {
  for (const Placement& p : kPlacements)
    if (p.control == control) return p.page;
  return std::nullopt;
}

std::optional<Control> nextOnEnter(Control control) {
  for (const auto& [from, to] : kEnter)
    if (from == control) return to;
  return std::nullopt;
}

std::span<const Control> tabOrder() { return kTabOrder; }

}  // namespace kamerol
