#include "shell/program_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "shell/installation.h"
#include "shell/sound.h"
#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

// A program folder laid out as built (cues beside it), as a package installs it (cues in ../share/kamerol), as the
// Windows installer installs it (cues and the uninstaller beside it) or with no cues.
enum class Layout { kBuildTree, kPackage, kWindowsSetup, kNoCues };

struct LayoutCase {
  const char* name;
  Layout layout;
  bool refusesFiles;  // the program folder's file system says no to a new file
  bool installed;
  bool documentsDefault;
};

class ProgramFilesTest : public ::testing::TestWithParam<LayoutCase> {};

void touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST_P(ProgramFilesTest, FindsTheCuesAndChoosesTheCalculationsFolder) {
  const LayoutCase& c = GetParam();
  QTemporaryDir root;
  const QString bin = root.filePath(QStringLiteral("usr/bin"));
  const QString data = root.filePath(QStringLiteral("usr/share/kamerol"));
  QDir().mkpath(bin);
  QDir().mkpath(data);
  const QString cues = c.layout == Layout::kPackage ? data : c.layout == Layout::kNoCues ? QString() : bin;
  if (!cues.isEmpty()) touch(QDir(cues).filePath(QLatin1String(kReportSoundFile)));
  if (c.layout == Layout::kWindowsSetup) touch(QDir(bin).filePath(QLatin1String(kWindowsUninstallerName)));
  QStringList asked;
  const auto canWrite = [&](const QString& folder) {
    asked << folder;
    return !c.refusesFiles;
  };

  EXPECT_EQ(isInstalledProgram(bin), c.installed);
  EXPECT_EQ(programDataFolder(bin), c.layout == Layout::kPackage ? QDir::toNativeSeparators(data) : bin);
  const QString documents = root.filePath(QStringLiteral("Документы"));
  EXPECT_EQ(defaultCalculationsFolder(bin, documents, canWrite),
            c.documentsDefault ? QDir::toNativeSeparators(documents + QStringLiteral("/Kamerol")) : bin);
  // Only a portable program's folder is tried.
  EXPECT_EQ(asked, c.installed ? QStringList() : QStringList{bin});
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProgramFilesTest,
                         ::testing::Values(LayoutCase{"build_tree", Layout::kBuildTree, false, false, false},
                                           LayoutCase{"no_cues", Layout::kNoCues, false, false, false},
                                           LayoutCase{"package", Layout::kPackage, false, true, true},
                                           LayoutCase{"windows_setup", Layout::kWindowsSetup, false, true, true},
                                           LayoutCase{"refusing_folder", Layout::kBuildTree, true, false, true},
                                           LayoutCase{"refusing_no_cues", Layout::kNoCues, true, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The probe itself, on folders of the file system.
struct ProbeCase {
  const char* name;
  QString (*folder)(const QTemporaryDir&);  // the empty text: the case cannot be had here
  bool writable;
};

QString writableFolder(const QTemporaryDir& dir) { return dir.path(); }

QString missingFolder(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("no")); }

QString aFile(const QTemporaryDir& dir) {
  touch(dir.filePath(QStringLiteral("file")));
  return dir.filePath(QStringLiteral("file"));
}

// Permission bits refuse only a user other than root, and make no folder read-only on Windows.
QString folderWithoutWritePermission(const QTemporaryDir& dir) {
#ifdef _WIN32
  return QString();
#else
  if (geteuid() == 0) return QString();
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
  return dir.path();
#endif
}

// A file system that refuses every new file, root's too.
QString folderRefusedToRoot(const QTemporaryDir&) {
#ifdef _WIN32
  return QString();
#else
  return QDir(QStringLiteral("/proc/self")).exists() ? QStringLiteral("/proc/self") : QString();
#endif
}

class CanCreateFilesTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(CanCreateFilesTest, CreatesAndRemovesAFile) {
  QTemporaryDir root;
  const QString folder = GetParam().folder(root);
  if (folder.isEmpty()) GTEST_SKIP() << "no such folder here";
  const auto entries = [&] { return QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System); };
  const QStringList before = entries();
  EXPECT_EQ(canCreateFilesIn(folder), GetParam().writable);
  EXPECT_EQ(entries(), before) << "the probe is left behind";
  QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(Folders, CanCreateFilesTest,
                         ::testing::Values(ProbeCase{"writable", writableFolder, true},
                                           ProbeCase{"missing", missingFolder, false},
                                           ProbeCase{"a_file", aFile, false},
                                           ProbeCase{"no_write_permission", folderWithoutWritePermission, false},
                                           ProbeCase{"refused_to_root", folderRefusedToRoot, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kamerol::shell
