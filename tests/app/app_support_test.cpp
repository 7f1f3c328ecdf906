#include <gtest/gtest.h>

#include <QLocale>

#include "app/command_line.h"
#include "app/number_locale.h"

namespace kamerol {
namespace {

TEST(CommandLineTest, TheFileArgument) {
  const auto file = [](const QString& argument) { return commandLineFile({"kamerol", argument}); };
  EXPECT_EQ(commandLineFile({"kamerol"}), std::nullopt);
  EXPECT_EQ(file(""), std::nullopt);
  EXPECT_EQ(file("\"\""), std::nullopt);
  EXPECT_EQ(file("\"/home/a b/камера.tpl\""), std::filesystem::path("/home/a b/камера.tpl"));
  // Unquoted, as the freedesktop association passes it: used as it is.
  EXPECT_EQ(file("/home/a b/камера.tpl"), std::filesystem::path("/home/a b/камера.tpl"));
  EXPECT_EQ(file("\"/home/a.tpl"), std::filesystem::path("\"/home/a.tpl"));
  EXPECT_EQ(file("\""), std::filesystem::path("\""));
}

TEST(NumberLocaleTest, FromQtLocales) {
  const NumberLocale english = numberLocaleOf(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(english.decimalSeparator, ".");
  EXPECT_EQ(english.groupSeparator, ",");
  const NumberLocale russian = numberLocaleOf(QLocale(QLocale::Russian, QLocale::Russia));
  EXPECT_EQ(russian.decimalSeparator, ",");
  EXPECT_EQ(localeNumber("1,5", russian), 1.5);
  EXPECT_EQ(localeNumber("1\u00a0500", russian), 1500);
  const NumberLocale german = numberLocaleOf(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(localeNumber("1.500,25", german), 1500.25);
}

}  // namespace
}  // namespace kamerol
