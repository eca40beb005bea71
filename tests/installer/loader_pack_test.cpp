#include <gmock/gmock.h>

#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "support/fake_catalogue.hpp"
#include "support/fake_game.hpp"
#include "support/fake_tools.hpp"
#include "support/zip_builder.hpp"

namespace {
using testing::StrEq;
using testing::ThrowsMessage;

const std::string loaderPath = "/BepInEx/BepInEx/releases/download/v5.4.23.2/BepInEx_macos_x64_5.4.23.2.zip";

fs::perms mode(const fs::path& p) { return fs::status(p).permissions() & fs::perms::mask; }

// The script as released, with both lines edited for this game.
std::string editedScript(bool corlib) {
  std::string text = FakeGame::runScript();
  auto edit = [&](const std::string& from, const std::string& to) { text.replace(text.find(from), from.size(), to); };
  edit("\nexecutable_name=\"\"\n", "\nexecutable_name=\"valheim.app\"\n");
  if (corlib) edit("\ndll_search_path_override=\"\"\n", "\ndll_search_path_override=\"unstripped_corlib\"\n");
  return text;
}

class LoaderAndPack : public InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    FakeGame::make(game);
  }
  void publishPack(const std::vector<ZipEntry>& entries) {
    catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(entries));
  }
  FakeCatalogue catalogue;
  FakeTools tools{TestHome::path() / "tools"};
};

TEST_F(LoaderAndPack, LoaderPresenceNeedsTheScriptAndALibraryNamedExactly) {
  writeFile(game / "run_bepinex.sh", "#!/bin/sh\n");
  for (const char* decoy : {"LIBDOORSTOP.dylib", "libdoorstop.dylib.bak"}) writeFile(game / decoy, "");
  EXPECT_FALSE(Installer::loaderInstalled(game));
  writeFile(game / "libdoorstop_x64.dylib", "");
  EXPECT_TRUE(Installer::loaderInstalled(game));
  fs::remove(game / "run_bepinex.sh");
  EXPECT_FALSE(Installer::loaderInstalled(game));
}

TEST_F(LoaderAndPack, EnsureLoaderInstallsTheReleaseWithoutItsCoreOnce) {
  EXPECT_EQ(Installer::macLoaderURL(), catalogue.url() + loaderPath);
  catalogue.serve("/cdn/loader.zip", zipBytes(FakeGame::loaderArchive()));
  catalogue.redirect(loaderPath, "/cdn/loader.zip");
  Installer::ensureLoader(game);
  Installer::ensureLoader(game);  // in place: nothing is fetched again
  EXPECT_EQ(catalogue.requestCount(loaderPath), 1);
  EXPECT_TRUE(Installer::loaderInstalled(game));
  EXPECT_EQ(readFile(game / "run_bepinex.sh"), editedScript(false));
  EXPECT_EQ(mode(game / "run_bepinex.sh"), fs::perms(0755));
  EXPECT_EQ(readFile(game / ".doorstop_version"), "4.3.0\n");
  EXPECT_TRUE(fs::exists(game / "changelog.txt"));
  EXPECT_FALSE(fs::exists(game / "BepInEx")) << "the core comes from the pack, into each profile";
  EXPECT_EQ(tools.calls("xattr"),
            (std::vector<std::vector<std::string>>{{"-dr", "com.apple.quarantine", game.string()}}));
  EXPECT_TRUE(fs::is_empty(tmp()));
}

TEST_F(LoaderAndPack, EnsureLoaderPassesFailuresUpAndCleansUp) {
  catalogue.serve(loaderPath, "not a zip");
  EXPECT_THROW(Installer::ensureLoader(game), AppError);
  catalogue.serve(loaderPath, zipBytes({{"libdoorstop.dylib", "lib"}}));
  EXPECT_THAT([&] { Installer::ensureLoader(game); }, ThrowsMessage<AppError>(StrEq("run_bepinex.sh is missing.")));
  EXPECT_TRUE(fs::is_empty(tmp()));
}

