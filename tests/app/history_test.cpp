// Snapshots before every change, restore and undo, the History sheet's model, and held versions.

#include <cerrno>
#include <system_error>

#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "history/fault_point.hpp"
#include "history/history.hpp"
#include "installer/download_cache.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/zip_builder.hpp"

namespace {

class HistoryApp : public StartedApp {
 protected:
  ProfileHistory& history() const { return *state->history(); }
  // The newest snapshot's description and undo name, once the sheet's model has read it.
  std::pair<std::string, QString> newest() {
    EXPECT_TRUE(waitUntil([&] { return !history().loading(); }));
    const auto all = snapshots();
    return {all.empty() ? "" : all.front().description, history().undoText()};
  }
  fs::path config(const std::string& name) const { return selected().bepinex() / "config" / name; }
  void select(const std::string& description) {
    for (const auto& row : history().entries()->rows())
      if (row.description == description) history().setSelectedID(QString::fromStdString(row.id));
    ASSERT_TRUE(waitUntil([&] { return history().canRestore() || !history().missing().isEmpty(); }));
  }
};

using Pair = std::pair<std::string, QString>;

TEST_F(HistoryApp, EveryKindOfChangeTakesOneSnapshotNamedForIt) {
  EXPECT_EQ(newest(), Pair("", "Undo"));
  run([&] { state->modController()->add(pkg("A")); });
  EXPECT_EQ(newest(), Pair("Added A", "Undo Add A"));
  updateA();
  EXPECT_EQ(newest(), Pair("Updated A 1.0.0 → 1.1.0", "Undo Update A"));
  publish("C", "1.1.0");
  run([&] { state->modController()->updateAll(); });
  EXPECT_EQ(newest(), Pair("Updated all mods", "Undo Update All"));
  const fs::path file = TestHome::path() / "Raid_Tweaks.zip";
  FS::writeAtomic(file, zipBytes({{"manifest.json", R"({"name": "Raid_Tweaks", "version_number": "1.0.0"})"},
                                  {"Raid.dll", "dll"}}));
  run([&] { state->modController()->installModFile(fileAt(file)); });
  EXPECT_EQ(newest(), Pair("Installed Raid Tweaks from a file", "Undo Install Raid Tweaks"));

  FS::writeAtomic(config("Test.cfg"), "[General]\nMenu key = F1\n");
  ConfigEditor* editor = state->configEditor();
  editor->refresh();
  const QString path = QString::fromStdString(config("Test.cfg").string());
  editor->open(path);
  ASSERT_TRUE(waitUntil([&] { return !editor->opening() && editor->currentPath() == path; }));
  ASSERT_TRUE(editor->setValue(0, "F2"));
  editor->save();
  ASSERT_TRUE(waitUntil([&] { return !editor->dirty(); }));
  EXPECT_EQ(newest(), Pair("Saved Test.cfg", "Undo Save Test.cfg"));

  const fs::path exported = TestHome::path() / "Shared.r2z";
  run([&] { state->transfer()->exportProfileFile(selected(), fileAt(exported)); });
  run([&] {
    state->transfer()->importFileReplacing(fileAt(exported), QString::fromStdString(selected().id));
  });
  EXPECT_EQ(newest(), Pair("Replaced the profile with an imported file", "Undo Import"));
  EXPECT_EQ(snapshots().size(), 6u);  // exporting changed nothing
}

TEST_F(HistoryApp, UndoOfAnUpdateInstallsTheOldVersionAndRedoTheNewOne) {
  updateA();
  run([&] { state->modController()->undo(); });
  EXPECT_EQ(state->activity()->note(), "Undid Update A.");
  EXPECT_EQ(mod("A").installed, "1.0.0");
  EXPECT_EQ(newest(), Pair("Updated A 1.0.0 → 1.1.0", "Undo Add A"));
  EXPECT_EQ(history().redoText(), "Redo Update A");

  run([&] { state->modController()->redo(); });
  EXPECT_EQ(state->activity()->note(), "Redid Update A.");
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(state->statuses()->updateCount(selected()), 0);
}

TEST_F(HistoryApp, ARestoreIsRefusedWhileTheGameRunsOrWhenAVersionCannotBeHad) {
  updateA();
  const auto before = snapshots();
  state->window()->open(WindowState::Sheet::History);
  ASSERT_TRUE(waitUntil([&] { return history().entries()->count() == 3; }));
  select("Updated A 1.0.0 → 1.1.0");
  EXPECT_TRUE(history().canRestore());

  gameRuns(true);
  EXPECT_FALSE(history().canRestore());
  state->modController()->restore(history().selectedID());
  EXPECT_EQ(state->activity()->errorMessage(), "Valheim is already running.");
  gameRuns(false);

  // A 1.0.0 is neither downloaded nor in the catalogue any more.
  DownloadCache::clear();
  history().setSelectedID("");
  select("Updated A 1.0.0 → 1.1.0");
  const QString sentence = "A 1.0.0 is no longer on Thunderstore, so this snapshot can’t be restored.";
  EXPECT_EQ(history().missing(), sentence);
  EXPECT_FALSE(history().canRestore());
  run([&] { state->modController()->restore(history().selectedID()); });
  EXPECT_EQ(state->activity()->errorMessage(), sentence);

  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(snapshots().size(), before.size());
}

TEST_F(HistoryApp, ASnapshotThatCannotBeWrittenStopsTheChange) {
  run([&] { state->modController()->add(pkg("A")); });
  History::FaultPoint::setHook(
      [] { throw fs::filesystem_error("write", std::error_code(ENOSPC, std::generic_category())); });
  run([&] { state->modController()->setEnabled(mod("A"), false); });
  History::FaultPoint::setHook(nullptr);
  EXPECT_EQ(state->activity()->errorMessage(),
            "There isn’t enough disk space to keep a snapshot of this profile, so nothing was changed. Free "
            "some space and try again.");
  EXPECT_TRUE(mod("A").enabled);
  EXPECT_TRUE(savedAs(selected()));
  EXPECT_TRUE(fs::exists(selected().bepinex() / "plugins/Team-A"));
}

TEST_F(HistoryApp, TheSheetShowsWhatChangedSinceASnapshot) {
  run([&] { state->modController()->add(pkg("A")); });
  FS::writeAtomic(config("Test.cfg"), "[General]\nMenu key = F1\n");
  run([&] { state->modController()->setEnabled(mod("A"), false); });
  FS::writeAtomic(config("Test.cfg"), "[General]\nMenu key = F2\nSpeed = 2\n");
  updateA();

  state->window()->open(WindowState::Sheet::History);
  ASSERT_TRUE(waitUntil([&] { return history().entries()->count() == 4; }));
  const HistoryListModel& rows = *history().entries();
  EXPECT_EQ(rows.data(rows.index(2), HistoryListModel::DescriptionRole), "Turned off A");
  EXPECT_EQ(rows.data(rows.index(2), HistoryListModel::SummaryRole), "1 mod changed, 1 config file");
  select("Turned off A");
  const QVariantList expected{
      QVariantMap{{"section", "Mods"}, {"text", "A 1.0.0 → 1.1.0"}, {"settings", QStringList()}},
      QVariantMap{{"section", "Mods"}, {"text", "Turned off A"}, {"settings", QStringList()}},
      QVariantMap{{"section", "Config Files"},
                  {"text", "Test.cfg"},
                  {"settings", QStringList{"[General] Menu key: F1 → F2", "[General] Speed: not set → 2"}}}};
  EXPECT_EQ(history().changes(), expected);
  EXPECT_TRUE(history().canUndo());

  state->modController()->updateAll();  // while busy nothing can be restored or undone
  EXPECT_FALSE(history().canRestore());
  EXPECT_FALSE(history().canUndo());
  settle();
  EXPECT_TRUE(waitUntil([&] { return history().canRestore(); }));
}

class Holds : public HistoryApp {
 protected:
  void SetUp() override {
    HistoryApp::SetUp();
    run([&] { state->modController()->add(pkg("A")); });
    publish("A", "1.1.0", {"Team-B-1.0.0"});
    publish("B", "1.2.0", {"Team-C-1.0.0"});
    state->modController()->hold(mod("A"));
  }
  QVariant row(int role) const {
    const ModListModel& mods = *state->selection()->mods();
    return mods.data(mods.index(0), role);
  }
};

TEST_F(Holds, AHeldModShowsNoUpdateAndUpdateAllPassesItBy) {
  EXPECT_EQ(state->statuses()->updateCount(selected()), 1);  // B only
  EXPECT_EQ(row(ModListModel::HeldVersionRole), "1.0.0");
  run([&] { state->modController()->updateAll(); });
  EXPECT_EQ(mod("A").installed, "1.0.0");
  EXPECT_EQ(mod("B").installed, "1.2.0");
  EXPECT_EQ(state->activity()->note(), "Everything is up to date (1 update held).");

  run([&] { state->modController()->update(mod("A")); });  // the player's answer: let it go
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_FALSE(row(ModListModel::HeldRole).toBool());
  EXPECT_TRUE(ProfileStore::loadHolds(selected()).empty());
}

TEST_F(Holds, TravelInProfileFilesAndCopiesAndAreReleasedByTheirCommand) {
  const fs::path exported = TestHome::path() / "Held.r2z";
  run([&] { state->transfer()->exportProfileFile(selected(), fileAt(exported)); });
  state->modController()->releaseHold(mod("A"));
  EXPECT_EQ(state->statuses()->updateCount(selected()), 2);
  run([&] { state->transfer()->importFileAsNew(fileAt(exported), "Friend"); });
  EXPECT_EQ(state->statuses()->heldVersion(selected(), "Team-A"), "1.0.0");
  state->duplicate(ProfileItem(selected()));  // holds belong to the profile, so a copy keeps them
  EXPECT_EQ(selected().name, "Friend copy");
  EXPECT_EQ(state->statuses()->heldVersion(selected(), "Team-A"), "1.0.0");

  // Another manager's file names them by catalogue id.
  const fs::path file = TestHome::path() / "Other.r2z";
  FS::writeAtomic(file,
                  zipBytes({{"export.r2x",
                             "profileName: Other\nmods:\n  - name: Team-A\n    version:\n      major: 1\n"
                             "      minor: 0\n      patch: 0\n    enabled: true\n"
                             "ignoredUpdates:\n  - uuid-A\n  - uuid-of-nothing\n"}}));
  run([&] { state->transfer()->importFileAsNew(fileAt(file), "Other"); });
  EXPECT_EQ(ProfileStore::loadHolds(selected()), (HeldVersions{{"Team-A", "1.0.0"}}));
  EXPECT_EQ(state->selection()->heldUpdates(), 1);
}
}  // namespace
