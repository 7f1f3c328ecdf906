#include "core/rounding.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

struct RoundCase {
  double x;
  int decimals;
  double expected;
};

class RoundHalfEvenTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsExactBinaryValue) {
  const RoundCase c = GetParam();
  EXPECT_EQ(roundHalfEven(c.x, c.decimals), c.expected) << c.x;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundHalfEvenTest,
                         testing::Values(
                             // Exact binary halves go to the even neighbour.
                             RoundCase{0.125, 2, 0.12}, RoundCase{0.375, 2, 0.38}, RoundCase{-0.125, 2, -0.12},
                             RoundCase{2.5, 0, 2}, RoundCase{3.5, 0, 4}, RoundCase{-2.5, 0, -2},
                             // Decimal "halves" that are not halves in binary.
                             RoundCase{1.005, 2, 1.0},   // really 1.00499999...
                             RoundCase{0.285, 2, 0.28},  // really 0.28499999...
                             RoundCase{1.015, 2, 1.01},  // really 1.01499999...
                             RoundCase{0.63, 2, 0.63}, RoundCase{9.037, 2, 9.04}, RoundCase{0.08175, 2, 0.08},
                             RoundCase{1.638, 2, 1.64}, RoundCase{7.500004768, 0, 8}, RoundCase{0.004, 2, 0},
                             RoundCase{1e20, 2, 1e20}),
                         [](const testing::TestParamInfo<RoundCase>& info) {
                           return textName(formatNumberExact(info.param.x)) + "_To" +
                                  std::to_string(info.param.decimals);
                         });

TEST(RoundingTest, R2HoldsAFloat) {
  EXPECT_EQ(r2(0.63), 0.63f);
  EXPECT_EQ(r2(1.1699999), 1.17f);
  EXPECT_EQ(r0((1.075f - 1.0) * 100), 8.0f);  // a reserve of 7.5 %
  EXPECT_EQ(r0((1.05f - 1.0) * 100), 5.0f);
}

TEST(RoundingTest, ToSingleSaturatesInsteadOfUndefinedBehaviour) {
  EXPECT_EQ(toSingle(1e39), std::numeric_limits<float>::infinity());
  EXPECT_EQ(toSingle(-1e39), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(toSingle(FLT_MAX), FLT_MAX);
  EXPECT_TRUE(std::isnan(toSingle(std::nan(""))));
  EXPECT_TRUE(fitsSingle(3e38));
  EXPECT_FALSE(fitsSingle(4e38));
  EXPECT_FALSE(fitsSingle(std::numeric_limits<double>::infinity()));
}

TEST(RoundingTest, ToInt16RoundsHalfToEvenWithinRange) {
  EXPECT_EQ(toInt16(28.0), 28);
  EXPECT_EQ(toInt16(46.5), 46);
  EXPECT_EQ(toInt16(47.5), 48);
  EXPECT_EQ(toInt16(-0.5), 0);
  EXPECT_EQ(toInt16(32767.4), 32767);
  EXPECT_EQ(toInt16(32767.5), std::nullopt);
  EXPECT_EQ(toInt16(-32768.0), -32768);
  EXPECT_EQ(toInt16(1e9), std::nullopt);
  EXPECT_EQ(toInt16(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(RoundingTest, Fixed4KeepsFourDigits) {
  EXPECT_EQ(Fixed4::fromDouble(5.93)->units, 59300);
  EXPECT_EQ(Fixed4::fromDouble(4.744)->units, 47440);
  // 1/32 and 3/32 are exact binary values lying on a half of the last digit.
  EXPECT_EQ(Fixed4::fromDouble(0.03125)->units, 312);
  EXPECT_EQ(Fixed4::fromDouble(0.09375)->units, 938);
  EXPECT_EQ(Fixed4::fromDouble(-1.23456)->units, -12346);
  EXPECT_FALSE(Fixed4::fromDouble(1e15).has_value());
  EXPECT_FALSE(Fixed4::fromDouble(std::numeric_limits<double>::infinity()).has_value());
}

}  // namespace
}  // namespace kamerol
