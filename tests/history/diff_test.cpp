// What the History sheet shows: a snapshot against the current state.
#include <gtest/gtest.h>

#include "history_fixture.hpp"

using History::ConfigFileChange, History::SettingChange;
using Kind = ConfigFileChange::Kind;

TEST_F(HistoryTest, TheDiffNamesModsThePackAndEachChangedSettingOldToNew) {
  const std::string id = History::snapshot(dir(), {"before"});
  const ProfileMod jotunn = profile.mods[0], archery = profile.mods[1];
  profile.mods[0].version = "2.21.0";
  profile.mods[1].enabled = false;
  profile.mods[1].installed = "1.8.0";  // installed versions are not what the player changed
  profile.mods.push_back({"Someone", "New_Mod", "1.0.0", std::nullopt, true, true});
  profile.packVersion = "5.4.2300";
  save();
  put("BepInEx.cfg",
      "[Logging]\n\nEnabled = false\nLevel = Info\n\n[Chainloader]\n\nHideManagerGameObject = false\n");
  put("sub/plans.json", "{\"a\": 1}");
  put("added.cfg", "[A]\nB = 1\n");

  const auto diff = History::diff(dir(), id);
  ASSERT_EQ(diff.mods.size(), 3u);
  EXPECT_EQ(diff.mods[0].before, jotunn);
  EXPECT_EQ(diff.mods[0].after->version, "2.21.0");
  EXPECT_TRUE(diff.mods[0].versionChanged() && !diff.mods[0].enabledChanged());
  EXPECT_TRUE(diff.mods[1].enabledChanged() && !diff.mods[1].versionChanged());
  EXPECT_TRUE(diff.mods[2].added());
  EXPECT_EQ(diff.pack, (History::PackChange{"5.4.2202", "5.4.2300"}));
  EXPECT_EQ(diff.configFiles, (std::vector<ConfigFileChange>{{"BepInEx.cfg",
                                                              Kind::changed,
                                                              {{"Logging", "Enabled", "true", "false"},
                                                               {"Logging", "Level", std::nullopt, "Info"}}},
                                                             {"added.cfg", Kind::added, {}},
                                                             {"sub/plans.json", Kind::changed, {}}}));

  const auto rows = History::list(dir());
  ASSERT_EQ(rows.size(), 2u) << "the profile now, then the snapshot";
  EXPECT_EQ(rows[1].changes, (History::DiffCounts{4, 3}));
}

TEST(SettingChanges, KeepSectionsApartAndListRemovedSettingsLast) {
  const auto changes =
      History::settingChanges("[A]\nX = 1\nGone = 0\n[B]\nX = 1\n", "[A]\nX = 1\n[B]\nX = 2\nNew = 3\n");
  EXPECT_EQ(changes,
            (std::vector<SettingChange>{
                {"B", "X", "1", "2"}, {"B", "New", std::nullopt, "3"}, {"A", "Gone", "0", std::nullopt}}));
}
