#include <gmock/gmock.h>

#include "foundation/app_error.hpp"
#include "installer/download_cache.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/zip_builder.hpp"

namespace {
using Deps = std::vector<DependencyRef>;

class InstallMod : public InstallerTest {
 protected:
  // Publishes the archive as Author-<name> <version> and installs it.
  Deps install(const std::string& name, const std::vector<ZipEntry>& entries, bool enabled = true,
               const std::string& version = "1.0.0") {
    catalogue.addPackage("Author", name, version, zipBytes(entries));
    return Installer::installMod({"Author", name, "9.9.9", std::nullopt, enabled, true}, version, profile);
  }
  Files pluginFiles(const std::string& name) {
    return filesUnder(P() / "BepInEx/plugins" / ("Author-" + name));
  }
  FakeCatalogue catalogue;
};

TEST_F(InstallMod, ArchiveLayoutsAreNormalised) {
  install("Flat", {{"manifest.json", "{}"},
                   {"icon.png", "png"},
                   {"README.md", "r"},
                   {"CHANGELOG.md", "c"},
                   {"MyMod.dll", "dll"},
                   {"Assets/tex.png", "t"}});
  EXPECT_EQ(pluginFiles("Flat"), (Files{"Assets/tex.png", "MyMod.dll"}));
  install("Nested", {{"BepInEx/plugins/Foo.dll", "foo"}, {"BepInEx/plugins/Sub/Bar.dll", "bar"}});
  EXPECT_EQ(pluginFiles("Nested"), (Files{"Foo.dll", "Sub/Bar.dll"}));
  install("Backslash", {{"plugins\\Sub\\Win.dll", "win"}, {"config\\win.cfg", "cfg"}});
  EXPECT_EQ(pluginFiles("Backslash"), (Files{"Sub/Win.dll"}));
  EXPECT_EQ(readFile(P() / "BepInEx/config/win.cfg"), "cfg");
}

TEST_F(InstallMod, ConfigIsOnlyAddedToAndAFailedUpdateKeepsTheOldFilesWhichAnUpgradeReplacesWhole) {
  writeFile(P() / "BepInEx/config/mod.cfg", "edited by the user");
  const std::string manifest =
      "\xEF\xBB\xBF{\r\n \"name\": \"Mod\",\r\n \"dependencies\": [\"Lib-Core-1.0.0\", "
      "\"denikson-BepInExPack_Valheim-5.4.2202\"]\r\n}";
  EXPECT_EQ(install("Mod", {{"manifest.json", manifest},
                            {"plugins/Old.dll", "1"},
                            {"patchers/OldPatch.dll", "1"},
                            {"config/mod.cfg", "default"},
                            {"config/Mod/extra.cfg", "extra"}}),
            (Deps{{"Lib", "Core"}}));
  EXPECT_EQ(readFile(P() / "BepInEx/config/mod.cfg"), "edited by the user");
  EXPECT_EQ(readFile(P() / "meta/Author-Mod.json"), manifest);
  catalogue.addPackage("Author", "Mod", "3.0.0", "this is not a zip archive");
  EXPECT_THAT(
      [&] {
        Installer::installMod({"Author", "Mod", "3.0.0", "1.0.0", true, true}, "3.0.0", profile);
      },
      testing::ThrowsMessage<AppError>(testing::StrEq("Couldn’t unpack Author-Mod.zip.")));
  EXPECT_EQ(filesUnder(P()), (Files{"BepInEx/config/Mod/extra.cfg", "BepInEx/config/mod.cfg",
                                    "BepInEx/patchers/Author-Mod/OldPatch.dll",
                                    "BepInEx/plugins/Author-Mod/Old.dll", "meta/Author-Mod.json"}));
  // A disabled mod is parked straight away, replacing a stale parked copy.
  writeFile(P() / "disabled/plugins/Author-Mod/Stale.dll", "stale parked copy");
  EXPECT_TRUE(install("Mod", {{"plugins/New.dll", "2"}, {"patchers/Pre.dll", "2"}}, false, "2.0.0").empty());
  EXPECT_EQ(filesUnder(P()),
            (Files{"BepInEx/config/Mod/extra.cfg", "BepInEx/config/mod.cfg",
                   "disabled/patchers/Author-Mod/Pre.dll", "disabled/plugins/Author-Mod/New.dll"}));
  Installer::setEnabled("Author-Mod", true, profile);
  EXPECT_EQ(pluginFiles("Mod"), Files{"New.dll"});
  EXPECT_TRUE(fs::is_empty(tmp())) << "work folders are removed on failure too";
}

TEST_F(InstallMod, TurningOffMovesAllOfTheModOrNothing) {
  install("Mod", {{"plugins/Mod.dll", "1"}, {"patchers/Pre.dll", "1"}});
  const Files before = filesUnder(P());
  writeFile(P() / "disabled/patchers", "a file where the parked patchers would go");
  EXPECT_ANY_THROW(Installer::setEnabled("Author-Mod", false, profile));
  fs::remove(P() / "disabled/patchers");
  EXPECT_EQ(filesUnder(P()), before) << "the plug-ins moved back";
  Installer::setEnabled("Author-Mod", false, profile);
  EXPECT_EQ(filesUnder(P()),
            (Files{"disabled/patchers/Author-Mod/Pre.dll", "disabled/plugins/Author-Mod/Mod.dll"}));
}

TEST_F(InstallMod, AHostileArchiveWritesNothingOutsideTheProfile) {
  // The work folder is home/tmp/quernhold-<UUID>/x: each escape below aims at home/outside.
  const fs::path outside = TestHome::path() / "outside";
  fs::create_directories(outside);
  const auto homeBefore = filesUnder(TestHome::path());
  try {  // refusing the archive outright is fine too; writing outside is not
    install("Evil", {{"plugins/ok.dll", "ok"},
                     {"../../../outside/evil1.dll", "x"},
                     {"plugins\\..\\..\\..\\..\\outside\\evil2.dll", "x"},
                     {(outside / "evil3.dll").string(), "x"},
                     {"plugins/escape", outside.string(), true},
                     {"plugins/escape/evil4.dll", "x"},
                     {"plugins/up", "../../../../outside", true},
                     {"plugins/up/evil5.dll", "x"}});
  } catch (const std::exception&) {
  }
  const std::string profileDir = fs::relative(P(), TestHome::path()).string() + "/";
  const std::string cacheDir = fs::relative(DownloadCache::folder(), TestHome::path()).string() + "/";
  for (const auto& file : filesUnder(TestHome::path()))
    EXPECT_TRUE(std::count(homeBefore.begin(), homeBefore.end(), file) || file.starts_with(profileDir) ||
                file.starts_with("Library/Logs/") || file.starts_with(cacheDir))
        << file;
}

TEST_F(InstallMod, AnArchiveThatClaimsMoreThanItHoldsIsRefusedAndTheInstalledVersionStays) {
  install("Mod", {{"manifest.json", "{}"}, {"plugins/Mod.dll", "1"}});
  const Files before = filesUnder(P());
  const struct {
    std::string archive, sentence;
  } cases[] = {
      {zipDeclaring("plugins/Huge.dll", 64ull << 30), "Couldn’t unpack Author-Mod.zip."},
      {zipBytes({{"manifest.json", incompressible((1 << 20) + 1)}, {"plugins/Mod.dll", "2"}}),
       "Couldn’t install Author-Mod because its manifest is too large."},
  };
  for (const auto& c : cases) {
    catalogue.addPackage("Author", "Mod", "2.0.0", c.archive);
    EXPECT_THAT(
        [&] {
          Installer::installMod({"Author", "Mod", "2.0.0", "1.0.0", true, true}, "2.0.0", profile);
        },
        testing::ThrowsMessage<AppError>(testing::StrEq(c.sentence)));
    EXPECT_EQ(filesUnder(P()), before);
    EXPECT_EQ(readFile(P() / "BepInEx/plugins/Author-Mod/Mod.dll"), "1");
  }
  EXPECT_TRUE(fs::is_empty(tmp()));
}
}  // namespace
