#include <gmock/gmock.h>

#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "support/fake_catalogue.hpp"
#include "support/zip_builder.hpp"

namespace {
class InstallMod : public InstallerTest {
 protected:
  // Publishes the archive as Author-<name> <version> and installs it.
  std::vector<DependencyRef> install(const std::string& name, const std::vector<ZipEntry>& entries,
                                     bool enabled = true, const std::string& version = "1.0.0") {
    catalogue.addPackage("Author", name, version, zipBytes(entries));
    return Installer::installMod({"Author", name, "9.9.9", std::nullopt, enabled, true}, version, profile);
  }
  Files pluginFiles(const std::string& name) { return filesUnder(P() / "BepInEx/plugins" / ("Author-" + name)); }

  FakeCatalogue catalogue;
};

TEST_F(InstallMod, ArchiveLayoutsAreNormalised) {
  install("Flat", {{"manifest.json", "{}"}, {"icon.png", "png"}, {"README.md", "r"}, {"CHANGELOG.md", "c"},
                   {"MyMod.dll", "dll"}, {"Assets/tex.png", "t"}});
  EXPECT_EQ(pluginFiles("Flat"), (Files{"Assets/tex.png", "MyMod.dll"}));
  EXPECT_EQ(readFile(P() / "meta/Author-Flat.json"), "{}");
  install("Nested", {{"BepInEx/plugins/Foo.dll", "foo"}, {"BepInEx/plugins/Sub/Bar.dll", "bar"}});
  EXPECT_EQ(pluginFiles("Nested"), (Files{"Foo.dll", "Sub/Bar.dll"}));
  install("OddTop", {{"BepInEx/Foo.dll", "foo"}, {"manifest.json", "{}"}});
  EXPECT_EQ(pluginFiles("OddTop"), (Files{"BepInEx/Foo.dll"}));
  install("Backslash", {{"plugins\\Sub\\Win.dll", "win"}, {"config\\win.cfg", "cfg"}});
  EXPECT_EQ(pluginFiles("Backslash"), (Files{"Sub/Win.dll"}));
  EXPECT_EQ(readFile(P() / "BepInEx/config/win.cfg"), "cfg");
  install("ConfigOnly", {{"config/only.cfg", "x"}});
  EXPECT_TRUE(fs::is_directory(P() / "BepInEx/plugins/Author-ConfigOnly"));
  EXPECT_TRUE(Installer::filesPresent("Author-ConfigOnly", profile));
  install("Patcher", {{"plugins/p.dll", "p"}, {"patchers/pre.dll", "pre"}});
  EXPECT_EQ(filesUnder(P() / "BepInEx/patchers/Author-Patcher"), Files{"pre.dll"});
  EXPECT_FALSE(fs::exists(P() / "meta/Author-Patcher.json")) << "no manifest in the archive";
  EXPECT_TRUE(fs::is_empty(tmp())) << "work folders are removed";
}

TEST_F(InstallMod, ConfigIsOnlyAddedToAndTheManifestIsKeptByteForByte) {
  writeFile(P() / "BepInEx/config/mod.cfg", "edited by the user");
  const std::string manifest = "\xEF\xBB\xBF{\r\n \"name\": \"Mod\",\r\n \"dependencies\": [\"Lib-Core-1.0.0\", "
                               "\"denikson-BepInExPack_Valheim-5.4.2202\"]\r\n}";
  const auto deps = install("Mod", {{"manifest.json", manifest}, {"plugins/Mod.dll", "dll"},
                                    {"config/mod.cfg", "default"}, {"config/Mod/extra.cfg", "extra"}});
  EXPECT_EQ(readFile(P() / "BepInEx/config/mod.cfg"), "edited by the user");
  EXPECT_EQ(readFile(P() / "BepInEx/config/Mod/extra.cfg"), "extra");
  EXPECT_EQ(readFile(P() / "meta/Author-Mod.json"), manifest);
  EXPECT_EQ(deps, (std::vector<DependencyRef>{{"Lib", "Core"}}));
}

TEST_F(InstallMod, AnUpgradeReplacesEveryOldFileAndADisabledModIsParkedStraightAway) {
  install("Mod", {{"manifest.json", R"({"dependencies":["Lib-Core-1.0.0"]})"}, {"plugins/Old.dll", "1"},
                  {"patchers/OldPatch.dll", "1"}});
  writeFile(P() / "disabled/plugins/Author-Mod/Stale.dll", "stale parked copy");
  EXPECT_TRUE(install("Mod", {{"plugins/New.dll", "2"}, {"patchers/Pre.dll", "2"}}, false, "2.0.0").empty());
  EXPECT_EQ(filesUnder(P()), (Files{"disabled/patchers/Author-Mod/Pre.dll", "disabled/plugins/Author-Mod/New.dll"}));
  EXPECT_TRUE(Installer::filesPresent("Author-Mod", profile));
  EXPECT_EQ(catalogue.requestCount(FakeCatalogue::downloadPath("Author", "Mod", "2.0.0")), 1);
}

TEST_F(InstallMod, FailuresLeaveNoWorkFolderAndATruthfulPresence) {
  install("Mod", {{"Mod.dll", "v1"}});
  // A version the catalogue does not have: the download fails before anything is touched.
  EXPECT_ANY_THROW(Installer::installMod({"Author", "Mod", "2.0.0", "1.0.0", true, true}, "2.0.0", profile));
  EXPECT_EQ(readFile(P() / "BepInEx/plugins/Author-Mod/Mod.dll"), "v1");

  catalogue.addPackage("Author", "Mod", "3.0.0", "this is not a zip archive");
  EXPECT_THAT([&] { Installer::installMod({"Author", "Mod", "3.0.0", "1.0.0", true, true}, "3.0.0", profile); },
              testing::ThrowsMessage<AppError>(testing::StrEq("Couldn’t unpack Author-Mod.zip.")));
  EXPECT_TRUE(Installer::filesPresent("Author-Mod", profile));

  // A file stands where the plugins folder belongs: the old files are gone and presence says so.
  fs::remove_all(P() / "BepInEx/plugins");
  writeFile(P() / "BepInEx/plugins", "not a folder");
  EXPECT_THROW(install("Mod", {{"Mod.dll", "v4"}}, true, "4.0.0"), fs::filesystem_error);
  EXPECT_FALSE(Installer::filesPresent("Author-Mod", profile));
  EXPECT_TRUE(fs::is_empty(tmp())) << "work folders are removed on failure too";
}

TEST_F(InstallMod, AHostileArchiveWritesNothingOutsideTheProfile) {
  // The work folder is home/tmp/quernhold-<UUID>/x: each escape below aims at home/outside.
  const fs::path outside = TestHome::path() / "outside";
  fs::create_directories(outside);
  const auto homeBefore = filesUnder(TestHome::path());
  try {
    install("Evil", {{"plugins/ok.dll", "ok"},
                     {"../../../outside/evil1.dll", "x"},
                     {"plugins\\..\\..\\..\\..\\outside\\evil2.dll", "x"},
                     {(outside / "evil3.dll").string(), "x"},
                     {"plugins/escape", outside.string(), true},
                     {"plugins/escape/evil4.dll", "x"},
                     {"plugins/up", "../../../../outside", true},
                     {"plugins/up/evil5.dll", "x"}});
  } catch (const std::exception&) {
    // Refusing the archive outright is fine too; writing outside is not.
  }
  EXPECT_TRUE(fs::is_empty(outside));
  const std::string profileDir = fs::relative(P(), TestHome::path()).string() + "/";
  for (const auto& file : filesUnder(TestHome::path()))
    EXPECT_TRUE(std::count(homeBefore.begin(), homeBefore.end(), file) || file.starts_with(profileDir) ||
                file.starts_with("Library/Logs/"))
        << file;
}
}  // namespace
