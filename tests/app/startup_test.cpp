#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

namespace {
using Startup = AppTest;

void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  FS::writeAtomic(p, bytes);
}

TEST_F(Startup, FirstStartMakesAndSelectsDefaultAndSavesOnlyTheSelection) {
  fs::remove_all(game);  // nothing on disk: no game, no settings, no profiles
  writeFile(Paths::steamDir() / "userdata/111/config/localconfig.vdf", "\"LaunchOptions\" \"\"");
  writeFile(Paths::steamDir() / "userdata/222/config/localconfig.vdf", "\"LaunchOptions\" \"./run_bepinex.sh %command%\"");
  start();

  ASSERT_EQ(state->profiles().size(), 1u);
  EXPECT_EQ(selected().name, "Default");
  EXPECT_EQ(ProfileStore::loadSettings(), (Settings{std::nullopt, selected().id}));
  EXPECT_EQ(state->gameDirPath(), Paths::defaultGameDir());
  EXPECT_FALSE(state->gameFound());
  EXPECT_TRUE(state->steamLaunchOptionSet());
  EXPECT_EQ(state->index().size(), 1u);
  EXPECT_TRUE(logHas("index loaded: 1 packages"));
  EXPECT_TRUE(state->note().isEmpty());
  EXPECT_TRUE(state->errorMessage().isEmpty());

  state->start();  // a second start changes nothing
  EXPECT_EQ(state->profiles().size(), 1u);
}

TEST_F(Startup, ALegacyInstallBecomesTheSelectedDefaultProfile) {
  const Profile other = ProfileStore::create("Other");
  ProfileStore::saveSettings({std::nullopt, other.id});
  writeFile(game / "BepInEx/plugins/Team-Old/.ts_version", "1.2.3\n");
  writeFile(game / "BepInEx/plugins/Team-Old/Old.dll", "dll");
  start();

  EXPECT_EQ(state->note(), "Your existing mods were moved into the “Default” profile.");
  ASSERT_EQ(state->profiles().size(), 2u);
  EXPECT_EQ(selected().name, "Default");
  ASSERT_EQ(selected().mods.size(), 1u);
  EXPECT_EQ(selected().mods[0].id(), "Team-Old");
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, selected().id);
}

TEST_F(Startup, AFailedMigrationIsReportedAndStartUpGoesOn) {
  writeFile(game / "BepInEx/plugins/Team-Old/.ts_version", "1.2.3\n");
  writeFile(Paths::profiles(), "not a folder");  // no profile can be made
  start();

  EXPECT_TRUE(state->errorMessage().startsWith("Couldn’t move your existing mods into a profile: "));
  EXPECT_TRUE(logHas("migration failed: "));
  EXPECT_TRUE(state->profiles().empty());
  EXPECT_EQ(state->selected(), nullptr);
  EXPECT_EQ(state->index().size(), 1u);
}

TEST_F(Startup, SelectionFallsBackToTheFirstProfileAndSavesOnlyRealChanges) {
  Profile a = ProfileStore::create("A");
  a.created -= std::chrono::seconds(10);  // listed first whatever order the folder listing gives
  ProfileStore::save(a);
  const Profile b = ProfileStore::create("B");
  ProfileStore::saveSettings({std::nullopt, "GONE"});
  start();
  EXPECT_EQ(selected().id, a.id);
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, a.id);

  state->setErrorMessage("old error");
  state->setSelectedID(QString::fromStdString(a.id));  // the same one: nothing happens, nothing is written
  fs::remove(Paths::settings());
  state->setSelectedID(QString::fromStdString(a.id));
  EXPECT_FALSE(fs::exists(Paths::settings()));
  EXPECT_EQ(state->errorMessage(), "old error");

  state->setSelectedID(QString::fromStdString(b.id));  // idle: the messages go
  EXPECT_TRUE(state->errorMessage().isEmpty());
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, b.id);
}

TEST_F(Startup, TheChosenGameFolderIsCheckedSavedAndMigrated) {
  start();
  workspace->chosenFolder = TestHome::path() / "Elsewhere";
  fs::create_directories(*workspace->chosenFolder);
  state->chooseGameFolder();
  EXPECT_EQ(state->errorMessage(), "That folder doesn’t contain valheim.app.");
  EXPECT_EQ(state->gameDirPath(), game);

  writeFile(*workspace->chosenFolder / "valheim.app/Contents/MacOS/valheim", "x");
  writeFile(*workspace->chosenFolder / "BepInEx/plugins/Team-Old/.ts_version", "1.0.0");
  state->chooseGameFolder();
  EXPECT_TRUE(state->errorMessage().isEmpty());
  EXPECT_EQ(state->gameDirPath(), *workspace->chosenFolder);
  EXPECT_EQ(ProfileStore::loadSettings().gameDir, workspace->chosenFolder->string());
  ASSERT_TRUE(waitUntil([this] { return state->profiles().size() == 2; }));
  EXPECT_EQ(selected().mods.at(0).id(), "Team-Old");  // the migrated profile is selected, without a note
  EXPECT_TRUE(state->note().isEmpty());
}

TEST_F(Startup, IndexFailuresKeepTheOldIndexAndLoadsDoNotOverlap) {
  publish("A", "1.0.0");
  start();
  ASSERT_EQ(state->index().size(), 2u);

  catalogue.answer(FakeCatalogue::indexPath, {.status = 500, .body = "down"});
  fs::remove_all(Paths::cache());  // no cache to fall back on
  state->loadIndex(true);
  state->loadIndex(true);  // dropped while the first runs
  ASSERT_TRUE(waitUntil([this] { return !state->indexLoading(); }));
  EXPECT_EQ(state->indexError(), "Couldn’t download the mod list from Thunderstore. Check your internet connection.");
  EXPECT_EQ(state->index().size(), 2u);
  EXPECT_EQ(catalogue.requestCount(FakeCatalogue::indexPath), 2);  // start-up's and one refresh
}

TEST_F(Startup, ANewerVersionOnTheWebsiteIsAnnounced) {
  catalogue.setUpdateNotice(R"({"version": "99.0.0", "notes": "Shiny."})");
  start();
  ASSERT_TRUE(waitUntil([this] { return state->appUpdateValue().has_value(); }));
  EXPECT_EQ(state->appUpdateValue()->version, "99.0.0");
  EXPECT_EQ(state->appUpdateValue()->notes, "Shiny.");
}
}  // namespace
