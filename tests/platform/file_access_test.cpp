#include "platform/file_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "tests/platform/file_size_limit.h"
#endif

namespace kamerol {
namespace {

namespace fs = std::filesystem;

class FileAccessTest : public testing::Test {
 protected:
  FileAccessTest() {
    folder_ = fs::temp_directory_path() / ("kamerol-file-access-" + std::to_string(::getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~FileAccessTest() override {
    std::error_code error;
    fs::permissions(folder_, fs::perms::owner_all, error);
    fs::remove_all(folder_, error);
  }

  fs::path path(const std::string& name) const { return folder_ / name; }

  static std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

  // Every name in the folder but the expected ones: what a save left behind.
  std::vector<std::string> others(const std::set<std::string>& expected) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      if (!expected.contains(entry.path().filename().string())) names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

#ifdef _WIN32

TEST_F(FileAccessTest, WideNamesAreReplacedAndDevicesRefused) {
  const fs::path folder = folder_ / u8"Расчёты 2026";
  const fs::path file = folder / u8"Камера №1.tpl";
  fs::create_directory(folder);
  ASSERT_TRUE(writeWholeFile(file, "old"));
  const fs::path stale = folder / u8".Камера №1.tpl.kamerol-abc123.tmp";  // what a killed save left
  put(stale, "");
  ASSERT_TRUE(writeWholeFile(file, "new"));
  EXPECT_EQ(readRegularFile(file, 100), "new");
  std::vector<std::u8string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().u8string());
  EXPECT_EQ(names, std::vector<std::u8string>{u8"Камера №1.tpl"});

  for (const fs::path& target : {folder, fs::path("NUL")}) {
    EXPECT_EQ(writeWholeFile(target, "x").status, WriteStatus::NotARegularFile) << target;
    EXPECT_EQ(readRegularFile(target, 100), std::nullopt) << target;
  }
  EXPECT_FALSE(writeWholeFile(folder / u8"нет такой папки" / "a.tpl", "x"));
}

#else

using testing_support::withFileSizeLimit;

TEST_F(FileAccessTest, OnlyARegularFileIsReplaced) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_directory(path("folder"));
  fs::create_symlink(path("fifo"), path("link-to-fifo"));
  struct Case {
    fs::path target;
    fs::file_type type;
  };
  for (const Case& c : {Case{path("fifo"), fs::file_type::fifo}, Case{path("folder"), fs::file_type::directory},
                        Case{path("link-to-fifo"), fs::file_type::fifo}, Case{"/dev/null", fs::file_type::character}}) {
    const WriteResult result = writeWholeFile(c.target, "new");
    EXPECT_EQ(result.status, WriteStatus::NotARegularFile) << c.target;
    EXPECT_EQ(result.reason(), "not a regular file");
    EXPECT_EQ(fs::status(c.target).type(), c.type) << c.target;
  }
  EXPECT_TRUE(fs::is_symlink(path("link-to-fifo")));
  EXPECT_EQ(others({"fifo", "folder", "link-to-fifo"}), std::vector<std::string>{});
}

TEST_F(FileAccessTest, LinksAreFollowedAndStayLinks) {
  fs::create_directory(path("real"));
  put(path("real/a.tpl"), "old");
  fs::create_symlink("real/a.tpl", path("relative"));   // relative to the link's folder
  fs::create_symlink(path("relative"), path("chain"));  // a link to a link
  fs::create_symlink("real/new.tpl", path("dangling"));

  ASSERT_TRUE(writeWholeFile(path("chain"), "through the chain"));
  EXPECT_EQ(contents(path("real/a.tpl")), "through the chain");
  ASSERT_TRUE(writeWholeFile(path("dangling"), "created"));
  EXPECT_EQ(contents(path("real/new.tpl")), "created");
  for (const char* link : {"relative", "chain", "dangling"}) EXPECT_TRUE(fs::is_symlink(path(link))) << link;
  EXPECT_EQ(others({"real", "relative", "chain", "dangling"}), std::vector<std::string>{});

  fs::create_symlink("loop", path("loop"));
  EXPECT_FALSE(writeWholeFile(path("loop"), "x"));
}

TEST_F(FileAccessTest, ReplacingKeepsPermissionsAndOwner) {
  put(path("a.tpl"), "old");
  fs::permissions(path("a.tpl"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path("a.tpl").c_str(), 65534, 65534), 0);
  }
  struct stat before {};
  ::stat(path("a.tpl").c_str(), &before);

  ASSERT_TRUE(writeWholeFile(path("a.tpl"), "new"));
  struct stat after {};
  ::stat(path("a.tpl").c_str(), &after);
  EXPECT_EQ(contents(path("a.tpl")), "new");
  EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not rewritten
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST_F(FileAccessTest, FullDiskLeavesTheOldFileAndNoTemporary) {
  put(path("a.pdf"), "old report");
  const std::string big(64 * 1024, 'x');
  const WriteResult result = withFileSizeLimit(4096, [&] { return writeWholeFile(path("a.pdf"), big); });
  EXPECT_EQ(result.status, WriteStatus::Failed);
  EXPECT_EQ(result.error, std::errc::file_too_large);
  EXPECT_EQ(contents(path("a.pdf")), "old report");
  EXPECT_EQ(others({"a.pdf"}), std::vector<std::string>{});
}

TEST_F(FileAccessTest, NextSaveRemovesWhatAKilledSaveLeft) {
  // A save killed part-way: the file size signal ends the process in the middle of its write.
  const pid_t child = ::fork();
  if (child == 0) {
    rlimit limited{4096, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    std::signal(SIGXFSZ, SIG_DFL);
    (void)writeWholeFile(path("a.tpl"), std::string(64 * 1024, 'x'));
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::vector<std::string> left = others({});
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(isTemporaryFileOf(left[0], path("a.tpl"))) << left[0];

  // A save still writing holds its file locked: it is not stale.
  put(path(".a.tpl.kamerol-busy00.tmp"), "");
  const int busy = ::open(path(".a.tpl.kamerol-busy00.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  // Other targets' temporary files and look-alikes are not this save's business.
  for (const char* name : {".b.tpl.kamerol-abc123.tmp", ".a.tpl.kamerol-abc123.tmp.keep", ".a.tpl.kamerol-ab.tmp"})
    put(path(name), "");

  ASSERT_TRUE(writeWholeFile(path("a.tpl"), "saved"));
  ::close(busy);
  EXPECT_EQ(contents(path("a.tpl")), "saved");
  std::vector<std::string> expected = {".a.tpl.kamerol-ab.tmp", ".a.tpl.kamerol-abc123.tmp.keep",
                                       ".a.tpl.kamerol-busy00.tmp", ".b.tpl.kamerol-abc123.tmp"};
  std::vector<std::string> remaining = others({"a.tpl"});
  std::sort(remaining.begin(), remaining.end());
  EXPECT_EQ(remaining, expected);
}

TEST_F(FileAccessTest, InPlaceWriteReportsItsFailure) {
  // The folder takes no new file (as for a user who may not write it); the file is rewritten in place.
  put(path("a.tpl"), "old content");
  fs::permissions(path("a.tpl"), fs::perms::all);
  const pid_t child = ::fork();
  if (child == 0) {
    const bool root = ::geteuid() == 0;
    bool ok = !root || (::setgid(65534) == 0 && ::setuid(65534) == 0);
    if (!root) fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    ok = ok && withFileSizeLimit(4, [&] { return writeWholeFile(path("a.tpl"), "a longer new content"); }).status ==
                   WriteStatus::Failed;
    ok = ok && writeWholeFile(path("a.tpl"), "new") && contents(path("a.tpl")) == "new";
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileAccessTest, ReadsOnlyRegularFilesWithoutWaiting) {
  put(path("a.tpl"), "0123456789");
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);  // would wait for a writer for ever
  fs::create_directory(path("folder"));
  EXPECT_EQ(readRegularFile(path("a.tpl"), 100), "0123456789");
  EXPECT_EQ(readRegularFile(path("a.tpl"), 4), "0123");
  for (const fs::path& p : {path("fifo"), path("folder"), path("missing"), fs::path("/dev/zero"), fs::path()})
    EXPECT_EQ(readRegularFile(p, 100), std::nullopt) << p;
  // A file that holds more than its size says (as /proc's do) is read to its end.
  const auto status = readRegularFile("/proc/self/status", 1 << 20);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->starts_with("Name:")) << *status;
  EXPECT_NE(status->find("VmPeak:"), std::string::npos);
}

#endif

}  // namespace
}  // namespace kamerol
