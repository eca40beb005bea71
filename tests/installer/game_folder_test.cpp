// The game folder: the loader and its run script, the loader pack, the link to the active
// profile, and a hand-made BepInEx folder taken over.
#include <gmock/gmock.h>

#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/fake_tools.hpp"

namespace {
using GameFolder = InstallerTest;
TEST_F(GameFolder, IsOneHoldingTheGamesAppFolderOrALinkToIt) {
  EXPECT_FALSE(Installer::isGameFolder(game));
  writeFile(game / "valheim.app", "not a folder");
  EXPECT_FALSE(Installer::isGameFolder(game));
  fs::remove_all(game);
  FakeGame::make(TestHome::path() / "elsewhere");
  fs::create_directories(game);
  fs::create_directory_symlink(TestHome::path() / "elsewhere" / "valheim.app", game / "valheim.app");
  EXPECT_TRUE(Installer::isGameFolder(game));
  EXPECT_TRUE(Installer::isGameFolder(TestHome::path() / "elsewhere"));
}

// A game folder and a catalogue for the loader and its pack.
class LoaderAndPack : public InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    FakeGame::make(game);
  }
  FakeCatalogue catalogue;
};

TEST_F(LoaderAndPack, EnsureLoaderInstallsTheReleaseWithoutItsCoreAndEditsTheScriptExactlyAndOnce) {
  FakeTools tools{TestHome::path() / "tools"};
  auto release = FakeGame::loaderArchive();
  ASSERT_EQ(release[0].name, "run_bepinex.sh");
  release[0].content =
      "#!/bin/sh\r\nexecutable_name=\"Other.app\"\r\n  executable_name=indented\n"
      "dll_search_path_override=\nexecutable_name=";
  catalogue.serve("/BepInEx/BepInEx/releases/download/v5.4.23.2/BepInEx_macos_x64_5.4.23.2.zip",
                  zipBytes(release));
  Installer::ensureLoader(game);
  EXPECT_EQ(filesUnder(game),
            (Files{".doorstop_version", "changelog.txt", "libdoorstop.dylib", "run_bepinex.sh",
                   "valheim.app/Contents/Info.plist", "valheim.app/Contents/MacOS/valheim"}))
      << "the core comes from the pack, into each profile";
  EXPECT_EQ(tools.calls("xattr"), (std::vector<Files>{{"-dr", "com.apple.quarantine", game.string()}}));
  for (int again = 0; again < 2; ++again) {
    EXPECT_EQ(readFile(game / "run_bepinex.sh"),
              "#!/bin/sh\r\nexecutable_name=\"valheim.app\"\r\n  executable_name=indented\n"
              "dll_search_path_override=\nexecutable_name=\"valheim.app\"");
    EXPECT_EQ(fs::status(game / "run_bepinex.sh").permissions() & fs::perms::mask, fs::perms(0755));
    Installer::configureRunScript(game);  // a second edit changes nothing
  }
}

TEST_F(LoaderAndPack, ThePackUpdatesTheCoreAndKeepsTheUsersFiles) {
  FakeGame::addLoader(game);
  writeFile(P() / "BepInEx/config/BepInEx.cfg", "edited by the user");
  writeFile(P() / "BepInEx/core/BepInEx.dll", "old core");
  for (const char* kept : {"BepInEx/core/Extra.dll", "BepInEx/plugins/Author-Mod/Mod.dll"})
    writeFile(P() / kept, "");
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202",
                       zipBytes(FakeGame::packArchive("5.4.2202")));
  EXPECT_FALSE(Installer::packPresent(profile));
  Installer::installPack(profile, "5.4.2202", game);
  EXPECT_TRUE(Installer::packPresent(profile));
  EXPECT_EQ(filesUnder(P()), (Files{"BepInEx/config/BepInEx.cfg", "BepInEx/core/BepInEx.Preloader.dll",
                                    "BepInEx/core/BepInEx.dll", "BepInEx/core/Extra.dll",
                                    "BepInEx/plugins/Author-Mod/Mod.dll"}));
  EXPECT_EQ(readFile(P() / "BepInEx/config/BepInEx.cfg"), "edited by the user");
  EXPECT_EQ(readFile(P() / "BepInEx/core/BepInEx.dll"), "core 5.4.2202");
  EXPECT_EQ(filesUnder(game / "unstripped_corlib"), (Files{"System.dll", "mscorlib.dll"}));
  EXPECT_NE(readFile(game / "run_bepinex.sh").find("\ndll_search_path_override=\"unstripped_corlib\"\n"),
            std::string::npos)
      << "the script follows unstripped_corlib";
  EXPECT_TRUE(fs::is_empty(tmp()));
}

