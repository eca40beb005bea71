#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

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
    target = work / "x";
  }
  void TearDown() override { FS::remove(work); }

  // Unpacks `entries` as mod.zip into the target; returns the error's text, or "" on success.
  std::string unpack(const std::vector<ZipEntry>& entries) {
    writeZip(work / "mod.zip", entries);
    return unpackFile(work / "mod.zip");
  }
  std::string unpackFile(const fs::path& zipFile) {
    try {
      FS::unzip(zipFile, target);
      return "";
    } catch (const AppError& e) {
      return e.what();
    }
  }
  // Every path under the work folder, relative to it; the archives themselves left out.
  std::vector<std::string> tree() {
    std::vector<std::string> paths;
    for (const auto& e : fs::recursive_directory_iterator(work))
      if (e.path().extension() != ".zip") paths.push_back(e.path().lexically_relative(work).string());
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  fs::path work, target;
};

// The names as stored in the archive's central directory, byte for byte.
std::vector<std::string> entryNames(const fs::path& zipFile) {
  std::string b = FS::readFile(zipFile);
  std::vector<std::string> names;
  for (size_t at = b.find("PK\1\2"); at != std::string::npos; at = b.find("PK\1\2", at + 46))
    names.push_back(b.substr(at + 46, uint8_t(b[at + 28]) | uint8_t(b[at + 29]) << 8));
  return names;
}
}  // namespace

TEST_F(ZipTest, BackslashNamesBecomeRealFoldersAndOverwriteWhatIsThere) {
  FS::mkdir(target / "BepInEx/plugins");
  FS::writeAtomic(target / "BepInEx/plugins/b.dll", "old");
  EXPECT_EQ(unpack({{"BepInEx\\config\\a.cfg", "a"}, {"BepInEx\\plugins\\b.dll", "b"}, {"README.md", "r"}}), "");
  EXPECT_EQ(tree(), (std::vector<std::string>{"x", "x/BepInEx", "x/BepInEx/config", "x/BepInEx/config/a.cfg",
                                              "x/BepInEx/plugins", "x/BepInEx/plugins/b.dll", "x/README.md"}));
  EXPECT_EQ(FS::readFile(target / "BepInEx/config/a.cfg"), "a");
  EXPECT_EQ(FS::readFile(target / "BepInEx/plugins/b.dll"), "b");
  EXPECT_EQ(Log::tail(1000), "No log yet.");  // a clean unpack logs nothing
}

TEST_F(ZipTest, HostileEntriesAreSkippedWithAWarning) {
  fs::path outside = work / "outside";
  FS::mkdir(outside);
  std::vector<ZipEntry> entries{
      {(outside / "absolute.txt").string(), "evil"},
      {"../escape.txt", "evil"},
      {"a/../../escape2.txt", "evil"},
      {"..\\..\\evil.dll", "evil"},
      {"linkOut", outside.string(), true},
      {"sub/climb", "../..", true},
      // "up" resolves to the root, so "s/up/.." would climb out of it.
      {"s/up", "..", true},
      {"t", "s/up/..", true},
      // Written through a link the archive made: the link is refused, the file lands in a real folder.
      {"via", outside.string(), true},
      {"via/through.txt", "fine"},
      {"plugins/ok.dll", "ok"},
      {"plugins/sibling", "../plugins/ok.dll", true},
      // "inside" is a legal link, but nothing may be unpacked through it.
      {"inside", "plugins", true},
      {"inside/ok.dll", "overwritten"},
  };
  EXPECT_EQ(unpack(entries), "");

  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_EQ(tree(), (std::vector<std::string>{"outside", "x", "x/inside", "x/plugins", "x/plugins/ok.dll",
                                              "x/plugins/sibling", "x/s", "x/s/up", "x/via", "x/via/through.txt"}));
  EXPECT_EQ(FS::readFile(target / "plugins/sibling"), "ok");
  std::string text = Log::tail(1000);
  EXPECT_THAT(text, HasSubstr("evil.dll in mod.zip: its name leaves the folder\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped t in mod.zip: its link points outside the folder\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped inside/ok.dll in mod.zip: it would be written through a link\n"));
  EXPECT_THAT(text, HasSubstr(" unzip warning (ok): mod.zip\n"));
}

