#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "profiles/profile_store.hpp"
#include "support/temp_home.hpp"
#include "support/zip_builder.hpp"

namespace fs = std::filesystem;
using ProfileStore::ImportedMod;

namespace {
// Points the temporary folder into the test's home (removed with it), so leftovers can be counted.
class ProfileArchive : public testing::Test {
 protected:
  void SetUp() override {
    FS::mkdir(tmp);
    setenv("TMPDIR", tmp.c_str(), 1);
  }
  size_t leftovers() const { return size_t(std::distance(fs::directory_iterator(tmp), {})); }
  // Unpacks archive bytes into a fresh folder with the product's own reader.
  fs::path unpack(const std::string& bytes, const std::string& name) {
    FS::mkdir(TestHome::path() / name);
    FS::writeAtomic(TestHome::path() / name / "a.zip", bytes);
    FS::unzip(TestHome::path() / name / "a.zip", TestHome::path() / name / "x");
    return TestHome::path() / name / "x";
  }
  fs::path tmp = TestHome::path() / "tmp";
};

bool logged(const std::string& line) { return Log::tail().find(line) != std::string::npos; }
}  // namespace

TEST_F(ProfileArchive, ExportListsThePackFirstThenEveryModAndReadsBackWithItsConfiguration) {
  Profile profile{"P", "My Profile", now(), "5.4.2100", "5.4.2202",
                  {{"A", "Installed", "1.0.13", "1.0.12", true, true},
                   {"B", "Wanted_Only", "2.1", std::nullopt, false, false}}};
  FS::mkdir(profile.bepinex() / "config" / "sub");
  FS::writeAtomic(profile.bepinex() / "config" / "a.cfg", "[General]\nx = 1\n");
  FS::writeAtomic(profile.bepinex() / "config" / "sub" / "b.cfg", "b");
  std::string bytes = ProfileStore::exportZip(profile);
  EXPECT_EQ(leftovers(), 0u) << "the work folder and the archive file are removed";
  EXPECT_EQ(FS::readFile(unpack(bytes, "out") / "export.r2x"),
            "profileName: My Profile\nmods:\n"
            "  - name: denikson-BepInExPack_Valheim\n    version:\n      major: 5\n      minor: 4\n"
            "      patch: 2202\n    enabled: true\n"
            "  - name: A-Installed\n    version:\n      major: 1\n      minor: 0\n"
            "      patch: 12\n    enabled: true\n"
            "  - name: B-Wanted_Only\n    version:\n      major: 2\n      minor: 1\n"
            "      patch: 0\n    enabled: false\n");

  auto imported = ProfileStore::readExport(bytes);
  EXPECT_EQ(imported.name, "My Profile");
  EXPECT_EQ(imported.pack, "5.4.2202");
  EXPECT_EQ(imported.mods,
            (std::vector<ImportedMod>{{"A-Installed", "1.0.12", true}, {"B-Wanted_Only", "2.1.0", false}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "BepInEx" / "config");
  EXPECT_EQ(FS::readFile(imported.tempDir / "x/BepInEx/config/a.cfg"), "[General]\nx = 1\n");
  EXPECT_EQ(FS::readFile(imported.tempDir / "x/BepInEx/config/sub/b.cfg"), "b");
  EXPECT_TRUE(logged("profile import 'My Profile': 2 mods, pack 5.4.2202, config: true"));
  EXPECT_EQ(leftovers(), 1u) << "only the import's folder, which the caller owns";

  // Nothing but the manifest without a configuration folder or a pack; a pack not installed is the wanted one.
  fs::path x = unpack(ProfileStore::exportZip({"Q", "Empty", now(), std::nullopt, std::nullopt, {}}), "empty");
  EXPECT_EQ(FS::readFile(x / "export.r2x"), "profileName: Empty\nmods:\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(x), {}), 1);
  EXPECT_EQ(ProfileStore::readExport(ProfileStore::exportZip({"R", "R", now(), "5.4.2100", std::nullopt, {}})).pack,
            "5.4.2100");
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
  auto imported = ProfileStore::readExport(zipBytes({{"export.r2x", manifest}, {"config/a.cfg", "a"}}));
  EXPECT_EQ(imported.name, "Shared");
  EXPECT_EQ(imported.pack, "5.4.2202");
  EXPECT_EQ(imported.mods, (std::vector<ImportedMod>{{"Quoted-Mod", "1.-2.0", false},
                                                     {"No-Enabled-Line", "4.0.0", true},
                                                     {"Capital-True", "0.0.0", false}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "config");

  // The loader's folder wins over a top-level one, also when its names use backslashes.
  imported = ProfileStore::readExport(
      zipBytes({{"export.r2x", "mods:\n"}, {"BepInEx\\config\\a.cfg", "a"}, {"config/b.cfg", "b"}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "BepInEx" / "config");
  EXPECT_EQ(FS::readFile(*imported.configDir / "a.cfg"), "a");
  // No name and no entries is not an error.
  EXPECT_EQ(imported.name, "Imported");
  EXPECT_EQ(imported.pack, std::nullopt);
  EXPECT_TRUE(imported.mods.empty());
  EXPECT_TRUE(logged("profile import 'Imported': 0 mods, pack -, config: true"));
}

TEST_F(ProfileArchive, UnreadableArchivesFailWithTheUsersSentence) {
  auto failsWith = [](const std::string& message) { return testing::ThrowsMessage<AppError>(testing::StrEq(message)); };
  EXPECT_THAT([] { ProfileStore::readExport("this is not a zip archive"); }, failsWith("Couldn’t unpack profile.zip."));
  EXPECT_THAT([] { ProfileStore::readExport(zipBytes({{"config/a.cfg", "a"}})); },
              failsWith("That profile code doesn’t contain a mod list."));
  EXPECT_EQ(leftovers(), 0u) << "a failed import removes its work folder";
}