TEST_F(LoaderAndPack, RunScriptEditsAreExactAndIdempotent) {
  EXPECT_THROW(Installer::configureRunScript(game), AppError);
  writeFile(game / "run_bepinex.sh", "#!/bin/sh\r\nexecutable_name=\"Other.app\"\r\n  executable_name=indented\n"
                                     "dll_search_path_override=\nexecutable_name=");
  fs::permissions(game / "run_bepinex.sh", fs::perms(0644));
  Installer::configureRunScript(game);
  const std::string once = readFile(game / "run_bepinex.sh");
  EXPECT_EQ(once, "#!/bin/sh\r\nexecutable_name=\"valheim.app\"\r\n  executable_name=indented\n"
                  "dll_search_path_override=\nexecutable_name=\"valheim.app\"");
  EXPECT_EQ(mode(game / "run_bepinex.sh"), fs::perms(0755));
  Installer::configureRunScript(game);
  EXPECT_EQ(readFile(game / "run_bepinex.sh"), once);
  fs::create_directories(game / "unstripped_corlib");
  Installer::configureRunScript(game);
  EXPECT_NE(readFile(game / "run_bepinex.sh").find("\ndll_search_path_override=\"unstripped_corlib\"\n"),
            std::string::npos);
}

TEST_F(LoaderAndPack, ThePackUpdatesTheCoreAndKeepsTheUsersFiles) {
  FakeGame::addLoader(game);
  writeFile(P() / "BepInEx/config/BepInEx.cfg", "edited by the user");
  writeFile(P() / "BepInEx/core/BepInEx.dll", "old core");
  for (const char* kept : {"BepInEx/core/Extra.dll", "BepInEx/plugins/Author-Mod/Mod.dll",
                           "BepInEx/patchers/Author-Mod/Pre.dll"})
    writeFile(P() / kept, kept);
  writeFile(game / "unstripped_corlib/Stale.dll", "from an older pack");
  publishPack(FakeGame::packArchive("5.4.2202"));

  Installer::installPack(profile, "5.4.2202", game);
  EXPECT_EQ(filesUnder(P()), (Files{"BepInEx/config/BepInEx.cfg", "BepInEx/core/BepInEx.Preloader.dll",
                                    "BepInEx/core/BepInEx.dll", "BepInEx/core/Extra.dll",
                                    "BepInEx/patchers/Author-Mod/Pre.dll", "BepInEx/plugins/Author-Mod/Mod.dll"}));
  EXPECT_EQ(readFile(P() / "BepInEx/config/BepInEx.cfg"), "edited by the user");
  EXPECT_EQ(readFile(P() / "BepInEx/core/BepInEx.dll"), "core 5.4.2202");
  EXPECT_EQ(readFile(P() / "BepInEx/plugins/Author-Mod/Mod.dll"), "BepInEx/plugins/Author-Mod/Mod.dll");
  EXPECT_EQ(filesUnder(game / "unstripped_corlib"), (Files{"System.dll", "mscorlib.dll"}));
  EXPECT_EQ(readFile(game / "run_bepinex.sh"), editedScript(true)) << "the script follows unstripped_corlib";
  EXPECT_TRUE(fs::is_empty(tmp()));
}

TEST_F(LoaderAndPack, APackInAnotherLayoutIsRefusedAndTouchesNothing) {
  writeFile(P() / "BepInEx/config/BepInEx.cfg", "mine");
  auto entries = FakeGame::packArchive();
  for (auto& e : entries)
    if (e.name.starts_with("BepInExPack_Valheim/")) e.name.replace(0, 19, "BepInExPack");
  publishPack(entries);
  EXPECT_THAT([&] { Installer::installPack(profile, "5.4.2202", game); },
              ThrowsMessage<AppError>(StrEq("Unexpected BepInEx pack layout.")));
  EXPECT_EQ(filesUnder(P()), Files{"BepInEx/config/BepInEx.cfg"});
  EXPECT_FALSE(fs::exists(game / "unstripped_corlib"));
  EXPECT_TRUE(fs::is_empty(tmp()));
}
}  // namespace
