#include <gmock/gmock.h>

#include <cstdlib>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "profiles/profile_store.hpp"
#include "temp_home.hpp"
#include "testkit/zip_builder.hpp"

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
  fs::path tmp = TestHome::path() / "tmp";
};
}  // namespace

TEST_F(ProfileArchive, ExportListsThePackFirstThenEveryModAndImportsBackWithItsConfiguration) {
  // The installed version of a mod is exported; the pack's installed version wins over the wanted one.
  Profile profile{"P",        "My Profile", now(),
                  "5.4.2100", "5.4.2202",   {{"A", "Mod", "1.0.13", "2.1", false, false}}};
  FS::mkdir(profile.bepinex() / "config" / "sub");
  FS::writeAtomic(profile.bepinex() / "config" / "sub" / "b.cfg", "b");
  std::string bytes = ProfileStore::exportZip(profile);
  EXPECT_EQ(leftovers(), 0u) << "the work folder and the archive file are removed";

  auto imported = ProfileStore::readExport(bytes);
  EXPECT_EQ(
      FS::readFile(imported.tempDir / "x" / "export.r2x"),
      "profileName: My Profile\nmods:\n"
      "  - name: denikson-BepInExPack_Valheim\n    version:\n      major: 5\n      minor: 4\n"
      "      patch: 2202\n    enabled: true\n"
      "  - name: A-Mod\n    version:\n      major: 2\n      minor: 1\n      patch: 0\n    enabled: false\n");
  EXPECT_EQ(imported.mods, (std::vector<ImportedMod>{{"A-Mod", "2.1.0", false}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "BepInEx" / "config");
  EXPECT_EQ(FS::readFile(*imported.configDir / "sub" / "b.cfg"), "b");
}

TEST_F(ProfileArchive, HoldsTravelWithTheProfileAndNothingOfItsHistory) {
  Profile profile{"HELD",       "Held",       now(),
                  std::nullopt, std::nullopt, {{"A", "Mod", "1.0.0", "1.0.0", true, true}}};
  ProfileStore::saveHolds(profile, {{"A-Mod", "1.0.0"}});
  FS::mkdir(profile.bepinex() / "config");
  FS::mkdir(profile.dir() / "history");
  FS::writeAtomic(profile.dir() / "history" / "1.json", "{}");
  auto imported = ProfileStore::readExport(ProfileStore::exportZip(profile));
  EXPECT_EQ(imported.holds, (HeldVersions{{"A-Mod", "1.0.0"}}));
  for (const auto& entry : fs::recursive_directory_iterator(imported.tempDir))
    EXPECT_EQ(entry.path().string().find("history"), std::string::npos) << entry.path();
}

TEST_F(ProfileArchive, ReadsForeignManifestsLenientlyWithTheConfigurationAtTheRoot) {
  // As other managers write it: top-level "config", quoted values, extra keys, CRLF line ends.
  std::string manifest =
      "profileName: 'Shared'\r\nmods:\r\n  - name: \"Quoted-Mod\"\r\n    version:\r\n      major: 1\r\n"
      "      minor: -2\r\n      patch: x3\r\n    enabled: True\r\n    icon: some/path.png\r\n"
      "  - name: No-Enabled\r\n    version:\r\n      major: +4\r\n  - name: denikson-BepInExPack_Valheim\r\n"
      "    version:\r\n      major: 5\r\n      minor: 4\r\n      patch: 2202\r\n    enabled: false\r\n";
  auto imported = ProfileStore::readExport(zipBytes({{"export.r2x", manifest}, {"config/a.cfg", "a"}}));
  EXPECT_EQ(imported.name, "Shared");
  EXPECT_EQ(imported.pack, "5.4.2202");
  EXPECT_EQ(imported.mods,
            (std::vector<ImportedMod>{{"Quoted-Mod", "1.-2.0", false}, {"No-Enabled", "4.0.0", true}}));
  EXPECT_EQ(imported.configDir, imported.tempDir / "x" / "config");
  EXPECT_EQ(FS::readFile(*imported.configDir / "a.cfg"), "a");
}

// An archive that is none, holds no mod list or claims more than it holds fails with the player's
// sentence and leaves no work folder.
TEST_F(ProfileArchive, AnUnreadableOrOversizedArchiveIsRefusedAndLeavesNothing) {
  const struct {
    std::string archive, sentence;
  } cases[] = {
      {"this is not a zip archive", "Couldn’t unpack profile.zip."},
      {zipBytes({{"config/a.cfg", "a"}}), "That profile code doesn’t contain a mod list."},
      // A few dozen bytes whose header claims a 4 GiB mod list.
      {zipDeclaring("export.r2x", 0xFFFFFFF0), "Couldn’t unpack profile.zip."},
      {zipBytes({{"export.r2x", "profileName: Big\nmods:\n#" + incompressible(1 << 20)}}),
       "That profile code’s mod list is too large."},
  };
  for (const auto& c : cases) {
    EXPECT_THAT([&] { ProfileStore::readExport(c.archive); },
                testing::ThrowsMessage<AppError>(testing::StrEq(c.sentence)));
    EXPECT_EQ(leftovers(), 0u) << c.sentence;
  }
}
