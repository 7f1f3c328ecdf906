#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "tests/row_names.h"

namespace kamerol {
namespace {

struct FormatCase {
  float value;
  const char* text;
};

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesPlainDecimalText) { EXPECT_EQ(formatNumber(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, FormatNumberTest,
                         testing::Values(FormatCase{0.63f, "0.63"}, FormatCase{7.0f, "7"}, FormatCase{1.64f, "1.64"},
                                         FormatCase{-18.0f, "-18"}, FormatCase{9.04f, "9.04"}, FormatCase{0.0f, "0"},
                                         FormatCase{-0.0f, "0"}, FormatCase{1.05f, "1.05"}, FormatCase{0.025f, "0.025"},
                                         FormatCase{2.3f, "2.3"}, FormatCase{160.0f, "160"},
                                         FormatCase{1234567.0f, "1234567"},
                                         FormatCase{12345678.0f, "12345680"},  // seven significant digits
                                         FormatCase{0.1f + 0.2f, "0.3"}, FormatCase{0.00004167f, "0.00004167"},
                                         FormatCase{1e-7f, "0.0000001"}, FormatCase{1e-8f, "1E-08"},
                                         FormatCase{1e15f, "1E+15"}, FormatCase{1.5e20f, "1.5E+20"},
                                         FormatCase{-3.4e38f, "-3.4E+38"},
                                         FormatCase{std::numeric_limits<float>::infinity(), "0"},
                                         FormatCase{std::numeric_limits<float>::quiet_NaN(), "0"}),
                         [](const testing::TestParamInfo<FormatCase>& info) -> std::string {
                           const float v = info.param.value;
                           if (std::isnan(v)) return "NaN";
                           if (std::isinf(v)) return v > 0 ? "Infinity" : "MinusInfinity";
                           if (v == 0 && std::signbit(v)) return "MinusZero";
                           return textName(formatNumberExact(v));
                         });

TEST(FormatNumberTest, EveryTextReadsBackAsTheSameText) {
  // The lighting-power box writes its value back and reads it again as a
  // leading number; the text must be stable under that.
  for (float v : {0.63f, 1.0000001f, 5.0f, 123.4567f, 1e-8f, 3e20f, -2.5f, 0.1f}) {
    const std::string text = formatNumber(v);
    EXPECT_EQ(formatNumber(static_cast<float>(leadingNumber(text))), text) << v;
  }
}

struct SignificantCase {
  double value;
  int digits;
  const char* text;
};

class FormatSignificantTest : public testing::TestWithParam<SignificantCase> {};

TEST_P(FormatSignificantTest, RoundsAndDropsTrailingZeros) {
  EXPECT_EQ(formatSignificant(GetParam().value, GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatSignificantTest,
    testing::Values(SignificantCase{9.940001f, 6, "9.94"}, SignificantCase{4150.775316, 6, "4150.78"},
                    SignificantCase{1.250001f, 6, "1.25"}, SignificantCase{0.63f, 6, "0.63"},
                    SignificantCase{999999.7, 6, "1000000"},  // the rounding carries into a new digit
                    SignificantCase{-0.00416666667, 6, "-0.00416667"}, SignificantCase{150.775376, 9, "150.775376"},
                    SignificantCase{0.00004167, 9, "0.00004167"}, SignificantCase{3600000, 9, "3600000"},
                    SignificantCase{1.5e-9, 6, "1.5E-09"}, SignificantCase{2.5e20, 6, "2.5E+20"},
                    SignificantCase{0.5, 0, "0.5"},  // at least one digit
                    SignificantCase{std::numeric_limits<double>::infinity(), 6, "0"}),
    [](const testing::TestParamInfo<SignificantCase>& info) -> std::string {
      if (std::isinf(info.param.value)) return "Infinity";
      return textName(info.param.text) + "_" + std::to_string(info.param.digits);
    });

TEST(FormatNumberExactTest, NineDigitsRoundTrip) {
  EXPECT_EQ(formatNumberExact(0.63f), "0.629999995");
  EXPECT_EQ(static_cast<float>(std::stod(formatNumberExact(0.63f))), 0.63f);
  EXPECT_EQ(formatNumberExact(20), "20");
  EXPECT_EQ(formatNumberExact(std::numeric_limits<double>::infinity()), "null");
}

struct ParseCase {
  const char* text;
  std::optional<double> point;  // "." locale with "," groups
  std::optional<double> comma;  // "," locale with no-break-space groups
};

class LocaleNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(LocaleNumberTest, ReadsWholeTextInLocale) {
  const ParseCase c = GetParam();
  EXPECT_EQ(localeNumber(c.text, NumberLocale::point()), c.point) << '"' << c.text << '"';
  EXPECT_EQ(localeNumber(c.text, NumberLocale::comma()), c.comma) << '"' << c.text << '"';
}

constexpr std::nullopt_t no = std::nullopt;

// A plain decimal number with the other decimal separator reads in both
// locales; a text the locale reads keeps the locale's meaning.
INSTANTIATE_TEST_SUITE_P(
    Cases, LocaleNumberTest,
    testing::Values(ParseCase{"1500", 1500, 1500}, ParseCase{"  42 ", 42, 42}, ParseCase{"\t-7", -7, -7},
                    ParseCase{"+3", 3, 3}, ParseCase{"1.5", 1.5, 1.5}, ParseCase{"1,5", 1.5, 1.5},
                    ParseCase{"1,500", 1500, 1.5}, ParseCase{"12,345,678", 12345678, no}, ParseCase{"1,50", 1.5, 1.5},
                    ParseCase{"1.500", 1.5, 1.5}, ParseCase{" -2,25 ", -2.25, -2.25}, ParseCase{"1\u00a0500", no, 1500},
                    ParseCase{"1\u00a050", no, no}, ParseCase{".5", 0.5, 0.5}, ParseCase{"5.", 5, 5},
                    ParseCase{",5", 0.5, 0.5}, ParseCase{"3,", 3, 3}, ParseCase{"1e3", 1000, 1000},
                    ParseCase{"2.5E-1", 0.25, no}, ParseCase{"2,5e1", no, 25}, ParseCase{"1,2.5", no, no},
                    ParseCase{"1.2.5", no, no}, ParseCase{"1e", no, no}, ParseCase{"", no, no},
                    ParseCase{"   ", no, no}, ParseCase{"-", no, no}, ParseCase{".", no, no}, ParseCase{",", no, no},
                    ParseCase{"abc", no, no}, ParseCase{"12a", no, no}, ParseCase{"1 2", no, no},
                    ParseCase{"--1", no, no}, ParseCase{"0", 0, 0}, ParseCase{"007", 7, 7}),
    [](const testing::TestParamInfo<ParseCase>& info) { return textName(info.param.text); });

TEST(LocaleNumberTest, OutOfRangeSaturates) {
  EXPECT_EQ(localeNumber("1e999", NumberLocale::point()), std::numeric_limits<double>::infinity());
  EXPECT_EQ(localeNumber("-1e999", NumberLocale::point()), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(localeNumber("1e-999", NumberLocale::point()), 0.0);
  EXPECT_EQ(localeNumber("1e0000000000000001", NumberLocale::point()), 10.0);
}

struct LeadingCase {
  const char* text;
  double value;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsLongestLeadingNumber) {
  EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, LeadingNumberTest,
                         testing::Values(LeadingCase{"250", 250}, LeadingCase{"1,5", 1}, LeadingCase{"1 000", 1000},
                                         LeadingCase{" 1\t2\n3", 123}, LeadingCase{"-18", -18},
                                         LeadingCase{"+4.5", 4.5}, LeadingCase{"7.", 7}, LeadingCase{".5", 0.5},
                                         LeadingCase{"-.5", -0.5}, LeadingCase{"12abc", 12}, LeadingCase{"abc", 0},
                                         LeadingCase{"", 0}, LeadingCase{"-", 0}, LeadingCase{".", 0},
                                         LeadingCase{"1e3", 1000}, LeadingCase{"1e", 1}, LeadingCase{"1e+", 1},
                                         LeadingCase{"2E-2x", 0.02}, LeadingCase{"5.5.5", 5.5},
                                         LeadingCase{"1e99999", HUGE_VAL}),
                         [](const testing::TestParamInfo<LeadingCase>& info) { return textName(info.param.text); });

}  // namespace
}  // namespace kamerol
