#include <gmock/gmock.h>

#include <map>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "testkit/zip_builder.hpp"

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {
class ZipTest : public testing::Test {
 protected:
  void SetUp() override { work = FS::tempDir(); }
  void TearDown() override { FS::remove(work); }

  // Unpacks the archive into work/x; returns the error's text, or "" on success.
  std::string unpack(const std::string& name, const std::string& bytes,
                     const FS::UnpackLimits& limits = FS::modArchiveLimits) {
    FS::writeAtomic(work / name, bytes);
    try {
      FS::unzip(work / name, work / "x", limits);
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
  EXPECT_EQ(tree, (std::vector<std::string>{
                      "outside", "x", "x/BepInEx", "x/BepInEx/config", "x/BepInEx/config/a.cfg", "x/inside",
                      "x/plugins", "x/plugins/ok.dll", "x/s", "x/s/up", "x/via", "x/via/through.txt"}));
  EXPECT_EQ(FS::readFile(work / "x/BepInEx/config/a.cfg"), "a");
  EXPECT_EQ(FS::readFile(work / "x/plugins/ok.dll"), "ok");
  std::string text = Log::tail(1000);
  EXPECT_THAT(text, HasSubstr("evil.dll in mod.zip: its name leaves the folder\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped t in mod.zip: its link points outside the folder\n"));
  EXPECT_THAT(text,
              HasSubstr(" unzip skipped inside/ok.dll in mod.zip: it would be written through a link\n"));
  EXPECT_THAT(text, HasSubstr(" unzip warning (ok): mod.zip\n"));
}

TEST_F(ZipTest, DamagedArchivesFailWithTheReasonLogged) {
  EXPECT_EQ(unpack("junk.zip", "this is not a zip archive"), "Couldn’t unpack junk.zip.");
  EXPECT_THAT(Log::tail(1000),
              testing::EndsWith(" unzip failed (2) junk.zip: Unrecognized archive format\n"));

  // One flipped byte inside the compressed data of a.txt.
  std::string bytes = zipBytes({{"a.txt", std::string(5000, 'a') + "hello world"}});
  bytes[30 + 5 + static_cast<unsigned char>(bytes[28]) + 256 * static_cast<unsigned char>(bytes[29]) + 2] ^=
      0x55;
  EXPECT_EQ(unpack("flipped.zip", bytes), "Couldn’t unpack flipped.zip.");
  EXPECT_THAT(Log::tail(1000), testing::ContainsRegex(" unzip failed \\(2\\) flipped.zip: a.txt: .+\n$"));
}

namespace {
// Every file under `folder` with its size, relative names sorted.
std::map<std::string, uintmax_t> filesIn(const fs::path& folder) {
  std::map<std::string, uintmax_t> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[e.path().lexically_relative(folder).string()] = e.file_size();
  return files;
}
}  // namespace

TEST_F(ZipTest, AnEntryMustHoldTheBytesItDeclares) {
  // Headers that claim 4 GiB or (ZIP64) 64 GiB over no data at all: once unpacked as sparse
  // files of the claimed size.
  for (uint64_t declared : {uint64_t(0xFFFFFFF0), uint64_t(64) << 30}) {
    SCOPED_TRACE(declared);
    FS::remove(work / "x");
    EXPECT_EQ(unpack("tiny.zip", zipDeclaring("export.r2x", declared)), "Couldn’t unpack tiny.zip.");
    for (const auto& [name, size] : filesIn(work / "x")) EXPECT_EQ(size, 0u) << name;
    EXPECT_THAT(Log::tail(1000),
                testing::EndsWith(" unzip failed (2) tiny.zip: export.r2x: its data ends before its size\n"));
  }
}

TEST_F(ZipTest, PassingABoundStopsTheUnpackAndRemovesWhatItWrote) {
  struct Case {
    const char* bound;
    FS::UnpackLimits limits;
    std::vector<ZipEntry> entries;
  };
  const std::string kilobyte(1000, 'k');
  const Case cases[] = {
      {"more than 1500 bytes", {1500, 100}, {{"a.txt", kilobyte}, {"new/b.txt", kilobyte}}},
      {"more than 2 entries", {1 << 20, 2}, {{"a.txt", "a"}, {"new/", "", false, true}, {"new/b.txt", "b"}}},
      // Zeros deflate about a thousand times; no real mod file does.
      {"new/zeros.bin expands more than 200 times",
       FS::modArchiveLimits,
       {{"a.txt", "a"}, {"new/zeros.bin", std::string(8 << 20, '\0')}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bound);
    FS::remove(work / "x");
    FS::mkdir(work / "x/old");
    FS::writeAtomic(work / "x/old/keep.txt", "mine");
    EXPECT_EQ(unpack("big.zip", zipBytes(c.entries), c.limits),
              "Couldn’t unpack big.zip because it looks damaged or unsafe.");
    EXPECT_EQ(filesIn(work / "x"), (std::map<std::string, uintmax_t>{{"old/keep.txt", 4}}));
    EXPECT_FALSE(FS::exists(work / "x/new"));
    EXPECT_THAT(Log::tail(1000), testing::EndsWith(" unzip stopped big.zip: " + std::string(c.bound) + "\n"));
  }
}

TEST_F(ZipTest, OddButHarmlessEntriesAreSkippedWithAWarning) {
  const std::string longName(256, 'n');
  EXPECT_EQ(unpack("odd.zip", zipBytes({
                                  {"plugins/" + longName + ".dll", "x"},
                                  {"twice/inner.txt", "folder first"},
                                  {"twice", "then a file"},
                                  {"full/inner.txt", "folder first"},
                                  {"full", "plugins", true},
                                  {"plugins/ok.dll", "ok"},
                              })),
            "");
  EXPECT_EQ(filesIn(work / "x"),
            (std::map<std::string, uintmax_t>{
                {"full/inner.txt", 12}, {"plugins/ok.dll", 2}, {"twice/inner.txt", 12}}));
  std::string text = Log::tail(1000);
  EXPECT_THAT(text, HasSubstr(".dll in odd.zip: a part of its name is longer than 255 bytes\n"));
  EXPECT_THAT(text, HasSubstr(" unzip skipped twice in odd.zip: "));
  EXPECT_THAT(text, HasSubstr(" unzip skipped full in odd.zip: "));
  EXPECT_THAT(text, HasSubstr(" unzip warning (ok): odd.zip\n"));
}
