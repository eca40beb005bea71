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

TEST_F(FSTest, TestsTellLinksFoldersAndDanglingLinksApart) {
  fs::create_directory(root / "dir");
  fs::create_directory_symlink(root / "dir", root / "dirLink");
  fs::create_symlink(root / "nowhere", root / "dangling");

  EXPECT_TRUE(FS::exists(root / "dirLink"));
  EXPECT_TRUE(FS::isDirectory(root / "dirLink"));
  EXPECT_TRUE(FS::isSymlink(root / "dirLink"));
  EXPECT_FALSE(FS::isSymlink(root / "dir"));
  EXPECT_FALSE(FS::exists(root / "dangling"));
  EXPECT_TRUE(FS::isSymlink(root / "dangling"));
}

TEST_F(FSTest, RemoveTakesLinksNotTheirTargetsAndIgnoresMissingPaths) {
  put("dir/keep.txt", "k");
  fs::create_directory_symlink(root / "dir", root / "link");
  fs::create_symlink(root / "nowhere", root / "dangling");

  FS::remove(root / "link");
  FS::remove(root / "dangling");
  FS::remove(root / "missing");
  EXPECT_FALSE(FS::isSymlink(root / "link"));
  EXPECT_FALSE(FS::isSymlink(root / "dangling"));
  EXPECT_EQ(read("dir/keep.txt"), "k");

  FS::remove(root / "dir");
  EXPECT_FALSE(fs::exists(root / "dir"));
}

TEST_F(FSTest, MkdirAcceptsExistingFoldersAndRefusesFiles) {
  FS::mkdir(root / "a/b/c");
  FS::mkdir(root / "a/b/c");
  EXPECT_TRUE(fs::is_directory(root / "a/b/c"));
  put("file", "x");
  EXPECT_THROW(FS::mkdir(root / "file/sub"), fs::filesystem_error);
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

TEST_F(FSTest, TempDirGivesDistinctEmptyFolders) {
  fs::path a = FS::tempDir(), b = FS::tempDir();
  EXPECT_NE(a, b);
  EXPECT_EQ(a.parent_path(), fs::temp_directory_path());
  EXPECT_EQ(a.filename().string().rfind("quernhold-", 0), 0u);
  EXPECT_TRUE(fs::is_empty(a));
  EXPECT_TRUE(fs::is_empty(b));
  FS::remove(a);
  FS::remove(b);
}

TEST_F(FSTest, CopyContentsMergesFoldersAndHonoursOverwrite) {
  put("src/plugins/new.dll", "new");
  put("src/plugins/same.dll", "from source");
  put("src/.hidden", "h");
  put("dst/plugins/theirs.dll", "theirs");
  put("dst/plugins/same.dll", "from target");

  FS::copyContents(root / "src", root / "dst", false);
  EXPECT_EQ(read("dst/plugins/new.dll"), "new");
  EXPECT_EQ(read("dst/plugins/theirs.dll"), "theirs");
  EXPECT_EQ(read("dst/plugins/same.dll"), "from target");
  EXPECT_EQ(read("dst/.hidden"), "h");

  FS::copyContents(root / "src", root / "dst", true);
  EXPECT_EQ(read("dst/plugins/same.dll"), "from source");
  EXPECT_EQ(read("dst/plugins/theirs.dll"), "theirs");
}

TEST_F(FSTest, CopyContentsSkipsNamesOnlyAtTheTopLevel) {
  put("src/config/top.cfg", "top");
  put("src/plugins/config/deep.cfg", "deep");
  FS::copyContents(root / "src", root / "dst", true, {"config"});
  EXPECT_FALSE(fs::exists(root / "dst/config"));
  EXPECT_EQ(read("dst/plugins/config/deep.cfg"), "deep");
}

TEST_F(FSTest, CopyContentsCopiesLinksAsLinks) {
  put("src/real/file.txt", "x");
  fs::create_directory_symlink("real", root / "src/folderLink");
  fs::create_symlink("gone", root / "src/dangling");
  // A dangling link already at the target counts as something there.
  fs::create_directories(root / "dst");
  fs::create_symlink("elsewhere", root / "dst/dangling");

  FS::copyContents(root / "src", root / "dst", false);
  EXPECT_TRUE(fs::is_symlink(root / "dst/folderLink"));
  EXPECT_EQ(fs::read_symlink(root / "dst/folderLink"), "real");
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "elsewhere");

  FS::copyContents(root / "src", root / "dst", true);
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "gone");
}

TEST_F(FSTest, CopyContentsFailsOnAMissingSource) {
  EXPECT_THROW(FS::copyContents(root / "missing", root / "dst", true), fs::filesystem_error);
  EXPECT_TRUE(fs::is_directory(root / "dst"));  // the target is made first
}

TEST_F(FSTest, WriteAtomicReplacesTheFileAndKeepsItsMode) {
  put("settings.json", "old");
  fs::permissions(root / "settings.json", fs::perms(0600));
  FS::writeAtomic(root / "settings.json", "new");
  EXPECT_EQ(read("settings.json"), "new");
  EXPECT_EQ(fs::status(root / "settings.json").permissions(), fs::perms(0600));
  EXPECT_THROW(FS::readFile(root / "missing"), fs::filesystem_error);
}

TEST_F(FSTest, FailedWriteAtomicLeavesTheOldFileWholeAndNoTemporaryFile) {
  put("profile.json", "old content");
  // A file size limit makes the write fail part-way, like a full disk.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(FS::writeAtomic(root / "profile.json", std::string(100000, 'x')), fs::filesystem_error);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(read("profile.json"), "old content");

  // A folder in the way of the rename.
  put("taken/inside", "i");
  EXPECT_THROW(FS::writeAtomic(root / "taken", "bytes"), fs::filesystem_error);
  EXPECT_EQ(read("taken/inside"), "i");

  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(root)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"profile.json", "taken"}));
}
