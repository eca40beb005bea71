// Which installed mod a name in the log belongs to: by name, DLL, namespace or GUID, never a guess.
#include <gtest/gtest.h>

#include "diagnostics/mod_clues.hpp"
#include "support/temp_home.hpp"
#include "test_profile.hpp"

using namespace Diagnostics;

namespace {
class ModCluesTest : public testing::Test {
 protected:
  std::filesystem::path folder = TestProfile::freshFolder();
  ModClues clues = ModClues::gather(TestProfile::make(folder), folder);
};

TEST_F(ModCluesTest, ANameWithSpacesMatchesAPackageWithout) {
  EXPECT_EQ(clues.byName("Configuration Manager"), "Owner-ConfigurationManager");
  EXPECT_EQ(clues.byName("farm-grid"), "Farmer-FarmGrid");
  EXPECT_EQ(clues.byName("Configuration Manager Extra"), std::nullopt) << "no match is no match";
  EXPECT_EQ(clues.byName(""), std::nullopt);
}

TEST_F(ModCluesTest, ADllPathNamesItsModFolderOrItsFile) {
  EXPECT_EQ(clues.byDll("C:\\Games\\Valheim\\BepInEx\\plugins\\FarmGrid.dll"), "Farmer-FarmGrid");
  EXPECT_EQ(clues.byDll("/Users/me/Library/Application Support/Quernhold/profiles/X/BepInEx/plugins/"
                        "ValheimModding-Jotunn/sub/Other.dll"),
            "ValheimModding-Jotunn");
  EXPECT_EQ(clues.byDll("plugins/Unknown-Mod/Other.dll"), std::nullopt);
}

TEST_F(ModCluesTest, AStackNamespaceMatchesByItsLongestKnownPart) {
  EXPECT_EQ(clues.byNamespace("Jotunn.Managers"), "ValheimModding-Jotunn");
  EXPECT_EQ(clues.byNamespace("RRRCore"), "RRR-RRRCore");
  EXPECT_EQ(clues.byNamespace("Valheim.Other"), std::nullopt);
}

TEST_F(ModCluesTest, ANameTwoModsShareTiesToNeither) {
  TestProfile::write(folder / "BepInEx" / "plugins" / "Plans-PlanBuild" / "Jotunn.dll", "MZ");
  const ModClues twice = ModClues::gather(TestProfile::make(folder), folder);
  EXPECT_EQ(twice.byName("Jotunn"), std::nullopt);
  EXPECT_EQ(twice.byName("PlanBuild"), "Plans-PlanBuild");
}

TEST_F(ModCluesTest, AGuidIsFoundThroughSettingsFilesAndTheModsDlls) {
  EXPECT_EQ(clues.byGuid("org.bepinex.plugins.farming"), "Farmer-FarmGrid");
  EXPECT_EQ(clues.byGuid("com.example.cropreplant"), "Crops-CropReplant")
      << "a turned-off mod still carries it";
  EXPECT_EQ(clues.byGuid("com.example.crop"), std::nullopt) << "part of another GUID is not that GUID";
  EXPECT_EQ(clues.byGuid("com.nobody.ghost"), std::nullopt);
}
}  // namespace
