#include <fstream>
#include <future>

#include "app/background.hpp"
#include "app_fixture.hpp"
#include "foundation/paths.hpp"
#include "installer/profile_files.hpp"
#include "profiles/profile_store.hpp"

namespace {
class Operations : public StartedApp {
 protected:
  fs::path plugins(const std::string& name) const {
    return selected().bepinex() / "plugins" / ("Team-" + name);
  }
};

class Updates : public Operations {
 protected:
  // A with B and C, then A and B have newer versions.
  void SetUp() override {
    Operations::SetUp();
    run([&] { state->modController()->add(pkg("A")); });
    publish("A", "1.1.0", {"Team-B-1.0.0"});
    publish("B", "1.2.0", {"Team-C-1.0.0"});
  }
};

// One mod's update records the latest version of that mod alone; Update All takes the rest.
TEST_F(Updates, OfOneModTakeThatModAndAllEveryModThatIsBehind) {
  EXPECT_EQ(state->statuses()->updateCount(selected()), 2);
  run([&] { state->modController()->update(mod("A")); });
  EXPECT_EQ(state->activity()->note(), "Updated A to 1.1.0.");
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(mod("B").installed, "1.0.0");
  run([&] { state->modController()->updateAll(); });
  EXPECT_EQ(state->activity()->note(), "Everything is up to date.");
  EXPECT_EQ(mod("B").installed, "1.2.0");
  EXPECT_EQ(state->statuses()->updateCount(selected()), 0);
  EXPECT_TRUE(savedAs(selected()));
}

class Removal : public Operations {
 protected:
  // A and D need B, B needs C; C was also added by hand, so it is the user's own too.
  void SetUp() override {
    Operations::SetUp();
    publish("D", "1.0.0", {"Team-B-1.0.0"});
    for (const char* name : {"A", "D", "C"}) run([&] { state->modController()->add(pkg(name)); });
  }
};

// A mod another needs is refused; a dependency another mod still needs stays; one nothing needs
// any more goes along.
TEST_F(Removal, IsRefusedWhileAnotherModNeedsItAndTakesAlongWhatNothingNeeds) {
  state->modController()->remove(mod("B"));
  EXPECT_EQ(state->activity()->errorMessage(), "B is needed by A, D. Remove those first.");
  EXPECT_EQ(selected().mods.size(), 4u);
  run([&] { state->modController()->remove(mod("A")); });
  EXPECT_EQ(state->activity()->note(), "Removed A.");
  EXPECT_EQ(modKeys(), (Strings{"Team-B", "Team-C", "Team-D"}));
  EXPECT_FALSE(fs::exists(plugins("A")));
  EXPECT_TRUE(fs::exists(plugins("B")));
  run([&] { state->modController()->remove(mod("D")); });  // B goes along; C is explicit and stays
  EXPECT_EQ(modKeys(), Strings{"Team-C"});
  EXPECT_FALSE(fs::exists(plugins("B")));
  EXPECT_TRUE(fs::exists(plugins("C")));
}

TEST_F(Operations, DisablingParksTheFilesAndEnablingBringsThemBack) {
  run([&] { state->modController()->add(pkg("C")); });
  run([&] { state->modController()->setEnabled(mod("C"), false); });
  EXPECT_FALSE(onDisk(selected().id).mods[0].enabled);
  EXPECT_FALSE(fs::exists(plugins("C")));
  EXPECT_EQ(state->statuses()->status(mod("C"), selected(), Installer::ProfileFiles::read(selected())),
            ModStatus::UpToDate);  // parked files count as present

  run([&] { state->modController()->setEnabled(mod("C"), true); });
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_TRUE(fs::exists(plugins("C")));

  // Files that cannot move leave the mod as it was, on disk and in the record, and say why.
  fs::remove_all(selected().disabledDir());
  std::ofstream(selected().disabledDir()) << "a file where the parked mods would go";
  run([&] { state->modController()->setEnabled(mod("C"), false); });
  EXPECT_FALSE(state->activity()->errorMessage().isEmpty());
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_TRUE(onDisk(selected().id).mods[0].enabled);
}

TEST_F(Operations, EveryChangeWhileAnotherRunsIsRefusedWithASentence) {
  run([&] { state->modController()->add(pkg("C")); });
  std::promise<void> gate;  // the first operation runs until the gate opens
  std::shared_future<void> opened = gate.get_future().share();
  busyTexts.clear();
  state->activity()->perform("First…", [this, opened]() -> QCoro::Task<> {
    auto wait = background(state.get(), [opened] { opened.wait(); });
    co_await wait;
  });
  EXPECT_FALSE(state->selection()->canChange());
  const std::vector<std::function<void()>> refused{
      [&] { state->modController()->setEnabled(mod("C"), false); },
      [&] { state->modController()->remove(mod("C")); }, [&] { state->modController()->undo(); },
      [&] { state->deleteProfile(selected()); }};
  for (const auto& change : refused) {
    state->activity()->setErrorMessage({});
    change();
    EXPECT_EQ(state->activity()->errorMessage(), "Wait until “First” has finished, then try again.");
  }
  EXPECT_EQ(state->activity()->busy(), "First…");
  EXPECT_EQ(modKeys(), Strings{"Team-C"});
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_EQ(state->profiles().size(), 1u);

  gate.set_value();
  settle();
  EXPECT_EQ(busyTexts, (Strings{"First…", ""}));
  EXPECT_TRUE(state->selection()->canChange());
}

TEST_F(Operations, NewAndDuplicatedProfilesGetUniqueNames) {
  state->newProfile("default 2");
  EXPECT_EQ(state->uniqueName("Default"), "Default 3");  // case is ignored
  state->newProfile("");
  state->newProfile("");
  state->duplicate(state->profiles()[0]);
  Strings names;
  for (const Profile& p : state->profiles()) names.push_back(p.name);
  EXPECT_EQ(names, (Strings{"Default", "default 2", "New Profile", "New Profile 2", "Default copy"}));
}

// Records are saved on a worker after the window has them.
TEST_F(Operations, ARecordStillBeingSavedIsOnDiskWhenTheAppQuitsAndGoneWithItsProfile) {
  state->newProfile("Other");
  const std::string other = selected().id;
  state->rename(selected(), "Renamed");
  state->deleteProfile(selected());
  const std::string id = selected().id;
  state->rename(selected(), "Kept");
  state.reset();
  EXPECT_EQ(onDisk(id).name, "Kept");
  EXPECT_FALSE(fs::exists(Paths::profiles() / other)) << "a late save does not bring a deleted profile back";
  state = std::make_unique<AppState>();
}

// Deleting the selected profile selects the first; deleting another keeps the selection; deleting
// the last makes a new Default.
TEST_F(Operations, DeletingMovesTheSelectionAndTheLastProfileMakesANewDefault) {
  const std::string first = selected().id;
  state->newProfile("Other");
  state->deleteProfile(selected());
  EXPECT_EQ(selected().id, first);
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, first);
  state->newProfile("Other");
  state->deleteProfile(state->profiles()[0]);
  EXPECT_EQ(selected().name, "Other");
  const std::string last = selected().id;
  state->deleteProfile(selected());
  ASSERT_EQ(state->profiles().size(), 1u);
  EXPECT_EQ(selected().name, "Default");
  EXPECT_NE(selected().id, last);
  EXPECT_FALSE(fs::exists(Paths::profiles() / last));
}
}  // namespace
