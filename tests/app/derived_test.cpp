// What the window reads of the state is worked out when something changes, never on a read.
#include <QSignalSpy>

#include "app_fixture.hpp"
#include "foundation/fs_probes.hpp"

namespace {
class Derived : public StartedApp {
 protected:
  // Reads every value the window binds to, as a frame does.
  void readAll() const {
    for (QAbstractItemModel* model : std::initializer_list<QAbstractItemModel*>{
             state->profilesModel(), state->selection()->mods(), state->selection()->dependencies()})
      for (int row = 0; row < model->rowCount(); ++row)
        for (int role : model->roleNames().keys()) (void)model->data(model->index(row, 0), role);
    (void)state->selection()->profile();
    (void)state->selection()->index();
    (void)state->selection()->needsInstall();
    (void)state->selection()->updates();
    (void)state->selection()->heldUpdates();
    (void)state->selection()->packStatus();
    (void)state->selection()->canChange();
    (void)state->game()->canPlay();
  }
};

TEST_F(Derived, ReadingTheValuesTouchesNoFileAndEachTellsOnlyOfItsOwnChange) {
  run([&] { state->modController()->add(pkg("A")); });
  QSignalSpy updates(state->selection(), &SelectedProfile::updatesChanged);
  QSignalSpy index(state->selection(), &SelectedProfile::indexChanged);
  QSignalSpy missing(state->selection(), &SelectedProfile::needsInstallChanged);
  publish("A", "1.1.0", {"Team-B-1.0.0"});
  EXPECT_EQ(updates.count(), 1);
  EXPECT_EQ(index.count(), 0);
  EXPECT_EQ(missing.count(), 0);

  const uint64_t before = FS::probes();
  readAll();
  EXPECT_EQ(FS::probes(), before);
  EXPECT_EQ(state->selection()->updates(), 1);
  EXPECT_EQ(
      state->profilesModel()->data(state->profilesModel()->index(0, 0), ProfileListModel::UpdateCountRole),
      1);
}

TEST_F(Derived, AnOperationTellsOfIdlenessOnlyWhereItStartsAndEndsAndAnUnchangedRecordNotAtAll) {
  QSignalSpy idle(state->activity(), &Activity::idleChanged);
  QSignalSpy steps(state->activity(), &Activity::busyChanged);
  run([&] { state->modController()->add(pkg("A")); });  // and what it needs, a step each
  EXPECT_GT(steps.count(), 3);
  EXPECT_EQ(idle.count(), 2);
  QSignalSpy record(state->selection(), &SelectedProfile::profileChanged);
  state->selection()->refresh();
  EXPECT_EQ(record.count(), 0);
}

// The footer names the profile an operation works on when it is not the selected one: what comes
// in goes "into" it, other work is "for" it. The line is told of only when its text changes.
TEST(FooterLine, NamesTheProfileTheWorkIsForAndTellsOnlyOfChanges) {
  Activity activity([](const std::string& id) { return id == "raid" ? QStringLiteral("Raid") : QString(); });
  QSignalSpy told(&activity, &Activity::busyLineChanged);
  activity.setBusyProfile("raid");
  struct Case {
    const char *busy, *line;
  };
  for (const Case& c : {Case{"Adding Valkyrie…", "Adding Valkyrie into “Raid”…"},
                        Case{"Installing Valkyrie 1.0.0…", "Installing Valkyrie 1.0.0 into “Raid”…"},
                        Case{"Updating 3 mods…", "Updating 3 mods for “Raid”…"},
                        Case{"Removing Valkyrie", "Removing Valkyrie for “Raid”"}}) {
    activity.setBusy(QString::fromUtf8(c.busy));
    EXPECT_EQ(activity.busyLine(), QString::fromUtf8(c.line));
  }
  activity.setBusyProfile("default");  // the selected profile is not named
  EXPECT_EQ(activity.busyLine(), QStringLiteral("Removing Valkyrie"));
  const auto before = told.count();
  activity.retell();
  EXPECT_EQ(told.count(), before);
}

TEST_F(Derived, ARefreshLooksAtTheProfilesFoldersNotAtEachMod) {
  auto looksOfARefresh = [&] {
    const uint64_t before = FS::probes();
    state->selection()->refresh();
    return FS::probes() - before;
  };
  run([&] { state->modController()->add(pkg("C")); });
  const uint64_t oneMod = looksOfARefresh();
  run([&] { state->modController()->add(pkg("A")); });  // and what it needs
  EXPECT_GE(state->selection()->dependencies()->rowCount(), 1);
  EXPECT_EQ(looksOfARefresh(), oneMod);
}

TEST_F(Derived, PlayFollowsFilesRemovedOutsideTheApp) {
  run([&] { state->modController()->add(pkg("A")); });
  ASSERT_TRUE(state->game()->canPlay());
  // The folder watch notices a mod's folder going.
  fs::remove_all(selected().bepinex() / "plugins" / "Team-A");
  EXPECT_TRUE(waitUntil([&] { return !state->game()->canPlay(); }));
  EXPECT_EQ(state->selection()->needsInstall(), 1);
  run([&] { state->modController()->installMissing(); });
  ASSERT_TRUE(state->game()->canPlay());
  // The window becoming active looks again, whatever the watch saw.
  fs::remove(selected().bepinex() / "core" / "BepInEx.Preloader.dll");
  state->refresh();
  EXPECT_FALSE(state->game()->canPlay());
  EXPECT_EQ(state->selection()->packStatus(), int(ModStatus::NotInstalled));
}
}  // namespace