TEST_F(LoaderAndPack, APackWithAnUnexpectedLayoutIsRefusedAndChangesNothing) {
  writeFile(P() / "BepInEx/core/BepInEx.dll", "old core");
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202",
                       zipBytes({{"BepInEx/core/BepInEx.dll", "core at the top"}}));
  EXPECT_THAT([&] { Installer::installPack(profile, "5.4.2202", game); },
              testing::ThrowsMessage<AppError>(testing::StrEq("Unexpected BepInEx pack layout.")));
  EXPECT_EQ(filesUnder(P()), Files{"BepInEx/core/BepInEx.dll"});
  EXPECT_EQ(readFile(P() / "BepInEx/core/BepInEx.dll"), "old core");
  EXPECT_TRUE(fs::is_empty(tmp()));
}

using Activation = InstallerTest;
TEST_F(Activation, ALinkIsSwappedAndARealFolderInTheWayIsMovedAsideNeverDeleted) {
  writeFile(game / "BepInEx/plugins/Hand/hand.dll", "hand-made");
  Installer::activate(profile, game);
  const Files entries = filesUnder(game);
  ASSERT_THAT(entries,
              testing::ElementsAre(testing::MatchesRegex(R"(BepInEx\.backup-[^/]+/plugins/Hand/hand\.dll)")));
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), profile.bepinex());
  EXPECT_TRUE(
      logHas("moving unexpected BepInEx folder aside to " + entries[0].substr(0, entries[0].find('/'))));
  EXPECT_FALSE(Installer::migrateLegacyInstall(game)) << "the link is not a legacy install";

  Profile other = {.id = "OTHER-PROFILE", .name = "Other"};  // the link is ours now: it is only swapped
  fs::create_directories(other.bepinex());
  Installer::activate(other, game);
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), other.bepinex());
  EXPECT_EQ(filesUnder(game), entries) << "nothing more is moved";
}

using Migration = InstallerTest;
TEST_F(Migration, ALegacyInstallBecomesTheProfileDefaultWithDependenciesMarked) {
  const fs::path legacy = game / "BepInEx";
  writeFile(legacy / ".pack_version", "5.4.2202\n");
  writeFile(legacy / "config/BepInEx.cfg", "user settings");
  // A depends on B, whose manifest starts with a byte-order mark.
  writeFile(legacy / "plugins/Alpha-A/mod.dll", "a");
  writeFile(legacy / "plugins/Alpha-A/.ts_version", " 1.2.3\n");
  writeFile(legacy / "plugins/Alpha-A/.ts_manifest.json",
            R"({"dependencies":["Beta-B-2.0.0","denikson-BepInExPack_Valheim-5.4.2202"]})");
  writeFile(legacy / "plugins/Beta-B/.ts_version", "2.0.0");
  writeFile(legacy / "plugins/Beta-B/.ts_manifest.json", "\xEF\xBB\xBF{\"dependencies\":[]}");
  const auto migrated = Installer::migrateLegacyInstall(game);
  ASSERT_TRUE(migrated);
  EXPECT_EQ(migrated->name + " " + migrated->packVersion.value_or("-") + " " +
                migrated->packInstalled.value_or("-"),
            "Default 5.4.2202 5.4.2202");
  EXPECT_THAT(migrated->mods,
              testing::UnorderedElementsAre(ProfileMod{"Alpha", "A", "1.2.3", "1.2.3", true, true},
                                            ProfileMod{"Beta", "B", "2.0.0", "2.0.0", true, false}));
  EXPECT_FALSE(fs::exists(legacy));
  EXPECT_EQ(filesUnder(migrated->dir()),
            (Files{"BepInEx/config/BepInEx.cfg", "BepInEx/plugins/Alpha-A/mod.dll", "meta/Alpha-A.json",
                   "meta/Beta-B.json", "profile.json"}));
}
}  // namespace
