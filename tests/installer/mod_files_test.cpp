#include "installer/installer.hpp"
#include "installer_fixture.hpp"

namespace {
const std::string key = "Author-Mod";

std::string utf16(const std::string& ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

class ModFiles : public InstallerTest {
 protected:
  void writeManifest(const std::string& bytes) { writeFile(P() / "meta" / (key + ".json"), bytes); }
  std::vector<DependencyRef> deps() { return Installer::dependencies(key, profile); }
};

TEST_F(ModFiles, DependenciesKeepOrderDropVersionsAndThePackInEveryEncoding) {
  const std::string manifest =
      R"({"name":"Mod","dependencies":["denikson-BepInExPack_Valheim-5.4.2202","ValheimModding-Jotunn-2.20.1",)"
      R"("Someone-BepInExPack_Valheim-1.0.0","Azumatt-Azu_Lib-1.0.0","ValheimModding-Jotunn-2.20.1"]})";
  for (const auto& bytes : {manifest, "\xEF\xBB\xBF" + manifest, utf16(manifest, false), utf16(manifest, true)}) {
    writeManifest(bytes);
    EXPECT_EQ(deps(), (std::vector<DependencyRef>{{"ValheimModding", "Jotunn"}, {"Azumatt", "Azu_Lib"},
                                                  {"ValheimModding", "Jotunn"}}));
  }
}

TEST_F(ModFiles, MalformedManifestsHaveNoDependencies) {
  EXPECT_TRUE(deps().empty()) << "no manifest";
  for (const std::string bad : {R"({"dependencies":["A-B-1.0.0",3]})", R"({"dependencies":"A-B-1.0.0"})",
                                R"(["A-B-1.0.0"])", R"({"dependencies":["A-B-1.0.0")", "\xEF\xBB\xBF"}) {
    writeManifest(bad);
    EXPECT_TRUE(deps().empty()) << bad;
  }
}

TEST_F(ModFiles, DisablingParksBothFolderKindsReplacingAStaleCopyAndEnablingBringsThemBack) {
  const Files live = {"BepInEx/config/Mod.cfg", "BepInEx/patchers/Author-Mod/Patch.dll",
                      "BepInEx/plugins/Author-Mod/Mod.dll", "meta/Author-Mod.json"};
  for (const auto& file : live) writeFile(P() / file, file);
  writeFile(P() / "disabled/plugins/Author-Mod/Stale.dll", "stale");
  for (int twice = 0; twice < 2; ++twice) {
    Installer::setEnabled(key, false, profile);
    EXPECT_EQ(filesUnder(P()), (Files{"BepInEx/config/Mod.cfg", "disabled/patchers/Author-Mod/Patch.dll",
                                      "disabled/plugins/Author-Mod/Mod.dll", "meta/Author-Mod.json"}));
    EXPECT_TRUE(Installer::filesPresent(key, profile));
  }
  for (int twice = 0; twice < 2; ++twice) {
    Installer::setEnabled(key, true, profile);
    EXPECT_EQ(filesUnder(P()), live);
  }
  EXPECT_EQ(readFile(P() / live[2]), live[2]);
}

TEST_F(ModFiles, RemoveFilesKeepsConfigAndOptionallyTheManifest) {
  for (const char* where : {"BepInEx/plugins/", "BepInEx/patchers/", "disabled/plugins/", "disabled/patchers/"})
    writeFile(P() / (where + key) / "x.dll", "x");
  for (const char* file : {"BepInEx/plugins/Other-Mod/o.dll", "BepInEx/config/Mod.cfg", "meta/Author-Mod.json"})
    writeFile(P() / file, "kept");
  Installer::removeFiles(key, profile, true);
  EXPECT_EQ(filesUnder(P()),
            (Files{"BepInEx/config/Mod.cfg", "BepInEx/plugins/Other-Mod/o.dll", "meta/Author-Mod.json"}));
  EXPECT_FALSE(Installer::filesPresent(key, profile));
  Installer::removeFiles(key, profile, false);
  EXPECT_EQ(filesUnder(P()), (Files{"BepInEx/config/Mod.cfg", "BepInEx/plugins/Other-Mod/o.dll"}));
}
}  // namespace
