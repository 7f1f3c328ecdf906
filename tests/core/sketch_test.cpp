#include "core/sketch.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/defaults.h"
#include "core/number_text.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

SketchInput room(float length, float width, float height) {
  CalculationInputs in = defaultInputs();  // door 1.8 × 2.3 m, 100 mm insulation everywhere
  in.roomLength = length;
  in.roomWidth = width;
  in.roomHeight = height;
  return sketchInputOf(in);
}

TEST(SketchTest, WorkedExampleCoordinates) {
  const RoomSketch s = *computeRoomSketch(room(5, 4, 3));
  EXPECT_EQ(s.l1[0].start, (SketchPoint{2700, 3480}));
  EXPECT_EQ(s.l1[0].end, (SketchPoint{5309.2f, 3480}));
  EXPECT_EQ(s.l3[0].end, (SketchPoint{2700, 1914.48f}));
  // D = 4.744 × 0.424 × 440 = 885.04064.
  EXPECT_EQ(s.l2[0].end.x, static_cast<float>(2700 + 885.04064));
  EXPECT_EQ(s.l2[0].end.y, static_cast<float>(3480 - 885.04064));
  EXPECT_NEAR(s.l1[2].start.y, 1029.44, 0.01);
  EXPECT_EQ(s.l2[1].end.x, static_cast<float>(5309.2f + 885.04064));
  EXPECT_EQ(s.l2[2].end.y, static_cast<float>(1914.48f - 885.04064));
}

TEST(SketchTest, DashedEdgesMeetAtTheHiddenCorner) {
  const RoomSketch s = *computeRoomSketch(room(5, 4, 3));
  int dashed = 0;
  for (const auto* group : {s.l1.data(), s.l2.data()})
    for (int i = 0; i < 4; ++i) dashed += group[i].dashed;
  for (const auto& segment : s.l3) dashed += segment.dashed;
  EXPECT_EQ(dashed, 3);
  EXPECT_TRUE(s.l1[3].dashed);
  EXPECT_TRUE(s.l2[0].dashed);
  EXPECT_TRUE(s.l3[3].dashed);
  EXPECT_EQ(s.l1[3].start, s.l3[3].start);
  EXPECT_EQ(s.l2[0].end, s.l3[3].start);
}

TEST(SketchTest, DoorLeftEdgeSitsBehindTheWallBuildUp) {
  const RoomSketch s = *computeRoomSketch(room(5, 4, 3));
  ASSERT_TRUE(s.doorVisible());
  EXPECT_NEAR(s.l3[4].start.x, 2802.184, 1e-3);                  // 2700 + 0.1 × 440 × 1.186 + 50
  EXPECT_NEAR(s.l3[4].start.y, 3480 - 0.1 * 440 * 1.186, 1e-3);  // sill above the floor build-up
  EXPECT_NEAR(s.l3[4].end.x - s.l3[4].start.x, 1.8 * 440 * 1.186, 1e-2);
  EXPECT_NEAR(s.l3[4].start.y - s.l3[6].start.y, 2.3 * 440 * 1.186, 1e-2);
  for (int i = 4; i < 8; ++i) EXPECT_FALSE(s.l3[i].dashed);
}

struct DoorCase {
  float length;
  float height;
  bool visible;
};

class DoorThresholdTest : public testing::TestWithParam<DoorCase> {};

// Door 1.8 × 2.3 m with 100 mm of insulation everywhere: it needs a room
// height of 2.5 m (F) and a length of 2.0 + 0.15 m (N plus the margin).
TEST_P(DoorThresholdTest, DoorShownOnlyWhenItFits) {
  const DoorCase c = GetParam();
  EXPECT_EQ(computeRoomSketch(room(c.length, 4, c.height))->doorVisible(), c.visible) << c.length << " × " << c.height;
}

INSTANTIATE_TEST_SUITE_P(Cases, DoorThresholdTest,
                         testing::Values(DoorCase{5, 2.4f, false}, DoorCase{5, 2.6f, true},
                                         DoorCase{5, 2.5f, true},  // equal height passes
                                         DoorCase{2.1f, 3, false}, DoorCase{2.2f, 3, true}, DoorCase{2.15f, 3, true},
                                         DoorCase{0, 0, false}),
                         [](const testing::TestParamInfo<DoorCase>& info) {
                           return "Length" + textName(formatNumberExact(info.param.length)) + "_Door" +
                                  textName(formatNumberExact(info.param.height));
                         });

TEST(SketchTest, AllZeroCollapsesToTheOrigin) {
  const RoomSketch s = *computeRoomSketch(room(0, 0, 0));
  for (const auto* group : {s.l1.data(), s.l2.data()})
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(group[i].start, (SketchPoint{2700, 3480}));
      EXPECT_EQ(group[i].end, (SketchPoint{2700, 3480}));
    }
  EXPECT_FALSE(s.doorVisible());
}

TEST(SketchTest, LargeRoomIsClippedNotScaled) {
  const RoomSketch s = *computeRoomSketch(room(12, 4, 3));
  EXPECT_EQ(s.l1[0].end.x, 8962.08f);
  EXPECT_GT(s.l1[0].end.x, kSketchBoxWidth);
}

TEST(SketchTest, NegativeDimensionsDrawTheSameRoom) {
  const RoomSketch positive = *computeRoomSketch(room(5, 4, 3));
  const RoomSketch negative = *computeRoomSketch(room(-5, -4, -3));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(positive.l1[i].end, negative.l1[i].end);
    EXPECT_EQ(positive.l2[i].end, negative.l2[i].end);
  }
  EXPECT_TRUE(negative.doorVisible());
}

TEST(SketchTest, MagnifiedLengthIsRoundedToFourDigits) {
  // 5.1 is held as 5.0999999; rounded to 5.1 first, then 5.1 × 1.186 = 6.0486.
  const RoomSketch s = *computeRoomSketch(room(5.1f, 4, 3));
  EXPECT_EQ(s.l1[0].end.x, static_cast<float>(2700 + 440 * 6.0486));
}

TEST(SketchTest, OverflowKeepsThePreviousPicture) {
  EXPECT_FALSE(computeRoomSketch(room(1e30f, 4, 3)).has_value());
  EXPECT_FALSE(computeRoomSketch(room(5, 4, std::numeric_limits<float>::infinity())).has_value());
}

TEST(SketchTest, DoorThatOverflowsIsHidden) {
  SketchInput in = room(5, 4, 3);
  in.floorInsulationThickness = -3.4e38f;  // the sill lands beyond the float range
  in.floorMaterialThickness = -3.4e38f;
  const auto s = computeRoomSketch(in);
  ASSERT_TRUE(s.has_value());
  EXPECT_FALSE(s->doorVisible());
}

}  // namespace
}  // namespace kamerol
