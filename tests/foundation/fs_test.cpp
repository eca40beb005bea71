#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "foundation/fs.hpp"
#include "temp_home.hpp"

namespace fs = std::filesystem;

namespace {
class FSTest : public testing::Test {
 protected:
  void put(const fs::path& relative, const std::string& bytes) {
    FS::mkdir((root / relative).parent_path());
    FS::writeAtomic(root / relative, bytes);
  }
  std::string read(const fs::path& relative) { return FS::readFile(root / relative); }
  const fs::path root = TestHome::path() / "fs";
};
}  // namespace

TEST_F(FSTest, CopyContentsMergesHonoursOverwriteSkipsTopLevelNamesAndCopiesLinksAsLinks) {
  put("src/plugins/new.dll", "new");
  put("src/plugins/same.dll", "from source");
  put("src/config/top.cfg", "top");
  put("src/plugins/config/deep.cfg", "deep");
  put("dst/plugins/theirs.dll", "theirs");
  put("dst/plugins/same.dll", "from target");
  fs::create_directory_symlink("plugins", root / "src/folderLink");
  fs::create_symlink("gone", root / "src/dangling");
  fs::create_symlink("elsewhere", root / "dst/dangling");  // a dangling link counts as something there

  FS::copyContents(root / "src", root / "dst", false, {"config"});
  EXPECT_EQ(read("dst/plugins/new.dll"), "new");
  EXPECT_EQ(read("dst/plugins/same.dll"), "from target");
  EXPECT_FALSE(fs::exists(root / "dst/config"));
  EXPECT_EQ(read("dst/plugins/config/deep.cfg"), "deep");
  EXPECT_EQ(fs::read_symlink(root / "dst/folderLink"), "plugins");
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "elsewhere");

  FS::copyContents(root / "src", root / "dst", true, {"config"});
  EXPECT_EQ(read("dst/plugins/same.dll"), "from source");
  EXPECT_EQ(read("dst/plugins/theirs.dll"), "theirs");
  EXPECT_EQ(fs::read_symlink(root / "dst/dangling"), "gone");

  // Removing a link removes the link, never what it points at.
  FS::remove(root / "dst/folderLink");
  EXPECT_FALSE(FS::isSymlink(root / "dst/folderLink"));
  EXPECT_EQ(read("dst/plugins/new.dll"), "new");
}

TEST_F(FSTest, AFailedWriteAtomicLeavesTheOldFileWholeAndNoTemporaryFile) {
  put("profile.json", "old content");
  // A file size limit makes the write fail part-way, like a full disk.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small{16, saved.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(FS::writeAtomic(root / "profile.json", std::string(100000, 'x')), fs::filesystem_error);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(read("profile.json"), "old content");
  EXPECT_EQ(std::distance(fs::directory_iterator(root), {}), 1);
}
