#include "core/materials.h"

#include <algorithm>
#include <array>

namespace kamerol {
namespace {

// Alphabetical, except that "Песок сухой" stands before "Песок влажный".
constexpr std::array<Material, 21> kBuilding = {{
    {"Асбест", 0.35f},         {"Асбестоцемент", 1.76f}, {"Асфальт", 0.8f},    {"Бетон пористый", 1.4f},
    {"Бетон сплошной", 1.75f}, {"Глинозем", 2.33f},      {"Гравий", 0.93f},    {"Гранит", 3.5f},
    {"Грунт влажный", 2.1f},   {"Грунт сухой", 0.4f},    {"Древесина", 0.15f}, {"Дюралюминий", 160.0f},
    {"Железобетон", 1.7f},     {"Известняк", 1.7f},      {"Кирпич", 0.87f},    {"ПВХ", 0.19f},
    {"Песок сухой", 0.33f},    {"Песок влажный", 1.33f}, {"Сталь", 52.0f},     {"Стекло", 1.15f},
    {"Шлак котельный", 0.33f},
}};

constexpr std::array<Material, 10> kInsulation = {{
    {"Картон", 0.13f},
    {"Керамзит", 0.33f},
    {"Мин.вата", 0.05f},
    {"Опилки", 0.065f},
    {"Панель ISO", 0.022f},
    {"Пенопласт", 0.038f},
    {"Пенополиуритан", 0.025f},
    {"Перлит", 0.05f},
    {"Пробковая плита", 0.043f},
    {"Стекловолокно", 0.036f},
}};

}  // namespace

std::span<const Material> materials(MaterialList list) {
  if (list == MaterialList::Building) return kBuilding;
  return kInsulation;
}

std::optional<Material> findMaterial(MaterialList list, std::string_view text) {
  const auto rows = materials(list);
  const auto it = std::find_if(rows.begin(), rows.end(), [text](const Material& m) { return m.name == text; });
  if (it == rows.end()) return std::nullopt;
  return *it;
}

}  // namespace kamerol
