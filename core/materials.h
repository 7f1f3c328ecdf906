#pragma once

// The conductivities of the building and insulation materials the engineer can
// choose for walls, ceiling and floor.

#include <optional>
#include <span>
#include <string_view>

namespace kamerol {

struct Material {
  std::string_view name;
  float lambda;  // thermal conductivity, W/(m·K)
};

enum class MaterialList { Building, Insulation };

// The rows in the order of the drop-down lists: 21 building materials,
// 10 insulation materials.
std::span<const Material> materials(MaterialList list);

// The row whose name equals `text` exactly (no case folding, no trimming).
std::optional<Material> findMaterial(MaterialList list, std::string_view text);

}  // namespace kamerol
