// Mods installed from a zip file: whose they are, what the profile keeps, what is refused.
#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "testkit/zip_builder.hpp"

namespace {
using ModFile = InstallerTest;

std::string manifest(const std::string& fields) { return "{\"description\": \"d\", " + fields + "}"; }

TEST_F(ModFile, TheOwnerComesFromTheManifestThenTheFileNameThenIsLocal) {
  const struct {
    std::string file, fields, owner;
  } cases[] = {
      {"Whatever.zip", R"("name": "Tool", "version_number": "1.0.0", "author": "Smith")", "Smith"},
      {"Smith-Tool-1.0.0.zip", R"("name": "Tool", "version_number": "1.0.0")", "Smith"},
      {"Smith-Toolbox.zip", R"("name": "Tool", "version_number": "1.0.0")", "Local"},
      {"Tool.zip", R"("name": "Tool", "version_number": "1.0.0", "author": "Not Valid")", "Local"},
  };
  for (const auto& c : cases) {
    writeFile(tmp() / c.file, zipBytes({{"manifest.json", manifest(c.fields)}, {"Tool.dll", "x"}}));
    const ProfileMod mod = Installer::installModFile(tmp() / c.file, profile);
    EXPECT_EQ(mod.ns, c.owner) << c.file;
    EXPECT_TRUE(Installer::installedFromFile(mod.id(), profile));
  }
}

TEST_F(ModFile, TheKeptArchiveInstallsTheModAgainAndGoesWithIt) {
  writeFile(
      tmp() / "Smith-Tool.zip",
      zipBytes({{"manifest.json",
                 manifest(R"("name": "Tool", "version_number": "2.1.0", "dependencies": ["Team-C-1.0.0"])")},
                {"plugins/Tool.dll", "x"}}));
  profile.mods.push_back({"Smith", "Tool", "2.1.0", "2.1.0", false, true});  // held disabled
  Installer::installModFile(tmp() / "Smith-Tool.zip", profile);
  fs::remove(tmp() / "Smith-Tool.zip");
  fs::remove_all(P() / "disabled");

  const ProfileMod again = Installer::reinstallModFile("Smith-Tool", profile);
  EXPECT_FALSE(again.enabled);
  EXPECT_EQ(readFile(P() / "disabled/plugins/Smith-Tool/Tool.dll"), "x");
  EXPECT_EQ(Installer::dependencies("Smith-Tool", profile), (std::vector<DependencyRef>{{"Team", "C"}}));
  EXPECT_TRUE(Installer::shareable(profile).mods.empty());

  Installer::removeFiles("Smith-Tool", profile, false);
  EXPECT_FALSE(Installer::installedFromFile("Smith-Tool", profile));
  EXPECT_TRUE(fs::is_empty(tmp()));
}

TEST_F(ModFile, AnArchiveThatIsNoModIsRefusedAndChangesNothing) {
  const std::string noManifest = "“x.zip” has no readable manifest.json, so it can’t be installed as a mod.";
  const struct {
    std::string bytes, sentence;
  } cases[] = {
      {"not a zip", "Couldn’t unpack x.zip."},
      {zipBytes({{"Tool.dll", "x"}}), noManifest},
      {zipBytes({{"manifest.json", "{\"name\": \"Tool\""}}), noManifest},
      {zipBytes({{"manifest.json", manifest(R"("name": "Tool", "version_number": "1.0")")}}), noManifest},
      {zipBytes({{"manifest.json", manifest(R"("name": "../Tool", "version_number": "1.0.0")")}}),
       noManifest},
      {zipBytes(
           {{"manifest.json", manifest(R"("name": "BepInExPack_Valheim", "version_number": "5.4.2202")")}}),
       "BepInEx comes with every profile, so “x.zip” can’t be installed as a mod."},
  };
  for (const auto& c : cases) {
    writeFile(tmp() / "x.zip", c.bytes);
    try {
      Installer::installModFile(tmp() / "x.zip", profile);
      ADD_FAILURE() << c.sentence;
    } catch (const AppError& e) {
      EXPECT_EQ(e.what(), c.sentence);
    }
    fs::remove(tmp() / "x.zip");
    EXPECT_TRUE(fs::is_empty(tmp()));
    EXPECT_TRUE(fs::is_empty(profile.bepinex()));
  }
}
}  // namespace