TEST_F(ZipTest, DamagedArchivesFailWithTheReasonLogged) {
  FS::writeAtomic(work / "junk.zip", "this is not a zip archive");
  EXPECT_EQ(unpackFile(work / "junk.zip"), "Couldn’t unpack junk.zip.");
  EXPECT_THAT(Log::tail(1000), testing::EndsWith(" unzip failed (2) junk.zip: Unrecognized archive format\n"));

  EXPECT_EQ(unpackFile(work / "missing.zip"), "Couldn’t unpack missing.zip.");
  EXPECT_THAT(Log::tail(1000), testing::ContainsRegex(" unzip failed \\(2\\) missing.zip: .*missing.zip.*\n$"));

  // One flipped byte inside the compressed data of a.txt.
  std::string bytes = zipBytes({{"a.txt", std::string(5000, 'a') + "hello world"}});
  bytes[30 + 5 + static_cast<unsigned char>(bytes[28]) + 256 * static_cast<unsigned char>(bytes[29]) + 2] ^= 0x55;
  FS::writeAtomic(work / "flipped.zip", bytes);
  EXPECT_EQ(unpackFile(work / "flipped.zip"), "Couldn’t unpack flipped.zip.");
  EXPECT_THAT(Log::tail(1000), testing::ContainsRegex(" unzip failed \\(2\\) flipped.zip: a.txt: .+\n$"));
}

TEST_F(ZipTest, TruncatedArchivesFailAndCutTheLoggedReason) {
  std::string longName(400, 'n');
  std::string bytes = zipBytes({{"first.txt", "1"}, {longName, std::string(100000, 'z')}});
  FS::writeAtomic(work / "cut.zip", bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(unpackFile(work / "cut.zip"), "Couldn’t unpack cut.zip.");

  std::string line = Log::tail(2);
  std::string prefix = line.substr(0, 20) + "unzip failed (2) cut.zip: ";
  ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
  EXPECT_EQ(line.substr(prefix.size()), std::string(300, 'n') + "\n");  // the reason starts with the entry's name
  for (const auto& p : tree()) EXPECT_EQ(p.rfind("x", 0), 0u) << p;
}

TEST_F(ZipTest, ZipRoundTripsFoldersHiddenFilesLinksAndExecutableBits) {
  fs::path folder = work / "profile";
  FS::mkdir(folder / "BepInEx/config");
  FS::writeAtomic(folder / "export.r2x", "manifest");
  FS::writeAtomic(folder / "BepInEx/config/.hidden.cfg", "h");
  FS::writeAtomic(folder / "run.sh", "#!/bin/sh\n");
  fs::permissions(folder / "run.sh", fs::perms(0755));
  fs::create_symlink("BepInEx/config", folder / "configLink");
  FS::writeAtomic(folder / "BepInEx/config/Ünïcødé.cfg", "u");

  FS::zip(folder, work / "profile.zip");
  EXPECT_THAT(entryNames(work / "profile.zip"),
              testing::UnorderedElementsAre("BepInEx/", "BepInEx/config/", "BepInEx/config/.hidden.cfg",
                                            "BepInEx/config/Ünïcødé.cfg", "configLink", "export.r2x", "run.sh"));

  // An archive written over a file in the folder leaves itself out.
  FS::writeAtomic(folder / "inside.zip", "stale");
  FS::zip(folder, folder / "inside.zip");
  EXPECT_THAT(entryNames(folder / "inside.zip"), testing::Not(testing::Contains("inside.zip")));

  EXPECT_EQ(unpackFile(work / "profile.zip"), "");
  EXPECT_EQ(FS::readFile(target / "BepInEx/config/.hidden.cfg"), "h");
  EXPECT_EQ(FS::readFile(target / "BepInEx/config/Ünïcødé.cfg"), "u");
  EXPECT_EQ(fs::read_symlink(target / "configLink"), "BepInEx/config");
  EXPECT_EQ(fs::status(target / "run.sh").permissions(), fs::perms(0755));
  EXPECT_EQ(fs::status(target / "export.r2x").permissions(), fs::perms(0644));
  EXPECT_EQ(fs::status(target / "BepInEx").permissions(), fs::perms(0755));
}
