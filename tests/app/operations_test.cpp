#include <QCoroFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <future>

#include "app_fixture.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

namespace {
using Strings = std::vector<std::string>;

class Operations : public AppTest {
 protected:
  void SetUp() override {
    publish("A", "1.0.0", {"Team-B-1.0.0"});
    publish("B", "1.0.0");
    publish("C", "1.0.0");
    start();
  }
  void run(const std::function<void()>& operation) {
    operation();
    settle();
  }
  Strings names() const {
    Strings out;
    for (const Profile& p : state->profiles()) out.push_back(p.name);
    return out;
  }
  fs::path plugins(const std::string& name) const { return selected().bepinex() / "plugins" / ("Team-" + name); }
};

TEST_F(Operations, UpdateAndUpdateAllRecordTheNewVersionsAndInstallThem) {
  run([&] { state->add(pkg("A")); });
  publish("A", "1.1.0", {"Team-B-1.0.0"});
  publish("B", "1.2.0");
  refreshIndex();
  EXPECT_EQ(state->updateCount(selected()), 2);

  run([&] { state->update(mod("A")); });
  EXPECT_EQ(state->note(), "Updated A to 1.1.0.");
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(mod("B").installed, "1.0.0");

  run([&] { state->updateAll(); });
  EXPECT_EQ(state->note(), "Everything is up to date.");
  EXPECT_EQ(mod("B").version, "1.2.0");
  EXPECT_EQ(mod("B").installed, "1.2.0");
  EXPECT_EQ(state->updateCount(selected()), 0);
  EXPECT_TRUE(savedAs(selected()));
}

TEST_F(Operations, RemovingIsRefusedWhileOthersNeedTheMod) {
  run([&] { state->add(pkg("A")); });
  publish("D", "1.0.0", {"Team-B-1.0.0"});
  refreshIndex();
  run([&] { state->add(pkg("D")); });

  state->remove(mod("B"));
  EXPECT_EQ(state->errorMessage(), "B is needed by A, D. Remove those first.");
  EXPECT_EQ(selected().mods.size(), 3u);
  EXPECT_TRUE(fs::exists(plugins("B")));
}

TEST_F(Operations, RemovingAModTakesItsUnusedDependenciesAlong) {
  run([&] { state->add(pkg("A")); });
  run([&] { state->add(pkg("C")); });
  state->remove(mod("A"));

  EXPECT_EQ(state->note(), "Removed A.");
  ASSERT_EQ(selected().mods.size(), 1u);  // B went with A; C is explicit and stays
  EXPECT_EQ(selected().mods[0].id(), "Team-C");
  EXPECT_FALSE(fs::exists(plugins("A")));
  EXPECT_FALSE(fs::exists(plugins("B")));
  EXPECT_TRUE(logHas("removed unused dependency Team-B"));
  EXPECT_TRUE(savedAs(selected()));
}

TEST_F(Operations, AddingAHeldDependencyMakesItExplicitAndKeepsTheRest) {
  run([&] { state->add(pkg("A")); });
  state->setEnabled(mod("B"), false);
  run([&] { state->add(pkg("B")); });
  EXPECT_EQ(state->note(), "Added B.");
  EXPECT_TRUE(mod("B").isExplicit);
  EXPECT_FALSE(mod("B").enabled);

  state->remove(mod("A"));  // B is the user's own now: it stays
  ASSERT_EQ(selected().mods.size(), 1u);
  EXPECT_EQ(selected().mods[0].id(), "Team-B");
}

TEST_F(Operations, DisablingParksTheFilesAndEnablingBringsThemBack) {
  run([&] { state->add(pkg("C")); });
  state->setEnabled(mod("C"), false);
  EXPECT_FALSE(mod("C").enabled);
  EXPECT_FALSE(onDisk(selected().id).mods[0].enabled);
  EXPECT_FALSE(fs::exists(plugins("C")));
  EXPECT_TRUE(fs::exists(selected().disabledDir() / "plugins/Team-C"));
  EXPECT_EQ(state->status(mod("C"), selected()), ModStatus::upToDate);  // parked files count as present

  state->setEnabled(mod("C"), true);
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_TRUE(fs::exists(plugins("C")));
}

TEST_F(Operations, ASecondOperationWhileBusyIsDroppedButItsRecordStays) {
  std::promise<void> gate;  // the first operation runs until the gate opens
  std::shared_future<void> opened = gate.get_future().share();
  bool ran = false;
  state->perform("First", [&]() -> QCoro::Task<> {
    QFuture<void> wait = QtConcurrent::run([opened] { opened.wait(); });
    co_await wait;
    ran = true;
  });
  state->add(pkg("C"));
  state->installMissing();
  EXPECT_EQ(state->busy(), "First");
  EXPECT_EQ(onDisk(selected().id).mods.size(), 1u);  // recorded first, installed later
  EXPECT_FALSE(state->canPlay());

  state->remove(mod("C"));  // remove and delete wait for idle
  state->deleteProfile(selected());
  EXPECT_EQ(selected().mods.size(), 1u);
  EXPECT_EQ(state->profiles().size(), 1u);

  gate.set_value();
  settle();
  EXPECT_TRUE(ran);
  EXPECT_EQ(mod("C").installed, std::nullopt);
  EXPECT_EQ(busyTexts(), (Strings{"First", ""}));
  run([&] { state->installMissing(); });
  EXPECT_EQ(mod("C").installed, "1.0.0");
}

TEST_F(Operations, ProfileNamesAreMadeUniqueIgnoringCase) {
  state->newProfile("default 2");
  EXPECT_EQ(state->uniqueName("Default"), "Default 3");
  EXPECT_TRUE(state->nameIsTaken(" default "));
  EXPECT_FALSE(state->nameIsTaken("Defaul"));

  state->newProfile("");
  EXPECT_EQ(selected().name, "New Profile");
  EXPECT_EQ(state->tab(), DetailTab::browse);
  state->newProfile("");
  EXPECT_EQ(selected().name, "New Profile 2");

  state->rename(selected(), "  Raiders\t");
  EXPECT_EQ(selected().name, "Raiders");
  state->rename(selected(), "   ");
  EXPECT_EQ(onDisk(selected().id).name, "Raiders");

  state->duplicate(state->profiles()[0]);
  state->duplicate(state->profiles()[0]);
  EXPECT_EQ(names(), (Strings{"Default", "default 2", "New Profile", "Raiders", "Default copy", "Default copy 2"}));
  EXPECT_EQ(selected().name, "Default copy 2");
}

TEST_F(Operations, DeletingMovesTheSelectionAndNeverLeavesNoProfile) {
  const std::string first = selected().id;
  state->newProfile("Second");
  state->deleteProfile(selected());
  EXPECT_EQ(selected().id, first);
  EXPECT_EQ(ProfileStore::loadSettings().activeProfile, first);

  state->newProfile("Other");
  state->deleteProfile(*state->current(first));  // not the selected one: the selection stays
  EXPECT_EQ(selected().name, "Other");

  const std::string last = selected().id;
  state->deleteProfile(selected());
  ASSERT_EQ(state->profiles().size(), 1u);
  EXPECT_EQ(selected().name, "Default");
  EXPECT_NE(selected().id, last);
  EXPECT_FALSE(fs::exists(Paths::profiles() / last));
}

TEST_F(Operations, TheProfileFolderOpensAtItsPlugIns) {
  state->openProfileFolder();
  EXPECT_EQ(workspace->calls, Strings{"openFolder " + selected().dir().string()});
  fs::create_directories(selected().bepinex() / "plugins");
  state->openProfileFolder();
  EXPECT_EQ(workspace->calls.back(), "openFolder " + (selected().bepinex() / "plugins").string());
}
}  // namespace
