#pragma once

// The product catalogue: 82 foods in six categories with the thermal
// properties the product and respiration gains need.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/record.h"

namespace kamerol {

struct ProductProperties {
  float freezingPoint = 0;      // °C
  float heatCapacityAbove = 0;  // kJ/(kg·K), above the freezing point
  float heatCapacityBelow = 0;  // kJ/(kg·K), below it
  float latentHeat = 0;         // kJ/kg
  float respirationHeat = 0;    // J/(kg·h); 0 for products that do not respire
};

struct Product {
  int category;  // index into productCategories()
  std::string_view name;
  ProductProperties properties;
};

// "Мясные", "Рыбные", "Молочные", "Овощи", "Фрукты", "Прочие".
std::span<const std::string_view> productCategories();

// Index of the category named exactly `text`.
std::optional<int> findCategory(std::string_view text);

// The names of a category's products in list order; the first is the one
// selected when the category is chosen. Empty for an unknown category.
std::vector<std::string_view> productsOf(std::string_view category);

// The product named exactly `text`, whatever its category.
std::optional<Product> findProduct(std::string_view text);

// All 82 rows, grouped by category in list order.
std::span<const Product> allProducts();

// Copies a product's five properties into the record's inputs.
void applyProductProperties(CalculationInputs& inputs, const ProductProperties& properties);

}  // namespace kamerol
