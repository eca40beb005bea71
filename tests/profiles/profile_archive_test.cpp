#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "profiles/profile_store.hpp"
#include "support/temp_home.hpp"
#include "support/zip_builder.hpp"

namespace fs = std::filesystem;
using ProfileStore::ImportedMod;

namespace {
// Points the temporary folder into the test's home, so leftovers can be counted.
class ProfileArchive : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tmp);
    setenv("TMPDIR", tmp.c_str(), 1);
  }
  size_t leftovers() const {
    return size_t(std::distance(fs::directory_iterator(tmp), fs::directory_iterator()));
  }
  fs::path tmp = TestHome::path() / "tmp";
};

void put(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

// Unpacks archive bytes into a fresh folder with the product's own reader.
fs::path unpack(const std::string& bytes, const fs::path& into) {
  put(into / "a.zip", bytes);
  FS::unzip(into / "a.zip", into / "x");
  return into / "x";
}

std::string errorOf(const std::string& bytes) {
  try {
    ProfileStore::readExport(bytes);
  } catch (const AppError& e) {
    return e.what();
  }
  return "no error";
}

const char* const entryLines =
    "  - name: denikson-BepInExPack_Valheim\n    version:\n      major: 5\n      minor: 4\n"
    "      patch: 2202\n    enabled: true\n";
}  // namespace

TEST_F(ProfileArchive, ManifestListsThePackFirstThenEveryMod) {
  Profile profile{"P", "My Profile", now(), "5.4.2100", "5.4.2202",
                  {{"A", "Installed", "1.0.13", "1.0.12", true, true},
                   {"B", "Wanted_Only", "2.1", std::nullopt, false, false}}};
  fs::path x = unpack(ProfileStore::exportZip(profile), TestHome::path() / "out");
  EXPECT_EQ(FS::readFile(x / "export.r2x"),
            std::string("profileName: My Profile\nmods:\n") + entryLines +
                "  - name: A-Installed\n    version:\n      major: 1\n      minor: 0\n"
                "      patch: 12\n    enabled: true\n"
                "  - name: B-Wanted_Only\n    version:\n      major: 2\n      minor: 1\n"
                "      patch: 0\n    enabled: false\n");
  EXPECT_EQ(leftovers(), 0u) << "the work folder and the archive file are removed";

  // Nothing but the manifest when there is no configuration folder.
  Profile empty{"Q", "Empty", now(), std::nullopt, std::nullopt, {}};
  x = unpack(ProfileStore::exportZip(empty), TestHome::path() / "empty");
  EXPECT_EQ(FS::readFile(x / "export.r2x"), "profileName: Empty\nmods:\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(x), fs::directory_iterator()), 1);
}

TEST_F(ProfileArchive, ExportReadsBackWithItsConfiguration) {
  Profile profile{"P", "Round Trip", now(), "5.4.2202", std::nullopt,
                  {{"A", "One", "1.2.3", std::nullopt, true, true},
                   {"B", "Two", "0.0.1", "0.0.1", false, true}}};
  put(profile.bepinex() / "config" / "a.cfg", "[General]\nx = 1\n");
  put(profile.bepinex() / "config" / "sub" / "b.cfg", "b");

  auto imported = ProfileStore::readExport(ProfileStore::exportZip(profile));
  EXPECT_EQ(imported.name, "Round Trip");
  EXPECT_EQ(imported.pack, "5.4.2202");
  EXPECT_EQ(imported.mods, (std::vector<ImportedMod>{{"A-One", "1.2.3", true}, {"B-Two", "0.0.1", false}}));
  ASSERT_TRUE(imported.configDir);
  EXPECT_EQ(*imported.configDir, imported.tempDir / "x" / "BepInEx" / "config");
  EXPECT_EQ(FS::readFile(*imported.configDir / "a.cfg"), "[General]\nx = 1\n");
  EXPECT_EQ(FS::readFile(*imported.configDir / "sub" / "b.cfg"), "b");
  EXPECT_NE(Log::tail().find("profile import 'Round Trip': 2 mods, pack 5.4.2202, config: true"),
            std::string::npos);

  EXPECT_EQ(leftovers(), 1u) << "only the import's folder, which the caller owns";
  FS::remove(imported.tempDir);
}

TEST_F(ProfileArchive, ReadsForeignManifestsLeniently) {
  // As other managers write it: top-level "config", quoted values, extra keys, CRLF line ends.
  std::string manifest =
      "profileName: 'Shared'\r\n"
      "major: 9\r\n"  // before any entry: ignored
      "mods:\r\n"
      "  - name: \"Quoted-Mod\"\r\n    version:\r\n      major: 1\r\n      minor: -2\r\n"
      "      patch: x3\r\n    enabled: yes\r\n    icon: some/path.png\r\n"
      "  - name: No-Enabled-Line\r\n    version:\r\n      major: +4\r\n"
      "  - name: denikson-BepInExPack_Valheim\r\n    version:\r\n      major: 5\r\n"
      "      minor: 4\r\n      patch: 2202\r\n    enabled: false\r\n"
      "  - name: Capital-True\r\n    enabled: True\r\n";
  auto imported = ProfileStore::readExport(
      zipBytes({{"export.r2x", manifest}, {"config/a.cfg", "a"}}));
  EXPECT_EQ(imported.name, "Shared");
  EXPECT_EQ(imported.pack, "5.4.2202");
  EXPECT_EQ(imported.mods, (std::vector<ImportedMod>{{"Quoted-Mod", "1.-2.0", false},
                                                     {"No-Enabled-Line", "4.0.0", true},
                                                     {"Capital-True", "0.0.0", false}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "config");
  FS::remove(imported.tempDir);

  // No name and no entries is not an error.
  imported = ProfileStore::readExport(zipBytes({{"export.r2x", "mods:\n"}}));
  EXPECT_EQ(imported.name, "Imported");
  EXPECT_EQ(imported.pack, std::nullopt);
  EXPECT_TRUE(imported.mods.empty());
  EXPECT_EQ(imported.configDir, std::nullopt);
  EXPECT_NE(Log::tail().find("profile import 'Imported': 0 mods, pack -, config: false"),
            std::string::npos);
  FS::remove(imported.tempDir);
}

TEST_F(ProfileArchive, BackslashNamesAndTheLoaderConfigFolderWin) {
  auto imported = ProfileStore::readExport(zipBytes({{"export.r2x", "profileName: W\nmods:\n"},
                                                     {"BepInEx\\config\\a.cfg", "a"},
                                                     {"config/b.cfg", "b"}}));
  ASSERT_TRUE(imported.configDir);
  EXPECT_EQ(*imported.configDir, imported.tempDir / "x" / "BepInEx" / "config");
  EXPECT_EQ(FS::readFile(*imported.configDir / "a.cfg"), "a");
  FS::remove(imported.tempDir);
}

TEST_F(ProfileArchive, UnreadableArchivesFailWithTheUsersSentence) {
  EXPECT_EQ(errorOf("this is not a zip archive"), "Couldn’t unpack profile.zip.");
  EXPECT_EQ(errorOf(zipBytes({{"config/a.cfg", "a"}})),
            "That profile code doesn’t contain a mod list.");
  EXPECT_EQ(leftovers(), 0u) << "a failed import removes its work folder";
}
