#include <gtest/gtest.h>

#include <QLocale>

#include "app/command_line.h"
#include "app/number_locale.h"
#include "app/system_number_locale.h"

#include <cstdlib>
#include <filesystem>

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

// The toolkit-free reading of the user's locale (kamerol-cli) reads numbers as
// Qt's does, for locales compiled into a scratch folder from the C library's
// sources. Their group separators may differ (for Russian the C library has a
// narrow no-break space where Qt has a no-break space), so the samples have none.
TEST(NumberLocaleTest, TheCLibraryReadsNumbersAsQtDoes) {
  const auto folder = std::filesystem::temp_directory_path() / ("kamerol-locales-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const char* previousPath = std::getenv("LOCPATH");
  ::setenv("LOCPATH", folder.c_str(), 1);
  int compared = 0;
  for (const char* name : {"ru_RU", "de_DE", "en_US", "C"}) {
    if (std::string(name) != "C") {
      const std::string command = "localedef -i " + std::string(name) + " -f UTF-8 '" + folder.string() + "/" + name +
                                  ".UTF-8' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) continue;  // no locale sources here
    }
    ::setenv("LC_ALL", (std::string(name) + ".UTF-8").c_str(), 1);
    const NumberLocale c = systemNumberLocale();
    const NumberLocale qt = numberLocaleOf(QLocale(QString::fromLatin1(name)));
    EXPECT_EQ(c.decimalSeparator, qt.decimalSeparator) << name;
    for (const char* text : {"1,5", "1.5", "-2,25e1", "12", "1.500,25", "1,500.25", " 7.", "abc", ""})
      EXPECT_EQ(localeNumber(text, c), localeNumber(text, qt)) << name << " " << text;
    ++compared;
  }
  ::unsetenv("LC_ALL");
  if (previousPath)
    ::setenv("LOCPATH", previousPath, 1);
  else
    ::unsetenv("LOCPATH");
  std::filesystem::remove_all(folder);
  if (compared < 3) GTEST_SKIP() << "localedef or the locale sources are missing";
}

}  // namespace
}  // namespace kamerol
