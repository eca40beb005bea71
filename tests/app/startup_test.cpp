#include <gmock/gmock.h>

#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "history/fault_point.hpp"
#include "history/history.hpp"
#include "profiles/profile_store.hpp"

namespace {
using Startup = AppTest;

fs::path g_journal;
// Ends a restore at its first step after its journal is written, as a process that dies there.
void stopOnceJournaled() {
  if (fs::exists(g_journal)) throw std::runtime_error("stopped");
}

void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  FS::writeAtomic(p, bytes);
}

TEST_F(Startup, FirstStartWithNothingOnDiskMakesAndSelectsDefault) {
  fs::remove_all(game);
  writeFile(Paths::steamDir() / "userdata/111/config/localconfig.vdf", "\"LaunchOptions\" \"\"");
  writeFile(Paths::steamDir() / "userdata/222/config/localconfig.vdf",
            "\"LaunchOptions\" \"./run_bepinex.sh %command%\"");
  start();

  ASSERT_EQ(state->profiles().size(), 1u);
  EXPECT_EQ(selected().name, "Default");
  EXPECT_EQ(ProfileStore::loadSettings(),
            (Settings{std::nullopt, selected().id}));  // only the selection saved
  EXPECT_FALSE(state->game()->found());
  EXPECT_TRUE(state->game()->steamLaunchOptionSet());  // any Steam user having it counts
  state->start();  // a second start changes nothing
  EXPECT_EQ(state->profiles().size(), 1u);
}

TEST_F(Startup, ALegacyInstallBecomesTheSelectedDefaultProfile) {
  ProfileStore::saveSettings({std::nullopt, ProfileStore::create("Other").id});
  writeFile(game / "BepInEx/plugins/Team-Old/.ts_version", "1.2.3\n");
  writeFile(game / "BepInEx/plugins/Team-Old/Old.dll", "dll");
  start();

  EXPECT_EQ(state->activity()->note(), "Your existing mods were moved into the “Default” profile.");
  ASSERT_EQ(state->profiles().size(), 2u);
  EXPECT_EQ(selected().name, "Default");
  EXPECT_EQ(modKeys(), Strings{"Team-Old"});
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, selected().id);
}

TEST_F(Startup, AFailedMigrationIsReportedAndLeavesTheGameFolderAlone) {
  writeFile(game / "BepInEx/plugins/Team-Old/.ts_version", "1.2.3\n");
  writeFile(Paths::profiles(), "a file where the profiles folder belongs");
  start();

  EXPECT_THAT(state->activity()->errorMessage().toStdString(),
              testing::StartsWith("Couldn’t move your existing mods into a profile: "));
  EXPECT_TRUE(fs::exists(game / "BepInEx/plugins/Team-Old/.ts_version"));
}

TEST_F(Startup, SelectionFallsBackToTheFirstProfileAndIsSavedOnlyWhenItChanges) {
  Profile a = ProfileStore::create("A");
  a.created -= std::chrono::seconds(10);  // listed first whatever order the folder listing gives
  ProfileStore::save(a);
  const Profile b = ProfileStore::create("B");
  ProfileStore::saveSettings({std::nullopt, "GONE"});
  start();
  EXPECT_EQ(selected().id, a.id);
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, a.id);

  fs::remove(Paths::settings());
  state->setSelectedID(QString::fromStdString(a.id));  // the same one: nothing is written
  EXPECT_FALSE(fs::exists(Paths::settings()));
  state->setSelectedID(QString::fromStdString(b.id));
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, b.id);
}

TEST_F(Startup, ARestoreCutShortIsFinishedBeforeTheProfilesAreRead) {
  Profile raid = ProfileStore::create("Raid");
  raid.mods = {{"Team", "A", "1.0.0", std::nullopt, true, true}};
  ProfileStore::save(raid);
  ProfileStore::saveSettings({std::nullopt, raid.id});
  const std::string before = History::snapshot(raid.dir(), {"before"});
  raid.mods.clear();
  ProfileStore::save(raid);
  g_journal = raid.dir() / "history" / "restore.record";
  History::FaultPoint::setHook(stopOnceJournaled);
  EXPECT_THROW(History::restore(raid.dir(), before, {"back"}), std::runtime_error);
  History::FaultPoint::setHook(nullptr);
  ASSERT_TRUE(fs::exists(g_journal));

  start();
  EXPECT_EQ(selected().name, "Raid");
  EXPECT_EQ(modKeys(), Strings{"Team-A"});
  EXPECT_FALSE(fs::exists(g_journal));
}
}  // namespace
