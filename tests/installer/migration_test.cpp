#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "profiles/profile_store.hpp"

namespace {
class Migration : public InstallerTest {
 protected:
  fs::path legacy() const { return game / "BepInEx"; }
  void addLegacyMod(const std::string& folder, const std::string& version, const std::string& manifest) {
    writeFile(legacy() / "plugins" / folder / "mod.dll", folder);
    writeFile(legacy() / "plugins" / folder / ".ts_version", version);
    if (!manifest.empty()) writeFile(legacy() / "plugins" / folder / ".ts_manifest.json", manifest);
  }
};

TEST_F(Migration, ALegacyInstallBecomesTheProfileDefaultWithDependenciesMarked) {
  writeFile(legacy() / ".pack_version", "5.4.2202\n");
  writeFile(legacy() / "core/BepInEx.Preloader.dll", "core");
  writeFile(legacy() / "config/BepInEx.cfg", "user settings");
  // A depends on B (whose manifest starts with a byte-order mark); C has no manifest.
  addLegacyMod("Alpha-A", " 1.2.3\n", R"({"dependencies":["Beta-B-2.0.0","denikson-BepInExPack_Valheim-5.4.2202"]})");
  addLegacyMod("Beta-B", "2.0.0", "\xEF\xBB\xBF{\"dependencies\":[]}");
  addLegacyMod("Gamma-C", "0.1.0", "");
  writeFile(legacy() / "plugins/HandMade/hand.dll", "hand");

  const auto migrated = Installer::migrateLegacyInstall(game);
  ASSERT_TRUE(migrated);
  EXPECT_EQ(migrated->name, "Default");
  EXPECT_EQ(migrated->packVersion, "5.4.2202");
  EXPECT_EQ(migrated->packInstalled, "5.4.2202");
  auto mods = migrated->mods;
  std::sort(mods.begin(), mods.end(), [](const auto& a, const auto& b) { return a.id() < b.id(); });
  EXPECT_EQ(mods, (std::vector<ProfileMod>{{"Alpha", "A", "1.2.3", "1.2.3", true, true},
                                           {"Beta", "B", "2.0.0", "2.0.0", true, false},
                                           {"Gamma", "C", "0.1.0", "0.1.0", true, true}}));
  EXPECT_FALSE(fs::exists(legacy()));
  EXPECT_EQ(filesUnder(migrated->dir()),
            (Files{"BepInEx/config/BepInEx.cfg", "BepInEx/core/BepInEx.Preloader.dll",
                   "BepInEx/plugins/Alpha-A/mod.dll", "BepInEx/plugins/Beta-B/mod.dll",
                   "BepInEx/plugins/Gamma-C/mod.dll", "BepInEx/plugins/HandMade/hand.dll", "meta/Alpha-A.json",
                   "meta/Beta-B.json", "profile.json"}));
  EXPECT_EQ(readFile(migrated->metaDir() / "Beta-B.json"), "\xEF\xBB\xBF{\"dependencies\":[]}");
  const auto saved = ProfileStore::loadAll();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].mods.size(), 3u);
  EXPECT_TRUE(logHas("migrated existing install into profile 'Default' (3 mods)\n"));
}

TEST_F(Migration, NothingToMigrateWithoutARealFolder) {
  EXPECT_FALSE(Installer::migrateLegacyInstall(game)) << "no game folder entry";
  fs::create_directories(game);
  fs::create_directory_symlink(profile.bepinex(), game / "BepInEx");
  EXPECT_FALSE(Installer::migrateLegacyInstall(game)) << "already managed";
  EXPECT_TRUE(fs::is_symlink(game / "BepInEx"));
  EXPECT_TRUE(ProfileStore::loadAll().empty());
}
}  // namespace
