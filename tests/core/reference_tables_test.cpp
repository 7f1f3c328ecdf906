#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/materials.h"
#include "core/products.h"
#include "core/tables.h"

namespace kamerol {
namespace {

TEST(VentilationTableTest, WholeDegreesOnly) {
  EXPECT_EQ(ventilationSpecificHeat(20), 0.0002064f);
  EXPECT_EQ(ventilationSpecificHeat(0), 0.00085f);
  EXPECT_EQ(ventilationSpecificHeat(-0.0f), 0.00085f);
  EXPECT_EQ(ventilationSpecificHeat(-18), 0.0012945f);
  EXPECT_EQ(ventilationSpecificHeat(-39), 0.0018007f);
  EXPECT_EQ(ventilationSpecificHeat(-40), 0.0018252f);
  for (float t : {21.0f, -41.0f, 2.5f, -0.5f, 1e30f, -1e30f}) EXPECT_EQ(ventilationSpecificHeat(t), 0.0f) << t;
}

TEST(VentilationTableTest, RisesTowardsColderRooms) {
  for (int t = 20; t > -40; --t)
    EXPECT_LT(ventilationSpecificHeat(static_cast<float>(t)), ventilationSpecificHeat(static_cast<float>(t - 1))) << t;
}

TEST(CurtainTableTest, ExactNamesInListOrder) {
  ASSERT_EQ(curtains().size(), 3u);
  EXPECT_EQ(curtains()[0].name, "Нет");
  EXPECT_EQ(curtains()[2].name, "Воздушная");
  EXPECT_EQ(findCurtain("Штора")->efficiency, 0.2f);
  EXPECT_EQ(findCurtain("Воздушная")->efficiency, 0.7f);
  EXPECT_EQ(findCurtain("Нет")->efficiency, 0.0f);
  EXPECT_FALSE(findCurtain("штора"));
  EXPECT_FALSE(findCurtain("Штора "));
  EXPECT_FALSE(findCurtain(""));
}

struct MaterialCase {
  MaterialList list;
  const char* text;
  float lambda;  // 0: no match
};

class MaterialLookupTest : public testing::TestWithParam<MaterialCase> {};

TEST_P(MaterialLookupTest, MatchesWholeTextExactly) {
  const MaterialCase c = GetParam();
  const auto m = findMaterial(c.list, c.text);
  if (c.lambda == 0) {
    EXPECT_FALSE(m.has_value()) << c.text;
  } else {
    ASSERT_TRUE(m.has_value()) << c.text;
    EXPECT_EQ(m->lambda, c.lambda);
    EXPECT_EQ(m->name, c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MaterialLookupTest,
                         testing::Values(MaterialCase{MaterialList::Building, "Дюралюминий", 160},
                                         MaterialCase{MaterialList::Building, "Асфальт", 0.8f},
                                         MaterialCase{MaterialList::Building, "Древесина", 0.15f},
                                         MaterialCase{MaterialList::Building, "Асбест", 0.35f},
                                         MaterialCase{MaterialList::Building, "Асбестоцемент", 1.76f},
                                         MaterialCase{MaterialList::Building, "Песок сухой", 0.33f},
                                         MaterialCase{MaterialList::Building, "Шлак котельный", 0.33f},
                                         MaterialCase{MaterialList::Insulation, "Керамзит", 0.33f},
                                         MaterialCase{MaterialList::Insulation, "Мин.вата", 0.05f},
                                         MaterialCase{MaterialList::Insulation, "Перлит", 0.05f},
                                         MaterialCase{MaterialList::Insulation, "Пенополиуритан", 0.025f},
                                         MaterialCase{MaterialList::Building, "кирпич", 0},
                                         MaterialCase{MaterialList::Building, "Кирпич ", 0},
                                         MaterialCase{MaterialList::Building, "", 0},
                                         MaterialCase{MaterialList::Building, "Кирп", 0},
                                         // The lists are separate.
                                         MaterialCase{MaterialList::Insulation, "Кирпич", 0},
                                         MaterialCase{MaterialList::Building, "Перлит", 0}));

TEST(MaterialTableTest, ListsInDropDownOrder) {
  const auto building = materials(MaterialList::Building);
  const auto insulation = materials(MaterialList::Insulation);
  ASSERT_EQ(building.size(), 21u);
  ASSERT_EQ(insulation.size(), 10u);
  EXPECT_EQ(building.front().name, "Асбест");
  EXPECT_EQ(building[16].name, "Песок сухой");
  EXPECT_EQ(building[17].name, "Песок влажный");
  EXPECT_EQ(building.back().name, "Шлак котельный");
  EXPECT_EQ(insulation.front().name, "Картон");
  EXPECT_EQ(insulation.back().name, "Стекловолокно");
}

TEST(ProductCatalogueTest, CategoriesAndCounts) {
  const auto categories = productCategories();
  ASSERT_EQ(categories.size(), 6u);
  const std::size_t counts[] = {13, 6, 6, 24, 24, 9};
  const char* first[] = {"Баранина", "Раки, крабы", "Масло сливочное", "Баклажаны", "Абрикосы", "Дрожжи"};
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const auto names = productsOf(categories[i]);
    EXPECT_EQ(names.size(), counts[i]) << categories[i];
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), first[i]);
  }
  EXPECT_TRUE(productsOf("Мяс").empty());
  EXPECT_EQ(findCategory("Овощи"), 3);
  EXPECT_FALSE(findCategory("овощи"));
}

TEST(ProductCatalogueTest, NamesAreUniqueAcrossCategories) {
  std::set<std::string_view> names;
  for (const Product& p : allProducts()) EXPECT_TRUE(names.insert(p.name).second) << p.name;
  EXPECT_EQ(names.size(), 82u);
}

struct ProductCase {
  const char* name;
  ProductProperties expected;
};

class ProductLookupTest : public testing::TestWithParam<ProductCase> {};

TEST_P(ProductLookupTest, CopiesTheFiveProperties) {
  const auto p = findProduct(GetParam().name);
  ASSERT_TRUE(p.has_value());
  const ProductProperties& e = GetParam().expected;
  EXPECT_EQ(p->properties.freezingPoint, e.freezingPoint);
  EXPECT_EQ(p->properties.heatCapacityAbove, e.heatCapacityAbove);
  EXPECT_EQ(p->properties.heatCapacityBelow, e.heatCapacityBelow);
  EXPECT_EQ(p->properties.latentHeat, e.latentHeat);
  EXPECT_EQ(p->properties.respirationHeat, e.respirationHeat);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProductLookupTest,
                         testing::Values(ProductCase{"Баранина", {-1.5f, 3.06f, 1.72f, 222, 0}},
                                         ProductCase{"Баклажаны", {-0.8f, 3.94f, 2.01f, 307, 0}},
                                         ProductCase{"Горох сухой", {0, 1.17f, 0.83f, 33.5f, 0}},
                                         ProductCase{"Пиво", {-2.2f, 3.81f, 0, 300, 0}},
                                         ProductCase{"Шоколад", {-29, 3.18f, 1.26f, 126, 0}},
                                         ProductCase{"Сыры", {-8.5f, 2.93f, 1.88f, 268, 244}},
                                         ProductCase{"Репа", {-1, 3.89f, 1.97f, 301, 87}},
                                         ProductCase{"Яблоки", {-2, 3.85f, 1.88f, 281, 356}},
                                         ProductCase{"Финики сушеные", {-15.7f, 1.51f, 1.09f, 67, 216}}));

TEST(ProductCatalogueTest, LookupIsExact) {
  EXPECT_FALSE(findProduct("яблоки"));
  EXPECT_FALSE(findProduct("Яблоки "));
  EXPECT_FALSE(findProduct("Реп"));
  EXPECT_FALSE(findProduct(""));
}

TEST(ProductCatalogueTest, OnlyCheeseRespiresOutsideVegetablesAndFruit) {
  for (const Product& p : allProducts()) {
    const bool plant = p.category == 3 || p.category == 4;
    if (!plant && p.properties.respirationHeat != 0) {
      EXPECT_EQ(p.name, "Сыры");
    }
  }
}

}  // namespace
}  // namespace kamerol
