#include "shell/program_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "shell/sound.h"
#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

// A program folder laid out as built (cues beside it), as installed (cues in ../share/kamerol) or with no cues.
enum class Layout { kBuildTree, kInstalled, kNoCues };

struct LayoutCase {
  Layout layout;
  bool readOnly;
  bool installed;
  bool documentsDefault;
  friend void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << static_cast<int>(c.layout) << (c.readOnly ? " read-only" : "");
  }
};

class ProgramFilesTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ProgramFilesTest, FindsTheCuesAndChoosesTheCalculationsFolder) {
  const LayoutCase& c = GetParam();
#ifdef _WIN32
  if (c.readOnly) GTEST_SKIP() << "a folder's permission bits do not make it read-only on Windows";
#else
  // Root may write into any folder, so a read-only folder cannot be had.
  if (c.readOnly && geteuid() == 0) GTEST_SKIP() << "running as root";
#endif
  QTemporaryDir root;
  const QString bin = root.filePath(QStringLiteral("usr/bin"));
  const QString data = root.filePath(QStringLiteral("usr/share/kamerol"));
  QDir().mkpath(bin);
  QDir().mkpath(data);
  const QString cues = c.layout == Layout::kBuildTree ? bin : c.layout == Layout::kInstalled ? data : QString();
  if (!cues.isEmpty()) {
    QFile cue(QDir(cues).filePath(QLatin1String(kReportSoundFile)));
    ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
  }
  if (c.readOnly) QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);

  EXPECT_EQ(isInstalledProgram(bin), c.installed);
  EXPECT_EQ(programDataFolder(bin), c.installed ? QDir::toNativeSeparators(data) : bin);
  const QString documents = root.filePath(QStringLiteral("Документы"));
  EXPECT_EQ(defaultCalculationsFolder(bin, documents),
            c.documentsDefault ? QDir::toNativeSeparators(documents + QStringLiteral("/Kamerol")) : bin);
  QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProgramFilesTest,
                         ::testing::Values(LayoutCase{Layout::kBuildTree, false, false, false},
                                           LayoutCase{Layout::kNoCues, false, false, false},
                                           LayoutCase{Layout::kInstalled, false, true, true},
                                           LayoutCase{Layout::kBuildTree, true, false, true}));

}  // namespace
}  // namespace kamerol::shell
