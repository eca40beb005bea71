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
             state->profilesModel(), state->modsModel(), state->dependenciesModel()})
      for (int row = 0; row < model->rowCount(); ++row)
        for (int role : model->roleNames().keys()) (void)model->data(model->index(row, 0), role);
    (void)state->selectedItem();
    (void)state->selectedIndex();
    (void)state->selectedNeedsInstall();
    (void)state->selectedUpdateCount();
    (void)state->selectedHeldUpdates();
    (void)state->selectedPackStatus();
    (void)state->canChange();
    (void)state->game()->canPlay();
  }
};

TEST_F(Derived, ReadingTheValuesTouchesNoFileAndEachTellsOnlyOfItsOwnChange) {
  run([&] { state->modController()->add(pkg("A")); });
  QSignalSpy updates(state.get(), &AppState::updateCountSelectedChanged);
  QSignalSpy index(state.get(), &AppState::selectedIndexChanged);
  QSignalSpy missing(state.get(), &AppState::needsInstallCountChanged);
  publish("A", "1.1.0", {"Team-B-1.0.0"});
  EXPECT_EQ(updates.count(), 1);
  EXPECT_EQ(index.count(), 0);
  EXPECT_EQ(missing.count(), 0);

  const uint64_t before = FS::probes();
  readAll();
  EXPECT_EQ(FS::probes(), before);
  EXPECT_EQ(state->selectedUpdateCount(), 1);
  EXPECT_EQ(
      state->profilesModel()->data(state->profilesModel()->index(0, 0), ProfileListModel::UpdateCountRole),
      1);
}

TEST_F(Derived, PlayFollowsFilesRemovedOutsideTheApp) {
  run([&] { state->modController()->add(pkg("A")); });
  ASSERT_TRUE(state->game()->canPlay());
  // The folder watch notices a mod's folder going.
  fs::remove_all(selected().bepinex() / "plugins" / "Team-A");
  EXPECT_TRUE(waitUntil([&] { return !state->game()->canPlay(); }));
  EXPECT_EQ(state->selectedNeedsInstall(), 1);
  run([&] { state->modController()->installMissing(); });
  ASSERT_TRUE(state->game()->canPlay());
  // The window becoming active looks again, whatever the watch saw.
  fs::remove(selected().bepinex() / "core" / "BepInEx.Preloader.dll");
  state->refresh();
  EXPECT_FALSE(state->game()->canPlay());
  EXPECT_EQ(state->selectedPackStatus(), int(ModStatus::NotInstalled));
}
}  // namespace
