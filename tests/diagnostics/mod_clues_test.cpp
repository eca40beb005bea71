// Which installed mod a name in the log belongs to: by name, DLL, namespace or GUID, never a guess.
#include <gtest/gtest.h>

#include "diagnostics/mod_clues.hpp"
#include "temp_home.hpp"
#include "test_profile.hpp"

using namespace Diagnostics;

namespace {
class ModCluesTest : public testing::Test {
 protected:
  std::filesystem::path folder = TestProfile::freshFolder();
  ModClues clues = ModClues::gather(TestProfile::make(folder), folder);
};

// The log reader's tests tie each kind of clue to its mod; these are the near misses.
TEST_F(ModCluesTest, EachClueTiesWhatItNamesAndNothingNearIt) {
  EXPECT_EQ(clues.byName("farm-grid"), "Farmer-FarmGrid");
  EXPECT_EQ(clues.byName("Configuration Manager Extra"), std::nullopt);
  EXPECT_EQ(clues.byName(""), std::nullopt);
  EXPECT_EQ(clues.byDll("/Users/me/Library/Application Support/Quernhold/profiles/X/BepInEx/plugins/"
                        "ValheimModding-Jotunn/sub/Other.dll"),
            "ValheimModding-Jotunn")
      << "the mod's folder in the path names it";
  EXPECT_EQ(clues.byDll("plugins/Unknown-Mod/Other.dll"), std::nullopt);
  EXPECT_EQ(clues.byNamespace("Valheim.Other"), std::nullopt);
  EXPECT_EQ(clues.byGuid("com.example.crop"), std::nullopt) << "part of another GUID is not that GUID";
}

TEST_F(ModCluesTest, ANameTwoModsShareTiesToNeither) {
  TestProfile::write(folder / "BepInEx" / "plugins" / "Plans-PlanBuild" / "Jotunn.dll", "MZ");
  const ModClues twice = ModClues::gather(TestProfile::make(folder), folder);
  EXPECT_EQ(twice.byName("Jotunn"), std::nullopt);
  EXPECT_EQ(twice.byName("PlanBuild"), "Plans-PlanBuild");
}
}  // namespace
