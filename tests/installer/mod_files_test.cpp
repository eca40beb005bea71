#include "installer/installer.hpp"
#include "installer_fixture.hpp"

namespace {
const std::string key = "Author-Mod";

std::string utf16(const std::string& ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) {
    if (bigEndian) out += '\0';
    out += c;
    if (!bigEndian) out += '\0';
  }
  return out;
}

class ModFiles : public InstallerTest {
 protected:
  void writeManifest(const std::string& bytes) { writeFile(P() / "meta" / (key + ".json"), bytes); }
  std::vector<DependencyRef> deps() { return Installer::dependencies(key, profile); }
};

TEST_F(ModFiles, DependenciesKeepOrderAndDropVersionsAndThePack) {
  const std::string manifest =
      R"({"name":"Mod","dependencies":["denikson-BepInExPack_Valheim-5.4.2202","ValheimModding-Jotunn-2.20.1",)"
      R"("Someone-BepInExPack_Valheim-1.0.0","Azumatt-Azu_Lib-1.0.0","ValheimModding-Jotunn-2.20.1"]})";
  const std::vector<DependencyRef> expected = {
      {"ValheimModding", "Jotunn"}, {"Azumatt", "Azu_Lib"}, {"ValheimModding", "Jotunn"}};

  writeManifest(manifest);
  EXPECT_EQ(deps(), expected);
  writeManifest("\xEF\xBB\xBF" + manifest);
  EXPECT_EQ(deps(), expected) << "UTF-8 byte-order mark";
  writeManifest(utf16(manifest, false));
  EXPECT_EQ(deps(), expected) << "UTF-16 little-endian";
  writeManifest(utf16(manifest, true));
  EXPECT_EQ(deps(), expected) << "UTF-16 big-endian";
}

TEST_F(ModFiles, MalformedManifestsHaveNoDependencies) {
  EXPECT_TRUE(deps().empty()) << "no manifest";
  for (const std::string bad : {R"({"dependencies":["A-B-1.0.0",3]})", R"({"dependencies":"A-B-1.0.0"})",
                                R"(["A-B-1.0.0"])", R"({"dependencies":["A-B-1.0.0")", "\xEF\xBB\xBF"}) {
    writeManifest(bad);
    EXPECT_TRUE(deps().empty()) << bad;
  }
}

TEST_F(ModFiles, DisableAndEnableMoveBothFolderKindsAndNothingElse) {
  const fs::path livePlugin = P() / "BepInEx/plugins" / key / "Mod.dll";
  const fs::path livePatcher = P() / "BepInEx/patchers" / key / "Patch.dll";
  writeFile(livePlugin, "plugin");
  writeFile(livePatcher, "patcher");
  writeFile(P() / "BepInEx/config/Mod.cfg", "cfg");
  writeFile(P() / "meta" / (key + ".json"), "{}");

  Installer::setEnabled(key, false, profile);
  EXPECT_EQ(filesUnder(P()),
            (std::vector<std::string>{"BepInEx/config/Mod.cfg", "disabled/patchers/Author-Mod/Patch.dll",
                                      "disabled/plugins/Author-Mod/Mod.dll", "meta/Author-Mod.json"}));
  EXPECT_TRUE(Installer::filesPresent(key, profile));
  Installer::setEnabled(key, false, profile);  // already parked: nothing changes
  EXPECT_EQ(readFile(P() / "disabled/plugins" / key / "Mod.dll"), "plugin");

  Installer::setEnabled(key, true, profile);
  EXPECT_EQ(readFile(livePlugin), "plugin");
  EXPECT_EQ(readFile(livePatcher), "patcher");
  EXPECT_FALSE(fs::exists(P() / "disabled/plugins" / key));
  Installer::setEnabled(key, true, profile);  // already live
  EXPECT_EQ(readFile(livePlugin), "plugin");
}

TEST_F(ModFiles, ParkingReplacesAStaleParkedCopy) {
  writeFile(P() / "BepInEx/plugins" / key / "New.dll", "new");
  writeFile(P() / "disabled/plugins" / key / "Old.dll", "old");
  Installer::setEnabled(key, false, profile);
  EXPECT_EQ(filesUnder(P() / "disabled"), std::vector<std::string>{"plugins/Author-Mod/New.dll"});
}

TEST_F(ModFiles, RemoveFilesKeepsConfigAndOptionallyTheManifest) {
  for (const char* where : {"BepInEx/plugins/", "BepInEx/patchers/", "disabled/plugins/", "disabled/patchers/"})
    writeFile(P() / (where + key) / "x.dll", "x");
  writeFile(P() / "BepInEx/plugins/Other-Mod/o.dll", "other");
  writeFile(P() / "BepInEx/config/Mod.cfg", "cfg");
  writeFile(P() / "meta" / (key + ".json"), "{}");

  Installer::removeFiles(key, profile, true);
  EXPECT_EQ(filesUnder(P()), (std::vector<std::string>{"BepInEx/config/Mod.cfg", "BepInEx/plugins/Other-Mod/o.dll",
                                                       "meta/Author-Mod.json"}));
  EXPECT_FALSE(Installer::filesPresent(key, profile));
  Installer::removeFiles(key, profile, false);
  EXPECT_FALSE(fs::exists(P() / "meta" / (key + ".json")));
  EXPECT_TRUE(fs::exists(P() / "BepInEx/config/Mod.cfg"));
}
}  // namespace
