#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "foundation/fs.hpp"

namespace fs = std::filesystem;

namespace {
class FSTest : public testing::Test {
 protected:
  void SetUp() override { root = FS::tempDir(); }
  void TearDown() override { FS::remove(root); }

  void put(const fs::path& relative, const std::string& bytes) {
    fs::create_directories((root / relative).parent_path());
    FS::writeAtomic(root / relative, bytes);
  }
  std::string read(const fs::path& relative) { return FS::readFile(root / relative); }

  fs::path root;
};
}  // namespace

TEST_F(FSTest, LinksAreToldApartAndRemovedThemselvesNotTheirTargets) {
  put("dir/keep.txt", "k");
  fs::create_directory_symlink(root / "dir", root / "link");
  fs::create_symlink(root / "nowhere", root / "dangling");
  EXPECT_TRUE(FS::exists(root / "link") && FS::isDirectory(root / "link") && FS::isSymlink(root / "link"));
  EXPECT_TRUE(!FS::isSymlink(root / "dir") && !FS::exists(root / "dangling") && FS::isSymlink(root / "dangling"));

  for (const char* name : {"link", "dangling", "missing"}) FS::remove(root / name);
  EXPECT_FALSE(FS::isSymlink(root / "link") || FS::isSymlink(root / "dangling"));
  EXPECT_EQ(read("dir/keep.txt"), "k");
  FS::remove(root / "dir");
  EXPECT_FALSE(fs::exists(root / "dir"));
}

TEST_F(FSTest, MoveReplacesTheDestinationAndMakesItsFolder) {
  put("src/new.txt", "new");
  put("deep/dst/old.txt", "old");
  FS::move(root / "src", root / "deep/dst");
  EXPECT_EQ(read("deep/dst/new.txt"), "new");
  EXPECT_FALSE(fs::exists(root / "deep/dst/old.txt"));

  FS::move(root / "deep/dst/new.txt", root / "made/for/it.txt");
  EXPECT_EQ(read("made/for/it.txt"), "new");
  EXPECT_THROW(FS::move(root / "missing", root / "x"), fs::filesystem_error);
}

TEST_F(FSTest, CopyContentsMergesHonoursOverwriteSkipsTopLevelNamesAndCopiesLinksAsLinks) {
  put("src/plugins/new.dll", "new");
  put("src/plugins/same.dll", "from source");
  put("src/.hidden", "h");
  put("src/config/top.cfg", "top");
  put("src/plugins/config/deep.cfg", "deep");
  put("dst/plugins/theirs.dll", "theirs");
  put("dst/plugins/same.dll", "from target");
  fs::create_directory_symlink("plugins", root / "src/folderLink");
  fs::create_symlink("gone", root / "src/dangling");
  fs::create_symlink("elsewhere", root / "dst/dangling");  // a dangling link counts as something there

  FS::copyContents(root / "src", root / "dst", false, {"config"});
  EXPECT_EQ(read("dst/plugins/new.dll"), "new");
  EXPECT_EQ(read("dst/plugins/theirs.dll"), "theirs");
  EXPECT_EQ(read("dst/plugins/same.dll"), "from target");
  EXPECT_EQ(read("dst/.hidden"), "h");
  EXPECT_FALSE(fs::exists(root / "dst/config"));
  EXPECT_EQ(read("dst/plugins/config/deep.cfg"), "deep");
  EXPECT_TRUE(fs::is_symlink(root / "dst/folderLink"));
  EXPECT_EQ(fs::read_symlink(root / "dst/folderLink"), "plugins");
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "elsewhere");

  FS::copyContents(root / "src", root / "dst", true, {"config"});
  EXPECT_EQ(read("dst/plugins/same.dll"), "from source");
  EXPECT_EQ(read("dst/plugins/theirs.dll"), "theirs");
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "gone");

  EXPECT_THROW(FS::copyContents(root / "missing", root / "made", true), fs::filesystem_error);
  EXPECT_TRUE(fs::is_directory(root / "made"));  // the target is made first
}

TEST_F(FSTest, WriteAtomicKeepsTheModeAndAFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  put("profile.json", "old");
  fs::permissions(root / "profile.json", fs::perms(0600));
  FS::writeAtomic(root / "profile.json", "old content");
  EXPECT_EQ(fs::status(root / "profile.json").permissions(), fs::perms(0600));
  EXPECT_THROW(FS::readFile(root / "missing"), fs::filesystem_error);

  // A file size limit makes the write fail part-way, like a full disk.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small{16, saved.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(FS::writeAtomic(root / "profile.json", std::string(100000, 'x')), fs::filesystem_error);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(read("profile.json"), "old content");

  put("taken/inside", "i");  // a folder in the way of the rename
  EXPECT_THROW(FS::writeAtomic(root / "taken", "bytes"), fs::filesystem_error);
  EXPECT_EQ(read("taken/inside"), "i");

  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(root)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"profile.json", "taken"}));
}
