#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "support/temp_home.hpp"
#include "support/zip_builder.hpp"

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {
class ZipTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHome::clear();  // a fresh activity log
    work = FS::tempDir();
  }
  void TearDown() override { FS::remove(work); }

  // Unpacks the archive into work/x; returns the error's text, or "" on success.
  std::string unpack(const std::string& name, const std::string& bytes) {
    FS::writeAtomic(work / name, bytes);
    try {
      FS::unzip(work / name, work / "x");
      return "";
    } catch (const AppError& e) {
      return e.what();
    }
  }

  fs::path work;
};
}  // namespace

TEST_F(ZipTest, BackslashNamesAreRepairedAndHostileEntriesAreSkippedWithAWarning) {
  fs::path outside = work / "outside";
  FS::mkdir(outside);
  FS::mkdir(work / "x/plugins");
  FS::writeAtomic(work / "x/plugins/ok.dll", "old");
  std::vector<ZipEntry> entries{
      {"BepInEx\\config\\a.cfg", "a"},
      {(outside / "absolute.txt").string(), "evil"},
      {"a/../../escape.txt", "evil"},
      {"..\\..\\evil.dll", "evil"},
      {"linkOut", outside.string(), true},
      // "up" resolves to the root, so "s/up/.." would climb out of it.
      {"s/up", "..", true},
      {"t", "s/up/..", true},
      // Written through a link the archive made: the link is refused, the file lands in a real folder.
      {"via", outside.string(), true},
      {"via/through.txt", "fine"},
      {"plugins/ok.dll", "ok"},
      // "inside" is a legal link, but nothing may be unpacked through it.
      {"inside", "plugins", true},
      {"inside/ok.dll", "overwritten"},
  };
  EXPECT_EQ(unpack("mod.zip", zipBytes(entries)), "");

  std::vector<std::string> tree;
  for (const auto& e : fs::recursive_directory_iterator(work))
    if (e.path().extension() != ".zip") tree.push_back(e.path().lexically_relative(work).string());
  std::sort(tree.begin(), tree.end());
  EXPECT_EQ(tree, (std::vector<std::string>{"outside", "x", "x/BepInEx", "x/BepInEx/config", "x/BepInEx/config/a.cfg",
                                            "x/inside", "x/plugins", "x/plugins/ok.dll", "x/s", "x/s/up", "x/via",
                                            "x/via/through.txt"}));
  EXPECT_EQ(FS::readFile(work / "x/BepInEx/config/a.cfg"), "a");
  EXPECT_EQ(FS::readFile(work / "x/plugins/ok.dll"), "ok");
  std::string text = Log::tail(1000);
  EXPECT_THAT(text, HasSubstr("evil.dll in mod.zip: its name leaves the folder\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped t in mod.zip: its link points outside the folder\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped inside/ok.dll in mod.zip: it would be written through a link\n"));
  EXPECT_THAT(text, HasSubstr(" unzip warning (ok): mod.zip\n"));
}

TEST_F(ZipTest, DamagedArchivesFailWithTheReasonLogged) {
  EXPECT_EQ(unpack("junk.zip", "this is not a zip archive"), "Couldn’t unpack junk.zip.");
  EXPECT_THAT(Log::tail(1000), testing::EndsWith(" unzip failed (2) junk.zip: Unrecognized archive format\n"));

  // One flipped byte inside the compressed data of a.txt.
  std::string bytes = zipBytes({{"a.txt", std::string(5000, 'a') + "hello world"}});
  bytes[30 + 5 + static_cast<unsigned char>(bytes[28]) + 256 * static_cast<unsigned char>(bytes[29]) + 2] ^= 0x55;
  EXPECT_EQ(unpack("flipped.zip", bytes), "Couldn’t unpack flipped.zip.");
  EXPECT_THAT(Log::tail(1000), testing::ContainsRegex(" unzip failed \\(2\\) flipped.zip: a.txt: .+\n$"));
}
