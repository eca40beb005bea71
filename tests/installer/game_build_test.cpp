// The game's build and last update from Steam's app manifest beside the game folder.
#include "installer/game_build.hpp"
#include "installer_fixture.hpp"
#include "testkit/fake_game.hpp"

namespace {
Date unixTime(int64_t seconds) { return Date{std::chrono::seconds{seconds}}; }
}  // namespace

TEST(AppManifest, ReadsTheBuildAndUpdateTimeFromTheShapesSteamWrites) {
  const std::string steams = FakeGame::appManifest("14862538", "1700000000");
  const GameBuild both{.buildID = 14862538, .lastUpdated = unixTime(1700000000)};
  struct Row {
    const char* what;
    std::string text;
    GameBuild expected;
  };
  const Row rows[] = {
      {"as Steam writes it", steams, both},
      {"under another root", "\"Manifest\" { \"AppState\" { \"buildid\" \"7\" } }", {.buildID = 7}},
      {"without a root",
       "\"appid\" \"892970\" \"LastUpdated\" \"1700000000\"",
       {.lastUpdated = unixTime(1700000000)}},
      {"a depot's build is not the game's",
       "\"AppState\" { \"InstalledDepots\" { \"892972\" { \"buildid\" \"9\" } } }",
       {}},
      {"cut before the build id",
       steams.substr(0, steams.find("\"buildid\"") + 5),
       {.lastUpdated = unixTime(1700000000)}},
      {"another game's manifest", "\"AppState\" { \"appid\" \"896660\" \"buildid\" \"15000000\" }", {}},
      {"build id not a number",
       FakeGame::appManifest("12a", "1700000000"),
       {.lastUpdated = unixTime(1700000000)}},
      {"zero: Steam does not know", FakeGame::appManifest("0", "0"), {}},
      {"past 64 bits", FakeGame::appManifest("99999999999999999999", "1"), {.lastUpdated = unixTime(1)}},
      {"an update after year 9999", FakeGame::appManifest("3", "253402300800"), {.buildID = 3}},
      {"not a manifest", "<html><body>404</body></html>", {}},
  };
  for (const Row& row : rows) EXPECT_EQ(Installer::parseAppManifest(row.text), row.expected) << row.what;
}

using GameBuildFile = InstallerTest;
TEST_F(GameBuildFile, IsFoundBesideAGameFolderInASteamLibraryAndFollowsChanges) {
  const fs::path steamGame = Paths::defaultGameDir();
  FakeGame::make(steamGame);
  const GameBuild made{.buildID = 14862538, .lastUpdated = unixTime(1700000000)};
  EXPECT_EQ(Installer::readGameBuild(steamGame), made);
  EXPECT_EQ(Installer::readGameBuild(steamGame.string() + "/"), made);
  fs::create_directory_symlink(steamGame, TestHome::path() / "Valheim link");
  EXPECT_EQ(Installer::readGameBuild(TestHome::path() / "Valheim link"), made);

  FakeGame::writeAppManifest(steamGame, "15000000", "1710000000");  // the game was patched
  EXPECT_EQ(Installer::readGameBuild(steamGame),
            (GameBuild{.buildID = 15000000, .lastUpdated = unixTime(1710000000)}));

  const fs::path manifest = *Installer::appManifestFile(steamGame);
  EXPECT_EQ(manifest, Paths::steamDir() / "steamapps" / "appmanifest_892970.acf");
  writeFile(manifest, FakeGame::appManifest().substr(0, 40));  // cut before either field
  EXPECT_EQ(Installer::readGameBuild(steamGame), std::nullopt);
  writeFile(manifest, FakeGame::appManifest() + std::string(2 << 20, ' '));  // too large to be one
  EXPECT_EQ(Installer::readGameBuild(steamGame), std::nullopt);
  fs::remove(manifest);
  EXPECT_EQ(Installer::readGameBuild(steamGame), std::nullopt);

  FakeGame::make(game);  // a game folder outside any Steam library
  EXPECT_EQ(Installer::appManifestFile(game), std::nullopt);
  EXPECT_EQ(Installer::readGameBuild(game), std::nullopt);
}
