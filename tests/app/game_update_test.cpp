// Play Modded after the game was updated since the profile last started up.
#include <fstream>

#include "app/launcher.hpp"
#include "app_fixture.hpp"
#include "installer/game_build.hpp"
#include "installer/installer.hpp"
#include "profiles/good_launch.hpp"
#include "testkit/fake_game.hpp"

namespace {
const char* const updatedBuild = "15000000";
const char* const updatedOn = "1764763200";  // 2025-12-03T12:00:00Z

// A's last good launch ran on the build the fake game's manifest names at first.
class GameUpdateTest : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    run([&] { state->modController()->add(pkg("A")); });
    ProfileStore::saveGoodLaunch(selected(), goodLaunchOf(selected(), 14862538, ::now()));
  }
  Launcher& launcher() const { return *state->launcher(); }
  size_t launches() const { return tools.calls("bash").size(); }
  fs::path manifest() const { return *Installer::appManifestFile(game); }
  void play(void (Launcher::*how)() = &Launcher::play) {
    run([&] { (launcher().*how)(); });
  }
  std::vector<bool> olderThanGame() const {
    std::vector<bool> flags;
    for (auto* model : {state->selection()->mods(), state->selection()->dependencies()})
      for (int i = 0; i < model->rowCount(); ++i)
        flags.push_back(model->data(model->index(i), ModListModel::OlderThanGameRole).toBool());
    return flags;
  }
};

TEST_F(GameUpdateTest, PlayWarnsFirstThenPlaysAnywayOrStopsWarningForThatBuild) {
  FakeGame::writeAppManifest(game, updatedBuild, updatedOn);
  play();
  EXPECT_EQ(launches(), 0u) << "the warning comes instead of the launch";
  ASSERT_TRUE(launcher().gameUpdateWarning());
  EXPECT_EQ(launcher().gameUpdateTitle(),
            "Valheim was updated on 3 December 2025, after this profile last started.");
  play();
  EXPECT_EQ(launches(), 0u) << "a second click warns again, nothing more";

  play(&Launcher::playAnyway);
  EXPECT_EQ(launches(), 1u);
  EXPECT_FALSE(launcher().gameUpdateWarning());
  play();
  EXPECT_TRUE(launcher().gameUpdateWarning()) << "playing anyway warns again next time";

  play(&Launcher::playWithoutWarning);
  EXPECT_EQ(launches(), 2u);
  EXPECT_FALSE(launcher().gameUpdateWarning());
  EXPECT_EQ(ProfileStore::loadGoodLaunch(selected())->dismissedBuild, 15000000);
  play();
  EXPECT_EQ(launches(), 3u);
  EXPECT_FALSE(launcher().gameUpdateWarning());

  // Another update of the game warns again; switching profiles takes the banner away.
  FakeGame::writeAppManifest(game, "15000001", updatedOn);
  play();
  EXPECT_TRUE(launcher().gameUpdateWarning());
  state->newProfile("Other");
  EXPECT_FALSE(launcher().gameUpdateWarning());
}

TEST_F(GameUpdateTest, RowsTellOfModsWithNoVersionSinceTheGamesUpdate) {
  const auto entry = [](const std::string& name, const std::string& updated) {
    return R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
           R"(", "owner": "Team", "date_updated": ")" + updated +
           R"(", "versions": [{"version_number": "1.0.0", "dependencies": []}]})";
  };
  serveList("[" + entry("A", "2026-01-05T10:00:00.000000Z") + "," +
            entry("B", "2025-11-30T10:00:00.000000Z") + "," + entry("C", "2025-01-01T10:00:00.000000Z") +
            "]");
  FakeGame::writeAppManifest(game, updatedBuild, updatedOn);
  play();  // the read at Play tells the rows
  EXPECT_EQ(olderThanGame(), (std::vector<bool>{false, true, true})) << "A, then its dependencies B and C";
  EXPECT_EQ(launcher().gameUpdateMessage(), "2 of its mods haven’t been updated since then.");
}

// What cannot be read warns of nothing and marks no row, though the update's date can be read.
// (Which shapes cannot be read is the manifest reader's own test.)
TEST_F(GameUpdateTest, AManifestThatCannotBeReadStaysQuiet) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"missing", std::nullopt},
      {"a build that is no number", FakeGame::appManifest("15000000b", updatedOn)},
  };
  for (const auto& [what, text] : cases) {
    fs::remove(manifest());
    if (text) std::ofstream(manifest(), std::ios::binary) << *text;
    const size_t before = launches();
    play();
    EXPECT_FALSE(launcher().gameUpdateWarning()) << what;
    EXPECT_EQ(launches(), before + 1) << what;
    for (bool older : olderThanGame()) EXPECT_FALSE(older) << what;
  }
}

using GameUpdateWords = AppTest;  // its application gives the English plural forms

TEST_F(GameUpdateWords, TheDateNamesTheYearOnlyWhenItIsNotThisYears) {
  const auto at = [](const char* iso) { return *Dates::parseISO8601(iso); };
  EXPECT_EQ(Launcher::updatedTitle(at("2026-12-03T12:00:00Z"), at("2026-12-07T12:00:00Z")),
            "Valheim was updated on 3 December, after this profile last started.");
  EXPECT_EQ(Launcher::updatedMessage(1), "1 of its mods hasn’t been updated since then.");
  EXPECT_EQ(Launcher::updatedMessage(0), "");
}
}  // namespace
